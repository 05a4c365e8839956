#pragma once
// The main window's part in Keyloom's plays: the bar follows every play; a Play-button play
// also hides the window and holds Play, Pause and Stop as it needs them.
#include "library/program/play_view.h"
#include "macro/player/play_observer.h"

class MainWindowPlay : public PlayObserver {
  public:
    explicit MainWindowPlay(PlayView& view) : view_(view) {}
    void PlayStarted(PlayOrigin origin, int32_t stepCount, int32_t position) override;
    void StepPlaying(int32_t position) override;
    void PlayEnded(PlayOrigin origin, PlayEnd end, int32_t position) override;

  private:
    PlayView& view_;
};
