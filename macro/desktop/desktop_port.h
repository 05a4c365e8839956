#pragma once
// The boundary between the macro logic and the desktop it drives. Operations carry the
// platform's own names; window handles cross it as an opaque integer.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class InputEventQueue;

using WindowHandle = std::uintptr_t;
constexpr WindowHandle NO_WINDOW = 0;

// Values the logic passes through the port, as the platform defines them.
namespace desk {
constexpr uint32_t LEFT_DOWN = 0x0002;
constexpr uint32_t LEFT_UP = 0x0004;
constexpr uint32_t RIGHT_DOWN = 0x0008;
constexpr uint32_t RIGHT_UP = 0x0010;
constexpr uint32_t MIDDLE_DOWN = 0x0020;
constexpr uint32_t MIDDLE_UP = 0x0040;
constexpr uint32_t X_DOWN = 0x0080;  // the data names the button: X_BUTTON1 or X_BUTTON2
constexpr uint32_t X_UP = 0x0100;
constexpr uint32_t WHEEL = 0x0800;  // the data is the signed amount, WHEEL_NOTCH a notch
constexpr uint32_t HWHEEL = 0x1000;
constexpr int32_t X_BUTTON1 = 1;
constexpr int32_t X_BUTTON2 = 2;
constexpr int32_t WHEEL_NOTCH = 120;
constexpr uint32_t KEY_RELEASE = 0x0002;

constexpr int KEY_LBUTTON = 1;
constexpr int KEY_RBUTTON = 2;
constexpr int KEY_MBUTTON = 4;
constexpr int KEY_XBUTTON1 = 5;
constexpr int KEY_XBUTTON2 = 6;
constexpr int KEY_SHIFT = 0x10;
constexpr int KEY_CONTROL = 0x11;
constexpr int KEY_ALT = 0x12;
constexpr int KEY_PAUSE = 19;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_DELETE = 46;
// The modifier keys one by one, left and right.
constexpr int KEY_LEFT_WINDOWS = 0x5B;
constexpr int KEY_RIGHT_WINDOWS = 0x5C;
constexpr int KEY_LEFT_SHIFT = 0xA0;
constexpr int KEY_RIGHT_SHIFT = 0xA1;
constexpr int KEY_LEFT_CONTROL = 0xA2;
constexpr int KEY_RIGHT_CONTROL = 0xA3;
constexpr int KEY_LEFT_ALT = 0xA4;
constexpr int KEY_RIGHT_ALT = 0xA5;
// A key that no layout assigns: its keystroke means nothing to any program.
constexpr int KEY_NONE = 0xFF;
// What VkKeyScanA gives for a character that the layout cannot produce.
constexpr int16_t NO_KEY = -1;

// Shift, Ctrl and Alt, each as its generic key and its left and right keys, in the order of a
// key code's shift state bits.
struct ModifierKeys {
    int generic;
    int left;
    int right;
};
inline constexpr ModifierKeys MODIFIER_KEYS[] = {{KEY_SHIFT, KEY_LEFT_SHIFT, KEY_RIGHT_SHIFT},
                                                 {KEY_CONTROL, KEY_LEFT_CONTROL, KEY_RIGHT_CONTROL},
                                                 {KEY_ALT, KEY_LEFT_ALT, KEY_RIGHT_ALT}};

// Shift, Ctrl or Alt (the generic key or either side), or a Windows key.
constexpr bool IsModifierKey(int virtualKey) {
    for (const ModifierKeys& keys : MODIFIER_KEYS)
        if (virtualKey == keys.generic || virtualKey == keys.left || virtualKey == keys.right)
            return true;
    return virtualKey == KEY_LEFT_WINDOWS || virtualKey == KEY_RIGHT_WINDOWS;
}

// The mouse_event transitions of each button, by its virtual key.
struct ButtonEvents {
    int virtualKey;
    uint32_t down;
    uint32_t up;
    int32_t data;
};
inline constexpr ButtonEvents BUTTONS[] = {{KEY_LBUTTON, LEFT_DOWN, LEFT_UP, 0},
                                           {KEY_RBUTTON, RIGHT_DOWN, RIGHT_UP, 0},
                                           {KEY_MBUTTON, MIDDLE_DOWN, MIDDLE_UP, 0},
                                           {KEY_XBUTTON1, X_DOWN, X_UP, X_BUTTON1},
                                           {KEY_XBUTTON2, X_DOWN, X_UP, X_BUTTON2}};

constexpr int SHOW_HIDE = 0;
constexpr int SHOW_NORMAL = 1;
constexpr int SHOW_SHOW = 5;
constexpr int SHOW_MINIMIZE = 6;
constexpr int SHOW_RESTORE = 9;

// ShellExecuteA answers this or less when it could not open the target.
constexpr intptr_t SHELL_LAST_FAILURE = 32;

constexpr uint32_t EXIT_LOGOFF = 0x0000;
constexpr uint32_t EXIT_SHUTDOWN_FORCED = 0x0005;
constexpr uint32_t EXIT_REBOOT_FORCED = 0x0006;
constexpr uint32_t EXIT_POWEROFF_FORCED = 0x000C;

constexpr uint32_t HOTKEY_ALT = 1;
constexpr uint32_t HOTKEY_CONTROL = 2;
constexpr uint32_t HOTKEY_SHIFT = 4;

// Message box styles and answers.
constexpr uint32_t BOX_OK = 0x00;
constexpr uint32_t BOX_YESNOCANCEL = 0x03;
constexpr uint32_t BOX_YESNO = 0x04;
constexpr uint32_t BOX_ICON_ERROR = 0x10;
constexpr uint32_t BOX_ICON_QUESTION = 0x20;
constexpr uint32_t BOX_ICON_WARNING = 0x30;
constexpr uint32_t BOX_ICON_INFORMATION = 0x40;
constexpr int ANSWER_OK = 1;
constexpr int ANSWER_CANCEL = 2;
constexpr int ANSWER_YES = 6;
constexpr int ANSWER_NO = 7;
}  // namespace desk

