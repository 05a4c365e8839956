// The schedule across clocks that jump: daylight saving, sleep, a clock set by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "scheduler/engine/clock_change.h"
#include "scheduler/engine/last_evaluated.h"
#include "scheduler/schedule/schedule_file.h"
#include "scheduler/schedule/schedule_rules.h"
#include "scheduler/window/schedule_file_commands.h"
#include "tests/support/fake_wall_clock.h"
#include "tests/support/scheduler_rig.h"

namespace {

using Names = std::vector<std::string>;

// UTC instants of the changes of 2026: 02:00 CET becomes 03:00 CEST, 03:00 CEST becomes
// 02:00 CET.
const int64_t SPRING_FORWARD = At(2026, 3, 29, 1, 0, 0);
const int64_t FALL_BACK = At(2026, 10, 25, 1, 0, 0);

class ScheduleClockChangeTest : public SchedulerRig {
  protected:
    void SetUp() override {
        wall.Drive(desktop);
        playback.onPlay = [this](const Macro&) { wall.utc += playSeconds; };
    }

    void StartAtUtc(int64_t utc) {
        wall.utc = utc;
        Start();
    }
    // The one-second timer lands while UTC reads `utc`.
    void TickAtUtc(int64_t utc) {
        wall.utc = utc;
        Tick();
    }
    void TickEveryUtcSecond(int64_t from, int64_t to) {
        for (int64_t utc = from; utc <= to; ++utc)
            TickAtUtc(utc);
    }
    Names PlayedWithout(const std::string& name) const {
        Names names = Played();
        std::erase(names, name);
        return names;
    }
    long PlaysOf(const std::string& name) const {
        const Names names = Played();
        return std::count(names.begin(), names.end(), name);
    }
    static int ClockSeconds(const ScheduleItem& item) {
        return item.elapsedHours * 3600 + item.elapsedMinutes * 60 + item.elapsedSeconds;
    }

