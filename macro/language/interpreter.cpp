#include "macro/language/interpreter.h"

#include <algorithm>

#include "macro/file/decimal.h"
#include "macro/file/macro.h"
#include "macro/file/property_line.h"
#include "macro/file/read_file_line.h"
#include "macro/file/text_field.h"
#include "macro/language/commands.h"
#include "macro/language/held_input.h"
#include "macro/language/wait.h"

namespace {

// Strict argument tests, made on the whole line before any argument is taken.
enum StrictTest : unsigned {
    NO_TEST = 0,
    LENGTH = 1,      // at least one character after the command word's space
    TWO_SPACES = 2,  // exactly two spaces in the line
    TWO_QUOTES = 4,  // exactly two double quotes in the line
};

struct Command {
    std::string_view name;
    bool byContainment;  // so that a trailing carriage return after the word does no harm
    unsigned strictTests;
    CommandOutcome (*run)(CommandLine&);
};

// Waits until `due` on the counter; false when a play that watches its stop keys gave up at one.
bool WaitPartUntil(MacroInterpreter& interpreter, int64_t due) {
    DesktopPort& desktop = interpreter.desktop;
    if (!interpreter.watchesStopKeys) {
        desktop.WaitUntilCounter(due);
        return true;
    }
    return desktop.WaitUntilCounterUnless(due, [&] { return PlayStopRequested(interpreter); });
}

// Waits until `due`, while a key the play holds down repeats; a wait a stop key gave up keeps
// what was left of it.
void WaitUntilDue(MacroInterpreter& interpreter, int64_t due) {
    for (;;) {
        const std::optional<RepeatingKey>& repeating = interpreter.repeating;
        const bool repeatFirst = repeating && repeating->nextAt < due;
        if (!WaitPartUntil(interpreter, repeatFirst ? repeating->nextAt : due)) break;
        if (!repeatFirst) return;
        RepeatHeldKey(interpreter);
    }
    interpreter.unfinished.waitMicroseconds =
        std::max<int64_t>(0, due - interpreter.desktop.QueryPerformanceCounter());
}

// In a play a pace or DELAY ends its time after the previous one was due, so that the work of a
// line and a late wake come out of the wait that follows; but never sooner than three quarters of
// its time after the line's work, so that a window the line brought to the front, or a box it
// closed, has settled before the next line. A line run alone waits the whole time.
void WaitOnPaceClock(MacroInterpreter& interpreter, int64_t microseconds) {
    DesktopPort& desktop = interpreter.desktop;
    const int64_t whole = std::max<int64_t>(0, microseconds);
    if (!interpreter.paceClock)
        return WaitMilliseconds(desktop, static_cast<int32_t>(whole / 1000));
    const int64_t finished = desktop.QueryPerformanceCounter();
    const int64_t due = std::max(*interpreter.paceClock + whole, finished + whole * 3 / 4);
    WaitUntilDue(interpreter, due);
    interpreter.paceClock = due;
}

// A pace or DELAY at the play's speed, in whole microseconds so that a fast play keeps its time.
int64_t PlayedMicroseconds(const MacroInterpreter& interpreter, int32_t milliseconds) {
    const int64_t speed = interpreter.speed > 0 ? interpreter.speed : NOMINAL_PLAY_SPEED;
    return int64_t{milliseconds} * 1000 * NOMINAL_PLAY_SPEED / speed;
}

CommandOutcome Delay(CommandLine& line) {
    std::string_view milliseconds = line.RestOfLine();
    if (milliseconds.empty()) return line.RefuseArguments();
    MacroInterpreter& interpreter = line.interpreter();
    WaitOnPaceClock(interpreter, PlayedMicroseconds(interpreter, ParseDecimal(milliseconds)));
    return CommandOutcome::WaitedItself;
}

using namespace commands;

// In the order they are tried.
constexpr Command COMMANDS[] = {
    {"MOVE_CURSOR", false, LENGTH | TWO_SPACES, MoveCursor},
    {"MOUSE_DOWN", false, LENGTH, MouseDown},
    {"MOUSE_UP", false, LENGTH, MouseUp},
    {"CLICK_MOUSE", false, LENGTH | TWO_SPACES, ClickMouse},
    {"MOUSE_WHEEL", false, LENGTH, MouseWheel},
    {"MOUSE_HWHEEL", false, LENGTH, MouseHorizontalWheel},
    {"CLOSE_WINDOW", false, LENGTH | TWO_QUOTES, CloseWindow},
    {"MINIMIZE_WINDOW", false, LENGTH | TWO_QUOTES, MinimizeWindow},
    {"FOCUS_WINDOW", false, LENGTH | TWO_QUOTES, FocusWindow},
    {"MSG_BOX", false, LENGTH | TWO_QUOTES, ShowMessageBox},
    {"PLAY_SOUND", false, LENGTH | TWO_QUOTES, PlaySound},
    {"RUN", false, LENGTH | TWO_QUOTES, Run},
    {"OPEN_URL", false, LENGTH | TWO_QUOTES, OpenUrl},
    {"SHIFT_DOWN", true, NO_TEST,
     [](CommandLine& l) { return PressModifier(l, desk::KEY_SHIFT, 0); }},
    {"SHIFT_UP", true, NO_TEST,
     [](CommandLine& l) { return PressModifier(l, desk::KEY_SHIFT, desk::KEY_RELEASE); }},
    {"CTRL_DOWN", true, NO_TEST,
     [](CommandLine& l) { return PressModifier(l, desk::KEY_CONTROL, 0); }},
    {"CTRL_UP", true, NO_TEST,
     [](CommandLine& l) { return PressModifier(l, desk::KEY_CONTROL, desk::KEY_RELEASE); }},
    {"ALT_DOWN", true, NO_TEST, [](CommandLine& l) { return PressModifier(l, desk::KEY_ALT, 0); }},
    {"ALT_UP", true, NO_TEST,
     [](CommandLine& l) { return PressModifier(l, desk::KEY_ALT, desk::KEY_RELEASE); }},
    {"PRESS_KEY", false, LENGTH, PressKey},
    {"KEY_DOWN", false, LENGTH, [](CommandLine& l) { return HoldKey(l, true); }},
    {"KEY_UP", false, LENGTH, [](CommandLine& l) { return HoldKey(l, false); }},
    {"SHUTDOWN", false, LENGTH, Shutdown},
    {"TYPE", false, LENGTH | TWO_QUOTES, Type},
    {"DELAY", false, LENGTH, Delay},
    {"WAIT_WINDOW", false, LENGTH | TWO_QUOTES, WaitWindow},
    {"WAIT_ACTIVE", false, LENGTH | TWO_QUOTES, WaitActive},
};

const Command* FindCommand(std::string_view word) {
    for (const Command& command : COMMANDS) {
        bool matches = command.byContainment ? word.find(command.name) != std::string_view::npos
                                             : word == command.name;
        if (matches) return &command;
    }
    return nullptr;
}

bool PassesStrictTests(unsigned tests, std::string_view whole, std::string_view word) {
    if ((tests & LENGTH) && whole.size() <= word.size() + 1) return false;
    if ((tests & TWO_SPACES) && std::count(whole.begin(), whole.end(), ' ') != 2) return false;
    if ((tests & TWO_QUOTES) && std::count(whole.begin(), whole.end(), '"') != 2) return false;
    return true;
}

CommandOutcome RunCommand(MacroInterpreter& interpreter, const Command& command,
                          std::string_view whole, const PropertyLine& parts) {
    CommandLine line(interpreter, command.name, parts.value);
    if (line.strict() && !PassesStrictTests(command.strictTests, whole, parts.keyword))
        return line.RefuseArguments();
    return command.run(line);
}

// The whole line as the interpreter keeps it, without the carriage return of a line read from
// a file; empty when the line holds nothing to execute.
std::string_view PrepareLine(const MacroInterpreter& interpreter, std::string_view whole) {
    if (interpreter.mode == InterpreterMode::Strict) {
        std::size_t last = whole.find_last_not_of(' ');
        whole = last == std::string_view::npos ? std::string_view{} : whole.substr(0, last + 1);
    }
    if (whole.find_first_not_of(' ') == std::string_view::npos) return {};
    return whole;
}

CommandOutcome ExecutePreparedLine(MacroInterpreter& interpreter, std::string_view whole) {
    PropertyLine parts = SplitPropertyLine(whole);
    const Command* command = FindCommand(parts.keyword);
    return command ? RunCommand(interpreter, *command, whole, parts) : CommandOutcome::Done;
}

}  // namespace

