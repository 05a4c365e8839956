#include "ui/program_start.h"

#include "macro/desktop/error_report.h"

namespace {
// Title buffer of the look-up, terminator included.
constexpr int TITLE_BUFFER_COUNT = 299;
}  // namespace

bool FindRunningInstance(DesktopPort& desktop, std::string_view mainWindowTitle) {
    bool found = false;
    desktop.EnumWindows([&](WindowHandle window) {
        found = desktop.GetWindowTextA(window, TITLE_BUFFER_COUNT) == mainWindowTitle;
        return !found;
    });
    return found;
}

bool RefuseSecondInstance(DesktopPort& desktop, std::string_view mainWindowTitle,
                          std::string_view alreadyRunningText) {
    if (!FindRunningInstance(desktop, mainWindowTitle)) return false;
    ReportError(desktop, NO_WINDOW, alreadyRunningText, ERROR_CAPTION);
    return true;
}

bool IsStartHiddenSwitch(std::string_view commandLine) {
    return commandLine == "/m";
}

bool AddTrayIconPatiently(DesktopPort& desktop, const std::function<bool()>& addIcon) {
    for (int attempt = 1; attempt <= TRAY_ADD_ATTEMPTS; ++attempt) {
        if (addIcon()) return true;
        if (attempt < TRAY_ADD_ATTEMPTS) desktop.WaitPrecisely(TRAY_ADD_PAUSE_MS);
    }
    return false;
}
