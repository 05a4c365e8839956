#include "recorder/input_lines.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <limits>

#include "macro/language/button_words.h"
#include "recorder/folded_line.h"
#include "recorder/recorded_code.h"

namespace {

// A key event of a character another program typed, not of a key.
constexpr int KEY_PACKET = 0xE7;

// The words of SHIFT_DOWN … ALT_UP, in the order of desk::MODIFIER_KEYS.
constexpr const char* MODIFIER_WORDS[] = {"SHIFT", "CTRL", "ALT"};
constexpr uint8_t LEFT_SIDE = 1;
constexpr uint8_t RIGHT_SIDE = 2;

struct ModifierKey {
    int modifier;
    uint8_t side;
};

// A generic Shift, Ctrl or Alt counts as the left one.
std::optional<ModifierKey> ModifierOf(int virtualKey) {
    for (int modifier = 0; modifier < static_cast<int>(std::size(desk::MODIFIER_KEYS));
         ++modifier) {
        const desk::ModifierKeys& keys = desk::MODIFIER_KEYS[modifier];
        if (virtualKey == keys.generic || virtualKey == keys.left) return {{modifier, LEFT_SIDE}};
        if (virtualKey == keys.right) return {{modifier, RIGHT_SIDE}};
    }
    return std::nullopt;
}

std::optional<std::size_t> ButtonIndex(int virtualKey) {
    for (std::size_t index = 0; index < std::size(desk::BUTTONS); ++index)
        if (desk::BUTTONS[index].virtualKey == virtualKey) return index;
    return std::nullopt;
}

// Keys written as PRESS_KEY or KEY_DOWN … KEY_UP: every key of the keyboard but the modifiers
// and those that end a recording; 255 is a key no layout assigns.
bool IsRecordedKey(int virtualKey) {
    return virtualKey > 0 && virtualKey < desk::KEY_NONE && virtualKey != KEY_PACKET &&
           virtualKey != desk::KEY_ESCAPE && virtualKey != desk::KEY_PAUSE &&
           !ModifierOf(virtualKey) && !ButtonIndex(virtualKey);
}

int64_t HoldTime(const RecorderState& state) {
    return 2 * IntervalMicroseconds(state);
}

int64_t IntervalOf(const RecorderState& state, int64_t at) {
    return std::max<int64_t>(0, (at - state.followed.startedAt) / IntervalMicroseconds(state));
}

// The pointer's last move in an interval becomes the interval's MOVE_CURSOR line. Where its
// interval has one already, the move takes the next interval's, and plays at its start.
void WritePointer(RecorderState& state, int64_t untilInterval) {
    FollowedInput& followed = state.followed;
    if (!followed.pointer) return;
    const int64_t interval =
        std::max(IntervalOf(state, followed.pointer->at), followed.lastMoveInterval + 1);
    if (interval > untilInterval) return;
    HeldLine line = *followed.pointer;
    followed.pointer.reset();
    line.at = std::max(line.at, followed.startedAt + interval * IntervalMicroseconds(state));
    const ScreenPoint to{line.code, line.y};
    if (state.lastCursor && state.lastCursor->x == to.x && state.lastCursor->y == to.y) return;
    followed.lines.push_back(line);
    state.lastCursor = to;
    followed.lastMoveInterval = interval;
}

bool IsAtPointer(InputKind kind) {
    return kind == InputKind::ButtonDown || kind == InputKind::ButtonUp ||
           kind == InputKind::Wheel || kind == InputKind::HorizontalWheel;
}

// A button or wheel acts where the pointer is, which a program may have moved without a move
// of the mouse: such a place counts as a move just before.
void PointerAt(RecorderState& state, const InputEvent& event) {
    const FollowedInput& followed = state.followed;
    const std::optional<ScreenPoint> known =
        followed.pointer ? std::optional<ScreenPoint>({followed.pointer->code, followed.pointer->y})
                         : state.lastCursor;
    if (known && known->x == event.point.x && known->y == event.point.y) return;
    state.followed.pointer = HeldLine{HeldLineKind::Move, event.point.x, event.point.y, event.at};
}

HeldLine* PressOf(FollowedInput& followed, int virtualKey) {
    for (auto line = followed.lines.rbegin(); line != followed.lines.rend(); ++line)
        if (line->kind == HeldLineKind::KeyPressed && line->code == virtualKey) return &*line;
    return nullptr;
}

void DecideHold(FollowedInput& followed, HeldLine& press) {
    press.kind = HeldLineKind::KeyHold;
    followed.keys[static_cast<std::size_t>(press.code)].hold = true;
}

// A Windows key with another key or button pressed while it is down is a hold, however short:
// a tap would open the Start menu instead of the combination.
void PressUnderWindowsKey(FollowedInput& followed) {
    for (int windowsKey : {desk::KEY_LEFT_WINDOWS, desk::KEY_RIGHT_WINDOWS}) {
        const FollowedKey& key = followed.keys[static_cast<std::size_t>(windowsKey)];
        if (key.state != FollowedKey::State::Down || key.hold) continue;
        if (HeldLine* press = PressOf(followed, windowsKey)) DecideHold(followed, *press);
    }
}

std::optional<RecorderPhase> OnKeyDown(RecorderState& state, int virtualKey, int64_t at) {
    FollowedInput& followed = state.followed;
    if (virtualKey == desk::KEY_ESCAPE) return RecorderPhase::Cancelling;
    if (virtualKey == desk::KEY_PAUSE ||
        (virtualKey == desk::KEY_DELETE && followed.modifierSides[MODIFIER_CTRL] != 0 &&
         followed.modifierSides[MODIFIER_ALT] != 0))
        return RecorderPhase::Finishing;
    if (const std::optional<ModifierKey> modifier = ModifierOf(virtualKey)) {
        PressUnderWindowsKey(followed);
        uint8_t& sides = followed.modifierSides[static_cast<std::size_t>(modifier->modifier)];
        if (sides == 0)
            followed.lines.push_back({HeldLineKind::ModifierDown, modifier->modifier, 0, at});
        sides |= modifier->side;
        return std::nullopt;
    }
    if (!IsRecordedKey(virtualKey)) return std::nullopt;
    FollowedKey& key = followed.keys[static_cast<std::size_t>(virtualKey)];
    if (key.state != FollowedKey::State::Up) return std::nullopt;  // a typematic repeat
    PressUnderWindowsKey(followed);
    key = FollowedKey{FollowedKey::State::Down, false, at};
    followed.lines.push_back({HeldLineKind::KeyPressed, virtualKey, 0, at});
    return std::nullopt;
}

void OnKeyUp(RecorderState& state, int virtualKey, int64_t at) {
    FollowedInput& followed = state.followed;
    if (const std::optional<ModifierKey> modifier = ModifierOf(virtualKey)) {
        uint8_t& sides = followed.modifierSides[static_cast<std::size_t>(modifier->modifier)];
        if ((sides & modifier->side) == 0) return;
        sides = static_cast<uint8_t>(sides & ~modifier->side);
        if (sides == 0)
            followed.lines.push_back({HeldLineKind::ModifierUp, modifier->modifier, 0, at});
        return;
    }
    if (!IsRecordedKey(virtualKey)) return;
    FollowedKey& key = followed.keys[static_cast<std::size_t>(virtualKey)];
    if (key.state == FollowedKey::State::Down && !key.hold) {
        if (HeldLine* press = PressOf(followed, virtualKey)) {
            if (at - key.downAt > HoldTime(state))
                DecideHold(followed, *press);
            else
                *press = {HeldLineKind::KeyTap, press->code, 0, press->at, at};
        }
    }
    if (key.state == FollowedKey::State::Down && key.hold)
        followed.lines.push_back({HeldLineKind::KeyRelease, virtualKey, 0, at});
    key = FollowedKey{};
}

void OnButton(RecorderState& state, int virtualKey, bool down, int64_t at) {
    FollowedInput& followed = state.followed;
    const std::optional<std::size_t> index = ButtonIndex(virtualKey);
    if (!index || followed.buttonsDown[*index] == down) return;
    if (down) PressUnderWindowsKey(followed);
    followed.buttonsDown[*index] = down;
    followed.lines.push_back(
        {down ? HeldLineKind::ButtonDown : HeldLineKind::ButtonUp, virtualKey, 0, at});
}

// Turns in a row within one interval are one line, timed at the first.
void OnWheel(RecorderState& state, HeldLineKind kind, int32_t amount, int64_t at) {
    std::deque<HeldLine>& lines = state.followed.lines;
    if (!lines.empty() && lines.back().kind == kind &&
        IntervalOf(state, lines.back().at) == IntervalOf(state, at)) {
        int32_t& sum = lines.back().code;
        sum = static_cast<int32_t>(std::clamp<int64_t>(int64_t{sum} + amount,
                                                       std::numeric_limits<int32_t>::min(),
                                                       std::numeric_limits<int32_t>::max()));
        return;
    }
    state.followed.lines.push_back({kind, amount, 0, at});
}

// The line's text with its line ending; 0 for a line that says nothing (a wheel turned back as
// far as it was turned).
int FormatLine(const HeldLine& line, char (&text)[64]) {
    const auto modifier = [&] { return MODIFIER_WORDS[static_cast<std::size_t>(line.code)]; };
    const std::string_view button = ButtonWordOf(line.code).value_or("");
    const int buttonLength = static_cast<int>(button.size());
    switch (line.kind) {
        case HeldLineKind::ModifierDown:
            return std::snprintf(text, sizeof text, "%s_DOWN\r\n", modifier());
        case HeldLineKind::ModifierUp:
            return std::snprintf(text, sizeof text, "%s_UP\r\n", modifier());
        case HeldLineKind::ButtonDown:
            return std::snprintf(text, sizeof text, "MOUSE_DOWN %.*s\r\n", buttonLength,
                                 button.data());
        case HeldLineKind::ButtonUp:
            return std::snprintf(text, sizeof text, "MOUSE_UP %.*s\r\n", buttonLength,
                                 button.data());
        case HeldLineKind::Wheel:
            return line.code ? std::snprintf(text, sizeof text, "MOUSE_WHEEL %d\r\n", line.code)
                             : 0;
        case HeldLineKind::HorizontalWheel:
            return line.code ? std::snprintf(text, sizeof text, "MOUSE_HWHEEL %d\r\n", line.code)
                             : 0;
        case HeldLineKind::Move:
            return std::snprintf(text, sizeof text, "MOVE_CURSOR %d %d\r\n", line.code, line.y);
        case HeldLineKind::KeyTap:
            return std::snprintf(text, sizeof text, "PRESS_KEY %d\r\n", line.code);
        case HeldLineKind::KeyHold:
            return std::snprintf(text, sizeof text, "KEY_DOWN %d\r\n", line.code);
        case HeldLineKind::KeyRelease:
            return std::snprintf(text, sizeof text, "KEY_UP %d\r\n", line.code);
        case HeldLineKind::KeyPressed:
            break;
    }
    return 0;
}

// The modifiers and buttons a play of the lines written so far holds down.
void FollowWrittenLine(FollowedInput& followed, const HeldLine& line) {
    const auto follow = [&line](uint8_t& set, uint8_t bit) {
        const bool down =
            line.kind == HeldLineKind::ModifierDown || line.kind == HeldLineKind::ButtonDown;
        set = static_cast<uint8_t>(down ? set | bit : set & ~bit);
    };
    if (line.kind == HeldLineKind::ModifierDown || line.kind == HeldLineKind::ModifierUp)
        follow(followed.modifiersWritten, ModifierBit(line.code));
    if (line.kind == HeldLineKind::ButtonDown || line.kind == HeldLineKind::ButtonUp)
        if (const std::optional<std::size_t> index = ButtonIndex(line.code))
            follow(followed.buttonsWritten, static_cast<uint8_t>(1u << *index));
}

bool WriteLine(RecorderState& state, int64_t at, std::string_view text) {
    BeginLine(state, at);
    if (WriteRecordedLine(state, text)) return true;
    state.followed.lines.clear();
    return false;
}

}  // namespace

