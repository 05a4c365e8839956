#pragma once
// Whoever shows a play learns of it here: its start, each step, and its end and how it came.
#include <cstdint>

#include "macro/player/play_state.h"

// WindowMissing: a wait for a window ran out, and the play ended as an Escape ends it.
enum class PlayEnd { StyleSatisfied, Escape, Pause, FileLost, WindowMissing };

class PlayObserver {
  public:
    virtual ~PlayObserver() = default;
    // The play has begun with `stepCount` steps a pass, at step `position` of its first pass.
    virtual void PlayStarted(PlayOrigin origin, int32_t stepCount, int32_t position) = 0;
    // Step `position` of the current pass is about to play.
    virtual void StepPlaying(int32_t position) = 0;
    // `position` is where the next play resumes: 0 unless a Pause or a lost file stopped it.
    virtual void PlayEnded(PlayOrigin origin, PlayEnd end, int32_t position) = 0;
};
