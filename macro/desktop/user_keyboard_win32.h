#pragma once
// The keyboard as the user holds it. A low-level keyboard hook follows every key, telling
// Keyloom's own keys by their extra information. The hook runs on a thread of its own: a play
// blocks the user-interface thread, and a hook there would hold up every key press on the
// desktop until the play ended.
#include <windows.h>

#include "macro/desktop/hook_thread_win32.h"
#include "macro/desktop/user_keys.h"

// The extra information of every key Keyloom injects, and of a press it gives back to the user.
constexpr ULONG_PTR KEYLOOM_INPUT = 0x4B4C4F4D;
constexpr ULONG_PTR KEYLOOM_INPUT_FOR_USER = 0x4B4C4F55;
// The extra information of the key that follows a play's input to the program that takes it.
constexpr ULONG_PTR KEYLOOM_MARKER_INPUT = 0x4B4C4D4B;

// Who sent a key event, told by its extra information.
KeySource SourceOf(const KBDLLHOOKSTRUCT& key);
// The key of a low-level keyboard event, a generic Shift, Ctrl or Alt as the side it came from.
DWORD SidedKey(const KBDLLHOOKSTRUCT& key);

// Left and right keys apart; the generic Shift, Ctrl and Alt stand for either side.
class UserKeyboard {
  public:
    // Follows the keyboard from now on; the keys down now count as the user's.
    UserKeyboard();
    ~UserKeyboard();
    UserKeyboard(const UserKeyboard&) = delete;
    UserKeyboard& operator=(const UserKeyboard&) = delete;

    // False for every key when the hook could not be set: without it a key let go would go
    // unseen, and a key Keyloom presses again for the user could stay down.
    bool IsHeld(int virtualKey) const;
    // When the user last pressed the key, in microseconds on the performance counter; 0 if never.
    int64_t LastPress(int virtualKey) const { return keys_.LastPress(virtualKey); }

  private:
    bool Follow();
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    UserKeys keys_;
    HHOOK hook_ = nullptr;
    HookThread thread_;  // last: it follows the keys from its start to its end
};
