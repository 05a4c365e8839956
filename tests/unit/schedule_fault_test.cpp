// Saving the schedule when a step of the save fails: the previous schedule file stays byte for
// byte with nothing beside it, "Error writing file" is shown, the schedule keeps its name and
// stays modified, and neither New Schedule nor Exit goes on after a failed save at the prompt.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/file/text_field.h"
#include "scheduler/schedule/schedule_file.h"
#include "scheduler/window/schedule_file_commands.h"
#include "scheduler/window/schedule_window.h"
#include "tests/support/scheduler_rig.h"

namespace {

using ::testing::ElementsAre;

class ScheduleFaultTest : public SchedulerRig {
  protected:
    void SetUp() override {
        Open();
        AddMacro("a");
        AddMacro("b");
        path = disk.Path("named.scl");
        previous = "//Created by Keyloom Scheduler\r\n//\r\n";
        disk.Write("named.scl", previous);
        CopyText(table.scheduleFileName, path);
        files.Arm(Fault{});
        ASSERT_TRUE(SaveSchedule(files, path, table, view.list));
        writes = files.writes;
    }
    void Arrange(const Fault& fault) {
        disk.Write("named.scl", previous);
        MarkModified(window);
        desktop.boxes.clear();
        files.Arm(fault);
    }
    void ExpectNothingLost() {
        EXPECT_EQ(disk.Read(path), previous);
        EXPECT_EQ(disk.NamesBeside(path), folder);
        ASSERT_FALSE(desktop.boxes.empty());
        EXPECT_EQ(desktop.boxes.back().text, "Error writing file");
        EXPECT_EQ(desktop.boxes.back().caption, "Error");
        EXPECT_EQ(FieldText(table.scheduleFileName), path);
        EXPECT_TRUE(table.modified);
        EXPECT_TRUE(view.saveEnabled);
        EXPECT_EQ(table.count, 2);
        EXPECT_THAT(view.list.entries, ElementsAre("a", "b"));
    }

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
    const std::string otherPath = disk.Write("other.scl", other);
    folder.push_back("other.scl");
    for (const Fault& fault : EveryFault(writes)) {
        SCOPED_TRACE(fault.Describe());
        Arrange(fault);
        view.saveAnswers.push_back(otherPath);
        SaveScheduleAs(window);
        EXPECT_EQ(disk.Read(otherPath), other);
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
