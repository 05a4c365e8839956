#pragma once
// The scheduler window: dialog 105, the program's one window for its whole run.
#include <windows.h>

#include <optional>

#include "scheduler/engine/scheduled_playback.h"
#include "scheduler/window/schedule_window.h"
#include "scheduler/window/scheduler_view_win32.h"
#include "settings/settings.h"
#include "ui/dialog_dpi_scaling_win32.h"

// Everything the window works with; owned by the program entry.
struct SchedulerProgram {
    SchedulerProgram(DesktopPort& desktop, FileSystem& files, SettingsContext& settings);

    ScheduleTable table;
    SchedulerState state;
    Win32SchedulerView view;
    ScheduledPlayback playback;
    ScheduleHistory history;
    Scheduler scheduler;
    ScheduleWindow window;
    SettingsContext& settings;
    std::optional<DialogDpiScaling> scaling;  // the window's, from its creation on
};

// Runs the window modally until Exit; what DialogBoxParamA returned.
INT_PTR RunSchedulerWindow(SchedulerProgram& program);
