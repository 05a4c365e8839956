#pragma once
// Plays a loaded macro to its end with the scheduler's build of the playback engine.
#include "macro/file/macro.h"
#include "macro/player/play_observer.h"

class MacroPlayback {
  public:
    virtual ~MacroPlayback() = default;
    // How the play ended: by its style, by Escape or Pause, or its file lost.
    virtual PlayEnd PlayMacro(const Macro& macro) = 0;
};
