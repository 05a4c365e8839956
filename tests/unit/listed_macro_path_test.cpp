// A macro list or schedule names its macros relative to its own folder: whatever the current
// folder, every place that opens a macro reaches the file next to the list, and saving an
// unchanged list or schedule writes the bytes it was read from.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/table/macro_list_commands.h"
#include "library/table/macro_list_file.h"
#include "macro/file/listed_path.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "scheduler/engine/fire_item.h"
#include "scheduler/window/schedule_file_commands.h"
#include "scheduler/window/schedule_item_commands.h"
#include "scheduler/window/schedule_window.h"
#include "tests/support/fake_scheduler_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/scheduler_rig.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::string MacroBytes(const std::string& name) {
    return "NAME \"" + name + "\";\r\nSTART\r\nEND\r\n";
}

TEST(ListedPathTest, DriveUncAndRootedPathsStandAsTheyAre) {
    for (const char* path : {"C:\\macros\\a.mro", "c:a.mro", "\\\\server\\share\\a.mro",
                             "\\macros\\a.mro", "/home/me/a.mro"})
        EXPECT_TRUE(IsPathTakenAsItStands(path)) << path;
    for (const char* path :
         {"a.mro", "examples\\a.mro", "..\\a.mro", ".\\a.mro", "  C:\\a.mro", "1:a.mro"})
        EXPECT_FALSE(IsPathTakenAsItStands(path)) << path;
}

TEST(ListedPathTest, ARelativePathIsTakenFromTheFolderOfTheFileThatNamesIt) {
    EXPECT_EQ(ResolveListedPath("C:\\Keyloom\\examples\\examples.lst", "type-a-note.mro"),
              "C:\\Keyloom\\examples\\type-a-note.mro");
    EXPECT_EQ(ResolveListedPath("C:\\lists\\my.lst", "..\\macros\\a.mro"),
              "C:\\lists\\..\\macros\\a.mro");
    EXPECT_EQ(ResolveListedPath("/home/me/my.lst", "a.mro"), "/home/me/a.mro");
    EXPECT_EQ(ResolveListedPath("C:my.lst", "a.mro"), "C:a.mro");  // the drive's own folder
    EXPECT_EQ(ResolveListedPath("C:\\lists\\my.lst", "D:\\a.mro"), "D:\\a.mro");
    EXPECT_EQ(ResolveListedPath("C:\\lists\\my.lst", "\\\\server\\a.mro"), "\\\\server\\a.mro");
    EXPECT_EQ(ResolveListedPath("my.lst", "a.mro"), "a.mro");  // a list without a folder
    EXPECT_EQ(ResolveListedPath("C:\\lists\\my.lst", ""), "");
}

TEST(ListedPathTest, ThePathIsWrittenAsListedWhileItStillReachesTheMacro) {
    EXPECT_EQ(ListedPathFor("C:\\lists\\my.lst", "a.mro", "C:\\lists\\a.mro"), "a.mro");
    EXPECT_EQ(ListedPathFor("C:\\lists\\again.lst", "a.mro", "C:\\lists\\a.mro"), "a.mro");
    EXPECT_EQ(ListedPathFor("C:\\other\\my.lst", "a.mro", "C:\\lists\\a.mro"), "C:\\lists\\a.mro");
    EXPECT_EQ(ListedPathFor("C:\\other\\my.lst", "D:\\a.mro", "D:\\a.mro"), "D:\\a.mro");
    EXPECT_EQ(ListedPathFor("C:\\other\\my.lst", "", "C:\\new.mro"), "C:\\new.mro");
}

// Keyloom with a list in C:\lists naming "note.mro", started from a folder that holds another
// "note.mro".
class RelativeListTest : public MainWindowTest {
  protected:
    static constexpr char LIST[] = "C:\\lists\\notes.lst";

    RelativeListTest() {
        disk.files["note.mro"] = MacroBytes("Wrong note");
        WriteFile("lists\\note.mro", MacroBytes("Note"));
        WriteFile("absolute.mro", MacroBytes("Absolute"));
        WriteList("lists\\notes.lst", {"note.mro", "C:\\absolute.mro"});
    }
};

TEST_F(RelativeListTest, TheListsMacrosLoadFromItsFolderAndSaveAsTheyWereNamed) {
    RestoreLastMacroList(library, LIST);
    EXPECT_THAT(list.entries, ElementsAre("Note", "Absolute"));
    EXPECT_THAT(desktop.BoxTexts(), IsEmpty());
    EXPECT_EQ(FieldText(table.macros[0].fileName), "C:\\lists\\note.mro");

    SaveCommand(library);
    EXPECT_EQ(ReadFile(LIST), "note.mro\r\nC:\\absolute.mro\r\n");
}

TEST_F(RelativeListTest, PlayExportAndTheEditorsSaveReachTheMacroBesideTheList) {
    RestoreLastMacroList(library, LIST);
    view.selected = 0;
    files.opened.clear();
    PlayCommand(context);
    EXPECT_THAT(files.opened, Each(std::string("C:\\lists\\note.mro")));
    EXPECT_FALSE(files.opened.empty());

    dialogs.answers.push_back("C:\\exported.mro");
    ExportCommand(context);
    EXPECT_EQ(ReadFile("C:\\exported.mro"), MacroBytes("Note"));

    ASSERT_TRUE(SaveMacroFile(files, "TYPE \"edited\"\r\n", table.macros[0]));
    EXPECT_THAT(ReadFile("C:\\lists\\note.mro"), HasSubstr("TYPE \"edited\""));
    EXPECT_EQ(disk.Read("note.mro"), MacroBytes("Wrong note"));
}

