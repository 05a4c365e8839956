#pragma once
// A recording desktop on a virtual clock. Every call is logged in order as a line of text;
// answers come from the public fields, which tests set up before (or while) the code runs.
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "macro/desktop/desktop_port.h"
#include "macro/desktop/input_events.h"

class FakeDesktop : public DesktopPort {
  public:
    struct Window {
        WindowHandle handle;
        std::string title;
        bool visible = true;
        bool alive = true;
        bool refusesForeground = false;
        bool minimized = false;
    };
    struct Box {
        WindowHandle owner;
        std::string text;
        std::string caption;
        uint32_t style;
    };

    // ---- The log ----
    std::vector<std::string> calls;
    std::vector<Box> boxes;
    std::vector<std::string> BoxTexts() const;  // of the boxes shown, in order
    // Calls that change something, without the queries (Get..., Is..., Enum..., VkKeyScanA).
    std::vector<std::string> Actions() const;
    // Runs after every logged call, with its log line: lets a test act "while" code runs.
    std::function<void(const std::string&)> onCall;

    // ---- Scripted answers ----
    ScreenPoint cursor{0, 0};
    bool cursorUnreadable = false;  // GetCursorPos fails, as behind a secure desktop
    std::vector<ScreenRect> monitors{{0, 0, 1024, 768}};  // the primary first
    std::vector<Window> windows;                          // in enumeration order
    WindowHandle foreground = NO_WINDOW;
    intptr_t shellResult = 42;
    bool soundPlays = true;
    uint32_t soundMilliseconds = 0;  // how long a sound plays, on the virtual clock
    bool privilegeGranted = true;
    bool sessionEnds = true;
    bool refuseMultimediaTimers = false;
    bool refuseThreadTimers = false;
    bool refuseInputCapture = false;
    std::set<std::pair<uint32_t, uint32_t>> refusedHotKeys;  // (modifiers, key)
    std::deque<int> boxAnswers;  // next answers; default IDOK, IDYES for yes/no boxes
    std::function<LocalTime()> localTime = [] { return LocalTime{2026, 12, 1, 7, 9, 0, 0, 0}; };
    // GetSystemTime's answer (UTC); without one it is localTime's, for tests that need no zone.
    std::function<LocalTime()> systemTime;
    std::map<char, int16_t> keyScanOverrides;  // changes to the US layout table

    // ---- Keys: bit 15 while down, bit 0 when pressed since the previous query ----
    // The user's keyboard; injected keys and buttons (keybd_event, mouse_event) change only
    // whether a key is down, not whether the user holds it. While input is captured, each of
    // the user's presses (again while down: a typematic repeat) and releases is an event.
    void Press(int virtualKey);
    void Release(int virtualKey);
    void Tap(int virtualKey) { Press(virtualKey), Release(virtualKey); }
    // A press the keyboard hook sees before the key state shows it, as under Wine.
    void PressSeenByHookOnly(int virtualKey) { keys_[virtualKey].pressedAt = counter_; }
    std::vector<int> KeysDown() const;  // keys and buttons down, in key order
    // The user's pointer and wheel, captured as events too.
    void MovePointer(int x, int y);
    void TurnWheel(int32_t amount);  // away from the user is positive
    void TiltWheel(int32_t amount);  // right is positive

    // ---- Virtual time ----
    uint32_t now = 0;                     // milliseconds, the tick count
    KeyRepeat keyRepeat{500000, 33000};   // the keyboard's delay and repeat rate
    void Advance(uint32_t milliseconds);  // fires one-shot timers as they fall due
    void FirePeriodicTimer(uint32_t timerId);
    void FirePeriodicTimers();
    void FireThreadTimer(uintptr_t timerId);
    bool HasPeriodicTimer(uint32_t timerId) const { return periodic_.count(timerId) != 0; }
    bool HasThreadTimer(uintptr_t timerId) const { return threadTimers_.count(timerId) != 0; }
    std::set<std::pair<WindowHandle, int>> registeredHotKeys;  // (window, id)

    // ---- DesktopPort ----
    bool SetCursorPos(int x, int y) override;
    std::optional<ScreenPoint> GetCursorPos() override;
    std::vector<ScreenRect> EnumDisplayMonitors() override;
    void mouse_event(uint32_t flags, int32_t data) override;
    void keybd_event(uint8_t virtualKey, uint32_t flags) override;
    void TypeUnicodeCharacter(unsigned char character) override;
    int16_t VkKeyScanA(char character) override;
    KeyRepeat KeyboardRepeat() override { return keyRepeat; }
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

  private:
    int64_t counter_ = 0;  // the performance counter: microseconds waited, never wrapping
    struct KeyState {
        bool down = false;
        bool pressedSinceQuery = false;
        bool heldByUser = false;
        int64_t pressedAt = 0;  // on the performance counter
    };
    struct OneShot {
        uint32_t due;
        uint32_t id;
        TimerCallback callback;
    };
    void Log(std::string line);
    // An event of the user's at the pointer, now.
    void Capture(InputKind kind, int32_t code);
    // Advances the clock to `due` in steps of the stop interval; false when `stop` gave it up.
    bool AdvanceUnless(int64_t dueMicroseconds, const StopCheck& stop);
    Window* Find(WindowHandle window);

    std::map<int, KeyState> keys_;
    InputEventQueue* capture_ = nullptr;
    std::vector<OneShot> oneShots_;
    std::map<uint32_t, TimerCallback> periodic_;
    std::map<uintptr_t, TimerCallback> threadTimers_;
    std::map<std::pair<WindowHandle, int>, std::pair<uint32_t, uint32_t>> hotKeyCombos_;
    uint32_t nextTimerId_ = 100;
};
