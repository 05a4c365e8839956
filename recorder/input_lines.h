#pragma once
// Captured events into recorded lines. The events of one sample are followed in order into held
// lines; a key's press is held back until it is decided (a tap, written PRESS_KEY, or a hold,
// written KEY_DOWN … KEY_UP), and the lines after it with it, so that the order stays the
// events' order. Each line keeps its event's time, from which its quiet time is worked out.
#include <cstdint>
#include <optional>

#include "macro/desktop/desktop_port.h"
#include "recorder/recorder_state.h"

// How a sample's events end the recording: at the first Escape (Cancelling), Pause or
// Ctrl+Alt+Delete (Finishing). Neither these keys nor anything after them is recorded.
struct RecordingEnd {
    RecorderPhase phase;
    int64_t at;
    bool alone;  // no other event came before it in the recording
};

// What is down before the capture starts (a stuck key, or one the user will not let go of):
// the modifiers and buttons are recorded as pressed at the start; other keys are left out, and
// so is their release.
void FollowHeldInput(RecorderState& state, DesktopPort& desktop);

// A recording that starts at `now`: the pointer and the modifiers and buttons held before are
// its first lines, then what was captured since.
void StartFollowing(RecorderState& state, DesktopPort& desktop, int64_t now);

// Follows the events the sample taken at `now` took (state.followed.events), up to an ending
// key. The lines come out the same however often samples are taken.
std::optional<RecordingEnd> FollowEvents(RecorderState& state, int64_t now);

// A key down longer than twice the interval by `now` is a hold. At the recording's end every
// press is decided, a tap when it has not been down that long.
void DecideKeys(RecorderState& state, int64_t now, bool atTheEnd);

// Writes the held lines in order up to the first that is not decided, or up to lines that later
// lines may still join into one (folded_line.h); false when a line does not fit (it is
// dropped with every line after it). `now` is the sample's time.
bool WriteDecidedLines(RecorderState& state, int64_t now, bool atTheEnd);
