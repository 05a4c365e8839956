// Bad input that only the real platform can give: a macro file that is a folder, and paths on
// a drive that does not exist. Each is refused with a clear message and nothing is written.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "library/table/macro_list_file.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "resources/keyloom_ids.h"
#include "scheduler/schedule/macro_name.h"
#include "scheduler/schedule/schedule_file.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_macro_library_views.h"
#include "tests/support/fake_scheduler_window.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

// A drive letter that no drive answers to in the test run.
constexpr char MISSING_DRIVE_MACRO[] = "Q:\\macros\\gone.mro";
constexpr char MISSING_DRIVE_LIST[] = "Q:\\macros\\gone.lst";

class BadPathTest : public ::testing::Test {
  protected:
    bool LoadMacro(const std::string& path) {
        macro = Macro{};
        CopyText(macro.name, "before");
        return LoadMacroFile(RealFileSystem(), desktop, SchedulerLoadRules(NO_WINDOW), path, macro);
    }
    bool SaveMacro(const std::string& path) {
        Macro saved{};
        CopyText(saved.fileName, path);
        return SaveMacroFile(RealFileSystem(), "TYPE \"x\"", saved);
    }
    std::string LastBox() const { return desktop.boxes.empty() ? "" : desktop.boxes.back().text; }

    TempDir dir;
    FakeDesktop desktop;
    Macro macro{};
};

TEST_F(BadPathTest, MacroFileThatIsAFolderIsRefusedAndTheFolderStays) {
    const std::string folder = dir.Path("folder.mro");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_FALSE(LoadMacro(folder));
    EXPECT_EQ(LastBox(), "Error opening file: " + folder);
    EXPECT_STREQ(macro.name, "before");

    char name[ITEM_NAME_CAPACITY] = "";
    EXPECT_FALSE(ReadMacroName(ScheduleFiles{RealFileSystem(), desktop, NO_WINDOW}, folder, name));
    EXPECT_EQ(LastBox(), "Error opening file: " + folder);

    EXPECT_FALSE(SaveMacro(folder));
    EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(BadPathTest, PathsOnAMissingDriveAreRefusedWithAMessage) {
    ASSERT_EQ(GetFileAttributesA("Q:\\"), INVALID_FILE_ATTRIBUTES) << "drive Q: exists";
    EXPECT_FALSE(LoadMacro(MISSING_DRIVE_MACRO));
    EXPECT_EQ(LastBox(), std::string("Error opening file: ") + MISSING_DRIVE_MACRO);
    EXPECT_FALSE(SaveMacro(MISSING_DRIVE_MACRO));

    ScheduleTable schedule;
    FakeScheduleList scheduleList;
    EXPECT_FALSE(LoadSchedule(ScheduleFiles{RealFileSystem(), desktop, NO_WINDOW}, "Q:\\gone.scl",
                              schedule, scheduleList));
    EXPECT_EQ(LastBox(), "Error opening file: Q:\\gone.scl");
    EXPECT_FALSE(SaveSchedule(RealFileSystem(), "Q:\\gone.scl", schedule, scheduleList));

    auto table = std::make_unique<MacroTable>();
    FakeMacroList list;
    FakeSaveItem saveItem;
    FakeFileDialogs dialogs;
    MacroLibrary library{*table,           list,    saveItem, dialogs,
                         RealFileSystem(), desktop, 77,       [] { return 10; }};
    LoadMacroList(library, MISSING_DRIVE_LIST);
    EXPECT_EQ(LastBox(), std::string("Error opening file: ") + MISSING_DRIVE_LIST);
    EXPECT_EQ(table->count, 0);
    EXPECT_FALSE(SaveMacroList(library, MISSING_DRIVE_LIST));
    EXPECT_EQ(LastBox(), "Error writing file");
}

// Keyloom started on a list that sits on a missing drive says so and opens with an empty list.
TEST(KeyloomBadStartTest, LastListOnAMissingDriveIsReportedAndTheProgramRuns) {
    WriteKeyloomSettings(MISSING_DRIVE_LIST);
    KeyloomDriver keyloom;
    const ProgramBox box = keyloom.WaitForBox("Error!");
    ASSERT_NE(box.window, nullptr) << "no message about the missing list";
    EXPECT_EQ(box.text, std::string("Error opening file: ") + MISSING_DRIVE_LIST);
    keyloom.Click(box.window, IDOK);
    ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(keyloom.WaitUntilVisible(true));
    EXPECT_TRUE(keyloom.ListEntries().empty());
}

// However many of a list's macros fail to load, and whatever the file holds, one box says so.
TEST(KeyloomBadStartTest, AListOfAThousandMissingMacrosOrAPictureShowsOneBox) {
    TempDir dir;
    const std::string good = dir.Write("good.mro", MacroFileText("Good", "TYPE \"g\"\r\n"));
    std::string missing = good + "\r\n";
    for (int i = 0; i < 1000; ++i)
        missing += dir.Path("gone" + std::to_string(i) + ".mro") + "\r\n";
    const std::string picture =
        std::string("BM\x36\x10\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18) + std::string(4096, '\xff');
    struct Case {
        std::string list;
        const char* opening;  // of the box's text
    } cases[] = {{dir.Write("missing.lst", missing), "99 macros of "},
                 {dir.Write("cat.bmp", picture), "Reading stopped at line 1 of "}};
    for (const Case& test : cases) {
        WriteKeyloomSettings(test.list);
        KeyloomDriver keyloom;
        const ProgramBox box = keyloom.WaitForBox("Keyloom");
        ASSERT_NE(box.window, nullptr) << test.list;
        EXPECT_EQ(box.text.rfind(test.opening, 0), 0u) << box.text;
        ASSERT_TRUE(keyloom.Click(box.window, IDOK));
        ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
        EXPECT_TRUE(keyloom.WaitUntilVisible(true));
        EXPECT_EQ(keyloom.WaitForBox("Keyloom", 1500).window, nullptr) << "a second box";
        EXPECT_EQ(keyloom.WaitForBox("Error!", 200).window, nullptr) << "a second box";
        keyloom.Command(IDM_EXIT);
        EXPECT_TRUE(keyloom.WaitForExit(15000, nullptr));
    }
}

}  // namespace
