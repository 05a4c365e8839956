#pragma once
// What a recording follows of the captured input between its samples: the keys, modifiers and
// buttons down, the pointer's last move, and the lines held back until their events are decided
// (a key's press is a tap or a hold only once it is let go, or has been held long enough).
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "macro/desktop/input_events.h"

enum class HeldLineKind : uint8_t {
    ModifierDown,  // code: MODIFIER_SHIFT, MODIFIER_CTRL or MODIFIER_ALT
    ModifierUp,
    ButtonDown,  // code: the button's virtual key
    ButtonUp,
    Wheel,  // code: the amount
    HorizontalWheel,
    Move,        // code, y: where the pointer went
    KeyPressed,  // not decided yet: becomes KeyTap or KeyHold
    KeyTap,
    KeyHold,
    KeyRelease,  // the end of a hold
};

constexpr int MODIFIER_SHIFT = 0;
constexpr int MODIFIER_CTRL = 1;
constexpr int MODIFIER_ALT = 2;

// A modifier's bit in a set of them, and in a key code's shift state.
inline uint8_t ModifierBit(int32_t modifier) {
    return static_cast<uint8_t>(1u << modifier);
}

struct HeldLine {
    HeldLineKind kind;
    int32_t code;
    int32_t y;
    int64_t at;              // when its event happened, on the performance counter
    int64_t releasedAt = 0;  // a tap's: when its key was let go
};

struct FollowedKey {
    enum class State : uint8_t {
        Up,
        Down,
        DownBefore,  // down since before the recording: neither it nor its release is recorded
    };
    State state = State::Up;
    bool hold = false;  // decided: recorded as a hold, so its release is a line too
    int64_t downAt = 0;
};

struct FollowedInput {
    std::array<FollowedKey, 256> keys{};     // every key but Shift, Ctrl and Alt
    std::array<uint8_t, 3> modifierSides{};  // by MODIFIER_…: 1 the left key down, 2 the right
    std::array<bool, 5> buttonsDown{};       // in the order of desk::BUTTONS
    std::optional<HeldLine> pointer;         // the last move, not yet a line
    // Intervals are counted on the events' times from the start of the recording, whenever the
    // samples come: the interval of the last MOVE_CURSOR line, -1 before the first.
    int64_t startedAt = 0;
    int64_t lastMoveInterval = -1;
    bool eventFollowed = false;  // since the recording started
    // By MODIFIER_… bit: the modifiers that the lines written so far leave down.
    uint8_t modifiersWritten = 0;
    // By bit of the button's place in desk::BUTTONS: the buttons they leave down.
    uint8_t buttonsWritten = 0;
    // The character that TYPE plays as a key code (virtual key, shift state in the high byte)
    // in the layout of the recording; 0 for none.
    std::array<char, 0x800> characterOfKey{};
    std::deque<HeldLine> lines;      // in the order of their events
    std::vector<InputEvent> events;  // the sample's, kept for their room
};
