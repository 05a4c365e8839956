#include <cstdint>
#include <optional>
#include <string>

#include "macro/desktop/error_report.h"
#include "macro/file/decimal.h"
#include "macro/file/macro.h"
#include "macro/language/commands.h"
#include "macro/language/window_matching.h"

namespace {

constexpr int32_t DEFAULT_SECONDS = 30;
constexpr int32_t LONGEST_SECONDS = 86400;

// Absent: the default; otherwise whole seconds written as digits only, 1 to LONGEST_SECONDS.
std::optional<int32_t> ParseSeconds(std::string_view word) {
    if (word.empty()) return DEFAULT_SECONDS;
    if (word.size() > 5 || word.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const int32_t seconds = ParseDecimal(word);
    if (seconds < 1 || seconds > LONGEST_SECONDS) return std::nullopt;
    return seconds;
}

bool Shown(DesktopPort& desktop, WindowHandle window, const std::string& title) {
    return desktop.IsWindowVisible(window) && !MatchingTitle(desktop, window, title).empty();
}

bool WindowIsThere(DesktopPort& desktop, const std::string& title, bool inFront) {
    if (inFront) {
        const WindowHandle front = desktop.GetForegroundWindow();
        return front != NO_WINDOW && Shown(desktop, front, title);
    }
    bool found = false;
    desktop.EnumWindows([&](WindowHandle window) {
        found = Shown(desktop, window, title);
        return !found;
    });
    return found;
}

// What follows a wait would type into the wrong window: a wait that runs out ends the play.
CommandOutcome TimedOut(CommandLine& line, int32_t seconds, const std::string& title) {
    if (line.strict())
        ReportError(line.desktop(), line.interpreter().mainWindow,
                    std::string(line.word()) + " timed out after " + std::to_string(seconds) +
                        " seconds: \"" + title + "\"",
                    ERROR_CAPTION);
    AbandonPlay(line.interpreter());
    return CommandOutcome::Failed;
}

// The windows are looked at when the wait begins, at every change of a top-level window, and
// at every stop-key check. A stop keeps the whole line for a resumed play to wait again.
CommandOutcome WaitFor(CommandLine& line, bool inFront) {
    std::string_view quoted = line.NextQuoted(true);
    std::optional<int32_t> seconds = ParseSeconds(line.NextWord());
    if (quoted.empty() || !seconds) return line.RefuseArguments();
    const std::string title(quoted.substr(0, LINE_CAPACITY - 1));
    MacroInterpreter& interpreter = line.interpreter();
    DesktopPort& desktop = line.desktop();
    const int64_t due = desktop.QueryPerformanceCounter() + int64_t{*seconds} * 1000000;
    bool found = false;
    const bool ranOut = desktop.WaitForWindowsUnless(due, [&] {
        return StopKeyPressed(interpreter) != 0 || (found = WindowIsThere(desktop, title, inFront));
    });
    if (found || (ranOut && WindowIsThere(desktop, title, inFront))) return CommandOutcome::Done;
    if (ranOut) return TimedOut(line, *seconds, title);
    interpreter.unfinished.line = line.WholeLine();
    return CommandOutcome::Stopped;
}

}  // namespace

namespace commands {

CommandOutcome WaitWindow(CommandLine& line) {
    return WaitFor(line, false);
}

CommandOutcome WaitActive(CommandLine& line) {
    return WaitFor(line, true);
}

}  // namespace commands