TEST_F(RelativeListTest, SavedInAnotherFolderTheListNamesItsRelativeMacrosInFull) {
    RestoreLastMacroList(library, LIST);
    dialogs.answers.push_back("C:\\copy.lst");
    SaveAsCommand(library);
    EXPECT_EQ(ReadFile("C:\\copy.lst"), "C:\\lists\\note.mro\r\nC:\\absolute.mro\r\n");

    ClearMacroTable(library);
    LoadMacroList(library, "C:\\copy.lst");
    ShowMacroList(library);
    EXPECT_THAT(list.entries, ElementsAre("Note", "Absolute"));

    dialogs.answers.push_back("C:\\lists\\again.lst");
    SaveAsCommand(library);
    EXPECT_EQ(ReadFile("C:\\lists\\again.lst"), "C:\\lists\\note.mro\r\nC:\\absolute.mro\r\n");
}

TEST_F(RelativeListTest, AMacroWhosePathFromTheListsFolderIsTooLongIsSkippedWithAMessage) {
    const std::string name = std::string(200, 'n') + ".mro";
    const std::string folder = std::string(60, 'f');
    WriteList(folder + "\\long.lst", {name});
    LoadMacroList(library, "C:\\" + folder + "\\long.lst");
    EXPECT_EQ(table.count, 0);
    EXPECT_THAT(desktop.BoxTexts(),
                ElementsAre("1 macro of C:\\" + folder + "\\long.lst was not loaded:\n" + name +
                            ": its path from the folder of the list is longer than 259 "
                            "characters"));
}

// Keyloom Scheduler with a schedule in schedules\ naming macros beside it, in a sibling folder
// and by a full path, started from a folder that holds another "stretch.mro".
class RelativeScheduleTest : public SchedulerRig {
  protected:
    RelativeScheduleTest() {
        disk.Write("schedules\\stretch.mro", MacroBytes("Stretch"));
        disk.Write("schedules\\..\\macros\\stamp.mro", MacroBytes("Stamp"));
        disk.files["stretch.mro"] = MacroBytes("Wrong stretch");
        absolute = disk.Write("absolute.mro", MacroBytes("Absolute"));
        bytes = "//Created by Keyloom Scheduler\r\n//\r\n" + Item("Stretch", "stretch.mro") +
                Item("Stamp", "..\\macros\\stamp.mro") + Item("Absolute", absolute);
        schedule = disk.Write("schedules\\daily.scl", bytes);
    }
    static std::string Item(const std::string& name, const std::string& macro) {
        return "\r\nNEW_ITEM\r\nNAME \"" + name + "\"\r\nMACRO_FILENAME \"" + macro +
               "\"\r\nRUN_STYLE 1\r\nONCE_DATE 1 1 2026\r\nONCE_TIME 9 0 0\r\nRUN_EVERY 1\r\n"
               "RUN_DOW 2\r\nRUN_TIME 9 0 0\r\nEVERY_HOURS 0\r\nEVERY_MINS 0\r\nEVERY_SECS 0\r\n"
               "ACTIVE TRUE\r\nEND_ITEM\r\n";
    }
    // The window as it opens at start-up, with the schedule as its last one.
    void OpenLastSchedule() {
        CopyText(table.scheduleFileName, schedule);
        Open();
    }

    std::string absolute, bytes, schedule;
};

TEST_F(RelativeScheduleTest, ItemsPlayTheMacrosBesideTheScheduleAtStartAndByRunMacroNow) {
    OpenLastSchedule();
    EXPECT_THAT(view.list.entries, ElementsAre("Stretch", "Stamp", "Absolute"));
    PlayStartupItems(scheduler);
    view.list.Select(1);
    RunMacroNow(window);
    EXPECT_THAT(Played(), ElementsAre("Stretch", "Stamp", "Absolute", "Stamp"));
    EXPECT_THAT(desktop.boxes, IsEmpty());
    EXPECT_EQ(FieldText(table.items[1].macroFileName),
              disk.Path("schedules\\..\\macros\\stamp.mro"));
}

TEST_F(RelativeScheduleTest, SavedUnchangedTheScheduleKeepsItsBytesAndElsewhereNamesMacrosInFull) {
    OpenLastSchedule();
    SaveCurrentSchedule(window);
    EXPECT_EQ(disk.Read(schedule), bytes);

    view.saveAnswers.push_back(disk.Path("other\\copy.scl"));
    SaveScheduleAs(window);
    EXPECT_EQ(disk.Read(disk.Path("other\\copy.scl")),
              "//Created by Keyloom Scheduler\r\n//\r\n" +
                  Item("Stretch", disk.Path("schedules\\stretch.mro")) +
                  Item("Stamp", disk.Path("schedules\\..\\macros\\stamp.mro")) +
                  Item("Absolute", absolute));
}

}  // namespace
