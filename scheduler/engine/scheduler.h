#pragma once
// The one-second schedule evaluation and the plays it starts.
#include <cstdint>
#include <optional>

#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "macro/file/macro.h"
#include "scheduler/engine/clock_change.h"
#include "scheduler/engine/macro_playback.h"
#include "scheduler/engine/schedule_history.h"
#include "scheduler/engine/scheduler_shell.h"
#include "scheduler/schedule/schedule_item.h"

// The scheduler's state, one per program.
struct SchedulerState {
    uintptr_t schedulerTimer = 0;  // 0: none
    bool suspended = false;
    bool listening = false;  // between StartScheduler and StopScheduler
    Macro playRecord{};
    // The latest local second that was evaluated, or passed over during a play or a
    // suspension; the next tick evaluates the local seconds it lives for the first time.
    std::optional<int64_t> lastSecond;
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
};

// Zeroes the interval clocks and starts the one-second timer.
void StartScheduler(Scheduler& scheduler);
// Kills the timer; no tick runs until the next start.
void StopScheduler(Scheduler& scheduler);
void SchedulerTick(Scheduler& scheduler);
// The one-second timer alone, calling SchedulerTick.
void StartSchedulerTimer(Scheduler& scheduler);
void KillSchedulerTimer(Scheduler& scheduler);
void SetTrayIconState(Scheduler& scheduler, TrayState state);
// Enables or disables all items, with the window menu's pair of commands to match.
void SetSuspended(Scheduler& scheduler, bool suspended);
// The icon between plays: suspended or idle.
TrayState RestingTrayState(const SchedulerState& state);
