#pragma once
// The keyboard as the user holds it. A low-level keyboard hook follows every key that Keyloom
// did not inject itself (its own keys carry KEYLOOM_INPUT as their extra information). The hook
// runs on a thread of its own: a play blocks the user-interface thread, and a hook there would
// hold up every key press on the desktop until the play ended.
#include <windows.h>

#include <array>
#include <atomic>
#include <thread>

// The extra information of every key Keyloom injects.
constexpr ULONG_PTR KEYLOOM_INPUT = 0x4B4C4F4D;

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

  private:
    struct Key {
        std::atomic<bool> held{false};   // by the user
        std::atomic<bool> letGo{false};  // Keyloom released it while the user held it
    };
    void Follow(HANDLE ready);
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    // False when the key is to be kept from the desktop.
    bool OnKey(const KBDLLHOOKSTRUCT& key);

    std::array<Key, 256> keys_{};
    std::atomic<bool> following_{false};
    std::atomic<DWORD> threadId_{0};
    std::thread thread_;
};
