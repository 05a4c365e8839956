#pragma once
// How both programs tell the user that something failed, a box with OK and the error icon, and
// the texts of the failures both report.
#include <string_view>

#include "macro/desktop/desktop_port.h"

// The captions of the error boxes: plain for what the user can correct, with a mark for what
// failed in the program or on the disk.
constexpr std::string_view ERROR_CAPTION = "Error";
constexpr std::string_view FAILURE_CAPTION = "Error!";
constexpr std::string_view ABOUT_FAILED_TEXT = "Failed to initialise about dialog";
constexpr std::string_view OPTIONS_FAILED_TEXT = "Failed to initialize Options dialog";

void ReportError(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                 std::string_view caption);
// "Error opening file: " and the path, captioned "Error!".
void ReportOpenError(DesktopPort& desktop, WindowHandle owner, std::string_view path);
