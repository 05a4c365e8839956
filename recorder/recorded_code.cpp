#include "recorder/recorded_code.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

void Append(RecorderState& state, std::string_view text) {
    std::memcpy(state.recordedCode + state.codeLength, text.data(), text.size());
    state.codeLength += static_cast<int32_t>(text.size());
    state.recordedCode[state.codeLength] = '\0';
}

}  // namespace

void ClearRecordedCode(RecorderState& state) {
    std::memset(state.recordedCode, 0, sizeof state.recordedCode);
    state.codeLength = 0;
}

void StartQuietTime(RecorderState& state, int64_t now) {
    state.paceEndsAt = now + IntervalMicroseconds(state);
    state.pendingDelay = 0;
}

void BeginLine(RecorderState& state, int64_t at) {
    const int64_t quiet = (at - state.paceEndsAt + MICROSECONDS_PER_MS / 2) / MICROSECONDS_PER_MS;
    state.pendingDelay =
        static_cast<int32_t>(std::clamp<int64_t>(quiet, 0, std::numeric_limits<int32_t>::max()));
}

bool WriteRecordedLine(RecorderState& state, std::string_view line) {
    char delay[32];
    int delayLength = 0;
    if (state.pendingDelay != 0)
        delayLength = std::snprintf(delay, sizeof delay, "DELAY %d\r\n", state.pendingDelay);
    const std::size_t room = static_cast<std::size_t>(CODE_CAPACITY - 1 - state.codeLength);
    if (static_cast<std::size_t>(delayLength) + line.size() > room) return false;
    Append(state, std::string_view(delay, static_cast<std::size_t>(delayLength)));
    Append(state, line);
    state.paceEndsAt += int64_t{state.pendingDelay} * MICROSECONDS_PER_MS;
    if (!line.empty()) state.paceEndsAt += IntervalMicroseconds(state);
    state.pendingDelay = 0;
    return true;
}

bool FlushPendingDelay(RecorderState& state) {
    if (WriteRecordedLine(state, "")) return true;
    state.pendingDelay = 0;
    return false;
}
