#include "macro/player/held_at_stop.h"

#include "macro/language/held_input.h"

void ReleaseAtPlayEnd(PlayState& state, MacroInterpreter& interpreter) {
    if (state.position == 0)
        state.heldModifiers.clear();
    else
        state.heldModifiers = HeldModifiers(interpreter);
    ReleaseHeldInput(interpreter);
}

void PressAgainOnResume(PlayState& state, MacroInterpreter& interpreter) {
    if (state.position == 0) return;
    for (uint8_t modifier : state.heldModifiers)
        SendKeyTransition(interpreter, modifier, 0);
}