void FollowHeldInput(RecorderState& state, DesktopPort& desktop) {
    FollowedInput& followed = state.followed;
    followed = FollowedInput{};
    const auto down = [&desktop](int virtualKey) {
        return (desktop.GetAsyncKeyState(virtualKey) & 0x8000) != 0;
    };
    for (std::size_t modifier = 0; modifier < std::size(desk::MODIFIER_KEYS); ++modifier) {
        const desk::ModifierKeys& keys = desk::MODIFIER_KEYS[modifier];
        uint8_t sides = (down(keys.left) ? LEFT_SIDE : 0) | (down(keys.right) ? RIGHT_SIDE : 0);
        if (sides == 0 && down(keys.generic)) sides = LEFT_SIDE;
        followed.modifierSides[modifier] = sides;
    }
    for (std::size_t index = 0; index < std::size(desk::BUTTONS); ++index)
        followed.buttonsDown[index] = down(desk::BUTTONS[index].virtualKey);
    for (int key = 1; key < desk::KEY_NONE; ++key)
        if (IsRecordedKey(key) && down(key))
            followed.keys[static_cast<std::size_t>(key)].state = FollowedKey::State::DownBefore;
}

void StartFollowing(RecorderState& state, DesktopPort& desktop, int64_t now) {
    FollowedInput& followed = state.followed;
    followed.startedAt = now;
    LearnTypedCharacters(followed, desktop);
    state.lastCursor = desktop.GetCursorPos();
    if (state.lastCursor) {
        followed.lines.push_back(
            {HeldLineKind::Move, state.lastCursor->x, state.lastCursor->y, now});
        followed.lastMoveInterval = 0;
    }
    for (std::size_t modifier = 0; modifier < std::size(desk::MODIFIER_KEYS); ++modifier)
        if (followed.modifierSides[modifier] != 0)
            followed.lines.push_back(
                {HeldLineKind::ModifierDown, static_cast<int32_t>(modifier), 0, now});
    for (std::size_t index = 0; index < std::size(desk::BUTTONS); ++index)
        if (followed.buttonsDown[index])
            followed.lines.push_back(
                {HeldLineKind::ButtonDown, desk::BUTTONS[index].virtualKey, 0, now});
}

