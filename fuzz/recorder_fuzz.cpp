// The recorder under random captured input: keys, buttons, the wheel and the pointer change
// between samples in any order, recordings start, end and start again, and a recording may already
// be close to its limit. The code buffer is never overrun, always terminated, and holds whole lines
// only.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "recorder/recorded_code.h"
#include "tests/support/recorder_rig.h"

namespace {

// The user's input as the recorder captures it, and the key state it reads at the start,
// without FakeDesktop's call log: a start queries some 250 keys.
class SampledInput : public FakeDesktop {
  public:
    bool down[256] = {};

    void PressKey(uint8_t key) {
        down[key] = true;
        Press(key);
    }
    void ReleaseKey(uint8_t key) {
        down[key] = false;
        Release(key);
    }
    int16_t GetAsyncKeyState(int virtualKey) override {
        return down[static_cast<uint8_t>(virtualKey)] ? int16_t{-32768} : int16_t{0};
    }
    std::optional<ScreenPoint> GetCursorPos() override { return cursor; }
    // The user lets go of every key and button while the recording waits for it.
    void WaitPrecisely(int) override {
        for (int key = 0; key < 256; ++key)
            if (down[key]) ReleaseKey(static_cast<uint8_t>(key));
    }
};

// The input read from its front, one step at a time; zeros once it is used up.
class Steps {
  public:
    Steps(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return next_ == size_; }
    uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }
    int32_t Number() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return static_cast<int32_t>(value);
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

// The recorder's state lives for the program's run; one is reused, as new, for every input.
RecorderState& FreshRecorderState() {
    static RecorderState* state = new RecorderState();
    ClearRecordedCode(*state);
    state->lastCursor.reset();
    state->pendingDelay = 0;
    state->paceEndsAt = 0;
    state->recordTimer = 0;
    state->period = 0;
    state->phase = RecorderPhase::Idle;
    state->sampling = false;
    state->input.Clear();
    state->followed = FollowedInput{};
    return *state;
}

struct Rig {
    SampledInput input;
    FakeRecorderView view;
    RecorderState* state = &FreshRecorderState();
};

void CheckCode(const Rig& rig) {
    const RecorderState& state = *rig.state;
    FUZZ_CHECK(state.codeLength >= 0 && state.codeLength <= CODE_CAPACITY - 1);
    FUZZ_CHECK(state.recordedCode[state.codeLength] == '\0');
    FUZZ_CHECK(state.codeLength == 0 ||
               std::memcmp(state.recordedCode + state.codeLength - 2, "\r\n", 2) == 0);
    FUZZ_CHECK(state.pendingDelay >= 0);
    FUZZ_CHECK(rig.view.code.size() <= static_cast<std::size_t>(CODE_CAPACITY - 1));
}

constexpr std::string_view LINE = "MOVE_CURSOR 10 10\r\n";

// Whole recorded lines up to about `length` characters, as a long recording leaves them.
void FillCode(RecorderState& state, int length) {
    static const std::string lines = [] {
        std::string text;
        while (text.size() < CODE_CAPACITY)
            text += LINE;
        return text;
    }();
    if (state.codeLength >= length) return;
    const std::size_t wanted = (length - state.codeLength + LINE.size() - 1) / LINE.size();
    const std::size_t room = (CODE_CAPACITY - 1 - state.codeLength) / LINE.size();
    WriteRecordedLine(state,
                      std::string_view(lines).substr(0, std::min(wanted, room) * LINE.size()));
}

void Step(Rig& rig, Steps& steps, int32_t period) {
    SampledInput& input = rig.input;
    switch (steps.Byte() % 10) {
        case 0:
            input.PressKey(steps.Byte());
            break;
        case 1:
            input.ReleaseKey(steps.Byte());
            break;
        case 2: {  // a quick tap between two samples
            const uint8_t key = steps.Byte();
            input.PressKey(key);
            input.ReleaseKey(key);
            break;
        }
        case 3:
            input.MovePointer(steps.Number(), steps.Number());
            break;
        case 4:  // every key at once
            for (int key = 0; key < 256; ++key)
                if (key != desk::KEY_ESCAPE && key != desk::KEY_PAUSE)
                    input.PressKey(static_cast<uint8_t>(key));
            break;
        case 5:
            FillCode(*rig.state, RECORD_LIMIT - 1100 + steps.Byte() * 20);
            break;
        case 6:  // the Record button, which is disabled while recording
            if (rig.state->phase.load() == RecorderPhase::Idle)
                StartRecording(*rig.state, input, rig.view, period);
            break;
        case 7:
            if (steps.Byte() % 2)
                input.TurnWheel(steps.Number());
            else
                input.TiltWheel(steps.Number());
            break;
        default:  // a sample, some time after the last
            input.Advance(steps.Byte());
            input.FirePeriodicTimer(rig.state->recordTimer);
            if (rig.view.handOvers > 0) {
                rig.view.handOvers = 0;
                EndRecording(*rig.state, input, rig.view);
            }
            break;
    }
    CheckCode(rig);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Steps steps(data, size);
    Rig rig;
    const int32_t period = static_cast<int8_t>(steps.Byte());
    StartRecording(*rig.state, rig.input, rig.view, period);
    while (!steps.empty())
        Step(rig, steps, period);
    FUZZ_CHECK(std::strlen(rig.state->recordedCode) ==
               static_cast<std::size_t>(rig.state->codeLength));
    return 0;
}
