#pragma once
// The macros' triggers as system-wide hot keys: registered while the main window is hidden in
// the notification area, and played when they fire.
#include <deque>
#include <vector>

#include "library/table/macro_table.h"
#include "macro/desktop/desktop_port.h"

// How a fired hot key plays its macro: the main program's playback engine.
class TriggerPlayer {
  public:
    virtual ~TriggerPlayer() = default;
    // Whether a play is running (the engine's `playing`).
    virtual bool Playing() = 0;
    // Plays the macro as a trigger does (ORIGIN_TRIGGER); returns when the play has ended.
    virtual void PlayTriggered(const Macro& macro) = 0;
};

struct HotKeys {
    MacroTable& table;
    DesktopPort& desktop;
    TriggerPlayer& player;
    WindowHandle mainWindow;  // target of the hot keys, owner of their messages
    bool macrosDisabled = false;
    // The ids whose hot keys are registered now: only these are withdrawn.
    std::vector<int> registered{};
    // Hot keys that fired while another was being handled (delivered by a modal box of its
    // play), in the order they fired; each is handled in turn once that play has ended.
    std::deque<int> setAside{};
    bool handling = false;
};

// Registers the hot key of every macro in use that has one, in table order. The combinations
// that the platform refuses (another program, or another macro, holds them) are named in one
// box, "Failed to register hotkey ...", once the others are registered.
void RegisterTriggers(HotKeys& hotKeys);
// Withdraws the hot keys that were registered; a refusal is reported and the pass goes on. Hot
// keys set aside and not yet handled are dropped: they are no longer live.
void UnregisterTriggers(HotKeys& hotKeys);

// The platform's hot-key message for the macro whose id is `id`.
void OnHotKey(HotKeys& hotKeys, int id);

// When the passes run. The caller changes the window and the notification-area icon first.
void HotKeysOnHideInTray(HotKeys& hotKeys);  // close box, Hide in Tray and Listen, "/m" start
void HotKeysOnLeaveTray(HotKeys& hotKeys);   // Restore main window, icon double-click, Close
void DisableAllMacros(HotKeys& hotKeys);     // notification-area menu
void EnableAllMacros(HotKeys& hotKeys);      // notification-area menu
