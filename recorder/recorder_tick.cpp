// One sample of the live input: the order of the tests decides which change a sample records.
#include <cstdint>
#include <cstdio>
#include <optional>

#include "recorder/recorded_code.h"
#include "recorder/recorder.h"

namespace {

// A key whose every change gives a line: the modifiers and the two mouse buttons.
struct Toggle {
    int virtualKey;
    bool RecorderState::*down;
    const char* downLine;
    const char* upLine;
};

constexpr Toggle MODIFIERS[] = {
    {desk::KEY_SHIFT, &RecorderState::shiftDown, "SHIFT_DOWN\r\n", "SHIFT_UP\r\n"},
    {desk::KEY_CONTROL, &RecorderState::ctrlDown, "CTRL_DOWN\r\n", "CTRL_UP\r\n"},
    {desk::KEY_ALT, &RecorderState::altDown, "ALT_DOWN\r\n", "ALT_UP\r\n"},
};

constexpr Toggle BUTTONS[] = {
    {desk::KEY_LBUTTON, &RecorderState::leftDown, "MOUSE_DOWN Left\r\n", "MOUSE_UP Left\r\n"},
    {desk::KEY_RBUTTON, &RecorderState::rightDown, "MOUSE_DOWN Right\r\n", "MOUSE_UP Right\r\n"},
};

constexpr int FIRST_SCANNED_KEY = 8;
constexpr int LAST_SCANNED_KEY = 253;
constexpr int FIRST_SIDED_MODIFIER = 160;  // left and right Shift, Ctrl and Alt
constexpr int LAST_SIDED_MODIFIER = 165;

enum class Outcome { Unchanged, Written, DidNotFit };

bool NonZero(DesktopPort& desktop, int virtualKey) {
    return desktop.GetAsyncKeyState(virtualKey) != 0;
}

// Pause and Escape end a recording and are never recorded: scanning them would also clear
// their "pressed" bit, losing a quick press before the next sample could act on it.
bool IsScannedKey(int key) {
    return key != desk::KEY_SHIFT && key != desk::KEY_CONTROL && key != desk::KEY_ALT &&
           (key < FIRST_SIDED_MODIFIER || key > LAST_SIDED_MODIFIER) && key != desk::KEY_PAUSE &&
           key != desk::KEY_ESCAPE;
}

Outcome RecordToggle(RecorderState& state, DesktopPort& desktop, const Toggle& toggle) {
    const bool nonZero = NonZero(desktop, toggle.virtualKey);
    if (nonZero == state.*toggle.down) return Outcome::Unchanged;
    if (!WriteRecordedLine(state, nonZero ? toggle.downLine : toggle.upLine))
        return Outcome::DidNotFit;
    state.*toggle.down = nonZero;
    return Outcome::Written;
}

// Keys down now and pressed since the previous query, in increasing code order.
bool RecordNewKeys(RecorderState& state, DesktopPort& desktop) {
    for (int key = FIRST_SCANNED_KEY; key <= LAST_SCANNED_KEY; ++key) {
        if (!IsScannedKey(key)) continue;
        const auto keyState = static_cast<uint16_t>(desktop.GetAsyncKeyState(key));
        if ((keyState & 0x8000) == 0 || (keyState & 1) == 0) continue;
        char line[32];
        std::snprintf(line, sizeof line, "PRESS_KEY %d\r\n", key);
        if (!WriteRecordedLine(state, line)) return false;
    }
    return true;
}

// A pointer that cannot be read (a secure desktop in front) has not moved. The recording's
// first reading is written wherever the pointer is, so that its clicks play there.
Outcome RecordPointer(RecorderState& state, DesktopPort& desktop) {
    const std::optional<ScreenPoint> cursor = desktop.GetCursorPos();
    if (!cursor || (state.lastCursor && cursor->x == state.lastCursor->x &&
                    cursor->y == state.lastCursor->y))
        return Outcome::Unchanged;
    char line[48];
    std::snprintf(line, sizeof line, "MOVE_CURSOR %d %d\r\n", cursor->x, cursor->y);
    if (!WriteRecordedLine(state, line)) return Outcome::DidNotFit;
    state.lastCursor = *cursor;
    return Outcome::Written;
}

// The steps of one sample; returns Recording to go on, or how the recording ends.
RecorderPhase Sample(RecorderState& state, DesktopPort& desktop) {
    BeginSample(state, desktop.QueryPerformanceCounter());
    if (NonZero(desktop, desk::KEY_ESCAPE)) return RecorderPhase::Cancelling;
    if (state.codeLength > RECORD_LIMIT) return RecorderPhase::TooLarge;
    if (NonZero(desktop, desk::KEY_PAUSE) ||
        (NonZero(desktop, desk::KEY_CONTROL) && NonZero(desktop, desk::KEY_ALT) &&
         NonZero(desktop, desk::KEY_DELETE)))
        return RecorderPhase::Finishing;

    for (const Toggle& modifier : MODIFIERS) {
        const Outcome outcome = RecordToggle(state, desktop, modifier);
        if (outcome == Outcome::DidNotFit) return RecorderPhase::TooLarge;
        if (outcome == Outcome::Written) return RecorderPhase::Recording;
    }

    if (!RecordNewKeys(state, desktop)) return RecorderPhase::TooLarge;
    Outcome outcome = RecordPointer(state, desktop);
    for (const Toggle& button : BUTTONS) {
        if (outcome == Outcome::DidNotFit) break;
        outcome = RecordToggle(state, desktop, button);
    }
    return outcome == Outcome::DidNotFit ? RecorderPhase::TooLarge : RecorderPhase::Recording;
}

}  // namespace

void RecorderTick(RecorderState& state, DesktopPort& desktop, RecorderView& view) {
    if (state.sampling.exchange(true, std::memory_order_acquire)) return;
    bool ended = false;
    if (state.phase.load(std::memory_order_acquire) == RecorderPhase::Recording) {
        const RecorderPhase next = Sample(state, desktop);
        ended = next != RecorderPhase::Recording;
        if (ended) state.phase.store(next, std::memory_order_release);
    }
    state.sampling.store(false, std::memory_order_release);
    if (ended) view.HandOverEnding();
}