    FakeWallClock wall;
};

TEST_F(ScheduleClockChangeTest, SpringForwardFiresEachItemOfTheSkippedHourOnceInDueOrder) {
    AddPeriodic("weekly 02:45", PERIOD_WEEK, 2, 45, 0).runDayOfWeek = 1;  // Sundays
    AddOnce("once 02:30", At(2026, 3, 29, 2, 30, 0));
    AddPeriodic("daily 02:15", PERIOD_DAY, 2, 15, 0);
    AddPeriodic("monthly 02:00", PERIOD_MONTH, 2, 0, 0).runDayOfMonth = 28;  // the 29th
    AddPeriodic("daily 03:00:02", PERIOD_DAY, 3, 0, 2);
    AddInterval("every 5 s", 0, 0, 5);
    StartAtUtc(SPRING_FORWARD - 30);
    TickEveryUtcSecond(SPRING_FORWARD - 29, SPRING_FORWARD);
    EXPECT_EQ(wall.LocalSecond(), At(2026, 3, 29, 3, 0, 0));
    EXPECT_EQ(PlayedWithout("every 5 s"),
              (Names{"monthly 02:00", "daily 02:15", "once 02:30", "weekly 02:45"}));
    TickEveryUtcSecond(SPRING_FORWARD + 1, SPRING_FORWARD + 10);
    EXPECT_EQ(PlayedWithout("every 5 s"), (Names{"monthly 02:00", "daily 02:15", "once 02:30",
                                                 "weekly 02:45", "daily 03:00:02"}));
    EXPECT_EQ(PlaysOf("every 5 s"), 40 / 5);  // one tick each second: no burst at the jump
}

TEST_F(ScheduleClockChangeTest, FallBackRunsEachItemOfTheRepeatedHourOnce) {
    AddOnce("once", At(2026, 10, 25, 2, 30, 0));
    AddPeriodic("daily", PERIOD_DAY, 2, 30, 0);
    AddPeriodic("weekly", PERIOD_WEEK, 2, 30, 0).runDayOfWeek = 1;
    AddPeriodic("monthly", PERIOD_MONTH, 2, 30, 0).runDayOfMonth = 24;  // the 25th
    AddPeriodic("after the hour", PERIOD_DAY, 3, 0, 1);
    AddInterval("every 5 s", 0, 0, 5);
    StartAtUtc(FALL_BACK - 1805);                            // 02:29:55 summer time
    TickEveryUtcSecond(FALL_BACK - 1804, FALL_BACK + 3605);  // to 03:00:05 winter time
    EXPECT_EQ(wall.LocalSecond(), At(2026, 10, 25, 3, 0, 5));
    EXPECT_EQ(PlayedWithout("every 5 s"),
              (Names{"once", "daily", "weekly", "monthly", "after the hour"}));
    EXPECT_EQ(PlaysOf("every 5 s"), (1804 + 3605 + 1) / 5);  // counting on through the hour
}

TEST_F(ScheduleClockChangeTest, ItemsToPlayIfMissedDuringTwentyMinutesOfSleepPlayOnceInOrder) {
    const int64_t start = At(2026, 12, 7, 9, 0, 0);  // 10:00 local
    AddPeriodic("daily 10:12", PERIOD_DAY, 10, 12, 0).catchUp = true;
    AddOnce("once 10:05", At(2026, 12, 7, 10, 5, 0)).catchUp = true;
    AddOnce("once 10:21", At(2026, 12, 7, 10, 21, 0));  // after the wake-up
    ScheduleItem& interval = AddInterval("every 5 s", 0, 0, 5);
    StartAtUtc(start);
    TickAtUtc(start + 1);
    TickAtUtc(start + 2);
    playSeconds = 1;                 // the first play goes on into the next second
    TickAtUtc(start + 2 + 20 * 60);  // the machine slept
    EXPECT_EQ(Played(), (Names{"once 10:05", "daily 10:12"}));
    EXPECT_EQ(ClockSeconds(interval), 3);  // one tick for the sleep: neither a burst nor a reset
    playSeconds = 0;
    TickAtUtc(wall.utc + 1);
    TickAtUtc(wall.utc + 1);
    EXPECT_EQ(Played().back(), "every 5 s");
    TickEveryUtcSecond(wall.utc + 1, start + 21 * 60);
    EXPECT_EQ(PlayedWithout("every 5 s"), (Names{"once 10:05", "daily 10:12", "once 10:21"}));
}

TEST_F(ScheduleClockChangeTest, AJumpOfThreeHoursOrMoreIsANewClockWithNothingCaughtUp) {
    const int64_t start = At(2026, 12, 7, 9, 0, 0);
    AddOnce("in the gap", At(2026, 12, 7, 12, 0, 0));
    AddOnce("after the jump", At(2026, 12, 7, 15, 0, 2));
    ScheduleItem& interval = AddInterval("every 5 s", 0, 0, 5);
    StartAtUtc(start);
    TickAtUtc(start + 1);
    TickAtUtc(start + 1 + 5 * 3600);  // the clock was set five hours forward
    EXPECT_TRUE(playback.plays.empty());
    EXPECT_EQ(ClockSeconds(interval), 2);
    TickAtUtc(wall.utc + 1);
    EXPECT_EQ(Played(), Names{"after the jump"});
}

TEST_F(ScheduleClockChangeTest, AClockSetBackTenMinutesRunsNothingTwice) {
    const int64_t start = At(2026, 12, 7, 9, 0, 0);  // 10:00 local
    AddOnce("once 10:03", At(2026, 12, 7, 10, 3, 0));
    AddPeriodic("daily 10:04", PERIOD_DAY, 10, 4, 0);
    AddPeriodic("daily 10:05:30", PERIOD_DAY, 10, 5, 30);
    AddInterval("every minute", 0, 1, 0);
    StartAtUtc(start);
    TickEveryUtcSecond(start + 1, start + 300);
    EXPECT_EQ(PlayedWithout("every minute"), (Names{"once 10:03", "daily 10:04"}));
    TickEveryUtcSecond(start - 300, start + 360);  // set back from 10:05 to 09:55
    EXPECT_EQ(PlayedWithout("every minute"),
              (Names{"once 10:03", "daily 10:04", "daily 10:05:30"}));
    EXPECT_EQ(PlaysOf("every minute"), (300 + 661) / 60);
}

TEST_F(ScheduleClockChangeTest, NothingIsCaughtUpOverAPlayOrASuspension) {
    const int64_t start = At(2026, 12, 7, 9, 0, 0);  // 10:00 local
    AddOnce("long play", At(2026, 12, 7, 10, 0, 1));
    AddOnce("during the play", At(2026, 12, 7, 10, 10, 0));
    AddOnce("while suspended", At(2026, 12, 7, 10, 40, 0));
    AddOnce("afterwards", At(2026, 12, 7, 10, 50, 2));
    StartAtUtc(start);
    playSeconds = 20 * 60;
    TickAtUtc(start + 1);
    playSeconds = 0;
    TickAtUtc(wall.utc + 1);
    SetSuspended(scheduler, true);
    TickAtUtc(start + 30 * 60);
    TickAtUtc(start + 50 * 60);  // the machine slept while suspended
    SetSuspended(scheduler, false);
    TickEveryUtcSecond(start + 50 * 60 + 1, start + 50 * 60 + 3);
    EXPECT_EQ(Played(), (Names{"long play", "afterwards"}));
}

TEST_F(ScheduleClockChangeTest, APlayAcrossTheAutumnChangeLeavesNoSecondToBeMatchedTwice) {
    AddPeriodic("daily 02:09:59", PERIOD_DAY, 2, 9, 59);
    AddPeriodic("long 02:59:59", PERIOD_DAY, 2, 59, 59);
    AddPeriodic("daily 02:09:59 too", PERIOD_DAY, 2, 9, 59);
    StartAtUtc(FALL_BACK - 3000);  // 02:10:00 summer time
    TickEveryUtcSecond(FALL_BACK - 3001 + 1, FALL_BACK - 2);
    playback.onPlay = [this](const Macro& macro) {
        if (std::string(macro.name) == "long 02:59:59") wall.utc += 600;
    };
    TickAtUtc(FALL_BACK - 1);  // the play ends at 02:09:59 winter time
    EXPECT_EQ(wall.LocalSecond(), At(2026, 10, 25, 2, 9, 59));
    TickEveryUtcSecond(wall.utc + 1, FALL_BACK + 3605);
    EXPECT_EQ(Played(), Names{"long 02:59:59"});
}

TEST_F(ScheduleClockChangeTest, ShowingAndHidingTheWindowInTheRepeatedHourPlaysNothingTwice) {
    AddPeriodic("daily 02:30", PERIOD_DAY, 2, 30, 0);
    StartAtUtc(FALL_BACK - 1805);                           // 02:29:55 summer time
    TickEveryUtcSecond(FALL_BACK - 1804, FALL_BACK - 600);  // to 02:50 summer time
    RestoreFromTray(window);
    wall.utc = FALL_BACK + 600;  // 02:10 winter time
    HideInTrayAndListen(window);
    TickEveryUtcSecond(FALL_BACK + 601, FALL_BACK + 3605);
    EXPECT_EQ(Played(), Names{"daily 02:30"});
}

// What becomes of a 07:00 item over a time the computer slept, by "Play if missed": the same
// for a nap and a night; daylight saving still plays what its change skipped.
TEST_F(ScheduleClockChangeTest, ASleepMissesAppointmentsAndOnlyPlayIfMissedCatchesThemUp) {
    struct Case {
        const char* what;
        int64_t sleepFrom, wakeAt;  // UTC
        bool catchUp;
        std::vector<KeptAppointment> expected;
    };
    const int64_t seven = At(2026, 12, 8, 7, 0, 0), day = 86400;  // local
    const int64_t eveningUtc = At(2026, 12, 7, 22, 0, 0);
    const std::vector<Case> cases = {
        {"a 2-hour nap",
         seven - 3600 - 3600,
         seven - 3600 + 3600,
         false,
         {{"daily 07:00", AppointmentOutcome::MissedAsleep, seven, false}}},
        {"a night",
         eveningUtc,
         eveningUtc + 9 * 3600,
         false,
         {{"daily 07:00", AppointmentOutcome::MissedAsleep, seven, false}}},
        {"a night, play if missed",
         eveningUtc,
         eveningUtc + 9 * 3600,
         true,
         {{"daily 07:00", AppointmentOutcome::CaughtUp, seven, true}}},
        {"two nights, play if missed",
         eveningUtc,
         eveningUtc + day + 9 * 3600,
         true,
         {{"daily 07:00", AppointmentOutcome::CaughtUp, seven, true}}},
    };
    for (const Case& c : cases) {
        table = ScheduleTable{}, state = SchedulerState{}, playback.plays.clear();
        appointments.kept.clear();
        AddPeriodic("daily 07:00", PERIOD_DAY, 7, 0, 0).catchUp = c.catchUp;
        StartAtUtc(c.sleepFrom - 2);
        TickAtUtc(c.sleepFrom - 1);
        TickAtUtc(c.wakeAt);
        TickAtUtc(c.wakeAt + 1);
        EXPECT_EQ(appointments.kept, c.expected) << c.what;
        EXPECT_EQ(PlaysOf("daily 07:00"), c.catchUp ? 1 : 0) << c.what;
    }
    table = ScheduleTable{}, state = SchedulerState{}, appointments.kept.clear();
    AddPeriodic("daily 02:30", PERIOD_DAY, 2, 30, 0);
    StartAtUtc(SPRING_FORWARD - 1);
    TickAtUtc(SPRING_FORWARD);
    EXPECT_EQ(appointments.kept,
              (std::vector<KeptAppointment>{
                  {"daily 02:30", AppointmentOutcome::Played, At(2026, 3, 29, 2, 30, 0), false}}));
}

TEST_F(ScheduleClockChangeTest, NothingPlaysIntoALockedSessionAndPlayIfMissedPlaysAtUnlock) {
    const int64_t start = At(2026, 12, 7, 13, 0, 0);  // 14:00 local
    AddInterval("every 10 min", 0, 10, 0);
    AddPeriodic("daily 14:20", PERIOD_DAY, 14, 20, 0).catchUp = true;
    AddPeriodic("daily 14:30", PERIOD_DAY, 14, 30, 0);
    AddOnce("once 14:40", At(2026, 12, 7, 14, 40, 0)).catchUp = true;
    AddPeriodic("daily 14:50", PERIOD_DAY, 14, 50, 0).catchUp = true;  // after the unlock
    StartAtUtc(start);
    view.sessionLocked = true;
    TickEveryUtcSecond(start + 1, start + 45 * 60);
    EXPECT_TRUE(playback.plays.empty());
    view.sessionLocked = false;
    TickEveryUtcSecond(start + 45 * 60 + 1, start + 50 * 60);
    using O = AppointmentOutcome;
    const std::vector<KeptAppointment> expected = {
        {"every 10 min", O::MissedLocked, At(2026, 12, 7, 14, 10, 0), false},
        {"every 10 min", O::MissedLocked, At(2026, 12, 7, 14, 20, 0), false},
        {"every 10 min", O::MissedLocked, At(2026, 12, 7, 14, 30, 0), false},
        {"daily 14:30", O::MissedLocked, At(2026, 12, 7, 14, 30, 0), false},
        {"every 10 min", O::MissedLocked, At(2026, 12, 7, 14, 40, 0), false},
        {"daily 14:20", O::CaughtUp, At(2026, 12, 7, 14, 20, 0), true},
        {"once 14:40", O::CaughtUp, At(2026, 12, 7, 14, 40, 0), true},
        {"every 10 min", O::Played, At(2026, 12, 7, 14, 50, 0), false},
        {"daily 14:50", O::Played, At(2026, 12, 7, 14, 50, 0), false},
    };
    EXPECT_EQ(appointments.kept, expected);
    EXPECT_EQ(Played(), (Names{"daily 14:20", "once 14:40", "every 10 min", "daily 14:50"}));
}

// The settings keep, per schedule file, the last second evaluated; the next start accounts for
// the appointments that passed while the Scheduler was not running.
TEST_F(ScheduleClockChangeTest, AppointmentsPassedWhileNotRunningAreMissedOrPlayedOnceAtTheStart) {
    const std::string schedule = disk.Path("day.scl");
    CopyText(table.scheduleFileName, schedule);
    AddPeriodic("daily 09:00", PERIOD_DAY, 9, 0, 0);
    AddPeriodic("daily 10:00, play if missed", PERIOD_DAY, 10, 0, 0).catchUp = true;
    AddOnce("once 11:00, play if missed", At(2026, 12, 7, 11, 0, 0)).catchUp = true;
    for (int slot = 0; slot < table.count; ++slot)
        view.list.Append(table.items[slot].name);
    ASSERT_TRUE(SaveSchedule(files, schedule, table, view.list));
    EXPECT_FALSE(ReadLastEvaluated(settings, schedule)) << "a first run accounts for nothing";

    const auto startAgain = [&](int64_t utc) {
        table = ScheduleTable{}, state = SchedulerState{}, view.list.Clear();
        CopyText(table.scheduleFileName, schedule);
        wall.utc = utc;
        Open();
    };
    startAgain(At(2026, 12, 6, 7, 0, 0));  // 08:00 local: the Scheduler runs, then is stopped
    HideInTrayAndListen(window);
    TickEveryUtcSecond(wall.utc + 1, wall.utc + 10);
    ASSERT_TRUE(ExitScheduler(window));
    EXPECT_EQ(settings.Text(std::string(LAST_EVALUATED_KEY), schedule), "2026-12-06 08:00:10");

    startAgain(At(2026, 12, 7, 11, 0, 0));  // 12:00 local, a day later
    EXPECT_TRUE(appointments.kept.empty()) << "nothing is accounted for while the window shows";
    HideInTrayAndListen(window);
    TickAtUtc(wall.utc + 1);
    using O = AppointmentOutcome;
    EXPECT_EQ(appointments.kept,
              (std::vector<KeptAppointment>{
                  {"daily 09:00", O::MissedNotRunning, At(2026, 12, 6, 9, 0, 0), false},
                  {"daily 09:00", O::MissedNotRunning, At(2026, 12, 7, 9, 0, 0), false},
                  {"daily 10:00, play if missed", O::CaughtUp, At(2026, 12, 6, 10, 0, 0), true},
                  {"once 11:00, play if missed", O::CaughtUp, At(2026, 12, 7, 11, 0, 0), true},
              }));
    EXPECT_EQ(Played(), (Names{"daily 10:00, play if missed", "once 11:00, play if missed"}));
    EXPECT_EQ(settings.Text(std::string(LAST_EVALUATED_KEY), schedule), "2026-12-07 12:00:01")
        << "kept before each play";
}

TEST(LastEvaluatedTest, OnlyAWholeRealLocalTimeIsAReading) {
    FakeSettingsStore store;
    const std::string key(LAST_EVALUATED_KEY);
    ASSERT_TRUE(StoreLastEvaluated(store, "C:\\a.scl", At(2026, 3, 29, 3, 0, 1)));
    EXPECT_EQ(store.Text(key, "C:\\a.scl"), "2026-03-29 03:00:01");
    EXPECT_EQ(ReadLastEvaluated(store, "C:\\a.scl"), At(2026, 3, 29, 3, 0, 1));
    for (const char* text :
         {"", "yesterday", "2026-02-30 10:00:00", "2026-12-06 08:00:10x", "2026-12-06 25:00:00"}) {
        store.keys[key]["C:\\b.scl"] = std::string(text);
        EXPECT_FALSE(ReadLastEvaluated(store, "C:\\b.scl")) << text;
    }
    store.keys[key]["C:\\b.scl"] = uint32_t{5};
    EXPECT_FALSE(ReadLastEvaluated(store, "C:\\b.scl"));
    store.Fail(FakeSettingsStore::Operation::SetString);
    EXPECT_FALSE(StoreLastEvaluated(store, "C:\\a.scl", 0));
}

TEST(ClockChangeTest, MovesUnderThreeHoursAreTheSameClockAndLongerOnesANewOne) {
    const int64_t last = 1'000'000;
    const SecondSpan forward = NewLocalSeconds(last, last + MAX_CLOCK_JUMP_SECONDS - 1);
    EXPECT_EQ(forward.first, last + 1);
    EXPECT_EQ(forward.Length(), MAX_CLOCK_JUMP_SECONDS - 1);
    const SecondSpan farForward = NewLocalSeconds(last, last + MAX_CLOCK_JUMP_SECONDS);
    EXPECT_EQ(farForward.first, last + MAX_CLOCK_JUMP_SECONDS);
    EXPECT_EQ(farForward.Length(), 1);
    EXPECT_TRUE(NewLocalSeconds(last, last).Empty());  // a second tick in one second
    EXPECT_TRUE(NewLocalSeconds(last, last - MAX_CLOCK_JUMP_SECONDS + 1).Empty());
    EXPECT_EQ(LatestSecondLived(last, last - 600), last);
    EXPECT_EQ(NewLocalSeconds(last, last - MAX_CLOCK_JUMP_SECONDS).first,
              last - MAX_CLOCK_JUMP_SECONDS);
    EXPECT_EQ(LatestSecondLived(last, last - MAX_CLOCK_JUMP_SECONDS),
              last - MAX_CLOCK_JUMP_SECONDS);
    EXPECT_EQ(NewLocalSeconds(std::nullopt, last).Length(), 1);
    EXPECT_EQ(MAX_CLOCK_JUMP_SECONDS, 3 * 3600);
}

TEST(ClockChangeTest, IntervalClocksCountALateTimersSecondsAndOneForAJump) {
    EXPECT_EQ(IntervalClockSeconds(0), 0);
    EXPECT_EQ(IntervalClockSeconds(1), 1);
    EXPECT_EQ(IntervalClockSeconds(MAX_CATCH_UP_SECONDS), MAX_CATCH_UP_SECONDS);
    EXPECT_EQ(IntervalClockSeconds(MAX_CATCH_UP_SECONDS + 1), 1);
    EXPECT_EQ(IntervalClockSeconds(-600), 1);
}

TEST(ClockChangeTest, FirstDueSecondFindsTheRuleInASpanAndNeverAnImpossibleDate) {
    ScheduleItem monthly{};
    monthly.runStyle = RUN_STYLE_PERIODIC, monthly.runEvery = PERIOD_MONTH;
    monthly.runDayOfMonth = 30, monthly.runHour = 1;  // the 31st at 01:00
    EXPECT_FALSE(FirstDueSecond(monthly, At(2026, 4, 30, 23, 0, 0), At(2026, 5, 1, 2, 0, 0)));
    EXPECT_EQ(FirstDueSecond(monthly, At(2026, 5, 30, 23, 0, 0), At(2026, 6, 1, 2, 0, 0)),
              At(2026, 5, 31, 1, 0, 0));

    ScheduleItem daily{};
    daily.runStyle = RUN_STYLE_PERIODIC, daily.runEvery = PERIOD_DAY, daily.runMinute = 30;
    EXPECT_EQ(FirstDueSecond(daily, At(2026, 1, 1, 0, 30, 1), At(2026, 1, 3, 0, 30, 0)),
              At(2026, 1, 2, 0, 30, 0));
    EXPECT_FALSE(FirstDueSecond(daily, At(2026, 1, 1, 0, 30, 1), At(2026, 1, 2, 0, 29, 59)));
    daily.runHour = 24;
    EXPECT_FALSE(FirstDueSecond(daily, At(2026, 1, 1, 0, 0, 0), At(2026, 1, 3, 0, 0, 0)));
    daily.runHour = INT_MAX;
    EXPECT_FALSE(FirstDueSecond(daily, At(2026, 1, 1, 0, 0, 0), At(2026, 1, 3, 0, 0, 0)));

    ScheduleItem once{};
    once.runStyle = RUN_STYLE_ONCE;
    once.onceYear = 2026, once.onceMonth = 2, once.onceDay = 30;  // 2 March by the count
    EXPECT_FALSE(FirstDueSecond(once, At(2026, 2, 28, 0, 0, 0), At(2026, 3, 3, 0, 0, 0)));
    once.onceDay = 28, once.onceHour = 12;
    EXPECT_EQ(FirstDueSecond(once, At(2026, 2, 28, 12, 0, 0), At(2026, 2, 28, 12, 0, 0)),
              At(2026, 2, 28, 12, 0, 0));
    once.onceYear = INT_MAX, once.onceHour = INT_MAX;
    EXPECT_FALSE(FirstDueSecond(once, At(2026, 2, 28, 0, 0, 0), At(2026, 3, 3, 0, 0, 0)));

    ScheduleItem interval{};
    interval.runStyle = RUN_STYLE_INTERVAL, interval.everySeconds = 1;
    EXPECT_FALSE(FirstDueSecond(interval, 0, 86400));
}

}  // namespace
