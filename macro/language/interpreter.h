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

// A key or mouse button that a play holds down; a button by its virtual key (desk::BUTTONS).
struct HeldInput {
    bool isButton;
    uint8_t virtualKey;
    bool operator==(const HeldInput&) const = default;
};

// What Escape or Pause left of the line they cut short, for a resumed play to finish.
struct LineRest {
    int64_t waitMicroseconds = 0;  // of its pace or DELAY
    std::string text{};            // of a TYPE, not yet typed: the pace follows it
    std::string line{};            // a wait for a window: waited again, with its whole time
};

// A play's speed in percent: every pace and DELAY takes 100/speed of its time.
constexpr int32_t NOMINAL_PLAY_SPEED = 100;

// The key a play holds down that repeats, as a keyboard repeats the last key pressed.
struct RepeatingKey {
    uint8_t virtualKey;
    int64_t nextAt;  // on the performance counter
    int64_t everyMicroseconds;
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
    std::optional<RepeatingKey> repeating{};
    // How the keyboard repeats a held key, read by StartPace once a play: none before.
    KeyRepeat keyRepeat{};
    // When the last pace or DELAY wait was due, on the performance counter (microseconds): the
    // next ends its time after it, so that neither a line's own work nor a wait's late wake adds
    // to a play's length. Unset until a play starts it.
    std::optional<int64_t> paceClock{};
    // Set by a play: its waits, texts and sounds give up as soon as Escape or Pause is pressed.
    bool watchesStopKeys = false;
    int64_t watchedSince = 0;  // on the performance counter: later presses of the keys count
    // The stop key a play has seen (desk::KEY_ESCAPE or KEY_PAUSE), 0 before; and what was left
    // of the line it cut short.
    int stopKey = 0;
    LineRest unfinished{};
    // Set with the Escape that ends a play whose wait for a window ran out.
    bool windowMissing = false;
    // The speed of the play, set with its pace by StartPace; waits for windows keep their time.
    int32_t speed = NOMINAL_PLAY_SPEED;
};

// The stop key seen so far, else Escape or Pause if down now, pressed since the last query of the
// key's state, or pressed by the user since the play began watching; 0 when none. Once seen, a
// key stays seen.
int StopKeyPressed(MacroInterpreter& interpreter);

// Whether a play that watches its stop keys has seen one: its waits, texts and sounds give up.
bool PlayStopRequested(MacroInterpreter& interpreter);

// Ends the play of the current line as Escape would, for a window that did not appear: the play
// sees Escape before its next line.
void AbandonPlay(MacroInterpreter& interpreter);

// Each play looks for its own stop keys, from none seen. The press that stopped the last play is
// spent: a play seeing it through the keyboard hook may have left the key state saying "pressed
// since the last query".
void WatchStopKeys(MacroInterpreter& interpreter, bool on);

// Types the rest of the text and waits the rest of the wait that a stop left of a line.
void FinishLine(MacroInterpreter& interpreter, const LineRest& rest);

// Begins the pace of a play: `pace` ms a line at `speed` percent, counted from now.
void StartPace(MacroInterpreter& interpreter, int32_t pace, int32_t speed);

// Executes one line of macro code (a trailing carriage return does no harm). True when the
// line was carried out or names no command; false when it is empty or the command failed.
bool ExecuteMacroLine(MacroInterpreter& interpreter, std::string_view line);
