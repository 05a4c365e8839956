#pragma once
// What both programs need from the platform when the desktop session ends: a reason the
// system shows while they hold up the sign-out to ask about unsaved changes, and a place to
// keep an unnamed document that the session ends on.
#include <windows.h>

#include <string>

// While it lives, the system shows `reason` for the window holding up the end of the session
// (ShutdownBlockReasonCreate, where the system has it).
class SessionEndHold {
  public:
    SessionEndHold(HWND window, const wchar_t* reason);
    ~SessionEndHold();
    SessionEndHold(const SessionEndHold&) = delete;
    SessionEndHold& operator=(const SessionEndHold&) = delete;

  private:
    HWND window_;
    bool held_ = false;
};

// "<local application data>\Keyloom\<fileName>", its folder created; empty when there is none.
std::string KeptDocumentPath(const char* fileName);
