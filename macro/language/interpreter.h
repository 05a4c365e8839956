#pragma once
// The macro command language: one line of code per call.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/desktop/desktop_port.h"

// Keyloom tests every command's arguments and reports failures; Keyloom Scheduler runs
// unattended and does neither.
enum class InterpreterMode { Strict, Lenient };

// A key or mouse button that a play holds down; a button by its virtual key
// (desk::KEY_LBUTTON, KEY_RBUTTON).
struct HeldInput {
    bool isButton;
    uint8_t virtualKey;
    bool operator==(const HeldInput&) const = default;
};

struct MacroInterpreter {
    DesktopPort& desktop;
    InterpreterMode mode;
    // The pause after every command, in milliseconds: the speed of the macro being played, set
    // by whatever starts the play through StartPace.
    int32_t pace = 0;
    // Keyloom: owner of the error messages and of RUN; the scheduler: owner of RUN and OPEN_URL.
    WindowHandle mainWindow = NO_WINDOW;
    // The text that window titles were last searched for.
    std::string targetTitle;
    // What the play has pressed and not released, in the order it went down (held_input.h).
    std::vector<HeldInput> held{};
    // When the last pace or DELAY wait was due, on the performance counter (microseconds): the
    // next ends its time after it, so that neither a line's own work nor a wait's late wake adds
    // to a play's length. Unset until a play starts it.
    std::optional<int64_t> paceClock{};
};

// Begins the pace of a play: `pace` ms a line, counted from now.
void StartPace(MacroInterpreter& interpreter, int32_t pace);

// Executes one line of macro code (a trailing carriage return does no harm). True when the
// line was carried out or names no command; false when it is empty or the command failed.
bool ExecuteMacroLine(MacroInterpreter& interpreter, std::string_view line);
