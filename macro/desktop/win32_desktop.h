#pragma once
// The real desktop behind DesktopPort.
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "macro/desktop/desktop_port.h"

class InputCapture;
class UserKeyboard;
class WindowChanges;

class Win32Desktop : public DesktopPort {
  public:
    Win32Desktop();
    ~Win32Desktop() override;

    bool SetCursorPos(int x, int y) override;
    std::optional<ScreenPoint> GetCursorPos() override;
    std::vector<ScreenRect> EnumDisplayMonitors() override;
    void mouse_event(uint32_t flags, int32_t data) override;
    void keybd_event(uint8_t virtualKey, uint32_t flags) override;
    void TypeUnicodeCharacter(unsigned char character) override;
    int16_t VkKeyScanA(char character) override;
    KeyRepeat KeyboardRepeat() override;
    int16_t GetAsyncKeyState(int virtualKey) override;
    bool IsKeyHeldByUser(int virtualKey) override;
    void PressAgainForUser(uint8_t virtualKey) override;
    int64_t LastUserPress(int virtualKey) override;
    bool StartInputCapture(InputEventQueue& queue) override;
    void StopInputCapture() override;

    void EnumWindows(const std::function<bool(WindowHandle)>& visit) override;
    std::string GetWindowTextA(WindowHandle window, int maxCount) override;
    bool IsWindow(WindowHandle window) override;
    WindowHandle GetForegroundWindow() override;
    bool SetForegroundWindow(WindowHandle window) override;
    bool ShowWindow(WindowHandle window, int command) override;
    bool IsIconic(WindowHandle window) override;
    bool IsWindowVisible(WindowHandle window) override;
    bool RequestWindowClose(WindowHandle window) override;

    bool PlaySoundA(const std::string& path, const StopCheck& stop) override;
    intptr_t ShellExecuteA(WindowHandle owner, const std::string& target, int show) override;
    bool EnableShutdownPrivilege() override;
    bool ExitWindowsEx(uint32_t flags) override;

    void WaitPrecisely(int milliseconds) override;
    int64_t QueryPerformanceCounter() override;
    void WaitUntilCounter(int64_t dueMicroseconds) override;
    bool WaitUntilCounterUnless(int64_t dueMicroseconds, const StopCheck& stop) override;
    bool WaitForWindowsUnless(int64_t dueMicroseconds, const StopCheck& stop) override;
    uint32_t timeSetEvent(uint32_t milliseconds, bool periodic, TimerCallback callback) override;
    void timeKillEvent(uint32_t timerId) override;
    uintptr_t SetTimer(uintptr_t timerId, uint32_t milliseconds, TimerCallback callback) override;
    void KillTimer(uintptr_t timerId) override;
    uint32_t GetTickCount() override;
    LocalTime GetLocalTime() override;
    LocalTime GetSystemTime() override;

    bool RegisterHotKey(WindowHandle window, int id, uint32_t modifiers,
                        uint32_t virtualKey) override;
    bool UnregisterHotKey(WindowHandle window, int id) override;

    int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                    uint32_t style) override;

    // Called by the platform's timer procedures.
    void RunMultimediaTimer(uintptr_t key);
    void RunThreadTimer(uintptr_t id);

    // Keys still on their way reach whichever window has the keyboard when they arrive. Before
    // a play's window comes back, the input it sent is followed to the window it went to; before
    // another window or a box comes to the front during a play, the keys sent since.
    void AwaitSentInput();

  private:
    void DeliverSentKeys();
    std::atomic<bool> keysSent_{false};  // since they were last followed
    std::mutex timersLock_;
    struct MultimediaTimer {
        TimerCallback callback;
        bool periodic;
        uint32_t id;
    };
    std::map<uintptr_t, std::shared_ptr<MultimediaTimer>> multimediaTimers_;  // by key
    uintptr_t nextTimerKey_ = 1;
    std::map<uintptr_t, TimerCallback> threadTimers_;
    // Followed from the first question on, by the thread that asks.
    UserKeyboard& Keyboard();
    std::unique_ptr<UserKeyboard> userKeyboard_;
    std::unique_ptr<InputCapture> inputCapture_;
    // Followed from the first wait for a window on.
    std::unique_ptr<WindowChanges> windowChanges_;
};

// The program's one desktop.
Win32Desktop& TheDesktop();
