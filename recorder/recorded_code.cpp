#include "recorder/recorded_code.h"

#include <cstdio>
#include <cstring>

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

bool WriteRecordedLine(RecorderState& state, std::string_view line) {
    char delay[32];
    int delayLength = 0;
    if (state.pendingDelay != 0)
        delayLength = std::snprintf(delay, sizeof delay, "DELAY %d\r\n", state.pendingDelay);
    const std::size_t room = static_cast<std::size_t>(CODE_CAPACITY - 1 - state.codeLength);
    if (static_cast<std::size_t>(delayLength) + line.size() > room) return false;
    Append(state, std::string_view(delay, static_cast<std::size_t>(delayLength)));
    Append(state, line);
    state.pendingDelay = 0;
    return true;
}

bool FlushPendingDelay(RecorderState& state) {
    if (WriteRecordedLine(state, "")) return true;
    state.pendingDelay = 0;
    return false;
}
