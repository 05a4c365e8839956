#include "macro/desktop/error_report.h"

#include <string>

namespace {

int Show(DesktopPort& desktop, WindowHandle owner, std::string_view text, std::string_view caption,
         uint32_t style) {
    return desktop.MessageBoxA(owner, std::string(text), std::string(caption), style);
}

}  // namespace

void ReportError(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                 std::string_view caption) {
    Show(desktop, owner, text, caption, desk::BOX_OK | desk::BOX_ICON_ERROR);
}

void ReportOpenError(DesktopPort& desktop, WindowHandle owner, std::string_view path) {
    ReportError(desktop, owner, "Error opening file: " + std::string(path), FAILURE_CAPTION);
}

void ReportWarning(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                   std::string_view caption) {
    Show(desktop, owner, text, caption, desk::BOX_OK | desk::BOX_ICON_WARNING);
}

void ReportNote(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                std::string_view caption) {
    Show(desktop, owner, text, caption, desk::BOX_OK | desk::BOX_ICON_INFORMATION);
}

void ShowPlainMessage(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                      std::string_view caption) {
    Show(desktop, owner, text, caption, desk::BOX_OK);
}

int AskQuestion(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                std::string_view caption, Answers answers) {
    const uint32_t buttons = answers == Answers::YES_NO ? desk::BOX_YESNO : desk::BOX_YESNOCANCEL;
    return Show(desktop, owner, text, caption, buttons | desk::BOX_ICON_QUESTION);
}
