#pragma once
// A play leaves nothing held: at its end every key and button its macro still holds is
// released, and a play that resumes a paused pass first puts back what the macro held there
// (the pointer, the modifiers and the buttons) and finishes the line Pause cut short, so that
// the rest of the pass plays as it would have.
#include <string>

#include "macro/language/interpreter.h"
#include "macro/player/play_state.h"

// At every end of a play; what the macro held is kept for a resume when `position` is kept.
void ReleaseAtPlayEnd(PlayState& state, MacroInterpreter& interpreter, const std::string& fileName);
// Before the first step of a play that starts at a kept `position`.
void ResumePausedPlay(PlayState& state, MacroInterpreter& interpreter);
