#pragma once
// The main window (dialog 104): the macro library, the selected macro's details, the playback
// buttons; the program's message loop while it runs.
#include <windows.h>

#include "editor/editor_state.h"
#include "library/table/macro_table.h"
#include "macro/desktop/win32_desktop.h"
#include "macro/player/play_state.h"
#include "recorder/recorder_state.h"
#include "settings/settings.h"

// What the program entry owns for the whole run and hands to the main window.
struct KeyloomProgram {
    HINSTANCE instance;
    Win32Desktop& desktop;
    SettingsContext& settings;
    MacroTable& table;
    PlayState& playState;
    EditorState& editorState;
    RecorderState& recorder;
    bool startHidden;  // "/m": cleared once the window has gone into the notification area
};

// Opens the main window modally without an owner and returns when it has ended: its result, or
// -1 when it cannot be created.
INT_PTR RunMainWindow(KeyloomProgram& program);
