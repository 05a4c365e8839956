#pragma once
// Helpers for tests that drive the real desktop under Wine.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Pumps this thread's messages until `done` holds or `timeoutMs` passes; true when it held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void PumpFor(int milliseconds);
// The loop of a test window's own thread: shows `window`, signals `ready`, handles the thread's
// messages until WM_QUIT, then destroys the window.
void ShowAndRunMessages(HWND window, HANDLE ready);

// A top-level test window with a multi-line edit control filling it.
class TestWindow {
  public:
    explicit TestWindow(const std::string& title, bool visible = true);
    ~TestWindow();
    HWND handle() const { return window_; }
    HWND edit() const { return edit_; }
    std::string Text() const;
    void Focus();  // foreground, keyboard focus in the edit control
    std::vector<std::pair<WPARAM, LPARAM>> hotKeys;  // WM_HOTKEY messages received
    int closeRequests = 0;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
    HWND edit_;
};

// Injected input, as a user's keyboard and mouse would give it.
void SendKey(WORD virtualKey, bool up);
void TapKey(WORD virtualKey);
void TapCombination(const std::vector<WORD>& modifiers, WORD virtualKey);
INPUT KeyInput(WORD virtualKey, bool up);
// A mouse event: MOUSEEVENTF_ flags with their data (wheel amount, X button).
INPUT MouseInput(DWORD flags, DWORD data = 0);
// An absolute move of the pointer to the pixel `screen`.
INPUT PointerMoveInput(POINT screen);
void SendMouse(DWORD flags, DWORD data = 0);

// A running program started from the build folder, killed with the test if still running.
class RunningProgram {
  public:
    RunningProgram(const std::string& exePath, const std::string& arguments);
    ~RunningProgram();
    bool WaitForExit(int timeoutMs, DWORD* exitCode = nullptr);
    DWORD id() const { return info_.dwProcessId; }

  private:
    PROCESS_INFORMATION info_{};
};

// Top-level window with exactly this title, of any process; null when none appears in time.
HWND WaitForWindow(const std::string& title, int timeoutMs = 10000);
// The first top-level window, in the system's order, whose title contains `text`.
HWND FirstWindowContaining(const std::string& text);
std::string BuildFolder();   // where the programs were built (KEYLOOM_BIN)
std::string SourceFolder();  // the checkout (KEYLOOM_SOURCE)
