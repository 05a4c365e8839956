// Saving the schedule when a step of the save fails: the previous schedule file stays byte for
// byte with nothing beside it, "Error writing file" is shown, the schedule keeps its name and
// stays modified, and neither New Schedule nor Exit goes on after a failed save at the prompt.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/file/text_field.h"
#include "scheduler/schedule_file.h"
#include "scheduler/schedule_window.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_scheduler_window.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::ElementsAre;

constexpr WindowHandle MAIN_WINDOW = 55;

class ScheduleFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.onShowWindow = [this] { OnShownOrHidden(window); };
        OnWindowCreated(window);
        OnShownOrHidden(window);
        for (const char* name : {"a", "b"}) {
            view.macroFileAnswers.push_back(
                dir.Write(std::string(name) + ".mro", "NAME \"" + std::string(name) + "\";\r\n"));
            AddItem(window);
        }
        path = dir.Path("named.scl");
        previous = "//Created by Keyloom Scheduler\r\n//\r\n";
        dir.Write("named.scl", previous);
        CopyText(table.scheduleFileName, path);
        files.Arm(Fault{});
        ASSERT_TRUE(SaveSchedule(files, path, table, view.list));
        writes = files.writes;
    }
    void Arrange(const Fault& fault) {
        dir.Write("named.scl", previous);
        MarkModified(window);
        desktop.boxes.clear();
        files.Arm(fault);
    }
    void ExpectNothingLost() {
        EXPECT_EQ(ReadWholeFile(path), previous);
        EXPECT_EQ(FilesBeside(path), folder);
        ASSERT_FALSE(desktop.boxes.empty());
        EXPECT_EQ(desktop.boxes.back().text, "Error writing file");
        EXPECT_EQ(desktop.boxes.back().caption, "Error");
        EXPECT_EQ(FieldText(table.scheduleFileName), path);
        EXPECT_TRUE(table.modified);
        EXPECT_TRUE(view.saveEnabled);
        EXPECT_EQ(table.count, 2);
        EXPECT_THAT(view.list.entries, ElementsAre("a", "b"));
    }

    TempDir dir;
    FakeDesktop desktop;
    ScheduleTable table;
    SchedulerState state;
    FakeSchedulerWindow view;
    FakePlayback playback;
    FaultyFileSystem files{RealFileSystem()};
    Scheduler scheduler{table, state, desktop, files, view, playback, MAIN_WINDOW};
    ScheduleWindow window{scheduler, view};
    std::string path;
    std::string previous;
    int writes = 0;
    std::vector<std::string> folder{"a.mro", "b.mro", "named.scl"};  // what a failure leaves
};

TEST_F(ScheduleFaultTest, FailedSaveKeepsTheFileTheNameAndTheChanges) {
    for (const Fault& fault : EveryFault(writes)) {
        SCOPED_TRACE(fault.Describe());
        Arrange(fault);
        SaveCurrentSchedule(window);
        EXPECT_EQ(files.faultsMade, 1);
        ExpectNothingLost();
    }
}

TEST_F(ScheduleFaultTest, FailedSaveAsOntoAnExistingScheduleKeepsIt) {
    const std::string other =
        "//Created by Keyloom Scheduler\r\n//\r\n\r\nNEW_ITEM\r\nEND_ITEM\r\n";
    const std::string otherPath = dir.Write("other.scl", other);
    folder.push_back("other.scl");
    for (const Fault& fault : EveryFault(writes)) {
        SCOPED_TRACE(fault.Describe());
        Arrange(fault);
        view.saveAnswers.push_back(otherPath);
        SaveScheduleAs(window);
        EXPECT_EQ(ReadWholeFile(otherPath), other);
        ExpectNothingLost();
    }
}

TEST_F(ScheduleFaultTest, FailedSaveAtThePromptStopsNewScheduleAndExit) {
    for (const Fault& fault : EveryFault(writes)) {
        SCOPED_TRACE(fault.Describe());
        Arrange(fault);
        desktop.boxAnswers = {desk::ANSWER_YES};
        NewSchedule(window);
        EXPECT_EQ(desktop.boxes[0].text, "Save changes to current schedule?");
        ExpectNothingLost();

        Arrange(fault);
        desktop.boxAnswers = {desk::ANSWER_YES};
        EXPECT_FALSE(ExitScheduler(window)) << "the scheduler ended with its changes unsaved";
        ExpectNothingLost();
    }
}

}  // namespace
