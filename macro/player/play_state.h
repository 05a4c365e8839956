#pragma once
// The one play state of a program, shared by every play, and its one-second timer.
#include <cstdint>
#include <vector>

#include <optional>
#include <string>

#include "macro/desktop/desktop_port.h"
#include "macro/language/interpreter.h"

// The id Keyloom asks the platform for; the scheduler lets the platform choose (id 0).
constexpr uintptr_t PLAY_TIMER_ID = 1337;
constexpr uint32_t PLAY_TIMER_PERIOD_MS = 1000;

enum PlayOrigin {
    ORIGIN_TRIGGER,      // a hot key
    ORIGIN_PLAY_BUTTON,  // the main window's Play button or its menu twin
    ORIGIN_SCHEDULE,     // a schedule item of the scheduler
};

// What a Pause kept of a play, for the next play of the same macro to take up.
struct PausedPlay {
    std::string fileName{};  // the macro paused
    // The keys and buttons its macro held, in the order they went down.
    std::vector<HeldInput> held{};
    // Where the pointer was, when a button was held: a drag goes on from there.
    std::optional<ScreenPoint> pointer{};
    LineRest rest{};  // of the line Pause cut short
};

struct PlayState {
    int32_t position = 0;  // next step of the current pass; 0 = start of a pass
    bool playing = false;
    int32_t passesDone = 0;
    int32_t elapsedSeconds = 0;
    uint32_t startTick = 0;  // tick count when the current play began
    // The running one-second timer as the platform numbered it; 0 when none runs.
    uintptr_t timerId = 0;
    // Kept while `position` is above 0; only a play of the same macro resumes it.
    PausedPlay paused{};
};

// Whole seconds since startTick; the tick count may have wrapped since.
void UpdateElapsedSeconds(PlayState& state, DesktopPort& desktop);

// Asks for the one-second timer that keeps elapsedSeconds current while a modal box of the
// macro is up. A timer that already runs is kept rather than doubled. False when refused.
bool StartPlayTimer(PlayState& state, DesktopPort& desktop, uintptr_t requestedId);
void StopPlayTimer(PlayState& state, DesktopPort& desktop);

// Lets go of a play: not playing, no timer (the main window's Pause button).
void ReleasePlay(PlayState& state, DesktopPort& desktop);
// Back to the start of a pass (Escape, the Stop button, opening the editor, a play of another
// macro); what the paused play kept is forgotten.
void RewindPlay(PlayState& state);
