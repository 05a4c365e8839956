// A week of the Scheduler left alone, ticking every second on a clock with daylight saving:
// the change night, a 9-hour sleep, a locked hour, a day with the program stopped, and, in
// autumn, a play across the change. Every appointment's outcome is checked against a table
// worked out from the items' rules and the week's events.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "macro/desktop/wall_clock.h"
#include "tests/support/fake_wall_clock.h"
#include "tests/support/scheduler_rig.h"

namespace {

constexpr int64_t HOUR = 3600, DAY = 86400;
constexpr int64_t INTERVAL = 2 * HOUR;
constexpr int64_t LONG_PLAY = 20 * 60;

// When it was told, the item, the outcome, when it was due (local), late.
using Told = std::tuple<int64_t, std::string, AppointmentOutcome, int64_t, bool>;

// UTC seconds from `from` up to, not including, `to`.
struct UtcSpan {
    int64_t from, to;
    bool Holds(int64_t utc) const { return utc >= from && utc < to; }
};

class TimedLog : public AppointmentObserver {
  public:
    explicit TimedLog(const FakeWallClock& wall) : wall_(wall) {}
    std::vector<Told> told;
    void AppointmentKept(const Appointment& a) override {
        told.emplace_back(wall_.utc, a.item.name, a.outcome, a.due, a.late);
    }

  private:
    const FakeWallClock& wall_;
};

// The first UTC second that shows local second `local`; for a second that the spring change
// skips, the change itself, flagged.
struct Lived {
    int64_t utc;
    bool skipped;
};
Lived FirstLived(int64_t local) {
    for (int64_t offset : {FakeWallClock::SUMMER_OFFSET, FakeWallClock::WINTER_OFFSET})
        if (FakeWallClock::OffsetAt(local - offset) == offset) return {local - offset, false};
    const int64_t winterUtc = local - FakeWallClock::WINTER_OFFSET;
    return {winterUtc - winterUtc % HOUR, true};
}

class ScheduleWeekTest : public SchedulerRig {
  protected:
    // A week from Saturday 00:00 local, with its Sunday the night of a change.
    void Plan(int64_t saturday) {
        weekStart = FirstLived(saturday).utc;
        weekEnd = FirstLived(saturday + 7 * DAY + 12 * HOUR).utc;
        asleep = {FirstLived(saturday + 3 * DAY + 23 * HOUR).utc,
                  FirstLived(saturday + 4 * DAY + 8 * HOUR).utc};
        locked = {FirstLived(saturday + 5 * DAY + 14 * HOUR).utc,
                  FirstLived(saturday + 5 * DAY + 15 * HOUR).utc};
        stopped = {FirstLived(saturday + 6 * DAY).utc, FirstLived(saturday + 7 * DAY).utc};

        AddInterval("every 2 h", INTERVAL / HOUR, 0, 0);
        AddOnce("long play", At(2026, 10, 25, 2, 50, 0));  // summer time, to 02:10 winter time
        AddPeriodic("daily 07:00", PERIOD_DAY, 7, 0, 0);
        AddPeriodic("daily 06:00, play if missed", PERIOD_DAY, 6, 0, 0).catchUp = true;
        AddPeriodic("daily 02:10", PERIOD_DAY, 2, 10, 0);
        ScheduleItem& weekly = AddPeriodic("Sundays 02:30, play if missed", PERIOD_WEEK, 2, 30, 0);
        weekly.runDayOfWeek = 1, weekly.catchUp = true;
        ScheduleItem& monthly =
            AddPeriodic("monthly 14:20, play if missed", PERIOD_MONTH, 14, 20, 0);
        monthly.runDayOfMonth = LocalTimeAt(saturday + 5 * DAY).day - 1, monthly.catchUp = true;
        AddOnce("once Friday 12:00, play if missed", saturday + 6 * DAY + 12 * HOUR).catchUp = true;
    }

    // The week as the Scheduler lives it; the interval item's appointments are worked out here,
    // from the ticks it listens to.
    void Live() {
        CopyText(table.scheduleFileName, disk.Path("week.scl"));
        wall.utc = weekStart;
        Start();
        int64_t ticks = 0;
        for (int64_t utc = weekStart + 1; utc < weekEnd; utc = wall.utc + 1) {
            if (utc == stopped.from) {
                StopScheduler(scheduler);
                state = SchedulerState{};
                wall.utc = stopped.to;
                OnScheduleOpened(scheduler);
                Start();
                ticks = 0;
                continue;
            }
            if (utc == asleep.from) utc = asleep.to;
            view.sessionLocked = locked.Holds(utc);
            wall.utc = utc;
            if (++ticks == INTERVAL) {
                expected.emplace_back(utc, "every 2 h",
                                      locked.Holds(utc) ? AppointmentOutcome::MissedLocked
                                                        : AppointmentOutcome::Played,
                                      wall.LocalSecond(), false);
                ticks = 0;
            }
            Tick();
            desktop.calls.clear();
        }
    }