struct ScreenPoint {
    int32_t x;
    int32_t y;
};

// How the keyboard repeats a key held down, as the user set it: the time before the first
// repeat and between the repeats after it.
struct KeyRepeat {
    int64_t delayMicroseconds;
    int64_t everyMicroseconds;
};

struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct LocalTime {
    int year;
    int month;      // 1-12
    int dayOfWeek;  // 0 = Sunday
    int day;
    int hour;
    int minute;
    int second;
    int milliseconds;
};

using TimerCallback = std::function<void()>;

// Asked through a long operation of a play (a wait, a sound) whether to give it up: when it
// begins and at least every STOP_CHECK_MICROSECONDS after, so that Escape or Pause ends the play
// at once without the wait turning into a busy poll.
using StopCheck = std::function<bool()>;
constexpr int64_t STOP_CHECK_MICROSECONDS = 10000;
// A wait for a window wakes at every window change, and looks again at least this often: for
// a stop key, and for a window no change told of.
constexpr int64_t WINDOW_CHECK_MICROSECONDS = 30000;

class DesktopPort {
  public:
    virtual ~DesktopPort() = default;

    // Pointer, buttons and keys.
    virtual bool SetCursorPos(int x, int y) = 0;
    // None when the pointer cannot be read (another desktop in front, such as a secure one).
    virtual std::optional<ScreenPoint> GetCursorPos() = 0;
    // The rectangle of every monitor (EnumDisplayMonitors over the whole virtual screen), right
    // and bottom edges exclusive. The primary monitor's top left is 0,0; the others may lie at
    // negative co-ordinates, and the union may hold points that are on no monitor.
    virtual std::vector<ScreenRect> EnumDisplayMonitors() = 0;
    // One button transition or wheel turn at the pointer; `data` is the X button of an X
    // transition, the amount of a wheel turn, else 0.
    virtual void mouse_event(uint32_t flags, int32_t data) = 0;
    virtual void keybd_event(uint8_t virtualKey, uint32_t flags) = 0;
    // One keystroke of a character the keyboard layout cannot produce, taken from the system
    // code page and injected as a Unicode character.
    virtual void TypeUnicodeCharacter(unsigned char character) = 0;
    virtual int16_t VkKeyScanA(char character) = 0;
    virtual KeyRepeat KeyboardRepeat() = 0;
    virtual int16_t GetAsyncKeyState(int virtualKey) = 0;
    // Whether the user holds the key down: its state as the keyboard (and any other program's
    // input) left it, every key Keyloom injected itself left out. Once Keyloom has released a
    // key that the user holds, the key stays released until the user presses it anew.
    virtual bool IsKeyHeldByUser(int virtualKey) = 0;
    // Presses again a key Keyloom released while the user held it, unless the user has let go
    // of it by the time the press arrives.
    virtual void PressAgainForUser(uint8_t virtualKey) = 0;
    // When the user last pressed the key, on the performance counter (microseconds), as the
    // keyboard is followed: at once, where the key state may be read a little late. 0 when no
    // press has been seen.
    virtual int64_t LastUserPress(int virtualKey) = 0;

