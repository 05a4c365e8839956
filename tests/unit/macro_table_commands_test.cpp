#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "library/table/macro_list_commands.h"
#include "library/table/macro_list_file.h"
#include "macro/file/text_field.h"
#include "settings/settings.h"
#include "tests/support/fake_settings_store.h"
#include "tests/support/macro_library_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MacroListCommandsTest : public MacroLibraryTest {
  protected:
    // A named list of two macros with an unsaved third.
    std::string ModifiedNamedList() {
        Populate(2);
        std::string path = "C:\\named.lst";
        SaveCommand(library);  // untitled: asks for the name below
        EXPECT_EQ(std::string(FieldText(table.listFileName)), UNTITLED_LIST_NAME);
        dialogs.shown.clear();
        dialogs.answers = {path};
        SaveCommand(library);
        EXPECT_TRUE(ImportMacro(library, WriteMacro("third.mro", "Third")));
        dialogs.shown.clear();
        return path;
    }
    std::string ListName() const { return std::string(FieldText(table.listFileName)); }
};

TEST_F(MacroListCommandsTest, AnUnchangedListProceedsWithoutAsking) {
    Populate(1);
    table.modified = false;
    EXPECT_TRUE(OfferToSaveList(library));
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(MacroListCommandsTest, ThePromptAsksWithItsCaptionButtonsAndOwner) {
    Populate(1);
    desktop.boxAnswers = {desk::ANSWER_CANCEL};
    EXPECT_FALSE(OfferToSaveList(library));
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Save changes to current macro list?");
    EXPECT_EQ(desktop.boxes[0].caption, "Keyloom");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_YESNOCANCEL | desk::BOX_ICON_QUESTION);
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
    EXPECT_TRUE(table.modified);
    EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(MacroListCommandsTest, YesSavesANamedListUnderItsName) {
    std::string path = ModifiedNamedList();
    desktop.boxAnswers = {desk::ANSWER_YES};
    EXPECT_TRUE(OfferToSaveList(library));
    EXPECT_THAT(dialogs.shown, IsEmpty());
    EXPECT_EQ(ReadFile(path), "C:\\m0.mro\r\nC:\\m1.mro\r\nC:\\third.mro\r\n");
    EXPECT_FALSE(table.modified);
    EXPECT_FALSE(saveItem.enabled);
}

TEST_F(MacroListCommandsTest, YesOnAnUntitledListAsksForANameWithTheSaveDialog) {
    Populate(1);
    desktop.boxAnswers = {desk::ANSWER_YES};
    dialogs.answers = {std::nullopt};
    EXPECT_FALSE(OfferToSaveList(library));  // cancelled dialog: abort
    EXPECT_TRUE(table.modified);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const FakeFileDialogs::Shown& shown = dialogs.shown[0];
    EXPECT_TRUE(shown.save);
    EXPECT_EQ(shown.request.owner, MAIN_WINDOW);
    EXPECT_EQ(shown.request.title, "Save current macro list");
    ASSERT_EQ(shown.request.types.size(), 2u);
    EXPECT_EQ(shown.request.types[0].description, "Macro Lists (*.lst)");
    EXPECT_EQ(shown.request.types[0].pattern, "*.lst");
    EXPECT_EQ(shown.request.types[1].description, "All Files (*.*)");
    EXPECT_EQ(shown.request.types[1].pattern, "*.*");
    EXPECT_EQ(shown.request.defaultExtension, "lst");

    desktop.boxAnswers = {desk::ANSWER_YES};
    dialogs.answers = {"C:\\chosen.lst"};
    EXPECT_TRUE(OfferToSaveList(library));
    EXPECT_EQ(ListName(), "C:\\chosen.lst");
    EXPECT_EQ(ReadFile("C:\\chosen.lst"), "C:\\m0.mro\r\n");
    EXPECT_FALSE(table.modified);
}

TEST_F(MacroListCommandsTest, NoProceedsAndKeepsTheChanges) {
    ModifiedNamedList();
    desktop.boxAnswers = {desk::ANSWER_NO};
    EXPECT_TRUE(OfferToSaveList(library));
    EXPECT_TRUE(table.modified);
    EXPECT_EQ(ReadFile("C:\\named.lst"), "C:\\m0.mro\r\nC:\\m1.mro\r\n");
}

TEST_F(MacroListCommandsTest, AFailedSaveAtThePromptAbortsTheCommand) {
    std::string path = ModifiedNamedList();
    files.Arm(Fault{FaultPoint::Create});
    desktop.boxAnswers = {desk::ANSWER_YES};
    NewMacroListCommand(library);
    EXPECT_EQ(table.count, 3);  // nothing discarded
    EXPECT_EQ(ListName(), path);
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(saveItem.enabled);
    EXPECT_EQ(desktop.boxes.back().text, "Error writing file");
}

TEST_F(MacroListCommandsTest, NoBeforeNewLeavesAnEmptyUntitledListThatStillOffersSave) {
    ModifiedNamedList();
    desktop.boxAnswers = {desk::ANSWER_NO};
    NewMacroListCommand(library);
    EXPECT_EQ(table.count, 0);
    EXPECT_THAT(list.entries, IsEmpty());
    EXPECT_EQ(ListName(), "Untitled");
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(saveItem.enabled);
    SaveCommand(library);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].request.title, "Save current macro list");
}

