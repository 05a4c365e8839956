#pragma once
// Drives a running Keyloom.exe from the test process, and what its tests need around it: its
// settings, macro files as it writes them, a window that takes typed keys.
#include <windows.h>

#include <atomic>
#include <string>

#include "tests/support/program_driver_win32.h"

// Keyloom's key in the test run's registry, as a previous run would have left it.
void WriteKeyloomSettings(const std::string& lastFileName, DWORD macroDelay = 10);
std::string ReadKeyloomLastFileName();

// A macro file as Keyloom writes it, with `code` (lines ending in CR LF) between START and END.
std::string MacroFileText(const std::string& name, const std::string& code,
                          const std::string& triggerKeys = "0 0 0 0",
                          const std::string& description = "Macro description", bool active = true);

// Keyloom.exe; its main window is dialog 104.
class KeyloomDriver : public ProgramDriver {
  public:
    explicit KeyloomDriver(const std::string& arguments = "");

    // Clicks a button of a box or dialog and waits until the box has gone and the command
    // that opened it has finished (or the program has ended).
    bool Click(HWND box, int button);
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
    // How often a lone Alt release asked the window to open its menu; the menu is not opened.
    int MenuKeys() const { return menuKeys_.load(); }

  private:
    void Run(const std::string& title);
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    std::string title_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    std::atomic<int> menuKeys_{0};
};
