#include "scheduler/engine/scheduled_playback.h"

ScheduledPlayback::ScheduledPlayback(DesktopPort& desktop, FileSystem& files)
    : interpreter_{desktop, InterpreterMode::Lenient, 0, NO_WINDOW, {}}, player_{playState_,
                                                                                 desktop,
                                                                                 files,
                                                                                 interpreter_,
                                                                                 NO_WINDOW,
                                                                                 this,
                                                                                 [] { return NOMINAL_PLAY_SPEED; }} {}

void ScheduledPlayback::SetMainWindow(WindowHandle window) {
    interpreter_.mainWindow = window;
    player_.mainWindow = window;
}

// A play that cannot begin (its file vanished since it was loaded) reports no end.
PlayEnd ScheduledPlayback::PlayMacro(const Macro& macro) {
    end_ = PlayEnd::FileLost;
    ::PlayMacro(player_, macro, ORIGIN_SCHEDULE);
    return end_;
}
