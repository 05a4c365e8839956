#pragma once
// Drives a running Keyloom.exe from the test process as a user would: window messages to its
// controls and menus, injected keys, and what its windows show. Never its private state.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/win32_test_helpers.h"

// Keyloom's key in the test run's registry, as a previous run would have left it.
void WriteKeyloomSettings(const std::string& lastFileName, DWORD macroDelay = 10);
std::string ReadKeyloomLastFileName();

// A macro file as Keyloom writes it, with `code` (lines ending in CR LF) between START and END.
std::string MacroFileText(const std::string& name, const std::string& code,
                          const std::string& triggerKeys = "0 0 0 0",
                          const std::string& description = "Macro description", bool active = true);

// Types text as Unicode keystrokes into whatever has the keyboard focus.
void TypeText(const std::string& text);

// A message box or dialog of the program: its caption and, for a message box, its text.
struct ProgramBox {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

class KeyloomDriver {
  public:
    explicit KeyloomDriver(const std::string& arguments = "");
    ~KeyloomDriver();

    // The main window (dialog 104) once the program has created it; null when it never does.
    HWND WaitForMainWindow(int timeoutMs = 15000);
    HWND main() const { return main_; }
    DWORD processId() const { return program_->id(); }
    bool WaitForExit(int timeoutMs, DWORD* exitCode) {
        return program_->WaitForExit(timeoutMs, exitCode);
    }

    // One message through the main window's queue: everything posted before it is handled.
    bool RoundTrip(int timeoutMs = 10000);
    // Posts a menu command or a button click to the main window; it may open modal windows.
    void Command(int id);
    // Sends a command that opens no window and returns once the window has carried it out.
    bool Run(int id);
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
    // Opens the icon's menu with a right click and picks the item reached by pressing the Down
    // key `downPresses` times (separators are passed over), then Enter.
    bool ChooseTrayMenuItem(int downPresses);

    // A visible top-level dialog of the program titled `caption`, other than the main window
    // and `other`; for message boxes `text` is what they say.
    ProgramBox WaitForBox(const std::string& caption, HWND other = nullptr, int timeoutMs = 10000);
    // Clicks a button of a box or dialog and waits until the box has gone and the command
    // that opened it has finished (or the program has ended).
    bool Click(HWND box, int button);
    // Waits until a box or dialog of the program has gone and the main window is idle again.
    // A message sent to a window with a modal loop running is answered by that loop: only
    // once the loop has ended does a round trip show that the command has finished.
    bool WaitForClosed(HWND box);
    // Types a path into an open or save dialog's file name box and presses Enter.
    void ChooseFile(HWND dialog, const std::string& path);

  private:
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};

// A top-level window of the test whose edit control takes the keyboard whenever the window is
// brought to the front, as a text editor's window does; it runs its own message loop.
class TypingTarget {
  public:
    explicit TypingTarget(const std::string& title);
    ~TypingTarget();
    HWND handle() const { return window_; }
    std::string Text();
    void Clear();
    void Focus();  // in front, keyboard in the edit control
    // Waits until the edit control holds exactly `text`.
    bool WaitForText(const std::string& text, int timeoutMs = 10000);

  private:
    void Run(const std::string& title);
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    std::string title_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};
