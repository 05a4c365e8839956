#pragma once
// The scheduler's build of the playback engine: the lenient interpreter pacing by the play
// record, no progress display, and the notification-area icon reset after a stop.
#include "macro/player/macro_player.h"
#include "scheduler/macro_playback.h"
#include "scheduler/scheduler.h"

class ScheduledPlayback : public MacroPlayback, public SchedulerTray {
  public:
    ScheduledPlayback(DesktopPort& desktop, FileSystem& files, SchedulerState& scheduler,
                      SchedulerShell& shell);
    // The owner of the engine's error boxes and of RUN and OPEN_URL, once the window exists.
    void SetMainWindow(WindowHandle window);

    void PlayMacro(const Macro& macro) override;
    bool Suspended() const override;
    void SetTrayIconState(int state) override;

  private:
    DesktopPort& desktop_;
    SchedulerState& scheduler_;
    SchedulerShell& shell_;
    PlayState playState_;
    MacroInterpreter interpreter_;
    MacroPlayer player_;
};
