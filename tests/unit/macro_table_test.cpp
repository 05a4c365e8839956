#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "library/table/macro_table.h"
#include "macro/file/text_field.h"
#include "tests/support/macro_library_fixture.h"

namespace {

using ::testing::ElementsAre;

class MacroTableTest : public MacroLibraryTest {};

TEST_F(MacroTableTest, FindMacroByIdSearchesOnlyTheMacrosInUse) {
    Populate(3);
    EXPECT_EQ(FindMacroByID(table, 2), &table.macros[2]);
    EXPECT_EQ(FindMacroByID(table, -1), nullptr);  // no selection
    table.macros[3].id = 3;                        // a slot past the end
    EXPECT_EQ(FindMacroByID(table, 3), nullptr);
    table.macros[2].id = 1;  // two slots claim id 1: the first wins
    EXPECT_EQ(FindMacroByID(table, 1), &table.macros[1]);
}

TEST_F(MacroTableTest, IsMacroLoadedComparesPathsByteForByte) {
    Populate(2);
    std::string path = "C:\\m1.mro";
    EXPECT_TRUE(IsMacroLoaded(table, path));
    std::string upper = path;
    upper.back() = 'O';
    EXPECT_FALSE(IsMacroLoaded(table, upper));
    EXPECT_FALSE(IsMacroLoaded(table, " " + path));
    CopyText(table.macros[2].fileName, "C:\\stale.mro");  // past the end
    EXPECT_FALSE(IsMacroLoaded(table, "C:\\stale.mro"));
}

TEST_F(MacroTableTest, AddMacroAppendsTheEntryAndNumbersTheMacroByIt) {
    Populate(1);
    Macro* slot = PrepareNextSlot(library);
    ASSERT_EQ(slot, &table.macros[1]);
    CopyText(slot->name, "Added");
    slot->id = 42;
    saveItem.enabled = false;
    table.modified = false;
    ASSERT_TRUE(AddMacro(library));
    EXPECT_THAT(list.entries, ElementsAre("M0", "Added"));
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(table.macros[1].id, 1);
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(saveItem.enabled);
}

TEST_F(MacroTableTest, RemovingPositionOneOfFourShiftsTheRestUp) {
    Populate(4);
    table.modified = false;
    saveItem.enabled = false;
    RemoveMacro(library, 1);
    EXPECT_EQ(table.count, 3);
    EXPECT_THAT(Names(), ElementsAre("M0", "M2", "M3"));
    EXPECT_THAT(Ids(), ElementsAre(0, 1, 2));
    EXPECT_THAT(list.entries, ElementsAre("M0", "M2", "M3"));
    EXPECT_EQ(FieldText(table.macros[2].fileName), "C:\\m3.mro");
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(saveItem.enabled);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(MacroTableTest, RemoveReportsASuccessorItCannotFindAndShiftsRegardless) {
    Populate(3);
    table.macros[2].id = 7;  // out of step with its position
    RemoveMacro(library, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "FindMacroByID failed");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
    EXPECT_THAT(Names(), ElementsAre("M1", "M2"));
}

TEST_F(MacroTableTest, RemoveOutsideTheMacrosInUseChangesNothing) {
    Populate(2);
    table.modified = false;
    RemoveMacro(library, -1);
    RemoveMacro(library, 2);
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(list.entries.size(), 2u);
    EXPECT_FALSE(table.modified);
}

TEST_F(MacroTableTest, ClearMacroTableEmptiesListAndSlots) {
    Populate(3);
    ClearMacroTable(library);
    EXPECT_EQ(table.count, 0);
    EXPECT_TRUE(list.entries.empty());
    Macro cleared{};
    EXPECT_EQ(std::memcmp(&table.macros[2], &cleared, sizeof cleared), 0);
}

TEST_F(MacroTableTest, ShowMacroListNumbersTheMacrosByTheirEntries) {
    Populate(3);
    list.entries.clear();
    for (Macro& macro : table.macros)
        macro.id = 9;
    ShowMacroList(library);
    EXPECT_THAT(list.entries, ElementsAre("M0", "M1", "M2"));
    EXPECT_THAT(Ids(), ElementsAre(0, 1, 2));
}

TEST_F(MacroTableTest, AHundredAndFirstMacroIsRefusedWithAMessage) {
    Populate(MACRO_CAPACITY);
    EXPECT_EQ(PrepareNextSlot(library), nullptr);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "The macro list is full: a list holds at most 100 macros");
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
    EXPECT_FALSE(AddMacro(library));
    EXPECT_FALSE(ImportMacro(library, WriteMacro("extra.mro", "Extra")));
    EXPECT_EQ(table.count, MACRO_CAPACITY);
    EXPECT_EQ(list.entries.size(), static_cast<std::size_t>(MACRO_CAPACITY));
}

TEST_F(MacroTableTest, ImportStartsFromAClearedSlot) {
    Populate(2);
    RemoveMacro(library, 0);  // the slot at position 1 still holds M1's contents
    table.macros[1].trigger = Trigger{'K', 1, 0, 0};
    CopyText(table.macros[1].window, "Old window");
    table.macros[1].isPrivate = 1;
    std::string bare = WriteFile("bare.mro", "NAME \"Bare\";\r\n");
    ASSERT_TRUE(ImportMacro(library, bare));
    const Macro& imported = table.macros[1];
    EXPECT_EQ(imported.trigger.virtualKey, 0);
    EXPECT_EQ(imported.isPrivate, 0);
    EXPECT_EQ(FieldText(imported.window), "");
    EXPECT_EQ(imported.speed, 20);  // the MacroDelay in effect
    EXPECT_EQ(imported.id, 1);
    EXPECT_THAT(list.entries, ElementsAre("M1", "Bare"));
}

TEST_F(MacroTableTest, ImportRefusesAFileAlreadyLoaded) {
    Populate(1);
    EXPECT_FALSE(ImportMacro(library, "C:\\m0.mro"));
    EXPECT_THAT(desktop.BoxTexts(), ElementsAre("This macro has already been loaded"));
    EXPECT_EQ(table.count, 1);
}

TEST_F(MacroTableTest, AFailedImportLeavesNothingBehind) {
    Populate(1);
    // The clash is found after the name and window have been read into the slot.
    std::string clash =
        WriteFile("clash.mro", "NAME \"Clash\";\r\nWINDOW Partial;\r\nTRIGGER_KEYS 65 1 0 0\r\n");
    std::string holder = WriteMacro("holder.mro", "Holder", Trigger{65, 1, 0, 0});
    ASSERT_TRUE(ImportMacro(library, holder));
    EXPECT_FALSE(ImportMacro(library, clash));
    EXPECT_FALSE(ImportMacro(library, "C:\\missing.mro"));
    EXPECT_EQ(table.count, 2);
    Macro cleared{};
    EXPECT_EQ(std::memcmp(&table.macros[2], &cleared, sizeof cleared), 0);
    EXPECT_THAT(list.entries, ElementsAre("M0", "Holder"));
}

}  // namespace
