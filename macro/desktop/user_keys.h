#pragma once
// Which keys the user holds, followed key event by key event in the order the keyboard delivers
// them, Keyloom's own keys told apart from the user's. Every decision about the user's keys is
// taken here, in that order: a decision taken beside it could be overtaken by a release still on
// its way and leave a key down that nobody holds.
#include <array>
#include <atomic>
#include <cstdint>

// Who sent a key event.
enum class KeySource {
    User,            // the keyboard, or another program's input
    Keyloom,         // a play's own keystroke, or a release of a key the user holds
    KeyloomForUser,  // a press of a key Keyloom released while the user held it
};

// Keys by their virtual-key code, left and right apart.
class UserKeys {
  public:
    // The keys down when following starts count as the user's.
    void Start(int virtualKey, bool down);
    // False when the event is to be kept from the desktop.
    bool OnKey(int virtualKey, bool down, KeySource source);
    bool IsHeld(int virtualKey) const;
    // A press by the user, by the key's own code, at `when` on a clock of the caller's.
    void NotePress(int virtualKey, int64_t when) { keys_[virtualKey & 0xFF].pressedAt = when; }
    int64_t LastPress(int virtualKey) const { return keys_[virtualKey & 0xFF].pressedAt; }

  private:
    struct Key {
        std::atomic<bool> held{false};   // by the user
        std::atomic<bool> letGo{false};  // Keyloom released it while the user held it
        std::atomic<int64_t> pressedAt{0};
    };
    std::array<Key, 256> keys_{};
};
