#include "macro/language/window_matching.h"

#include <string>

#include "macro/desktop/error_report.h"
#include "macro/file/macro.h"

namespace {

void Act(MacroInterpreter& interpreter, WindowHandle window, const std::string& windowTitle,
         WindowAction action) {
    DesktopPort& desktop = interpreter.desktop;
    switch (action) {
        case WindowAction::Close:
            desktop.RequestWindowClose(window);
            break;
        case WindowAction::Minimize:
            desktop.ShowWindow(window, desk::SHOW_MINIMIZE);
            break;
        case WindowAction::Focus:
            // A maximised window stays maximised: restoring it would move what the clicks after
            // it were recorded on.
            if (desktop.IsIconic(window)) desktop.ShowWindow(window, desk::SHOW_RESTORE);
            if (!desktop.SetForegroundWindow(window) && interpreter.mode == InterpreterMode::Strict)
                ReportError(desktop, interpreter.mainWindow,
                            "Failed to focus window \"" + windowTitle + "\"", ERROR_CAPTION);
            break;
    }
}

}  // namespace

std::string MatchingTitle(DesktopPort& desktop, WindowHandle window, std::string_view text) {
    if (text.empty() || !desktop.IsWindow(window)) return {};
    std::string windowTitle = desktop.GetWindowTextA(window, WINDOW_TITLE_LIMIT);
    if (windowTitle.find(text) == std::string::npos) return {};
    return windowTitle;
}

void ActOnMatchingWindow(MacroInterpreter& interpreter, std::string_view title,
                         WindowAction action) {
    interpreter.targetTitle.assign(title.substr(0, LINE_CAPACITY - 1));
    // Every title contains the empty text: acting on whichever window comes first would be a
    // guess, not a match.
    if (interpreter.targetTitle.empty()) return;
    DesktopPort& desktop = interpreter.desktop;
    desktop.EnumWindows([&](WindowHandle window) {
        std::string windowTitle = MatchingTitle(desktop, window, interpreter.targetTitle);
        if (windowTitle.empty()) return true;
        Act(interpreter, window, windowTitle, action);
        return false;
    });
}
