#include "macro/language/held_input.h"

#include <algorithm>

#include "macro/language/interpreter.h"

namespace {

// One release lets go of a key however often it went down.
void Note(MacroInterpreter& interpreter, HeldInput input, bool down) {
    std::vector<HeldInput>& held = interpreter.held;
    auto found = std::find(held.begin(), held.end(), input);
    if (down && found == held.end()) held.push_back(input);
    if (!down && found != held.end()) held.erase(found);
}

void SendButton(DesktopPort& desktop, uint8_t button, bool down) {
    for (const desk::ButtonEvents& events : desk::BUTTONS)
        if (events.virtualKey == button)
            desktop.mouse_event(down ? events.down : events.up, events.data);
}

void Release(DesktopPort& desktop, HeldInput input) {
    if (!input.isButton)
        desktop.keybd_event(input.virtualKey, desk::KEY_RELEASE);
    else
        SendButton(desktop, input.virtualKey, false);
}

// A keyboard repeats the last key pressed while it is down, and no longer once another goes
// down; Shift, Ctrl, Alt and the Windows keys are left out, as programs take no repeats of them.
void FollowRepeat(MacroInterpreter& interpreter, uint8_t virtualKey, bool down) {
    std::optional<RepeatingKey>& repeating = interpreter.repeating;
    if (!down) {
        if (repeating && repeating->virtualKey == virtualKey) repeating.reset();
        return;
    }
    repeating.reset();
    const KeyRepeat& repeat = interpreter.keyRepeat;
    if (desk::IsModifierKey(virtualKey) || repeat.everyMicroseconds <= 0) return;
    repeating = RepeatingKey{
        virtualKey, interpreter.desktop.QueryPerformanceCounter() + repeat.delayMicroseconds,
        repeat.everyMicroseconds};
}

}  // namespace

void SendKeyTransition(MacroInterpreter& interpreter, uint8_t virtualKey, uint32_t flags) {
    interpreter.desktop.keybd_event(virtualKey, flags);
    const bool down = (flags & desk::KEY_RELEASE) == 0;
    Note(interpreter, {false, virtualKey}, down);
    FollowRepeat(interpreter, virtualKey, down);
}

void RepeatHeldKey(MacroInterpreter& interpreter) {
    RepeatingKey& repeating = *interpreter.repeating;
    interpreter.desktop.keybd_event(repeating.virtualKey, 0);
    repeating.nextAt = std::max(repeating.nextAt + repeating.everyMicroseconds,
                                interpreter.desktop.QueryPerformanceCounter());
}

void SendButtonTransition(MacroInterpreter& interpreter, uint8_t button, bool down) {
    SendButton(interpreter.desktop, button, down);
    Note(interpreter, {true, button}, down);
}

void ReleaseHeldInput(MacroInterpreter& interpreter) {
    std::vector<HeldInput> held;
    held.swap(interpreter.held);
    interpreter.repeating.reset();
    for (auto input = held.rbegin(); input != held.rend(); ++input)
        Release(interpreter.desktop, *input);
}

void PressAgain(MacroInterpreter& interpreter, const HeldInput& input) {
    if (!input.isButton)
        SendKeyTransition(interpreter, input.virtualKey, 0);
    else
        SendButtonTransition(interpreter, input.virtualKey, true);
}