std::optional<RecordingEnd> FollowEvents(RecorderState& state, int64_t now) {
    FollowedInput& followed = state.followed;
    for (const InputEvent& event : followed.events) {
        const int64_t interval = IntervalOf(state, event.at);
        if (event.kind == InputKind::Move) {
            WritePointer(state, interval - 1);
            followed.pointer = HeldLine{HeldLineKind::Move, event.point.x, event.point.y, event.at};
            followed.eventFollowed = true;
            continue;
        }
        WritePointer(state, interval);
        // A button or wheel acts where it was used: a move that its interval has no room for
        // goes first in the next, and the button or wheel waits for it.
        if (IsAtPointer(event.kind)) {
            PointerAt(state, event);
            WritePointer(state, std::numeric_limits<int64_t>::max());
        }
        switch (event.kind) {
            case InputKind::KeyDown:
                if (const std::optional<RecorderPhase> end =
                        OnKeyDown(state, event.code, event.at)) {
                    WritePointer(state, std::numeric_limits<int64_t>::max());
                    return RecordingEnd{*end, event.at, !followed.eventFollowed};
                }
                break;
            case InputKind::KeyUp:
                OnKeyUp(state, event.code, event.at);
                break;
            case InputKind::ButtonDown:
            case InputKind::ButtonUp:
                OnButton(state, event.code, event.kind == InputKind::ButtonDown, event.at);
                break;
            case InputKind::Wheel:
                OnWheel(state, HeldLineKind::Wheel, event.code, event.at);
                break;
            case InputKind::HorizontalWheel:
                OnWheel(state, HeldLineKind::HorizontalWheel, event.code, event.at);
                break;
            case InputKind::Move:
                break;
        }
        followed.eventFollowed = true;
    }
    WritePointer(state, IntervalOf(state, now) - 1);
    return std::nullopt;
}

