#pragma once
// The playback engine: plays a macro file pass by pass, handing each code line to the
// interpreter, until the macro's play style is satisfied or Escape or Pause stops it.
#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "macro/file/macro.h"
#include "macro/language/interpreter.h"
#include "macro/player/play_state.h"
#include "macro/player/play_view.h"
#include "macro/player/scheduler_tray.h"

// Everything a play touches; one per program.
struct MacroPlayer {
    PlayState& state;
    DesktopPort& desktop;
    FileSystem& files;
    MacroInterpreter& interpreter;  // takes its pace from the macro being played
    WindowHandle mainWindow;        // owner of the Play button's and the scheduler's error boxes
    PlayView* view;                 // Keyloom's main window; null in the scheduler
    SchedulerTray* tray;            // the scheduler's icon; null in Keyloom
};

// Keyloom. Returns when the play has ended by its style or by a key.
void PlayMacro(MacroPlayer& player, const Macro& macro, PlayOrigin origin);

// Keyloom Scheduler: no trace and no bar, the timer numbered by the platform, pending key presses
// discarded, and Escape and Pause both rewind and reset the tray icon.
void PlayScheduledMacro(MacroPlayer& player, const Macro& macro);

// Whether the play style of `macro` ends the play after the pass just completed. Styles other
// than for-seconds and times repeat until stopped.
bool PlayStyleSatisfied(const Macro& macro, const PlayState& state);
