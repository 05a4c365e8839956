#pragma once
// The scheduler's build of the playback engine: the lenient interpreter, no progress display.
#include "macro/player/macro_player.h"
#include "scheduler/engine/macro_playback.h"

class ScheduledPlayback : public MacroPlayback, private PlayObserver {
  public:
    ScheduledPlayback(DesktopPort& desktop, FileSystem& files);
    // The owner of the engine's error boxes and of RUN and OPEN_URL, once the window exists.
    void SetMainWindow(WindowHandle window);

    PlayEnd PlayMacro(const Macro& macro) override;

  private:
    void PlayStarted(PlayOrigin, int32_t, int32_t) override {}
    void StepPlaying(int32_t) override {}
    void PlayEnded(PlayOrigin, PlayEnd end, int32_t) override { end_ = end; }

    PlayEnd end_ = PlayEnd::FileLost;
    PlayState playState_;
    MacroInterpreter interpreter_;
    MacroPlayer player_;
};
