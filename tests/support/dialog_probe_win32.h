#pragma once
// Driving a modal dialog of this program from a second thread, as a user would, and reading
// back what it shows.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ModalRun {
    INT_PTR result = -1;  // what the dialog call returned
    bool found = false;   // the dialog appeared and the script ran
    bool ended = false;   // it ended by itself after the script, without being forced
};

// Calls `showModal` on this thread; once a dialog captioned `caption` of this thread is
// visible, runs `script` on another thread with it. A dialog still open `timeoutMs` after the
// script is closed by force, so a faulty dialog fails the test instead of hanging it.
ModalRun RunModalDialog(const std::string& caption, const std::function<INT_PTR()>& showModal,
                        const std::function<void(HWND dialog)>& script, int timeoutMs = 5000);

// A program window run as above until the menu command `exitCommand` that follows `script`;
// a window that does not appear or does not end fails the test.
void RunWindowToExit(const std::string& caption, const std::function<INT_PTR()>& showModal,
                     WORD exitCommand, const std::function<void(HWND window)>& script);

// Presses a dialog button the way a click does (posted, so the script never waits on a box).
void PressButton(HWND dialog, int id);

struct ControlInfo {
    int id;
    std::string className;  // "Button", "Static", "Edit"
    std::string text;
    LONG style;
    RECT rect;  // in the dialog's client coordinates
    HWND window;
};

std::vector<ControlInfo> ReadControls(HWND dialog);
std::string WindowText(HWND window);

// Controls whose text does not fit the control at its font (else the dialog's), controls that leave
// the dialog's client area, and controls that overlap (group boxes aside); empty when all is well.
std::vector<std::string> LayoutProblems(HWND dialog);

// The face name of the dialog's font.
std::string DialogFontName(HWND dialog);
