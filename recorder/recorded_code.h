#pragma once
// Appending to the recorded code, and the quiet time before each line. Nothing is ever written
// beyond CODE_CAPACITY - 1 characters.
#include <cstdint>
#include <string_view>

#include "recorder/recorder_state.h"

// The line ending of every recorded line.
constexpr std::string_view RECORDED_LINE_END = "\r\n";

// Empties the recorded code (every byte 0).
void ClearRecordedCode(RecorderState& state);

// A recording that begins at `now` (performance counter, microseconds): no quiet time yet, and
// a play will first spend one pace on its START step.
void StartQuietTime(RecorderState& state, int64_t now);

// A line for an event that happened at `at` (performance counter, microseconds). A play runs
// each line as soon as the previous line's pace has ended, so the quiet time it needs is the
// time from then to its event (never below 0): each line plays when its event happened, or one
// pace after the line before it where events came closer.
void BeginLine(RecorderState& state, int64_t at);

// Appends `line` (its line ending included), preceded by "DELAY <pendingDelay>" when quiet time
// is pending, which then becomes 0. Both are written or neither: false when they do not fit,
// and then nothing changes.
bool WriteRecordedLine(RecorderState& state, std::string_view line);

// Writes the pending quiet time on its own. False when it does not fit; it is dropped then.
bool FlushPendingDelay(RecorderState& state);