// A trailing carriage return is never part of an argument, so that a line read from a file
// does what the same line does from the code box.
bool ExecuteMacroLine(MacroInterpreter& interpreter, std::string_view line) {
    char copy[LINE_CAPACITY];
    CopyText(copy, line);
    std::string_view read(copy);
    std::string_view whole = PrepareLine(interpreter, WithoutCarriageReturn(read));
    // A blank line of a CR LF file names no command: it costs the pace like one.
    if (whole.empty() && !read.ends_with('\r')) return false;
    CommandOutcome outcome =
        whole.empty() ? CommandOutcome::Done : ExecutePreparedLine(interpreter, whole);
    if (outcome == CommandOutcome::Done)
        WaitOnPaceClock(interpreter, PlayedMicroseconds(interpreter, interpreter.pace));
    return outcome != CommandOutcome::Failed;
}

int StopKeyPressed(MacroInterpreter& interpreter) {
    if (interpreter.stopKey != 0) return interpreter.stopKey;
    DesktopPort& desktop = interpreter.desktop;
    for (int key : {desk::KEY_ESCAPE, desk::KEY_PAUSE})
        if (desktop.GetAsyncKeyState(key) != 0 ||
            (interpreter.watchesStopKeys && desktop.LastUserPress(key) > interpreter.watchedSince))
            return interpreter.stopKey = key;
    return 0;
}

