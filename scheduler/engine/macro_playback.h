#pragma once
// Plays a loaded macro to its end with the scheduler's build of the playback engine.
#include "macro/file/macro.h"

class MacroPlayback {
  public:
    virtual ~MacroPlayback() = default;
    virtual void PlayMacro(const Macro& macro) = 0;
};
