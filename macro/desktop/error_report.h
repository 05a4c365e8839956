#pragma once
// The one voice of both programs: every message box goes through here. The kind of message
// decides the buttons and the icon; the caller names the owner (the main window, or none where
// there is no window yet or the failing code has none) and one of the captions below.
#include <string_view>

#include "macro/desktop/desktop_port.h"

// The captions of the error boxes: plain for what the user can correct, with a mark for what
// failed in the program or on the disk.
constexpr std::string_view ERROR_CAPTION = "Error";
constexpr std::string_view FAILURE_CAPTION = "Error!";
// Warnings, questions and a macro's own boxes carry the program's name; the scheduler's
// questions about deleting carry "Confirm".
constexpr std::string_view KEYLOOM_CAPTION = "Keyloom";
constexpr std::string_view SCHEDULER_CAPTION = "Keyloom Scheduler";
constexpr std::string_view CONFIRM_CAPTION = "Confirm";

constexpr std::string_view ABOUT_FAILED_TEXT = "Failed to initialise about dialog";
constexpr std::string_view OPTIONS_FAILED_TEXT = "Failed to initialize Options dialog";

// A failure: OK and the error icon.
void ReportError(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                 std::string_view caption);
// "Error opening file: " and the path, captioned "Error!".
void ReportOpenError(DesktopPort& desktop, WindowHandle owner, std::string_view path);
// Something the user should know that is no failure of the step: OK and the warning icon.
void ReportWarning(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                   std::string_view caption);
// What happens next, before it does: OK and the information icon.
void ReportNote(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                std::string_view caption);
// A macro's own box (MSG_BOX) and the trace hook's: the text alone, OK and no icon.
void ShowPlainMessage(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                      std::string_view caption);

enum class Answers { YES_NO, YES_NO_CANCEL };
// A question with the question icon; the button chosen (desk::ANSWER_YES, _NO, _CANCEL).
int AskQuestion(DesktopPort& desktop, WindowHandle owner, std::string_view text,
                std::string_view caption, Answers answers);