void DecideKeys(RecorderState& state, int64_t now, bool atTheEnd) {
    for (HeldLine& line : state.followed.lines) {
        if (line.kind != HeldLineKind::KeyPressed) continue;
        if (now - line.at > HoldTime(state))
            DecideHold(state.followed, line);
        else if (atTheEnd)
            line.kind = HeldLineKind::KeyTap;
    }
}

bool WriteDecidedLines(RecorderState& state, int64_t now, bool atTheEnd) {
    std::deque<HeldLine>& lines = state.followed.lines;
    while (!lines.empty() && lines.front().kind != HeldLineKind::KeyPressed) {
        const FoldedLine folded = FoldedLineAtFront(state, now, atTheEnd);
        if (folded.mayGrow) return true;
        if (folded.lines > 0) {
            const int64_t at = lines.front().at;
            lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(folded.lines));
            if (!folded.text.empty() && !WriteLine(state, at, folded.text)) return false;
            continue;
        }
        const HeldLine line = lines.front();
        lines.pop_front();
        FollowWrittenLine(state.followed, line);
        char text[64];
        const int length = FormatLine(line, text);
        if (length <= 0) continue;
        if (!WriteLine(state, line.at, std::string_view(text, static_cast<std::size_t>(length))))
            return false;
    }
    return true;
}
