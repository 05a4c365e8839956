#include "macro/desktop/input_capture_win32.h"

#include <algorithm>
#include <optional>

#include "macro/desktop/precise_wait_win32.h"
#include "macro/desktop/user_keyboard_win32.h"

namespace {

// The capture whose hooks run on this thread.
thread_local InputCapture* capturing = nullptr;

// How often the hooks are looked at: a removed hook loses at most about twice this.
constexpr UINT LOOK_EVERY_MS = 500;
// An event older than this when its hook runs has a time stamp from another clock.
constexpr DWORD LONGEST_HOOK_DELAY_MS = 5000;

bool IsKeyloomInput(ULONG_PTR extraInformation) {
    return extraInformation == KEYLOOM_INPUT || extraInformation == KEYLOOM_INPUT_FOR_USER ||
           extraInformation == KEYLOOM_MARKER_INPUT;
}

struct MouseMessage {
    InputKind kind;
    int32_t button;
};

// The event a low-level mouse message gives; a wheel's code is its amount, read apart.
std::optional<MouseMessage> MouseEventOf(WPARAM message, DWORD mouseData) {
    const int32_t xButton = HIWORD(mouseData) == XBUTTON2 ? VK_XBUTTON2 : VK_XBUTTON1;
    switch (message) {
        case WM_MOUSEMOVE:
            return MouseMessage{InputKind::Move, 0};
        case WM_LBUTTONDOWN:
            return MouseMessage{InputKind::ButtonDown, VK_LBUTTON};
        case WM_LBUTTONUP:
            return MouseMessage{InputKind::ButtonUp, VK_LBUTTON};
        case WM_RBUTTONDOWN:
            return MouseMessage{InputKind::ButtonDown, VK_RBUTTON};
        case WM_RBUTTONUP:
            return MouseMessage{InputKind::ButtonUp, VK_RBUTTON};
        case WM_MBUTTONDOWN:
            return MouseMessage{InputKind::ButtonDown, VK_MBUTTON};
        case WM_MBUTTONUP:
            return MouseMessage{InputKind::ButtonUp, VK_MBUTTON};
        case WM_XBUTTONDOWN:
            return MouseMessage{InputKind::ButtonDown, xButton};
        case WM_XBUTTONUP:
            return MouseMessage{InputKind::ButtonUp, xButton};
        case WM_MOUSEWHEEL:
            return MouseMessage{InputKind::Wheel, 0};
        case WM_MOUSEHWHEEL:
            return MouseMessage{InputKind::HorizontalWheel, 0};
        default:
            return std::nullopt;
    }
}

// How far the tick count moves at a time: a millisecond on some systems, about 16 on others.
DWORD TickStep() {
    const DWORD first = GetTickCount();
    DWORD changed;
    while ((changed = GetTickCount()) == first) {
    }
    DWORD next;
    while ((next = GetTickCount()) == changed) {
    }
    return next - changed;
}

// The screen of every monitor together, right and bottom edges exclusive.
RECT VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

InputCapture::InputCapture(InputEventQueue& queue)
    : queue_(queue), thread_([this] { return SetHooks(); }, [this] { RemoveHooks(); }) {}

InputCapture::~InputCapture() = default;

// The hooks are called in turn at every input, so that a slow thread would delay the whole
// desktop's input: this one runs ahead of ordinary work.
bool InputCapture::SetHooks() {
    capturing = this;
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    screen_ = VirtualScreen();
    tickStep_ = TickStep();
    keyboard_ = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
    mouse_ = SetWindowsHookExA(WH_MOUSE_LL, MouseHook, GetModuleHandleA(nullptr), 0);
    lookTimer_ = SetTimer(nullptr, 0, LOOK_EVERY_MS, LookTimer);
    watch_.Saw(GetTickCount());
    return keyboard_ != nullptr && mouse_ != nullptr;
}

void InputCapture::RemoveHooks() {
    if (lookTimer_) KillTimer(nullptr, lookTimer_);
    if (keyboard_) UnhookWindowsHookEx(keyboard_);
    if (mouse_) UnhookWindowsHookEx(mouse_);
    keyboard_ = mouse_ = nullptr;
}

// The new hooks are set before the old ones go: no message is taken between, so no event
// reaches both, and none falls between them.
void InputCapture::LookAtHooks() {
    LASTINPUTINFO last{};
    last.cbSize = sizeof last;
    if (!GetLastInputInfo(&last) || !watch_.MissedInput(last.dwTime)) return;
    HHOOK keyboard = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
    HHOOK mouse = SetWindowsHookExA(WH_MOUSE_LL, MouseHook, GetModuleHandleA(nullptr), 0);
    if (keyboard_) UnhookWindowsHookEx(keyboard_);
    if (mouse_) UnhookWindowsHookEx(mouse_);
    keyboard_ = keyboard;
    mouse_ = mouse;
}

// The hook runs at once as a rule, and the counter alone times the event: an age of up to a
// step of the coarse tick count may be no age at all. A hook held up longer learns how long
// from the age.
int64_t InputCapture::When(DWORD eventTime) {
    const DWORD age = GetTickCount() - eventTime;
    const int64_t now = CounterMicroseconds();
    const bool heldUp = age > tickStep_ && age <= LONGEST_HOOK_DELAY_MS;
    const int64_t at = heldUp ? now - int64_t{age} * 1000 : now;
    lastAt_ = std::max(lastAt_, at);
    return lastAt_;
}

void InputCapture::Add(InputKind kind, int32_t code, DWORD eventTime, POINT point) {
    watch_.Saw(GetTickCount());
    // The pointer stops at the screen's edge, where a hook may see it pushed beyond.
    const ScreenPoint at{std::clamp<LONG>(point.x, screen_.left, screen_.right - 1),
                         std::clamp<LONG>(point.y, screen_.top, screen_.bottom - 1)};
    queue_.Add(InputEvent{kind, code, at, When(eventTime)});
}

LRESULT CALLBACK InputCapture::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto& key = *reinterpret_cast<KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && capturing) {
        if (IsKeyloomInput(key.dwExtraInfo))
            capturing->watch_.Saw(GetTickCount());
        else
            capturing->Add((key.flags & LLKHF_UP) ? InputKind::KeyUp : InputKind::KeyDown,
                           static_cast<int32_t>(SidedKey(key)), key.time);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK InputCapture::MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto& mouse = *reinterpret_cast<MSLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && capturing) {
        const std::optional<MouseMessage> event = MouseEventOf(wParam, mouse.mouseData);
        if (IsKeyloomInput(mouse.dwExtraInfo) || !event)
            capturing->watch_.Saw(GetTickCount());
        else if (event->kind == InputKind::Wheel || event->kind == InputKind::HorizontalWheel)
            capturing->Add(event->kind, static_cast<SHORT>(HIWORD(mouse.mouseData)), mouse.time,
                           mouse.pt);
        else
            capturing->Add(event->kind, event->button, mouse.time, mouse.pt);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK InputCapture::LookTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (capturing) capturing->LookAtHooks();
}
