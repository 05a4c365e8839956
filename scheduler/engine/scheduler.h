#pragma once
// The one-second schedule evaluation and the plays it starts.
#include <cstdint>
#include <optional>
#include <vector>

#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "macro/file/macro.h"
#include "scheduler/engine/appointment.h"
#include "scheduler/engine/clock_change.h"
#include "scheduler/engine/macro_playback.h"
#include "scheduler/engine/schedule_history.h"
#include "scheduler/engine/scheduler_shell.h"
#include "scheduler/schedule/schedule_item.h"
#include "settings/settings_store.h"

// An appointment of an item with "Play if missed" that waits for the Scheduler to be able to
// play it: the earliest one missed, and why.
struct PendingCatchUp {
    int64_t due;
    int slot;
    AppointmentOutcome missed;
};

// The scheduler's state, one per program.
struct SchedulerState {
    uintptr_t schedulerTimer = 0;  // 0: none
    bool suspended = false;
    bool listening = false;  // between StartScheduler and StopScheduler
    Macro playRecord{};
    // The latest local second that was evaluated, or passed over during a play, a suspension
    // or while the window was shown; the next tick evaluates the local seconds it lives for the
    // first time. Kept across hiding and showing, so that no second is matched twice.
    std::optional<int64_t> lastSecond;
    // The local seconds from the schedule's last evaluated second, as the settings keep it, to
    // its load: the time the Scheduler was not running. Accounted for at the next start.
    std::optional<SecondSpan> notRunning;
    std::optional<int64_t> storedSecond;   // lastSecond as last written to the settings
    std::vector<PendingCatchUp> catchUps;  // one per item at most
    // UTC at the last tick, or at the end of its last play: the time that passed since, on a
    // clock that daylight saving does not move.
    int64_t lastUtcSecond = 0;
    bool evaluating = false;  // a tick is running (a load error box may dispatch the next one)
};

struct Scheduler {
    ScheduleTable& table;
    SchedulerState& state;
    DesktopPort& desktop;
    FileSystem& files;
    SchedulerShell& shell;
    MacroPlayback& playback;
    ScheduleHistory& history;
    WindowHandle mainWindow;
    SettingsStore* settings = nullptr;        // where the last evaluated second is kept
    AppointmentObserver* observer = nullptr;  // told of every appointment's outcome
};

// Zeroes the interval clocks and starts the one-second timer.
void StartScheduler(Scheduler& scheduler);
// Kills the timer; no tick runs until the next start. Missed appointments still waiting to be
// caught up are accounted for as missed, and the second reached is kept in the settings.
void StopScheduler(Scheduler& scheduler);
// The time up to now is accounted for (the window was shown), and kept in the settings; before
// the schedule is replaced.
void KeepEvaluatedUntilNow(Scheduler& scheduler);
// After a schedule file was loaded or a new one begun: the appointments that passed since it was
// last evaluated are missed "not running", accounted for when the Scheduler next starts listening.
void OnScheduleOpened(Scheduler& scheduler);
void SchedulerTick(Scheduler& scheduler);
// The one-second timer alone, calling SchedulerTick.
void StartSchedulerTimer(Scheduler& scheduler);
void KillSchedulerTimer(Scheduler& scheduler);
void SetTrayIconState(Scheduler& scheduler, TrayState state);
// Enables or disables all items, with the window menu's pair of commands to match.
void SetSuspended(Scheduler& scheduler, bool suspended);
// The icon between plays: suspended or idle.
TrayState RestingTrayState(const SchedulerState& state);
