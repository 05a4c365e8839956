#include "scheduler/scheduled_playback.h"

ScheduledPlayback::ScheduledPlayback(DesktopPort& desktop, FileSystem& files,
                                     SchedulerState& scheduler, SchedulerShell& shell)
    : desktop_(desktop),
      scheduler_(scheduler),
      shell_(shell),
      interpreter_{desktop,
                   InterpreterMode::Lenient,
                   [this] { return scheduler_.playRecord.speed; },
                   NO_WINDOW,
                   {}},
      player_{playState_, desktop, files, interpreter_, NO_WINDOW, nullptr, this} {}

void ScheduledPlayback::SetMainWindow(WindowHandle window) {
    interpreter_.mainWindow = window;
    player_.mainWindow = window;
}

void ScheduledPlayback::PlayMacro(const Macro& macro) {
    PlayScheduledMacro(player_, macro);
}

bool ScheduledPlayback::Suspended() const {
    return scheduler_.suspended;
}

void ScheduledPlayback::SetTrayIconState(int state) {
    ::SetTrayIconState(shell_, desktop_, static_cast<TrayState>(state));
}
