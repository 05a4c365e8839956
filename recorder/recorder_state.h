#pragma once
// What the recorder keeps for the program's whole run. Every recording starts fresh: the
// pointer, key, button and modifier state and the quiet time are set anew when it starts.
#include <atomic>
#include <cstdint>
#include <optional>

#include "macro/desktop/desktop_port.h"
#include "macro/desktop/input_events.h"
#include "macro/file/macro.h"
#include "recorder/followed_input.h"

// A recording ends at the first sample that finds more code than this.
constexpr int RECORD_LIMIT = 160000;

// Where a recording stands. The sampling thread moves Recording to one of the three endings;
// the user-interface thread carries the ending out and returns to Idle.
enum class RecorderPhase : int {
    Idle,
    Recording,
    Finishing,   // Pause, or Ctrl+Alt+Delete
    Cancelling,  // Escape
    TooLarge,    // the code outgrew RECORD_LIMIT, or a sample's lines did not fit
};

// The editor as Record found it, put back when the recording is cancelled.
struct EditorBeforeRecording {
    bool applyEnabled = false;
    bool modified = false;
};

struct RecorderState {
    char recordedCode[CODE_CAPACITY] = {};
    // Pointer position of the last MOVE_CURSOR line; none before the recording's first.
    std::optional<ScreenPoint> lastCursor;
    // The DELAY the next line needs, in milliseconds: worked out for every line.
    int32_t pendingDelay = 0;
    uint32_t recordTimer = 0;  // 0: none

    // Length of recordedCode's text, so that appending never rescans the buffer.
    int32_t codeLength = 0;
    // The MacroDelay of the running recording: the length of its intervals, and the pace that
    // every line but a DELAY will cost when the recording plays.
    int32_t period = 0;
    // On the performance counter (microseconds): when a play of the code recorded so far will
    // have finished the last line's pace (the START step's, before the first line). A line
    // recorded later waits the difference in a DELAY; one recorded sooner plays then.
    int64_t paceEndsAt = 0;
    EditorBeforeRecording editorBefore;
    std::atomic<RecorderPhase> phase{RecorderPhase::Idle};
    // Set while a sample runs; a timer callback that finds it set returns at once.
    std::atomic<bool> sampling{false};
    // The events captured since the last sample (the capture's thread adds, a sample takes),
    // and what the samples follow of them.
    InputEventQueue input;
    FollowedInput followed;
};

constexpr int64_t MICROSECONDS_PER_MS = 1000;

// The running recording's interval, on the performance counter: the pace every line but a
// DELAY will cost when it plays.
inline int64_t IntervalMicroseconds(const RecorderState& state) {
    return int64_t{state.period} * MICROSECONDS_PER_MS;
}
