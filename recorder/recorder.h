#pragma once
// The recorder: captures every key, button, wheel turn and pointer move as it happens, and turns
// them into lines of macro code, interval by MacroDelay interval on the events' own times.
#include <cstdint>

#include "macro/desktop/desktop_port.h"
#include "recorder/recorder_state.h"
#include "recorder/recorder_view.h"

// How often a sample takes the events captured since the last: the lines do not depend on it,
// only how soon the key that ends a recording is acted on, and what waking costs.
constexpr uint32_t SAMPLE_EVERY_MS = 50;

// The editor's Record button (user-interface thread): the start box, the wait until no key or
// button is down (nothing pressed before is recorded), then the input captured and sampled
// every SAMPLE_EVERY_MS with the editor hidden, in intervals of `macroDelay` milliseconds. A
// MacroDelay below 1 or a refused timer gives "Error setting timer"; input that cannot be captured
// gives a box that says so.
void StartRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view,
                    int32_t macroDelay);

// One sample (the timer service's thread). Samples never overlap; one that decides the
// recording ends records the ending in `state.phase` and hands it to the view.
void RecorderTick(RecorderState& state, DesktopPort& desktop, RecorderView& view);

// Carries out the ending a sample handed over (user-interface thread): the too-large box
// first where it applies, then FinishRecording or CancelRecording. Does nothing when no
// ending is pending.
void EndRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view);

// Stop the capture and the timer, write the last quiet time, and put the recorded code into the
// code box.
void FinishRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view);
// Stop the capture and the timer and put back the editor's Apply button and change flag as Record
// found them; the code box keeps the code it held.
void CancelRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view);
