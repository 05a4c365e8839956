#pragma once
// What the recorder keeps for the program's whole run. Only the recorded code is cleared when a
// recording starts; the pointer, button and modifier state and the pending quiet time carry
// over from one recording to the next.
#include <atomic>
#include <cstdint>

#include "macro/desktop/desktop_port.h"
#include "macro/file/macro.h"

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

struct RecorderState {
    char recordedCode[CODE_CAPACITY] = {};
    ScreenPoint lastCursor{0, 0};
    bool shiftDown = false;
    bool ctrlDown = false;
    bool altDown = false;
    bool leftDown = false;
    bool rightDown = false;
    int32_t pendingDelay = 0;
    uint32_t recordTimer = 0;  // 0: none

    // Length of recordedCode's text, so that appending never rescans the buffer.
    int32_t codeLength = 0;
    // The MacroDelay of the running recording: the sampling period and the quiet time a
    // sample adds.
    int32_t period = 0;
    std::atomic<RecorderPhase> phase{RecorderPhase::Idle};
    // Set while a sample runs; a timer callback that finds it set returns at once.
    std::atomic<bool> sampling{false};
};
