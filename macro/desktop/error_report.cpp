#include "macro/desktop/error_report.h"

#include <string>

void ReportError(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                 std::string_view caption) {
    desktop.MessageBoxA(owner, std::string(text), std::string(caption),
                        desk::BOX_OK | desk::BOX_ICON_ERROR);
}

void ReportOpenError(DesktopPort& desktop, WindowHandle owner, std::string_view path) {
    ReportError(desktop, owner, "Error opening file: " + std::string(path), FAILURE_CAPTION);
}
