#include <string>

#include "macro/desktop/error_report.h"
#include "macro/language/commands.h"
#include "macro/language/session_end.h"
#include "macro/language/window_matching.h"

namespace {

CommandOutcome ActOnWindow(CommandLine& line, WindowAction action) {
    std::string_view title = line.NextQuoted(true);
    if (title.empty()) return line.RefuseArguments();
    ActOnMatchingWindow(line.interpreter(), title, action);
    return CommandOutcome::Done;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    quoted.append(text);
    quoted += '"';
    return quoted;
}

// Strict reports a failure of the system with no owner window; Lenient counts it as done.
CommandOutcome Failure(CommandLine& line, const std::string& text) {
    if (!line.strict()) return CommandOutcome::Done;
    ReportError(line.desktop(), NO_WINDOW, text, ERROR_CAPTION);
    return CommandOutcome::Failed;
}

CommandOutcome OpenWithShell(CommandLine& line, WindowHandle owner, const char* failure) {
    std::string_view target = line.NextQuoted(true);
    if (target.empty()) return line.RefuseArguments();
    if (line.desktop().ShellExecuteA(owner, std::string(target), desk::SHOW_NORMAL) >
        desk::SHELL_LAST_FAILURE)
        return CommandOutcome::Done;
    return Failure(line, failure + Quoted(target));
}

}  // namespace

namespace commands {

CommandOutcome CloseWindow(CommandLine& line) {
    return ActOnWindow(line, WindowAction::Close);
}

CommandOutcome MinimizeWindow(CommandLine& line) {
    return ActOnWindow(line, WindowAction::Minimize);
}

CommandOutcome FocusWindow(CommandLine& line) {
    return ActOnWindow(line, WindowAction::Focus);
}

CommandOutcome ShowMessageBox(CommandLine& line) {
    std::string_view message = line.NextQuoted(true);
    if (message.empty()) return line.RefuseArguments();
    ShowPlainMessage(line.desktop(), NO_WINDOW, message, KEYLOOM_CAPTION);
    return CommandOutcome::Done;
}

CommandOutcome PlaySound(CommandLine& line) {
    std::string_view path = line.NextQuoted(true);
    if (path.empty()) return line.RefuseArguments();
    MacroInterpreter& interpreter = line.interpreter();
    const StopCheck stop = [&interpreter] { return PlayStopRequested(interpreter); };
    if (line.desktop().PlaySoundA(std::string(path), stop)) return CommandOutcome::Done;
    return Failure(line, "Failed to play " + Quoted(path));
}

CommandOutcome Run(CommandLine& line) {
    return OpenWithShell(line, line.interpreter().mainWindow, "Failed to execute ");
}

// Keyloom opens web addresses without an owner; the scheduler gives its main window.
CommandOutcome OpenUrl(CommandLine& line) {
    WindowHandle owner = line.strict() ? NO_WINDOW : line.interpreter().mainWindow;
    return OpenWithShell(line, owner, "Failed to open ");
}

// The session request after EndSession is made whatever EndSession gave; neither is reported.
CommandOutcome Shutdown(CommandLine& line) {
    std::string_view option = line.NextWord();
    DesktopPort& desktop = line.desktop();
    if (HasOption(option, "POWEROFF") || HasOption(option, "SHUTDOWN")) {
        EndSession(desktop, SessionEndKind::PowerOff);
        desktop.ExitWindowsEx(desk::EXIT_SHUTDOWN_FORCED);
    } else if (HasOption(option, "RESTART") || HasOption(option, "REBOOT")) {
        EndSession(desktop, SessionEndKind::Restart);
        desktop.ExitWindowsEx(desk::EXIT_REBOOT_FORCED);
    } else if (HasOption(option, "LOGOFF")) {
        desktop.ExitWindowsEx(desk::EXIT_LOGOFF);
    } else {
        return line.RefuseArguments();
    }
    return CommandOutcome::Done;
}

}  // namespace commands
