#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scheduler/engine/fire_item.h"
#include "tests/support/scheduler_rig.h"

namespace {

class ScheduleEvaluationTest : public SchedulerRig {
  protected:
    void SetUp() override { DriveClock(); }
};

TEST_F(ScheduleEvaluationTest, OnceItemPlaysAtItsSecondOnlyAndStaysInTheTable) {
    const int64_t due = At(2026, 3, 5, 14, 30, 15);
    AddOnce("once", due);
    Start();
    TickEverySecond(clock + 1, due - 1);
    EXPECT_TRUE(playback.plays.empty());
    TickAt(due);
    EXPECT_EQ(Played(), std::vector<std::string>{"once"});
    TickEverySecond(due + 1, due + 30);
    TickAt(due + 86400 * 365);  // the date does not recur
    EXPECT_EQ(playback.plays.size(), 1u);
    EXPECT_EQ(table.count, 1);
}

TEST_F(ScheduleEvaluationTest, MonthlyItemOnThe31stSkipsShortMonths) {
    AddPeriodic("31st", PERIOD_MONTH, 8, 0, 0).runDayOfMonth = 30;
    AddPeriodic("1st", PERIOD_MONTH, 8, 0, 0).runDayOfMonth = 0;
    Start();
    std::vector<int> monthsOf31st;
    for (int64_t day = At(2026, 1, 1, 8, 0, 0); day < At(2027, 1, 1, 0, 0, 0); day += 86400) {
        const size_t before = playback.plays.size();
        TickAt(day);
        for (size_t i = before; i < playback.plays.size(); ++i)
            if (std::string(playback.plays[i].name) == "31st")
                monthsOf31st.push_back(LocalTimeAt(day).month);
    }
    EXPECT_EQ(monthsOf31st, (std::vector<int>{1, 3, 5, 7, 8, 10, 12}));
    EXPECT_EQ(playback.plays.size(), 7u + 12u);
}

TEST_F(ScheduleEvaluationTest, WeeklyItemWithDayOneFiresOnSundays) {
    AddPeriodic("sunday", PERIOD_WEEK, 9, 15, 0).runDayOfWeek = 1;
    Start();
    std::vector<int> days;
    for (int day = 1; day <= 31; ++day) {
        TickAt(At(2026, 3, day, 9, 14, 59));
        const size_t before = playback.plays.size();
        TickAt(At(2026, 3, day, 9, 15, 0));
        if (playback.plays.size() > before) days.push_back(day);
    }
    EXPECT_EQ(days, (std::vector<int>{1, 8, 15, 22, 29}));  // the Sundays of March 2026
}

TEST_F(ScheduleEvaluationTest, DailyItemFiresAtItsTimeEveryDayAndOtherPeriodsNever) {
    AddPeriodic("daily", PERIOD_DAY, 0, 0, 5);
    AddPeriodic("no period", 4, 0, 0, 5);
    Start();
    for (int day = 1; day <= 3; ++day)
        TickEverySecond(At(2026, 4, day, 0, 0, 0), At(2026, 4, day, 0, 0, 10));
    EXPECT_EQ(Played(), (std::vector<std::string>{"daily", "daily", "daily"}));
}

TEST_F(ScheduleEvaluationTest, IntervalsCountEvaluatedSeconds) {
    AddInterval("never", 0, 0, 0);
    AddInterval("every tick", 0, 0, 1);
    AddInterval("sixty seconds", 0, 0, 60);
    AddInterval("sixty minutes", 0, 60, 0);
    AddInterval("1:05", 0, 1, 5);
    Start();
    TickEverySecond(clock + 1, clock + 130);
    int everyTick = 0, oneOhFive = 0, others = 0;
    for (const std::string& name : Played())
        (name == "every tick" ? everyTick : name == "1:05" ? oneOhFive : others)++;
    EXPECT_EQ(everyTick, 130);
    EXPECT_EQ(oneOhFive, 2);
    EXPECT_EQ(others, 0);
    EXPECT_EQ(table.items[4].elapsedMinutes * 60 + table.items[4].elapsedSeconds, 0);
    EXPECT_EQ(table.items[3].elapsedHours * 3600 + table.items[3].elapsedMinutes * 60 +
                  table.items[3].elapsedSeconds,
              130);
}

TEST_F(ScheduleEvaluationTest, TwoItemsOfOneSecondBothPlayWhenTheFirstEndsWithinIt) {
    const int64_t due = clock + 2;
    AddOnce("first", due);
    AddOnce("second", due);
    Start();
    TickEverySecond(clock + 1, due);
    EXPECT_EQ(Played(), (std::vector<std::string>{"first", "second"}));
}

TEST_F(ScheduleEvaluationTest, SecondItemOfTheSameSecondIsComparedWithTheClockAfterThePlay) {
    const int64_t due = clock + 2;
    AddOnce("first", due);
    AddOnce("second", due);
    AddOnce("at the play's end", due + 1);
    AddInterval("interval a", 0, 0, 2);
    AddInterval("interval b", 0, 0, 2);
    Start();
    playSeconds = 1;  // each play ends in the next second
    TickEverySecond(clock + 1, due);
    // Interval clocks do not depend on the wall clock: both play, one after the other.
    EXPECT_EQ(Played(),
              (std::vector<std::string>{"first", "at the play's end", "interval a", "interval b"}));
}

TEST_F(ScheduleEvaluationTest, InactiveDueItemIsSkippedAndItsIntervalClockRunsOn) {
    AddInterval("inactive", 0, 0, 2).active = false;
    AddInterval("active", 0, 0, 2);
    Start();
    TickEverySecond(clock + 1, clock + 3);
    EXPECT_EQ(Played(), std::vector<std::string>{"active"});
    EXPECT_EQ(table.items[0].elapsedSeconds, 3);
    EXPECT_EQ(table.items[1].elapsedSeconds, 1);
}

TEST_F(ScheduleEvaluationTest, PauseTogglesSuspensionWhichFreezesTheClocks) {
    AddInterval("interval", 0, 0, 3);
    Start();
    TickAt(clock + 1);
    desktop.Tap(desk::KEY_PAUSE);
    TickAt(clock + 1);  // only the toggle
    EXPECT_TRUE(state.suspended);
    EXPECT_TRUE(view.suspendedShown);
    EXPECT_EQ(view.trayStates.back(), TRAY_SUSPENDED);
    TickEverySecond(clock + 1, clock + 10);
    EXPECT_EQ(table.items[0].elapsedSeconds, 1);
    EXPECT_TRUE(playback.plays.empty());

    desktop.Press(desk::KEY_PAUSE);  // held down: toggles on every tick
    TickAt(clock + 1);
    EXPECT_FALSE(state.suspended);
    EXPECT_FALSE(view.suspendedShown);
    EXPECT_EQ(view.trayStates.back(), TRAY_IDLE);
    TickAt(clock + 1);
    EXPECT_TRUE(state.suspended);
    desktop.Release(desk::KEY_PAUSE);
    TickAt(clock + 1);
    EXPECT_TRUE(state.suspended);
    EXPECT_EQ(table.items[0].elapsedSeconds, 1);

    SetSuspended(scheduler, false);  // the menu's "Enable All": no seconds are caught up
    TickAt(clock + 1);
    TickAt(clock + 1);
    EXPECT_EQ(Played(), std::vector<std::string>{"interval"});
}

TEST_F(ScheduleEvaluationTest, NoSecondIsSkippedWhenTicksJitter) {
    const int64_t start = clock;
    for (int i = 1; i <= 30; ++i)
        AddOnce("s" + std::to_string(i), start + i);
    AddInterval("every second", 0, 0, 1);
    Start();
    // Ticks drift: some land twice in one second, then one second has none.
    for (int offset :
         {1, 1, 3, 4, 4, 6, 7, 9, 9, 9, 12, 13, 14, 16, 17, 18, 20, 20, 23, 24, 25, 27, 27, 30})
        TickAt(start + offset);
    std::vector<std::string> expected;
    for (int i = 1; i <= 30; ++i)
        expected.push_back("s" + std::to_string(i));
    std::vector<std::string> onceItems, intervalPlays;
    for (const std::string& name : Played())
        (name == "every second" ? intervalPlays : onceItems).push_back(name);
    EXPECT_EQ(onceItems, expected);
    EXPECT_EQ(intervalPlays.size(), 30u);  // one per second: no second evaluated twice
}

TEST_F(ScheduleEvaluationTest, SecondsDuringAPlayAreNotCaughtUp) {
    const int64_t start = clock;
    AddOnce("long play", start + 1);
    AddOnce("during the play", start + 3);
    AddOnce("after the play", start + 7);
    AddInterval("interval", 0, 0, 10);
    Start();
    bool timerRanDuringPlay = true;
    playback.onPlay = [&](const Macro& macro) {
        timerRanDuringPlay = state.schedulerTimer != 0;
        if (std::string(macro.name) == "long play") clock += 5;
    };
    TickAt(start + 1);  // the play ends at start + 6
    EXPECT_FALSE(timerRanDuringPlay);
    ASSERT_NE(state.schedulerTimer, 0u);
    TickAt(start + 7);
    TickAt(start + 8);
    EXPECT_EQ(Played(), (std::vector<std::string>{"long play", "after the play"}));
    EXPECT_EQ(table.items[3].elapsedSeconds, 3);  // one per evaluated second, none for the play
}

TEST_F(ScheduleEvaluationTest, LateSecondsBeforeAPlayAreStillEvaluated) {
    const int64_t start = clock;
    AddOnce("late", start + 1);
    AddOnce("also late", start + 2);
    AddOnce("on time", start + 3);
    Start();
    playback.onPlay = [&](const Macro&) { clock += 4; };
    TickAt(start + 3);  // the timer was two seconds late
    EXPECT_EQ(Played(), (std::vector<std::string>{"late", "also late", "on time"}));
}

TEST_F(ScheduleEvaluationTest, FireItemPlaysFromAFreshRecordWithTheTimerStopped) {
    ScheduleItem& styled = AddInterval("styled", 0, 0, 1);
    CopyText(styled.macroFileName,
             disk.Write("styled.mro", "NAME \"styled\";\r\nPLAY_STYLE 2;\r\nTIME 25;\r\n"));
    ScheduleItem& plain = Add("plain", RUN_STYLE_STARTUP);
    Start();
    const uintptr_t firstTimer = state.schedulerTimer;
    ASSERT_TRUE(FireItem(scheduler, styled));
    ASSERT_TRUE(FireItem(scheduler, plain));
    ASSERT_EQ(playback.plays.size(), 2u);
    EXPECT_EQ(playback.plays[0].playStyle, PLAY_STYLE_UNTIL_STOPPED);
    EXPECT_EQ(playback.plays[0].speed, 25);
    EXPECT_EQ(playback.plays[1].playStyle, 0);  // not the previous macro's style
    EXPECT_EQ(playback.plays[1].speed, SCHEDULER_DEFAULT_SPEED);
    EXPECT_EQ(view.trayStates,
              (std::vector<TrayState>{TRAY_PLAYING, TRAY_IDLE, TRAY_PLAYING, TRAY_IDLE}));
    EXPECT_FALSE(desktop.HasThreadTimer(firstTimer));
    EXPECT_TRUE(desktop.HasThreadTimer(state.schedulerTimer));
    EXPECT_NE(std::find(desktop.calls.begin(), desktop.calls.end(), "SetTimer 0 1000"),
              desktop.calls.end());

    SetSuspended(scheduler, true);
    ASSERT_TRUE(FireItem(scheduler, plain));
    EXPECT_EQ(view.trayStates.back(), TRAY_SUSPENDED);
}

TEST_F(ScheduleEvaluationTest, UnloadableMacroIsReportedOnceAndTheTickGoesOn) {
    ScheduleItem& missing = AddInterval("missing", 0, 0, 1);
    CopyText(missing.macroFileName, disk.Path("gone.mro"));
    AddInterval("present", 0, 0, 1);
    Start();
    const uintptr_t timer = state.schedulerTimer;
    // The error box runs a message loop in which the timer fires again.
    desktop.onCall = [&](const std::string& call) {
        if (call.rfind("MessageBoxA", 0) == 0) desktop.FireThreadTimer(timer);
    };
    TickAt(clock + 1);
    EXPECT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: " + disk.Path("gone.mro"));
    EXPECT_EQ(Played(), std::vector<std::string>{"present"});
    EXPECT_EQ(table.items[0].elapsedSeconds, 0);  // reset although nothing played
}

TEST_F(ScheduleEvaluationTest, RestoringTheWindowDuringAPlayLeavesTheSchedulerStopped) {
    AddInterval("restores", 0, 0, 1);
    AddInterval("after it", 0, 0, 1);
    Start();
    playback.onPlay = [&](const Macro&) { StopScheduler(scheduler); };
    TickAt(clock + 1);
    EXPECT_EQ(Played(), std::vector<std::string>{"restores"});
    EXPECT_EQ(state.schedulerTimer, 0u);
    EXPECT_FALSE(state.listening);
}

TEST_F(ScheduleEvaluationTest, StartupItemsPlayActiveOrNotInTableOrder) {
    Add("first", RUN_STYLE_STARTUP).active = false;
    AddInterval("interval", 0, 0, 1);
    CopyText(Add("missing", RUN_STYLE_STARTUP).macroFileName, disk.Path("gone.mro"));
    Add("last", RUN_STYLE_STARTUP);
    view.trayIconPresent = true;
    PlayStartupItems(scheduler);
    EXPECT_EQ(Played(), (std::vector<std::string>{"first", "last"}));
    EXPECT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(state.schedulerTimer, 0u);
    Start();
    TickAt(clock + 1);
    EXPECT_EQ(Played(), (std::vector<std::string>{"first", "last", "interval"}));
}

TEST_F(ScheduleEvaluationTest, StartResetsTheClocksAndARefusedTimerMeansNoScheduler) {
    ScheduleItem& item = AddInterval("interval", 0, 0, 2);
    item.elapsedHours = 3, item.elapsedMinutes = 4, item.elapsedSeconds = 5;
    desktop.refuseThreadTimers = true;
    StartScheduler(scheduler);
    EXPECT_EQ(item.elapsedHours + item.elapsedMinutes + item.elapsedSeconds, 0);
    EXPECT_EQ(state.schedulerTimer, 0u);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ScheduleEvaluationTest, RefusedIconChangesAreRetriedABoundedNumberOfTimes) {
    view.trayIconPresent = true;
    view.refusedModifies = 2;
    SetTrayIconState(scheduler, TRAY_PLAYING);
    EXPECT_EQ(view.modifyAttempts, 3);
    EXPECT_EQ(view.trayStates, std::vector<TrayState>{TRAY_PLAYING});
    view.refusedModifies = 1000;
    SetTrayIconState(scheduler, TRAY_IDLE);
    EXPECT_EQ(view.modifyAttempts, 3 + TRAY_MODIFY_ATTEMPTS);
}

TEST(WallClockTest, SecondsRoundTripThroughTheCalendar) {
    for (int64_t second : {At(1970, 1, 1, 0, 0, 0), At(2000, 2, 29, 23, 59, 59),
                           At(2026, 12, 31, 12, 0, 1), At(1969, 12, 31, 23, 59, 59)}) {
        LocalTime time = LocalTimeAt(second);
        EXPECT_EQ(SecondOf(time), second);
    }
    LocalTime leap = LocalTimeAt(At(2024, 2, 28, 23, 59, 59) + 1);
    EXPECT_EQ(leap.month * 100 + leap.day, 229);
    EXPECT_EQ(LocalTimeAt(At(2026, 3, 1, 0, 0, 0)).dayOfWeek, 0);  // a Sunday
    EXPECT_EQ(LocalTimeAt(At(1970, 1, 1, 0, 0, 0)).dayOfWeek, 4);  // a Thursday
    EXPECT_EQ(LocalTimeAt(At(1969, 12, 31, 0, 0, 0)).dayOfWeek, 3);
}

}  // namespace
