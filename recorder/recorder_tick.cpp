// One sample: the input captured since the previous one becomes lines.
#include <cstdint>
#include <optional>

#include "recorder/input_lines.h"
#include "recorder/recorded_code.h"
#include "recorder/recorder.h"

namespace {

// Ctrl+Alt+Delete may bring the secure desktop to the front, whose keys no hook sees: the key
// state tells, asked only while Ctrl and Alt are down.
bool DeleteWithCtrlAndAlt(const RecorderState& state, DesktopPort& desktop) {
    const auto& sides = state.followed.modifierSides;
    return sides[MODIFIER_CTRL] != 0 && sides[MODIFIER_ALT] != 0 &&
           desktop.GetAsyncKeyState(desk::KEY_DELETE) != 0;
}

// The steps of one sample; returns Recording to go on, or how the recording ends. Escape
// cancels even a recording past its limit.
RecorderPhase Sample(RecorderState& state, DesktopPort& desktop) {
    const int64_t now = desktop.QueryPerformanceCounter();
    state.input.TakeAll(state.followed.events);
    std::optional<RecordingEnd> end = FollowEvents(state, now);
    if (end && end->phase == RecorderPhase::Cancelling) return RecorderPhase::Cancelling;
    // Ended before anything was done: nothing is recorded, not even where the pointer was.
    if (end && end->alone && state.codeLength == 0) {
        state.followed.lines.clear();
        state.pendingDelay = 0;
        return end->phase;
    }
    if (state.codeLength > RECORD_LIMIT) {
        BeginLine(state, now);
        return RecorderPhase::TooLarge;
    }
    if (!end && DeleteWithCtrlAndAlt(state, desktop))
        end = RecordingEnd{RecorderPhase::Finishing, now, false};
    const int64_t decidedAt = end ? end->at : now;
    DecideKeys(state, decidedAt, end.has_value());
    if (!WriteDecidedLines(state, decidedAt, end.has_value())) return RecorderPhase::TooLarge;
    if (!end) return RecorderPhase::Recording;
    BeginLine(state, end->at);  // the quiet time up to the end of the recording
    return end->phase;
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
