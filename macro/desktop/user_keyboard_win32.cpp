#include "macro/desktop/user_keyboard_win32.h"

#include "macro/desktop/desktop_port.h"
#include "macro/desktop/precise_wait_win32.h"

namespace {

// The keyboard whose hook runs on this thread.
thread_local UserKeyboard* hooked = nullptr;

// Both sides of a generic modifier.
struct Sides {
    int left;
    int right;
};
Sides SidesOf(int virtualKey) {
    for (const desk::ModifierKeys& keys : desk::MODIFIER_KEYS)
        if (virtualKey == keys.generic) return {keys.left, keys.right};
    return {virtualKey, virtualKey};
}

}  // namespace

DWORD SidedKey(const KBDLLHOOKSTRUCT& key) {
    const bool right = (key.flags & LLKHF_EXTENDED) != 0;
    switch (key.vkCode) {
        case VK_SHIFT:
            return MapVirtualKeyA(key.scanCode, MAPVK_VSC_TO_VK_EX) == VK_RSHIFT ? VK_RSHIFT
                                                                                 : VK_LSHIFT;
        case VK_CONTROL:
            return right ? VK_RCONTROL : VK_LCONTROL;
        case VK_MENU:
            return right ? VK_RMENU : VK_LMENU;
        default:
            return key.vkCode & 0xFF;
    }
}

// The marker is Keyloom's too: it only follows a play's keys.
KeySource SourceOf(const KBDLLHOOKSTRUCT& key) {
    switch (key.dwExtraInfo) {
        case KEYLOOM_INPUT:
        case KEYLOOM_MARKER_INPUT:
            return KeySource::Keyloom;
        case KEYLOOM_INPUT_FOR_USER:
            return KeySource::KeyloomForUser;
        default:
            return KeySource::User;
    }
}

UserKeyboard::UserKeyboard()
    : thread_([this] { return Follow(); },
              [this] {
                  if (hook_) UnhookWindowsHookEx(hook_);
              }) {}

UserKeyboard::~UserKeyboard() = default;

bool UserKeyboard::IsHeld(int virtualKey) const {
    if (!thread_.Hooked()) return false;
    const Sides sides = SidesOf(virtualKey & 0xFF);
    return keys_.IsHeld(sides.left) || keys_.IsHeld(sides.right);
}

// The hook is in place before the keys are read, so that no change falls between the two.
bool UserKeyboard::Follow() {
    hooked = this;
    hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, Hook, GetModuleHandleA(nullptr), 0);
    for (int key = 1; key < 256; ++key)
        keys_.Start(key, (GetAsyncKeyState(key) & 0x8000) != 0);
    return hook_ != nullptr;
}

LRESULT CALLBACK UserKeyboard::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && hooked) {
        const auto& key = *reinterpret_cast<KBDLLHOOKSTRUCT*>(lParam);
        const bool down = (key.flags & LLKHF_UP) == 0;
        const KeySource source = SourceOf(key);
        if (down && source == KeySource::User)
            hooked->keys_.NotePress(key.vkCode & 0xFF, CounterMicroseconds());
        if (!hooked->keys_.OnKey(SidedKey(key), down, source)) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
