#pragma once
// The main window's commands on macros and plays, and what it does when it starts, is shown
// or hidden, and goes into or out of the notification area.
#include <string_view>

#include "editor/editor_state.h"
#include "library/program/hot_keys.h"
#include "library/program/main_window_view.h"
#include "library/table/macro_table.h"
#include "macro/player/macro_player.h"

struct MainWindowContext {
    MacroLibrary& library;
    HotKeys& hotKeys;
    MacroPlayer& player;
    EditorState& editor;
    MainWindowView& view;
    TrayIconPort& tray;
};

// Whether a play runs, also while it shows a box: that box's loop delivers the window's
// messages, but the commands that would start another play, or change the macro table or list
// under the running one, do nothing until it has ended.
bool PlayRunning(const MainWindowContext& context);

// Before the window is first shown: the one-second timer, the buttons and the last macro list.
void InitialiseMainWindow(MainWindowContext& context, std::string_view lastFileName);
// Each time the window is shown or hidden: its title and the Save item.
void RefreshOnShowOrHide(MainWindowContext& context);

void ShowSelectedDetails(MainWindowContext& context);  // selection change in the macro list
void NewMacroCommand(MainWindowContext& context);      // New (128, 1023)
void EditCommand(MainWindowContext& context);          // Edit this macro (1028), double-click
void RemoveCommand(MainWindowContext& context);        // Remove (114, 1024)
void ImportCommand(MainWindowContext& context);        // Import (118, 1025)
void ExportCommand(MainWindowContext& context);        // Export (119, 1026)
void PlayCommand(MainWindowContext& context);          // Run (113), Play (1018)
void PauseCommand(MainWindowContext& context);         // Pause (1019)
void StopCommand(MainWindowContext& context);          // Stop (1020)
void ExitCommand(MainWindowContext& context);          // Exit (112)
// New Macro List (107) and Open Macro List (109): `command` replaces the table's macros.
void ReplaceListCommand(MainWindowContext& context, void (&command)(MacroLibrary&));
