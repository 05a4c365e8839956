#pragma once
// Appending to the recorded code. Nothing is ever written beyond CODE_CAPACITY - 1 characters.
#include <string_view>

#include "recorder/recorder_state.h"

// The line ending of every recorded line.
constexpr std::string_view RECORDED_LINE_END = "\r\n";

// Empties the recorded code (every byte 0).
void ClearRecordedCode(RecorderState& state);

// Appends `line` (its line ending included), preceded by "DELAY <pendingDelay>" when quiet time
// is pending, which then becomes 0. Both are written or neither: false when they do not fit,
// and then nothing changes.
bool WriteRecordedLine(RecorderState& state, std::string_view line);

// Writes the pending quiet time on its own. False when it does not fit; it is dropped then.
bool FlushPendingDelay(RecorderState& state);
