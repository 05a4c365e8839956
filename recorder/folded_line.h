#pragma once
// Events faster than the interval keep their pace on replay only as one line, since a play
// spends one pace on every line. Held lines that follow closely on where the play will be are
// written as one line of the language that plays the same events in the same order:
// - a run of taps within half an interval, with the modifiers that make their characters
//   pressed and let go around them, as TYPE with those characters;
// - a button pressed and let go, once or twice, within one interval, as CLICK_MOUSE … SINGLE
//   or DOUBLE;
// - a move overtaken by the next, while a button is down and the play behind, as that next.
#include <cstddef>
#include <cstdint>
#include <string>

#include "macro/desktop/desktop_port.h"
#include "recorder/recorder_state.h"

// Learns, for the recording's layout, which key code TYPE plays for each character it can write.
void LearnTypedCharacters(FollowedInput& followed, DesktopPort& desktop);

struct FoldedLine {
    std::size_t lines = 0;  // the held lines from the front that it takes; 0: none
    std::string text;       // with its line ending; empty: the lines are left out
    bool mayGrow = false;   // lines yet to come may join it: nothing is written until they do
};

// The one line that the held lines begin with, at `now`.
FoldedLine FoldedLineAtFront(const RecorderState& state, int64_t now, bool atTheEnd);
