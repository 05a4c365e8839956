#pragma once
// Which keys the user holds, followed key event by key event in the order the keyboard delivers
// them, Keyloom's own keys told apart from the user's. Every decision about the user's keys is
// taken here, in that order: a decision taken beside it could be overtaken by a release still on
// its way and leave a key down that nobody holds.
#include <array>
#include <atomic>

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

  private:
    struct Key {
        std::atomic<bool> held{false};   // by the user
        std::atomic<bool> letGo{false};  // Keyloom released it while the user held it
    };
    std::array<Key, 256> keys_{};
};
