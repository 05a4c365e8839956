#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "library/table/macro_list_file.h"
#include "macro/file/text_field.h"
#include "tests/support/macro_library_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MacroListFileTest : public MacroLibraryTest {
  protected:
    void Load(const std::string& path) {
        LoadMacroList(library, path);
        ShowMacroList(library);
    }
    std::vector<std::string> MacroFilesOpened() const {
        std::vector<std::string> macroFiles;
        for (const std::string& path : files.opened)
            if (path.find(".lst") == std::string::npos) macroFiles.push_back(path);
        return macroFiles;
    }
};

TEST_F(MacroListFileTest, AnEmptyTableSavesZeroBytesAndReadsBackEmpty) {
    std::string path = "C:\\empty.lst";
    ASSERT_TRUE(SaveMacroList(library, path));
    EXPECT_EQ(ReadFile(path), "");
    Load(path);
    EXPECT_EQ(table.count, 0);
    EXPECT_THAT(list.entries, IsEmpty());
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(MacroListFileTest, ThreeMacrosSaveAsExactlyThreePathLines) {
    Populate(3);
    ASSERT_TRUE(SaveMacroList(library, "C:\\three.lst"));
    EXPECT_EQ(ReadFile("C:\\three.lst"), "C:\\m0.mro\r\nC:\\m1.mro\r\nC:\\m2.mro\r\n");
}

TEST_F(MacroListFileTest, LineFeedsAloneEndLinesAsWellAsCarriageReturnLineFeeds) {
    WriteMacro("a.mro", "A");
    WriteMacro("b.mro", "B");
    Load(WriteList("lf.lst", {"C:\\a.mro", "", "C:\\b.mro"}, "\n"));
    EXPECT_THAT(Names(), ElementsAre("A", "B"));
    ClearMacroTable(library);
    Load(WriteList("crlf.lst", {"C:\\a.mro", "", "C:\\b.mro"}, "\r\n"));
    EXPECT_THAT(Names(), ElementsAre("A", "B"));
    EXPECT_THAT(MacroFilesOpened(),
                ElementsAre("C:\\a.mro", "C:\\b.mro", "C:\\a.mro", "C:\\b.mro"));
    EXPECT_THAT(desktop.boxes, IsEmpty());  // no empty path reached the loader
}

TEST_F(MacroListFileTest, LeadingSpacesArePartOfThePath) {
    // Behind spaces the path is relative, so it is taken from the list's folder, spaces and all.
    Load(WriteList("spaces.lst", {"  C:\\a.mro"}));
    EXPECT_THAT(MacroFilesOpened(), ElementsAre("C:\\  C:\\a.mro"));
    EXPECT_THAT(desktop.BoxTexts(), ElementsAre("1 macro of C:\\spaces.lst was not loaded:\n"
                                                "  C:\\a.mro: the file cannot be opened"));
}

TEST_F(MacroListFileTest, CommentsAndBlankLinesAreIgnored) {
    WriteMacro("a.mro", "A");
    Load(WriteList("comments.lst", {"//C:\\a.mro", "   /C:\\a.mro", "  x/C:\\a.mro", "/",
                                    "\rC:\\a.mro", "C:\\a.mro"}));
    EXPECT_THAT(MacroFilesOpened(), ElementsAre("C:\\a.mro"));
    EXPECT_THAT(Names(), ElementsAre("A"));
}

TEST_F(MacroListFileTest, ASecondSlashOnlyCountsRightAfterTheFirstCharacter) {
    WriteMacro("a.mro", "A");
    Load(WriteList("slashes.lst", {"C:\\a.mro\r", "xy/C:\\a.mro"}, "\n"));
    // "xy/..." is relative: it is taken from the list's folder.
    EXPECT_THAT(MacroFilesOpened(), ElementsAre("C:\\a.mro", "C:\\xy/C:\\a.mro"));
}

TEST_F(MacroListFileTest, TheSameFileTwiceLoadsTwiceUnlessItHasATrigger) {
    WriteMacro("plain.mro", "Plain");
    Load(WriteList("twice.lst", {"C:\\plain.mro", "C:\\plain.mro"}));
    EXPECT_THAT(Names(), ElementsAre("Plain", "Plain"));

    ClearMacroTable(library);
    WriteMacro("hot.mro", "Hot", Trigger{'H', 0, 1, 0});
    Load(WriteList("hot.lst", {"C:\\hot.mro", "C:\\hot.mro"}));
    EXPECT_THAT(Names(), ElementsAre("Hot"));
    EXPECT_THAT(list.entries, ElementsAre("Hot"));
    EXPECT_THAT(desktop.BoxTexts(),
                ElementsAre("1 macro of C:\\hot.lst was not loaded:\nC:\\hot.mro: its trigger has "
                            "already been used by an existing macro"));
}

TEST_F(MacroListFileTest, AMacroThatFailsToLoadIsDroppedAndItsSlotCleared) {
    WriteMacro("a.mro", "A", Trigger{'A', 1, 0, 0});
    WriteFile("clash.mro", "NAME \"Clash\";\r\nWINDOW Partial;\r\nTRIGGER_KEYS 65 1 0 0\r\n");
    WriteMacro("b.mro", "B");
    Load(WriteList("failing.lst", {"C:\\a.mro", "C:\\missing.mro", "C:\\clash.mro", "C:\\b.mro"}));
    EXPECT_THAT(Names(), ElementsAre("A", "B"));
    EXPECT_THAT(Ids(), ElementsAre(0, 1));
    EXPECT_EQ(desktop.boxes.size(), 1u);
    Macro cleared{};
    EXPECT_EQ(std::memcmp(&table.macros[2], &cleared, sizeof cleared), 0);
}

TEST_F(MacroListFileTest, EveryLoadStartsFromAClearedSlot) {
    Populate(2);
    table.macros[1].trigger = Trigger{'K', 1, 0, 0};
    table.macros[1].isPrivate = 1;
    CopyText(table.macros[1].window, "Old window");
    RemoveMacro(library, 1);  // the slot past the end keeps its contents
    WriteFile("bare.mro", "NAME \"Bare\";\r\n");
    ClearMacroTable(library);  // clears only the macros in use
    Load(WriteList("bare.lst", {"C:\\m0.mro", "C:\\bare.mro"}));
    const Macro& bare = table.macros[1];
    EXPECT_EQ(FieldText(bare.name), "Bare");
    EXPECT_EQ(bare.trigger.virtualKey, 0);
    EXPECT_EQ(bare.isPrivate, 0);
    EXPECT_EQ(FieldText(bare.window), "");
}

TEST_F(MacroListFileTest, AListBeyondCapacityLoadsTheFirstHundredAndSaysSo) {
    std::vector<std::string> lines;
    for (int i = 0; i <= MACRO_CAPACITY + 1; ++i) {
        std::string name = "m" + std::to_string(i) + ".mro";
        lines.push_back(WriteMacro(name, "M" + std::to_string(i)));
    }
    Load(WriteList("big.lst", lines));
    EXPECT_EQ(table.count, MACRO_CAPACITY);
    EXPECT_EQ(list.entries.size(), static_cast<std::size_t>(MACRO_CAPACITY));
    EXPECT_EQ(FieldText(table.macros[MACRO_CAPACITY - 1].name), "M99");
    EXPECT_THAT(desktop.BoxTexts(),
                ElementsAre("The macro list is full: a list holds at most 100 macros"));
}

TEST_F(MacroListFileTest, ALineLongerThanAPathIsRejectedWithAMessage) {
    WriteMacro("a.mro", "A");
    std::string longest = "C:\\" + std::string(MACRO_PATH_CAPACITY - 1 - 3, 'p');
    std::string tooLong = longest + "q";
    std::string beyondLine = std::string(LINE_CAPACITY + 20, 'r');
    Load(WriteList("long.lst", {tooLong, longest, beyondLine, "C:\\a.mro"}));
    EXPECT_THAT(MacroFilesOpened(), ElementsAre(longest, "C:\\a.mro"));
    EXPECT_THAT(Names(), ElementsAre("A"));
    EXPECT_THAT(
        desktop.BoxTexts(),
        ElementsAre("3 macros of C:\\long.lst were not loaded:\nLine 1: too long to be a "
                    "file path\n" +
                    longest + ": the file cannot be opened\nLine 3: too long to be a file path"));
}

TEST_F(MacroListFileTest, AListThatCannotBeOpenedIsReportedWithoutAnOwner) {
    Load("C:\\nowhere.lst");
    EXPECT_EQ(table.count, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: C:\\nowhere.lst");
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
}

TEST_F(MacroListFileTest, AFailedWriteIsReportedAndKeepsTheOldList) {
    Populate(2);
    std::string path = WriteFile("kept.lst", "C:\\old.mro\r\n");
    files.Arm(Fault{FaultPoint::Write, 1});
    EXPECT_FALSE(SaveMacroList(library, path));
    EXPECT_EQ(ReadFile(path), "C:\\old.mro\r\n");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error writing file");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
    EXPECT_THAT(disk.NamesBeside(path), ElementsAre("kept.lst", "m0.mro", "m1.mro"));
}

TEST_F(MacroListFileTest, AnEntryWithoutAMacroStopsTheSaveAndKeepsTheOldList) {
    Populate(3);
    std::string path = WriteFile("kept.lst", "C:\\old.mro\r\n");
    table.macros[1].id = 5;  // table and list out of step
    EXPECT_FALSE(SaveMacroList(library, path));
    EXPECT_EQ(ReadFile(path), "C:\\old.mro\r\n");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error finding macro");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
}

// However many lines of a list fail, and whatever the file holds, the user sees one box.
TEST_F(MacroListFileTest, WhatDoesNotLoadIsToldInOneBoxThatNamesTheFirstTen) {
    WriteMacro("a.mro", "A");
    std::vector<std::string> missing;
    for (int i = 0; i < 1000; ++i)
        missing.push_back("C:\\gone" + std::to_string(i) + ".mro");
    std::vector<std::string> twelve(missing.begin(), missing.begin() + 12);
    twelve.insert(twelve.begin() + 5, "C:\\a.mro");
    const std::string firstTen =
        "C:\\gone0.mro: the file cannot be opened\nC:\\gone1.mro: the file cannot be opened\n"
        "C:\\gone2.mro: the file cannot be opened\nC:\\gone3.mro: the file cannot be opened\n"
        "C:\\gone4.mro: the file cannot be opened\nC:\\gone5.mro: the file cannot be opened\n"
        "C:\\gone6.mro: the file cannot be opened\nC:\\gone7.mro: the file cannot be opened\n"
        "C:\\gone8.mro: the file cannot be opened\nC:\\gone9.mro: the file cannot be opened\n";
    const std::string picture = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + "C:\\a.mro\r\n";
    struct Case {
        std::string path;  // of the list file
        std::vector<std::string> names;
        std::string box;
    } cases[] = {
        {WriteList("missing.lst", missing),
         {},
         "100 macros of C:\\missing.lst were not loaded:\n" + firstTen +
             "and 90 more\n\nThe macro list is full: a list holds at most 100 macros"},
        {WriteList("twelve.lst", twelve),
         {"A"},
         "12 macros of C:\\twelve.lst were not loaded:\n" + firstTen + "and 2 more"},
        {WriteFile("cat.png", picture),
         {},
         "1 macro of C:\\cat.png was not loaded:\n\x89PNG: the file cannot be opened\n\n"
         "Reading stopped at line 2 of C:\\cat.png: the file is not text"},
        {WriteFile("tail.lst", "C:\\a.mro\r\nC:\\gone.mro\r\nC:\\a.mro\x01\r\nC:\\a.mro\r\n"),
         {"A"},
         "1 macro of C:\\tail.lst was not loaded:\nC:\\gone.mro: the file cannot be opened\n\n"
         "Reading stopped at line 3 of C:\\tail.lst: the file is not text"},
        {WriteFile("nul.lst", "C:\\a.mro\nC:\\a.mro" + std::string(1, '\0') + "C:\\a.mro\n"),
         {"A"},
         "Reading stopped at line 2 of C:\\nul.lst: the file is not text"},
    };
    for (const Case& test : cases) {
        ClearMacroTable(library);
        desktop.boxes.clear();
        Load(test.path);
        EXPECT_EQ(Names(), test.names) << test.path;
        ASSERT_EQ(desktop.boxes.size(), 1u) << test.path;
        EXPECT_EQ(desktop.boxes[0].text, test.box);
        EXPECT_EQ(desktop.boxes[0].caption, "Keyloom");
        EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
        EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_WARNING);
    }
    EXPECT_EQ(std::count(files.opened.begin(), files.opened.end(), "C:\\gone100.mro"), 0);
}

}  // namespace
