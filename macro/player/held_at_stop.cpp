#include "macro/player/held_at_stop.h"

#include <algorithm>

#include "macro/language/held_input.h"

namespace {

bool HoldsAButton(const std::vector<HeldInput>& held) {
    return std::any_of(held.begin(), held.end(),
                       [](const HeldInput& input) { return input.isButton; });
}

}  // namespace

void ReleaseAtPlayEnd(PlayState& state, MacroInterpreter& interpreter,
                      const std::string& fileName) {
    if (state.position == 0) {
        state.paused = {};
    } else {
        PausedPlay& paused = state.paused;
        paused.fileName = fileName;
        paused.held = interpreter.held;
        paused.pointer = std::nullopt;
        if (HoldsAButton(paused.held)) paused.pointer = interpreter.desktop.GetCursorPos();
        paused.rest = interpreter.unfinished;
    }
    interpreter.unfinished = {};
    ReleaseHeldInput(interpreter);
}

void ResumePausedPlay(PlayState& state, MacroInterpreter& interpreter) {
    if (state.position == 0) return;
    const PausedPlay& paused = state.paused;
    if (paused.pointer) interpreter.desktop.SetCursorPos(paused.pointer->x, paused.pointer->y);
    for (const HeldInput& input : paused.held)
        PressAgain(interpreter, input);
    FinishLine(interpreter, paused.rest);
}
