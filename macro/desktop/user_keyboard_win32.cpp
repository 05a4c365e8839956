#include "macro/desktop/user_keyboard_win32.h"

#include "macro/desktop/precise_wait_win32.h"

namespace {

// The keyboard whose hook runs on this thread.
thread_local UserKeyboard* hooked = nullptr;

// The side a generic Shift, Ctrl or Alt came from.
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

KeySource SourceOf(const KBDLLHOOKSTRUCT& key) {
    switch (key.dwExtraInfo) {
        case KEYLOOM_INPUT:
            return KeySource::Keyloom;
        case KEYLOOM_INPUT_FOR_USER:
            return KeySource::KeyloomForUser;
        default:
            return KeySource::User;
    }
}

// Both sides of a generic modifier.
struct Sides {
    int left;
    int right;
};
Sides SidesOf(int virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT:
            return {VK_LSHIFT, VK_RSHIFT};
        case VK_CONTROL:
            return {VK_LCONTROL, VK_RCONTROL};
        case VK_MENU:
            return {VK_LMENU, VK_RMENU};
        default:
            return {virtualKey, virtualKey};
    }
}

}  // namespace

UserKeyboard::UserKeyboard() {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Follow(ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

UserKeyboard::~UserKeyboard() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

bool UserKeyboard::IsHeld(int virtualKey) const {
    if (!following_) return false;
    const Sides sides = SidesOf(virtualKey & 0xFF);
    return keys_.IsHeld(sides.left) || keys_.IsHeld(sides.right);
}

// The hook is in place before the keys are read, so that no change falls between the two.
void UserKeyboard::Follow(HANDLE ready) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that WM_QUIT comes to
    threadId_ = GetCurrentThreadId();
    hooked = this;
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, Hook, GetModuleHandleA(nullptr), 0);
    for (int key = 1; key < 256; ++key)
        keys_.Start(key, (GetAsyncKeyState(key) & 0x8000) != 0);
    following_ = hook != nullptr;
    SetEvent(ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    if (hook) UnhookWindowsHookEx(hook);
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
