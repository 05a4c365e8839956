#pragma once
// Drives a running "Keyloom Scheduler.exe" from the test process as a user would: window
// messages to its controls and menus, its file dialogs and boxes, what its windows show.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/win32_test_helpers.h"

// The scheduler's key in the test run's registry, as a previous run would have left it.
void WriteSchedulerSettings(const std::string& lastFileName);
std::string ReadSchedulerLastFileName();

class SchedulerDriver {
  public:
    explicit SchedulerDriver(const std::string& arguments = "");

    // The scheduler window (dialog 105) once the program has created it; null if it never does.
    HWND WaitForMainWindow(int timeoutMs = 15000);
    HWND main() const { return main_; }
    bool WaitForExit(int timeoutMs, DWORD* exitCode) {
        return program_->WaitForExit(timeoutMs, exitCode);
    }

    // One message through the window's queue: everything posted before it has been handled.
    bool RoundTrip(int timeoutMs = 10000);
    // Posts a menu command or a button click; it may open modal windows.
    void Command(int id);
    // Clicks a control of the window as the mouse would.
    void Click(int control);
    void SetText(int control, const std::string& text);
    std::vector<std::wstring> ListEntries();
    void Select(int index);
    std::string ControlText(int id);
    bool Visible();
    bool WaitUntilVisible(bool visible, int timeoutMs = 10000);
    bool TrayIconPresent();

    // A visible dialog or message box of the program titled `caption`, other than the window.
    ProgramBox WaitForBox(const std::string& caption, int timeoutMs = 10000);
    void Press(HWND box, int button);
    // Types a path into an open or save dialog's file name box and presses Enter.
    void ChooseFile(HWND dialog, const std::string& path);

  private:
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};
