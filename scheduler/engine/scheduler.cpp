#include "scheduler/engine/scheduler.h"
#include "scheduler/engine/fire_item.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "macro/desktop/wall_clock.h"
#include "scheduler/schedule/schedule_rules.h"

namespace {

// Local time matches the items; UTC measures the time that passed.
struct ClockReading {
    int64_t local;
    int64_t utc;
};

ClockReading ReadClock(DesktopPort& desktop) {
    return {SecondOf(desktop.GetLocalTime()), SecondOf(desktop.GetSystemTime())};
}

// The clock has moved on to `reading` without a look at the items.
void PassOver(SchedulerState& state, ClockReading reading) {
    state.lastSecond = LatestSecondLived(state.lastSecond, reading.local);
    state.lastUtcSecond = reading.utc;
}

bool IsStepDue(const ScheduleItem& item, const std::optional<LocalTime>& clock) {
    return clock ? IsItemDue(item, *clock) : IsIntervalDue(item);
}

// One second on every interval clock, with the items matched against `clock`, or, when the
// step lives no new local second (the clock was set back), the interval items alone. In the
// tick's own second, the items after a play are compared with the clock as the play left it,
// so a second that passes during a play is not caught up.
void EvaluateStep(Scheduler& scheduler, std::optional<LocalTime> clock, bool tickSecond,
                  std::optional<ClockReading>& playEnded) {
    ScheduleTable& table = scheduler.table;
    for (int slot = 0; slot < table.count && scheduler.state.listening; ++slot) {
        ScheduleItem& item = table.items[slot];
        AdvanceIntervalClock(item);
        if (!IsStepDue(item, clock) || !item.active) continue;
        if (FireItem(scheduler, item)) {
            playEnded = ReadClock(scheduler.desktop);
            if (tickSecond) clock = LocalTimeAt(playEnded->local);
        }
        if (item.runStyle == RUN_STYLE_INTERVAL) ResetIntervalClock(item);
    }
}

// The items due in local seconds that the clock skipped (daylight saving began, the machine
// slept, the clock was set forward) fire once each, in due order, table order within a second.
void FireSkippedItems(Scheduler& scheduler, SecondSpan skipped,
                      std::optional<ClockReading>& playEnded) {
    if (skipped.Empty()) return;
    ScheduleTable& table = scheduler.table;
    std::vector<std::pair<int64_t, int>> due;
    for (int slot = 0; slot < table.count; ++slot) {
        const ScheduleItem& item = table.items[slot];
        if (!item.active) continue;
        if (std::optional<int64_t> second = FirstDueSecond(item, skipped.first, skipped.last))
            due.emplace_back(*second, slot);
    }
    std::sort(due.begin(), due.end());
    for (const auto& [second, slot] : due) {
        if (!scheduler.state.listening) return;
        if (FireItem(scheduler, table.items[slot])) playEnded = ReadClock(scheduler.desktop);
    }
}

// The local seconds this tick lives for the first time, and as many steps of the interval
// clocks as the ticks that the time passed (in UTC) stands for. The last of those seconds are
// walked one by one with the interval clocks, as a late timer's; the ones before them were
// skipped by a jump and only their due items fire.
void EvaluateTick(Scheduler& scheduler) {
    SchedulerState& state = scheduler.state;
    const ClockReading now = ReadClock(scheduler.desktop);
    const SecondSpan fresh = NewLocalSeconds(state.lastSecond, now.local);
    const int64_t steps = IntervalClockSeconds(now.utc - state.lastUtcSecond);
    const int64_t walked = std::min(steps, fresh.Length());
    std::optional<ClockReading> playEnded;
    FireSkippedItems(scheduler, {fresh.first, fresh.last - walked}, playEnded);
    for (int64_t step = walked; step < steps && state.listening; ++step)
        EvaluateStep(scheduler, std::nullopt, false, playEnded);
    for (int64_t second = fresh.last - walked + 1; second <= fresh.last && state.listening;
         ++second)
        EvaluateStep(scheduler, LocalTimeAt(second), second == now.local, playEnded);
    PassOver(state, now);
    if (playEnded) PassOver(state, *playEnded);
}

void TogglePause(Scheduler& scheduler) {
    SetSuspended(scheduler, !scheduler.state.suspended);
    SetTrayIconState(scheduler, RestingTrayState(scheduler.state));
}

}  // namespace

void StartScheduler(Scheduler& scheduler) {
    for (int slot = 0; slot < scheduler.table.count; ++slot)
        ResetIntervalClock(scheduler.table.items[slot]);
    // Nothing is caught up over the time the window was shown.
    scheduler.state.lastSecond.reset();
    PassOver(scheduler.state, ReadClock(scheduler.desktop));
    scheduler.state.listening = true;
    StartSchedulerTimer(scheduler);
}

void StopScheduler(Scheduler& scheduler) {
    KillSchedulerTimer(scheduler);
    scheduler.state.listening = false;
}

void StartSchedulerTimer(Scheduler& scheduler) {
    scheduler.state.schedulerTimer =
        scheduler.desktop.SetTimer(0, 1000, [&scheduler] { SchedulerTick(scheduler); });
}

void KillSchedulerTimer(Scheduler& scheduler) {
    if (scheduler.state.schedulerTimer != 0)
        scheduler.desktop.KillTimer(scheduler.state.schedulerTimer);
    scheduler.state.schedulerTimer = 0;
}

void SchedulerTick(Scheduler& scheduler) {
    SchedulerState& state = scheduler.state;
    if (state.evaluating || !state.listening) return;
    state.evaluating = true;
    if (scheduler.desktop.GetAsyncKeyState(desk::KEY_PAUSE) != 0) {
        TogglePause(scheduler);
        PassOver(state, ReadClock(scheduler.desktop));
    } else if (state.suspended) {
        PassOver(state, ReadClock(scheduler.desktop));
    } else {
        EvaluateTick(scheduler);
    }
    state.evaluating = false;
}

void SetSuspended(Scheduler& scheduler, bool suspended) {
    scheduler.state.suspended = suspended;
    scheduler.shell.ShowSuspension(suspended);
}

TrayState RestingTrayState(const SchedulerState& state) {
    return state.suspended ? TRAY_SUSPENDED : TRAY_IDLE;
}

void SetTrayIconState(SchedulerShell& shell, DesktopPort& desktop, TrayState state) {
    for (int attempt = 1; !shell.ModifyTrayIcon(state); ++attempt) {
        if (attempt == TRAY_MODIFY_ATTEMPTS) return;
        desktop.WaitPrecisely(TRAY_RETRY_WAIT_MS);
    }
}

void SetTrayIconState(Scheduler& scheduler, TrayState state) {
    SetTrayIconState(scheduler.shell, scheduler.desktop, state);
}
