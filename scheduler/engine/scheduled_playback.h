#pragma once
// The scheduler's build of the playback engine: the lenient interpreter, no progress display.
#include "macro/player/macro_player.h"
#include "scheduler/engine/macro_playback.h"

class ScheduledPlayback : public MacroPlayback {
  public:
    ScheduledPlayback(DesktopPort& desktop, FileSystem& files);
    // The owner of the engine's error boxes and of RUN and OPEN_URL, once the window exists.
    void SetMainWindow(WindowHandle window);

    void PlayMacro(const Macro& macro) override;

  private:
    PlayState playState_;
    MacroInterpreter interpreter_;
    MacroPlayer player_;
};