bool PlayStopRequested(MacroInterpreter& interpreter) {
    return interpreter.watchesStopKeys && StopKeyPressed(interpreter) != 0;
}

void AbandonPlay(MacroInterpreter& interpreter) {
    interpreter.stopKey = desk::KEY_ESCAPE;
    interpreter.windowMissing = true;
}

void WatchStopKeys(MacroInterpreter& interpreter, bool on) {
    interpreter.watchesStopKeys = on;
    if (!on) return;
    DesktopPort& desktop = interpreter.desktop;
    if (interpreter.stopKey != 0) desktop.GetAsyncKeyState(interpreter.stopKey);
    interpreter.stopKey = 0;
    interpreter.windowMissing = false;
    interpreter.watchedSince = desktop.QueryPerformanceCounter();
}

// The rest of a text is followed by the whole pace, as the text was.
void FinishLine(MacroInterpreter& interpreter, const LineRest& rest) {
    interpreter.unfinished = {};
    if (!rest.line.empty()) {
        ExecuteMacroLine(interpreter, rest.line);
    } else if (!rest.text.empty()) {
        if (commands::TypeText(interpreter, rest.text) == CommandOutcome::Done)
            WaitOnPaceClock(interpreter, PlayedMicroseconds(interpreter, interpreter.pace));
    } else if (rest.waitMicroseconds > 0) {
        WaitOnPaceClock(interpreter, rest.waitMicroseconds);
    }
}

void StartPace(MacroInterpreter& interpreter, int32_t pace, int32_t speed) {
    interpreter.pace = pace;
    interpreter.speed = speed;
    interpreter.paceClock = interpreter.desktop.QueryPerformanceCounter();
    interpreter.keyRepeat = interpreter.desktop.KeyboardRepeat();
}
