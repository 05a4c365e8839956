#pragma once
// Every key and mouse button transition of a play goes through here, so that the interpreter
// knows what the play holds down: a play must never end with a key or button held.
#include <cstdint>

struct MacroInterpreter;
struct HeldInput;

// One key transition (flags 0 or desk::KEY_RELEASE).
void SendKeyTransition(MacroInterpreter& interpreter, uint8_t virtualKey, uint32_t flags);
// One transition at the pointer of the button with this virtual key (desk::BUTTONS).
void SendButtonTransition(MacroInterpreter& interpreter, uint8_t button, bool down);

// Sends the next repeat of the key that repeats (interpreter.repeating, which must be set).
void RepeatHeldKey(MacroInterpreter& interpreter);

// Releases whatever the play still holds, the last pressed first.
void ReleaseHeldInput(MacroInterpreter& interpreter);

// Presses again a key or button that a paused play held.
void PressAgain(MacroInterpreter& interpreter, const HeldInput& input);
