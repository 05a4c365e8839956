#include "scheduler/engine/scheduler.h"
#include "scheduler/engine/appointments.h"
#include "scheduler/engine/fire_item.h"
#include "scheduler/engine/last_evaluated.h"

#include <algorithm>

#include "macro/desktop/wall_clock.h"
#include "macro/file/text_field.h"
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

// One second on every interval clock, with the items matched against the local second
// `matched`, or, when the step lives no new local second (the clock was set back), the
// interval items alone. In the tick's own second, the items after a play are compared with the
// clock as the play left it, so a second that passes during a play is not caught up; a clock
// that the play left on a second already lived (daylight saving ended during it) matches
// nothing. While the session is locked, a due item is missed instead.
void EvaluateStep(Scheduler& scheduler, std::optional<int64_t> matched, int64_t tickSecond,
                  bool locked, std::optional<ClockReading>& playEnded) {
    ScheduleTable& table = scheduler.table;
    const std::optional<int64_t> stepSecond = matched;
    for (int slot = 0; slot < table.count && scheduler.state.listening; ++slot) {
        ScheduleItem& item = table.items[slot];
        AdvanceIntervalClock(item);
        const bool due = matched ? IsItemDue(item, LocalTimeAt(*matched)) : IsIntervalDue(item);
        if (!due || !item.active) continue;
        const int64_t dueSecond = matched.value_or(tickSecond);
        if (locked) {
            MissAppointment(scheduler, slot, dueSecond, AppointmentOutcome::MissedLocked);
        } else if (PlayAppointment(scheduler, slot, dueSecond, false)) {
            playEnded = ReadClock(scheduler.desktop);
            if (stepSecond == tickSecond)
                matched =
                    playEnded->local >= tickSecond ? std::optional(playEnded->local) : std::nullopt;
        }
        if (item.runStyle == RUN_STYLE_INTERVAL) ResetIntervalClock(item);
    }
}

// The items due in local seconds that a change of the clock's offset skipped (daylight saving
// began) fire once each, in due order, table order within a second.
void FireSkippedItems(Scheduler& scheduler, SecondSpan skipped, bool locked,
                      std::optional<ClockReading>& playEnded) {
    for (const auto& [second, slot] : FirstAppointments(scheduler.table, skipped)) {
        if (!scheduler.state.listening) return;
        if (locked)
            MissAppointment(scheduler, slot, second, AppointmentOutcome::MissedLocked);
        else if (PlayAppointment(scheduler, slot, second, false))
            playEnded = ReadClock(scheduler.desktop);
    }
}

// More UTC time than a late timer explains passed since the last tick: the computer slept or
// hibernated, or the clock was set forward. The local seconds it did not live listening are
// missed; the tick then lives the current second only.
void MissSleptSeconds(Scheduler& scheduler, ClockReading now) {
    SchedulerState& state = scheduler.state;
    if (now.utc - state.lastUtcSecond <= MAX_CATCH_UP_SECONDS || !state.lastSecond ||
        now.local - 1 <= *state.lastSecond)
        return;
    MissSpan(scheduler, {*state.lastSecond + 1, now.local - 1}, AppointmentOutcome::MissedAsleep);
    state.lastSecond = now.local - 1;
}

// The local seconds this tick lives for the first time, and as many steps of the interval
// clocks as the ticks that the time passed (in UTC) stands for. The last of those seconds are
// walked one by one with the interval clocks, as a late timer's; the ones before them were
// skipped by daylight saving and only their due items fire. Catch-ups follow while the session
// is open.
void EvaluateTick(Scheduler& scheduler) {
    SchedulerState& state = scheduler.state;
    const ClockReading now = ReadClock(scheduler.desktop);
    const bool locked = scheduler.shell.SessionLocked();
    MissSleptSeconds(scheduler, now);
    const SecondSpan fresh = NewLocalSeconds(state.lastSecond, now.local);
    const int64_t steps = IntervalClockSeconds(now.utc - state.lastUtcSecond);
    const int64_t walked = std::min(steps, fresh.Length());
    std::optional<ClockReading> playEnded;
    FireSkippedItems(scheduler, {fresh.first, fresh.last - walked}, locked, playEnded);
    for (int64_t step = walked; step < steps && state.listening; ++step)
        EvaluateStep(scheduler, std::nullopt, now.local, locked, playEnded);
    for (int64_t second = fresh.last - walked + 1; second <= fresh.last && state.listening;
         ++second)
        EvaluateStep(scheduler, second, now.local, locked, playEnded);
    PassOver(state, now);
    if (playEnded) PassOver(state, *playEnded);
    if (!locked && state.listening) PlayCatchUps(scheduler);
    KeepLastEvaluated(scheduler, false);
}

void TogglePause(Scheduler& scheduler) {
    SetSuspended(scheduler, !scheduler.state.suspended);
    SetTrayIconState(scheduler, RestingTrayState(scheduler.state));
}

}  // namespace

void StartScheduler(Scheduler& scheduler) {
    for (int slot = 0; slot < scheduler.table.count; ++slot)
        ResetIntervalClock(scheduler.table.items[slot]);
    // Nothing is caught up over the time the window was shown, and no second already lived
    // is lived again (the window was shown and hidden in an hour that comes twice).
    SchedulerState& state = scheduler.state;
    PassOver(state, ReadClock(scheduler.desktop));
    state.listening = true;
    if (state.notRunning)
        MissSpan(scheduler, *state.notRunning, AppointmentOutcome::MissedNotRunning);
    state.notRunning.reset();
    StartSchedulerTimer(scheduler);
}

void StopScheduler(Scheduler& scheduler) {
    KillSchedulerTimer(scheduler);
    scheduler.state.listening = false;
    DropCatchUps(scheduler);
    KeepEvaluatedUntilNow(scheduler);
}

void KeepEvaluatedUntilNow(Scheduler& scheduler) {
    PassOver(scheduler.state, ReadClock(scheduler.desktop));
    KeepLastEvaluated(scheduler, true);
}

void OnScheduleOpened(Scheduler& scheduler) {
    SchedulerState& state = scheduler.state;
    const int64_t now = SecondOf(scheduler.desktop.GetLocalTime());
    state.notRunning.reset();
    state.storedSecond.reset();
    state.lastSecond.reset();
    if (!scheduler.settings || IsUntitled(scheduler.table)) return;
    const std::optional<int64_t> last =
        ReadLastEvaluated(*scheduler.settings, FieldText(scheduler.table.scheduleFileName));
    if (!last) return;
    state.storedSecond = last;
    state.lastSecond = LatestSecondLived(last, now);
    if (now > *last) state.notRunning = SecondSpan{*last + 1, now};
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