    // The rule items' appointments: each local second of the week that a rule names, by the
    // state of the computer and the session when that second was first lived.
    void ExpectRuleAppointments(int64_t saturday) {
        std::map<std::pair<std::string, int64_t>, int> caughtUp;  // (item, gap end)
        for (int slot = 1; slot < table.count; ++slot) {
            const ScheduleItem& item = table.items[slot];
            for (int64_t due : RuleSeconds(item, saturday)) {
                const Lived lived = FirstLived(due);
                if (lived.utc <= weekStart || lived.utc >= weekEnd) continue;
                Expect(item, due, lived, caughtUp);
                if (PlaySeconds(item) > 0) longPlay = {lived.utc, lived.utc + PlaySeconds(item)};
            }
        }
    }

    static std::vector<int64_t> RuleSeconds(const ScheduleItem& item, int64_t saturday) {
        if (item.runStyle == RUN_STYLE_ONCE)
            return {At(item.onceYear, item.onceMonth, item.onceDay, item.onceHour, item.onceMinute,
                       item.onceSecond)};
        std::vector<int64_t> seconds;
        for (int64_t day = saturday; day < saturday + 8 * DAY; day += DAY) {
            const LocalTime date = LocalTimeAt(day);
            if (item.runEvery == PERIOD_WEEK && date.dayOfWeek != item.runDayOfWeek - 1) continue;
            if (item.runEvery == PERIOD_MONTH && date.day != item.runDayOfMonth + 1) continue;
            seconds.push_back(day + item.runHour * HOUR + item.runMinute * 60 + item.runSecond);
        }
        return seconds;
    }

    void Expect(const ScheduleItem& item, int64_t due, Lived lived,
                std::map<std::pair<std::string, int64_t>, int>& caughtUp) {
        using O = AppointmentOutcome;
        O missed = O::Played;
        int64_t missedAt = lived.utc, playableAt = lived.utc;
        if (stopped.Holds(lived.utc) || lived.utc == stopped.to) {
            missed = O::MissedNotRunning, missedAt = stopped.to, playableAt = stopped.to + 1;
        } else if (asleep.Holds(lived.utc)) {
            missed = O::MissedAsleep, missedAt = playableAt = asleep.to;
        } else if (locked.Holds(lived.utc)) {
            missed = O::MissedLocked, playableAt = locked.to;
        }
        if (missed == O::Played)  // told once the play has ended
            expected.emplace_back(lived.utc + PlaySeconds(item), item.name, O::Played, due, false);
        else if (!item.catchUp)
            expected.emplace_back(missedAt, item.name, missed, due, false);
        else if (!caughtUp[{item.name, playableAt}]++)  // several runs, one play
            expected.emplace_back(playableAt, item.name, O::CaughtUp, due, true);
    }

    static int64_t PlaySeconds(const ScheduleItem& item) {
        return std::string(item.name) == "long play" ? LONG_PLAY : 0;
    }

    void CheckWeek(int64_t saturday) {
        playback.onPlay = [this](const Macro& macro) {
            if (std::string(macro.name) == "long play") wall.utc += LONG_PLAY;
        };
        Plan(saturday);
        ExpectRuleAppointments(saturday);
        Live();
        for (const Told& t : expected)
            EXPECT_FALSE(longPlay.Holds(std::get<0>(t)) && std::get<1>(t) != "long play")
                << "the week is planned with no appointment during the long play";
        std::sort(expected.begin(), expected.end());
        std::sort(log.told.begin(), log.told.end());
        EXPECT_EQ(log.told, expected);
        const long plays = std::count_if(expected.begin(), expected.end(), [](const Told& t) {
            return std::get<2>(t) == AppointmentOutcome::Played ||
                   std::get<2>(t) == AppointmentOutcome::CaughtUp;
        });
        EXPECT_EQ(static_cast<long>(playback.plays.size()), plays);
    }

    void SetUp() override {
        wall.Drive(desktop);
        scheduler.observer = &log;
    }

    FakeWallClock wall;
    TimedLog log{wall};
    std::vector<Told> expected;
    int64_t weekStart = 0, weekEnd = 0;
    UtcSpan asleep{}, locked{}, stopped{}, longPlay{};
};

TEST_F(ScheduleWeekTest, SpringWeekKeepsEveryAppointmentByItsRule) {
    CheckWeek(At(2026, 3, 28, 0, 0, 0));
}

TEST_F(ScheduleWeekTest, AutumnWeekWithAPlayAcrossTheChangeKeepsEveryAppointmentByItsRule) {
    CheckWeek(At(2026, 10, 24, 0, 0, 0));
}

}  // namespace
