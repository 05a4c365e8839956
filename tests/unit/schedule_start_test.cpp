#include <gtest/gtest.h>

#include "scheduler/window/pane_text.h"
#include "scheduler/window/scheduler_texts.h"
#include "tests/support/fake_desktop.h"
#include "ui/program_start.h"

namespace {

TEST(ScheduleStartTest, AnotherInstanceIsFoundByItsExactTitleEvenWhenHidden) {
    FakeDesktop desktop;
    desktop.windows = {{1, "Keyloom"}, {2, "keyloom scheduler"}, {3, "Keyloom Scheduler - x"}};
    EXPECT_FALSE(FindRunningInstance(desktop, SCHEDULER_TITLE));
    desktop.windows.push_back({4, "Keyloom Scheduler", false});
    EXPECT_TRUE(FindRunningInstance(desktop, SCHEDULER_TITLE));
    desktop.windows.push_back({5, "Keyloom"});  // a window after the match does not undo it
    EXPECT_TRUE(FindRunningInstance(desktop, SCHEDULER_TITLE));
}

TEST(ScheduleStartTest, ClockAndDateLines) {
    EXPECT_EQ(ClockLineText(LocalTime{2002, 12, 6, 7, 9, 5, 3, 0}), "9:5:3");
    EXPECT_EQ(ClockLineText(LocalTime{2002, 12, 6, 7, 23, 59, 59, 0}), "23:59:59");
    EXPECT_EQ(DateLineText(LocalTime{2002, 12, 6, 7, 0, 0, 0, 0}), "7 December, 2002");
    EXPECT_EQ(DateLineText(LocalTime{2026, 1, 4, 31, 0, 0, 0, 0}), "31 January, 2026");
    EXPECT_EQ(DateLineText(LocalTime{2026, 13, 0, 1, 0, 0, 0, 0}), "1 2026");
}

TEST(ScheduleStartTest, IntervalFieldsTakeTheirDigitsAndCapMinutesAndSeconds) {
    EXPECT_EQ(IntervalHours("999"), 999);
    EXPECT_EQ(IntervalHours("1234"), 123);
    EXPECT_EQ(IntervalHours(""), 0);
    EXPECT_EQ(IntervalMinutesOrSeconds("75"), 59);
    EXPECT_EQ(IntervalMinutesOrSeconds("59"), 59);
    EXPECT_EQ(IntervalMinutesOrSeconds("123"), 12);
    EXPECT_EQ(IntervalMinutesOrSeconds("7"), 7);
    EXPECT_EQ(IntervalMinutesOrSeconds(""), 0);
}

}  // namespace
