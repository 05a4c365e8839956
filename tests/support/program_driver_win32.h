#pragma once
// Drives a running program of the product from the test process as a user would: window
// messages to its main window's controls and menus, its boxes and file dialogs, its
// notification-area icon, and what its windows show. Never its private state.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/win32_test_helpers.h"

// What tells one program apart from the other to a driver.
struct ProgramDescription {
    const char* fileName;     // in the build folder
    const char* settingsKey;  // under the current user
    UINT trayCallback;        // the message its notification-area icon sends the main window
    int listId;               // the list that only its main window has
};

// The program's key in the test run's registry, as a previous run would have left it.
void WriteProgramSettings(const ProgramDescription& program, const std::string& lastFileName);
std::string ReadProgramLastFileName(const ProgramDescription& program);

// The text of a window of any thread or process, waiting at most two seconds for its answer.
std::string ShownText(HWND window);

// Types text as Unicode keystrokes into whatever has the keyboard focus.
void TypeText(const std::string& text);

// A message box or dialog of the program: its caption and, for a message box, its text.
struct ProgramBox {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

class ProgramDriver {
  public:
    ProgramDriver(const ProgramDescription& program, const std::string& arguments);

    // The main window once the program has created it; null when it never does.
    HWND WaitForMainWindow(int timeoutMs = 15000);
    HWND main() const { return main_; }
    DWORD processId() const { return running_->id(); }
    bool WaitForExit(int timeoutMs, DWORD* exitCode) {
        return running_->WaitForExit(timeoutMs, exitCode);
    }

    // One message through the main window's queue: everything posted before it is handled.
    bool RoundTrip(int timeoutMs = 10000);
    // Posts a menu command or a button click to the main window; it may open modal windows.
    void Command(int id);
    // Sends a command that opens no window and returns once the window has carried it out.
    bool Run(int id);
    void SetText(int control, const std::string& text);
    std::vector<std::wstring> ListEntries();
    int Selection();
    // Selects an entry as a click would: the list changes and tells the window.
    void Select(int index);
    std::string ControlText(int id);
    bool ControlEnabled(int id);
    bool Visible();
    bool WaitUntilVisible(bool visible, int timeoutMs = 10000);
    // Whether the notification-area icon (id 1 of the main window) exists.
    bool TrayIconPresent();
    // Waits until the icon is there (or gone) and the window has finished what it was doing.
    bool WaitForTrayIcon(bool present, int timeoutMs = 10000);
    // Tells the main window what the user did to its notification-area icon.
    void TrayMouse(UINT mouseMessage);
    // What a restart of the shell does: the notification area comes back empty, and the shell
    // tells the top-level windows with its registered "TaskbarCreated" message.
    void RestartNotificationArea();
    // Sends the end-of-session message `message` (WM_QUERYENDSESSION, WM_ENDSESSION) as the
    // system does at sign-out, without waiting: the answer arrives in `answer` (-1 until then)
    // while the test pumps messages, so the program may ask its question meanwhile.
    void SendSessionEnd(UINT message, WPARAM wParam, LRESULT* answer);
    // Opens the icon's menu with a right click and picks the item reached by pressing the Down
    // key `downPresses` times (separators are passed over), then Enter.
    bool ChooseTrayMenuItem(int downPresses);

    // A visible top-level dialog of the program titled `caption`, other than the main window
    // and `other`; for message boxes `text` is what they say.
    ProgramBox WaitForBox(const std::string& caption, HWND other = nullptr, int timeoutMs = 10000);
    ProgramBox WaitForBox(const std::string& caption, int timeoutMs) {
        return WaitForBox(caption, nullptr, timeoutMs);
    }
    // Posts a click on a button of a box or dialog.
    void Press(HWND box, int button);
    // Waits until a box or dialog of the program has gone and the main window is idle again.
    // A message sent to a window with a modal loop running is answered by that loop: only
    // once the loop has ended does a round trip show that the command has finished.
    bool WaitForClosed(HWND box);
    // Types a path into an open or save dialog's file name box and presses Enter.
    void ChooseFile(HWND dialog, const std::string& path);

  private:
    ProgramDescription program_;
    std::unique_ptr<RunningProgram> running_;
    HWND main_ = nullptr;
};
