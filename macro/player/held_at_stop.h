#pragma once
// A play leaves nothing held: at its end every key and button its macro still holds is
// released, and a play that resumes a stopped pass first presses again the modifiers that
// the macro held at that step, so that the rest of the pass types as it would have.
#include "macro/language/interpreter.h"
#include "macro/player/play_state.h"

// At every end of a play; the modifiers are kept for a resume when `position` is kept.
void ReleaseAtPlayEnd(PlayState& state, MacroInterpreter& interpreter);
// Before the first step of a play that starts at a kept `position`.
void PressAgainOnResume(PlayState& state, MacroInterpreter& interpreter);
