#pragma once
// A window of the test that keeps every piece of input it receives with the time the input was
// made, as a target program would see a play or the user: characters, keys with their repeat
// flags, every button (double-clicks included) and both wheels, and pointer moves.
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct LoggedInput {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;  // GetMessageTime: when the input was made, not when it was handled
};

// Top-most, so that whatever the programs under test show never comes between it and the
// pointer; it runs its own message loop, so it logs while the test thread is busy.
class InputLogWindow {
  public:
    InputLogWindow(const std::string& title, RECT bounds);
    ~InputLogWindow();
    HWND handle() const { return window_; }
    POINT ToScreen(POINT client) const;
    void Focus();
    // What arrived since the last Take; the log starts afresh.
    std::vector<LoggedInput> Take();
    // Waits until nothing has arrived for `quietMs`, at most `timeoutMs`.
    void WaitUntilQuiet(int quietMs, int timeoutMs = 10000);

  private:
    void Run(const std::string& title, RECT bounds);
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HANDLE ready_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    std::mutex mutex_;
    std::vector<LoggedInput> log_;
    DWORD lastArrival_ = 0;
    std::thread thread_;
};

// The characters among `log`, in order.
std::string TypedText(const std::vector<LoggedInput>& log);