TEST_F(MacroListCommandsTest, CancelAtThePromptLeavesNewAndOpenUndone) {
    ModifiedNamedList();
    desktop.boxAnswers = {desk::ANSWER_CANCEL, desk::ANSWER_CANCEL};
    NewMacroListCommand(library);
    OpenMacroListCommand(library);
    EXPECT_EQ(table.count, 3);
    EXPECT_EQ(ListName(), "C:\\named.lst");
    EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(MacroListCommandsTest, CancellingTheSaveDialogOfAnUntitledListChangesNothing) {
    Populate(2);
    SaveCommand(library);
    SaveAsCommand(library);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(ListName(), "Untitled");
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(saveItem.enabled);
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(MacroListCommandsTest, SaveAsWritesUnderTheNewNameWhichTheListTakes) {
    ModifiedNamedList();
    dialogs.answers = {"C:\\other.lst"};
    SaveAsCommand(library);
    EXPECT_EQ(ListName(), "C:\\other.lst");
    EXPECT_EQ(ReadFile("C:\\other.lst"), "C:\\m0.mro\r\nC:\\m1.mro\r\nC:\\third.mro\r\n");
    EXPECT_EQ(ReadFile("C:\\named.lst"), "C:\\m0.mro\r\nC:\\m1.mro\r\n");
    EXPECT_FALSE(table.modified);
    EXPECT_FALSE(saveItem.enabled);
}

TEST_F(MacroListCommandsTest, AListThatCannotBeWrittenKeepsItsNameAndItsChanges) {
    ModifiedNamedList();
    files.Arm(Fault{FaultPoint::Create});
    dialogs.answers = {"C:\\other.lst"};
    SaveAsCommand(library);
    SaveCommand(library);
    EXPECT_EQ(ListName(), "C:\\named.lst");
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(saveItem.enabled);
    EXPECT_THAT(desktop.BoxTexts(), ElementsAre("Error writing file", "Error writing file"));
    EXPECT_FALSE(disk.Exists("C:\\other.lst"));
}

TEST_F(MacroListCommandsTest, OpenReplacesTheListWithTheChosenOne) {
    WriteMacro("a.mro", "A");
    WriteMacro("b.mro", "B");
    std::string path = WriteList("ab.lst", {"C:\\a.mro", "C:\\b.mro"});
    Populate(3);
    table.modified = false;
    dialogs.answers = {path};
    OpenMacroListCommand(library);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(dialogs.shown[0].save);
    EXPECT_EQ(dialogs.shown[0].request.title, "Open existing macro list");
    EXPECT_EQ(dialogs.shown[0].request.types[0].pattern, "*.lst");
    EXPECT_EQ(dialogs.shown[0].request.defaultExtension, "lst");
    EXPECT_THAT(Names(), ElementsAre("A", "B"));
    EXPECT_THAT(list.entries, ElementsAre("A", "B"));
    EXPECT_THAT(Ids(), ElementsAre(0, 1));
    EXPECT_EQ(ListName(), path);
    EXPECT_FALSE(table.modified);
}

TEST_F(MacroListCommandsTest, ASaveAtThePromptStandsWhenTheOpenDialogIsCancelled) {
    std::string path = ModifiedNamedList();
    desktop.boxAnswers = {desk::ANSWER_YES};
    dialogs.answers = {std::nullopt};
    OpenMacroListCommand(library);
    EXPECT_EQ(ReadFile(path), "C:\\m0.mro\r\nC:\\m1.mro\r\nC:\\third.mro\r\n");
    EXPECT_EQ(table.count, 3);
    EXPECT_FALSE(table.modified);
}

TEST_F(MacroListCommandsTest, AListThatCannotBeOpenedStillNamesTheTable) {
    Populate(1);
    table.modified = false;
    dialogs.answers = {"C:\\gone.lst"};
    OpenMacroListCommand(library);
    EXPECT_EQ(table.count, 0);
    EXPECT_THAT(list.entries, IsEmpty());
    EXPECT_EQ(ListName(), "C:\\gone.lst");
    EXPECT_THAT(desktop.BoxTexts(), ElementsAre("Error opening file: C:\\gone.lst"));
}

TEST_F(MacroListCommandsTest, StartUpRestoresTheLastListOrStartsUntitled) {
    WriteMacro("a.mro", "A");
    std::string path = WriteList("last.lst", {"C:\\a.mro"});
    RestoreLastMacroList(library, path);
    EXPECT_EQ(ListName(), path);
    EXPECT_THAT(list.entries, ElementsAre("A"));
    EXPECT_FALSE(table.modified);

    for (std::string_view none : {"", "Untitled"}) {
        MacroTable fresh;
        FakeMacroList freshList;
        MacroLibrary other{fresh, freshList, saveItem,    dialogs,
                           files, desktop,   MAIN_WINDOW, [] { return 20; }};
        RestoreLastMacroList(other, none);
        EXPECT_EQ(std::string(FieldText(fresh.listFileName)), "Untitled");
        EXPECT_EQ(fresh.count, 0);
        EXPECT_THAT(files.opened, ElementsAre(path, "C:\\a.mro"));
    }
}

TEST_F(MacroListCommandsTest, AfterNewMacroListAndExitTheNextStartReopensThePreviousList) {
    WriteMacro("a.mro", "A");
    std::string path = WriteList("previous.lst", {"C:\\a.mro"});
    FakeSettingsStore store;
    // One run of the program: settings read, last list restored, `work` done, name stored.
    // Returns the macro list as the run started with it.
    auto run = [&](const std::function<void(MacroLibrary&)>& work) {
        Settings settings;
        SettingsContext context{KEYLOOM_SETTINGS, store, desktop, settings};
        LoadSettings(context);
        MacroTable runTable;
        FakeMacroList runList;
        MacroLibrary runLibrary{runTable, runList, saveItem,    dialogs,
                                files,    desktop, MAIN_WINDOW, [] { return 20; }};
        RestoreLastMacroList(runLibrary, settings.lastFileName);
        std::vector<std::string> restored = runList.entries;
        work(runLibrary);
        StoreLastFileName(context, runTable.listFileName);
        return restored;
    };
    run([&](MacroLibrary& opened) {
        dialogs.answers = {path};
        OpenMacroListCommand(opened);
    });
    EXPECT_THAT(run([](MacroLibrary& restored) { NewMacroListCommand(restored); }),
                ElementsAre("A"));
    EXPECT_THAT(run([](MacroLibrary&) {}), ElementsAre("A"));
}

}  // namespace
