#include "scheduler/schedule_rules.h"
#include "scheduler/scheduler.h"
#include "macro/desktop/wall_clock.h"

namespace {

int64_t CurrentSecond(Scheduler& scheduler) {
    return SecondOf(scheduler.desktop.GetLocalTime());
}

// The first second this tick evaluates: the one after the last, unless the clock went back
// or jumped too far ahead, when only the current second counts.
int64_t FirstSecondToEvaluate(const SchedulerState& state, int64_t now) {
    if (!state.lastSecond || now < *state.lastSecond ||
        now - *state.lastSecond > MAX_CATCH_UP_SECONDS)
        return now;
    return *state.lastSecond + 1;
}

// Evaluates every item at one second. A late second keeps its own time; in the tick's own
// second, the items after a play are compared with the clock as the play left it, so a second
// that passes during a play is not caught up.
void EvaluateSecond(Scheduler& scheduler, int64_t second, bool tickSecond,
                    std::optional<int64_t>& playEnded) {
    ScheduleTable& table = scheduler.table;
    LocalTime clock = LocalTimeAt(second);
    for (int slot = 0; slot < table.count && scheduler.state.listening; ++slot) {
        ScheduleItem& item = table.items[slot];
        AdvanceIntervalClock(item);
        if (!IsItemDue(item, clock) || !item.active) continue;
        if (FireItem(scheduler, item)) {
            const LocalTime after = scheduler.desktop.GetLocalTime();
            playEnded = SecondOf(after);
            if (tickSecond) clock = after;
        }
        if (item.runStyle == RUN_STYLE_INTERVAL) ResetIntervalClock(item);
    }
}

// Every second since the last evaluated one, each once and in order: a timer that drifts and
// lands twice in one second, then skips the next, loses no due item.
void EvaluateDueSeconds(Scheduler& scheduler) {
    SchedulerState& state = scheduler.state;
    const int64_t now = CurrentSecond(scheduler);
    std::optional<int64_t> playEnded;
    for (int64_t second = FirstSecondToEvaluate(state, now); second <= now && state.listening;
         ++second)
        EvaluateSecond(scheduler, second, second == now, playEnded);
    state.lastSecond = playEnded && *playEnded > now ? *playEnded : now;
}

void TogglePause(Scheduler& scheduler) {
    SetSuspended(scheduler, !scheduler.state.suspended);
    SetTrayIconState(scheduler, RestingTrayState(scheduler.state));
}

}  // namespace

void StartScheduler(Scheduler& scheduler) {
    for (int slot = 0; slot < scheduler.table.count; ++slot)
        ResetIntervalClock(scheduler.table.items[slot]);
    scheduler.state.lastSecond = CurrentSecond(scheduler);
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
        state.lastSecond = CurrentSecond(scheduler);
    } else if (state.suspended) {
        state.lastSecond = CurrentSecond(scheduler);
    } else {
        EvaluateDueSeconds(scheduler);
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
