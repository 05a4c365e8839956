#include "macro/player/play_state.h"

void UpdateElapsedSeconds(PlayState& state, DesktopPort& desktop) {
    const uint32_t sinceStart = desktop.GetTickCount() - state.startTick;
    state.elapsedSeconds = static_cast<int32_t>(sinceStart / 1000u);
}

bool StartPlayTimer(PlayState& state, DesktopPort& desktop, uintptr_t requestedId) {
    if (state.timerId != 0) return true;
    state.timerId = desktop.SetTimer(requestedId, PLAY_TIMER_PERIOD_MS, [&state, &desktop] {
        if (state.playing) UpdateElapsedSeconds(state, desktop);
    });
    return state.timerId != 0;
}

void StopPlayTimer(PlayState& state, DesktopPort& desktop) {
    if (state.timerId == 0) return;
    desktop.KillTimer(state.timerId);
    state.timerId = 0;
}

void ReleasePlay(PlayState& state, DesktopPort& desktop) {
    state.playing = false;
    StopPlayTimer(state, desktop);
}

void RewindPlay(PlayState& state) {
    state.position = 0;
    state.paused = {};
}