    // Input capture for a recording: from StartInputCapture on, every key, button, wheel turn
    // and pointer move of the user, or of another program's injected input, is added to `queue`
    // the moment it happens, in order, timed on the performance counter; none that Keyloom
    // injected itself. False when the input cannot be followed. One capture at a time.
    virtual bool StartInputCapture(InputEventQueue& queue) = 0;
    virtual void StopInputCapture() = 0;

    // Windows. EnumWindows visits every top-level window, hidden ones included, until the
    // visitor returns false.
    virtual void EnumWindows(const std::function<bool(WindowHandle)>& visit) = 0;
    virtual std::string GetWindowTextA(WindowHandle window, int maxCount) = 0;
    virtual bool IsWindow(WindowHandle window) = 0;
    virtual WindowHandle GetForegroundWindow() = 0;
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
    virtual bool ShowWindow(WindowHandle window, int command) = 0;
    virtual bool IsIconic(WindowHandle window) = 0;  // minimised
    virtual bool IsWindowVisible(WindowHandle window) = 0;
    // Asks a window to close, as its close box does; gives up on a window that does not answer.
    virtual bool RequestWindowClose(WindowHandle window) = 0;

    // Sound, shell and session.
    // A wave file, synchronously; a sound that `stop` gives up is stopped, and counts as played.
    virtual bool PlaySoundA(const std::string& path, const StopCheck& stop) = 0;
    virtual intptr_t ShellExecuteA(WindowHandle owner, const std::string& target, int show) = 0;
    // OpenProcessToken, LookupPrivilegeValueA("SeShutdownPrivilege") and
    // AdjustTokenPrivileges; false when a step fails or the privilege is not held.
    virtual bool EnableShutdownPrivilege() = 0;
    virtual bool ExitWindowsEx(uint32_t flags) = 0;

    // Timers and time. WaitPrecisely blocks the calling thread for `milliseconds`, never less,
    // ending within a fraction of a millisecond after, without handling window messages and
    // without keeping a processor busy through the wait.
    virtual void WaitPrecisely(int milliseconds) = 0;
    // The performance counter in microseconds from an arbitrary start, and the same wait until
    // it reads `dueMicroseconds` (none when it already has).
    virtual int64_t QueryPerformanceCounter() = 0;
    virtual void WaitUntilCounter(int64_t dueMicroseconds) = 0;
    // The same wait, given up when `stop` answers true; false then.
    virtual bool WaitUntilCounterUnless(int64_t dueMicroseconds, const StopCheck& stop) = 0;
    // A wait for a window, to `dueMicroseconds` on the counter: `stop` is asked when it begins,
    // as soon as a top-level window is shown, comes to the front or changes its title, and at
    // least every WINDOW_CHECK_MICROSECONDS; false when it gave the wait up.
    virtual bool WaitForWindowsUnless(int64_t dueMicroseconds, const StopCheck& stop) = 0;
    // Multimedia timer, 1 ms resolution, callback on the timer service's thread; 0 = refused.
    virtual uint32_t timeSetEvent(uint32_t milliseconds, bool periodic, TimerCallback callback) = 0;
    virtual void timeKillEvent(uint32_t timerId) = 0;
    // Thread timer without a window: the callback runs on this thread while it dispatches
    // messages. Returns the timer's id, 0 when refused.
    virtual uintptr_t SetTimer(uintptr_t timerId, uint32_t milliseconds,
                               TimerCallback callback) = 0;
    virtual void KillTimer(uintptr_t timerId) = 0;
    virtual uint32_t GetTickCount() = 0;
    virtual LocalTime GetLocalTime() = 0;
    virtual LocalTime GetSystemTime() = 0;

    // Hot keys posting WM_HOTKEY with `id` to `window`.
    virtual bool RegisterHotKey(WindowHandle window, int id, uint32_t modifiers,
                                uint32_t virtualKey) = 0;
    virtual bool UnregisterHotKey(WindowHandle window, int id) = 0;

    // A modal message box; returns the button chosen.
    virtual int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                            uint32_t style) = 0;
};
