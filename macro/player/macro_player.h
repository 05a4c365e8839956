#pragma once
// The playback engine: plays a macro file pass by pass, handing each code line to the
// interpreter at the macro's own pace, until the macro's play style is satisfied or Escape or
// Pause stops it.
#include <functional>

#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "macro/file/macro.h"
#include "macro/language/interpreter.h"
#include "macro/player/play_observer.h"
#include "macro/player/play_state.h"

// Everything a play touches; one per program.
struct MacroPlayer {
    PlayState& state;
    DesktopPort& desktop;
    FileSystem& files;
    MacroInterpreter& interpreter;
    WindowHandle mainWindow;  // owner of the error boxes of Play-button and scheduled plays
    PlayObserver* observer;   // whoever shows the play; null when nobody does
    // The speed each play starts at, in percent (Keyloom's Playback speed).
    std::function<int32_t()> speed = [] { return NOMINAL_PLAY_SPEED; };
};

// Returns when the play has ended by its style or by a key. A hot key's play traces, asks for
// the play timer and sets aside key presses made before it; a scheduled play lets the platform
// number its timer, sets presses aside too, and rewinds on Pause as on Escape.
void PlayMacro(MacroPlayer& player, const Macro& macro, PlayOrigin origin);

// Whether the play style of `macro` ends the play after the pass just completed. Styles other
// than for-seconds and times repeat until stopped.
bool PlayStyleSatisfied(const Macro& macro, const PlayState& state);
