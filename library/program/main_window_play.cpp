#include "library/program/main_window_play.h"

void MainWindowPlay::PlayStarted(PlayOrigin origin, int32_t stepCount, int32_t position) {
    if (origin == ORIGIN_PLAY_BUTTON) {
        view_.EnableButton(PlayButton::Play, false);
        view_.EnableButton(PlayButton::Stop, true);
        view_.EnableButton(PlayButton::Pause, true);
        view_.HideWindow();
    }
    view_.SetProgressRange(stepCount);
    view_.SetProgressPosition(position);
}

void MainWindowPlay::StepPlaying(int32_t position) {
    view_.SetProgressPosition(position + 1);
}

// Stop stays available to rewind a paused play.
void MainWindowPlay::PlayEnded(PlayOrigin origin, PlayEnd, int32_t position) {
    view_.SetProgressPosition(position);
    if (origin != ORIGIN_PLAY_BUTTON) return;
    view_.EnableButton(PlayButton::Play, true);
    view_.EnableButton(PlayButton::Stop, position != 0);
    view_.EnableButton(PlayButton::Pause, false);
    view_.AwaitInputDelivered();
    view_.RestoreWindow();
}
