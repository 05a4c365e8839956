#include "recorder/folded_line.h"

#include <algorithm>
#include <deque>

#include "macro/language/button_words.h"

namespace {

// A longer run is written as more than one line.
constexpr std::size_t LONGEST_RUN = 64;
// Characters TYPE writes: the printable ones but the double quote, which would end its text.
constexpr char FIRST_TYPED = ' ';
constexpr char LAST_TYPED = '~';
constexpr char QUOTE = '"';
constexpr std::size_t DOUBLE_CLICK_LINES = 4;

// The key code of a key pressed under the modifiers down: TYPE's shift state bits are in the
// order Shift, Ctrl, Alt, as the modifier bits are.
std::size_t KeyCodeOf(int32_t virtualKey, uint8_t modifiersDown) {
    return (std::size_t{modifiersDown} << 8) | static_cast<std::size_t>(virtualKey & 0xFF);
}

// The line plays at its first event or, where the lines before it came faster than their
// pace, once the play gets to it. The events up to `reach` after that join it: a play that is
// behind takes more into the line and catches up.
int64_t LineReach(const RecorderState& state, int64_t reach) {
    return std::max(state.followed.lines.front().at, state.paceEndsAt) + reach;
}

// None while the written lines hold a modifier down, which TYPE would let go. The run ends at
// the last line after which no modifier is down; a modifier let go with no key pressed under
// it is not typed.
FoldedLine TypedRun(const RecorderState& state, int64_t now, bool atTheEnd) {
    const FollowedInput& followed = state.followed;
    const std::deque<HeldLine>& lines = followed.lines;
    FoldedLine run;
    if (followed.modifiersWritten != 0) return run;
    // Half an interval: typing faster than one line an interval then comes out one line an
    // interval, each key within half an interval of its time.
    const int64_t until = LineReach(state, IntervalMicroseconds(state) / 2);
    uint8_t down = 0;
    uint8_t downWithoutKey = 0;
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const HeldLine& line = lines[index];
        if (line.at >= until) return run;
        if (line.kind == HeldLineKind::KeyPressed) {
            run.mayGrow = !atTheEnd;
            return run;
        }
        if (line.kind == HeldLineKind::ModifierDown) {
            down |= ModifierBit(line.code);
            downWithoutKey |= ModifierBit(line.code);
        } else if (line.kind == HeldLineKind::ModifierUp) {
            if (downWithoutKey & ModifierBit(line.code)) return run;
            down = static_cast<uint8_t>(down & ~ModifierBit(line.code));
        } else if (line.kind == HeldLineKind::KeyTap) {
            if (line.releasedAt >= until) return run;
            const char character = followed.characterOfKey[KeyCodeOf(line.code, down)];
            if (character == '\0' || text.size() == LONGEST_RUN) return run;
            text += character;
            downWithoutKey = 0;
        } else {
            return run;
        }
        if (down == 0 && index > 0) {
            run.lines = index + 1;
            run.text = "TYPE \"" + text + "\"\r\n";
        }
    }
    run.mayGrow = !atTheEnd && now < until;
    return run;
}

// Downs and ups of the front line's button in turn, nothing between them.
FoldedLine Click(const RecorderState& state, int64_t now, bool atTheEnd) {
    const std::deque<HeldLine>& lines = state.followed.lines;
    const int32_t button = lines.front().code;
    const int64_t until = LineReach(state, IntervalMicroseconds(state));
    FoldedLine click;
    std::size_t index = 0;
    for (; index < lines.size() && index < DOUBLE_CLICK_LINES; ++index) {
        const HeldLine& line = lines[index];
        const HeldLineKind expected =
            index % 2 == 0 ? HeldLineKind::ButtonDown : HeldLineKind::ButtonUp;
        if (line.kind != expected || line.code != button || line.at >= until) break;
        if (index % 2 == 1) click.lines = index + 1;
    }
    if (index == lines.size() && index < DOUBLE_CLICK_LINES)
        click.mayGrow = !atTheEnd && now < until;
    const std::string_view word = ButtonWordOf(button).value_or("");
    if (click.lines > 0)
        click.text = "CLICK_MOUSE " + std::string(word) +
                     (click.lines == DOUBLE_CLICK_LINES ? " DOUBLE\r\n" : " SINGLE\r\n");
    return click;
}

// While the play holds a button down, a move that the next move follows, with nothing
// between, is left out where the play of that next move would come more than half an interval
// late: a drag's every interval has its move, so it has no quiet time to catch up in, and its
// release would come ever later. The pointer goes straight to the next place.
FoldedLine OvertakenMove(const RecorderState& state, int64_t now, bool atTheEnd) {
    const FollowedInput& followed = state.followed;
    FoldedLine move;
    if (followed.buttonsWritten == 0) return move;
    const int64_t interval = IntervalMicroseconds(state);
    const int64_t lateAfter = LineReach(state, interval) - interval / 2;
    if (followed.lines.size() > 1) {
        const HeldLine& next = followed.lines[1];
        if (next.kind == HeldLineKind::Move && next.at < lateAfter) move.lines = 1;
        return move;
    }
    const bool pointerMayOvertake = followed.pointer && followed.pointer->at < lateAfter;
    move.mayGrow = !atTheEnd && (now < lateAfter || pointerMayOvertake);
    return move;
}

}  // namespace

void LearnTypedCharacters(FollowedInput& followed, DesktopPort& desktop) {
    followed.characterOfKey.fill('\0');
    for (char character = FIRST_TYPED; character <= LAST_TYPED; ++character) {
        if (character == QUOTE) continue;
        const int16_t keyCode = desktop.VkKeyScanA(character);
        if (keyCode == desk::NO_KEY) continue;
        const auto code = static_cast<std::size_t>(static_cast<uint16_t>(keyCode));
        if (code < followed.characterOfKey.size() && followed.characterOfKey[code] == '\0')
            followed.characterOfKey[code] = character;
    }
}

FoldedLine FoldedLineAtFront(const RecorderState& state, int64_t now, bool atTheEnd) {
    const std::deque<HeldLine>& lines = state.followed.lines;
    if (lines.empty()) return {};
    if (lines.front().kind == HeldLineKind::ButtonDown) return Click(state, now, atTheEnd);
    if (lines.front().kind == HeldLineKind::Move) return OvertakenMove(state, now, atTheEnd);
    return TypedRun(state, now, atTheEnd);
}
