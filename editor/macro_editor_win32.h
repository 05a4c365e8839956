#pragma once
// The macro editor window (dialog 124): one macro's properties, its code, event templates,
// recording and preview play.
#include <windows.h>

#include "editor/editor_state.h"
#include "library/table/macro_list_view.h"
#include "library/table/macro_table.h"
#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "macro/language/interpreter.h"
#include "macro/player/play_state.h"
#include "recorder/recorder_state.h"
#include "settings/settings.h"

// The main program's records the editor works on, all owned by the program.
struct EditorContext {
    MacroTable& table;   // the editor edits table.currentMacro in place
    EditorState& state;  // prepared with PrepareEditorChangeTracking before the editor opens
    DesktopPort& desktop;
    FileSystem& files;
    const Settings& settings;  // the MacroDelay in effect
    RecorderState& recorder;
    PlayState& play;                // the preview sets and clears `playing`
    MacroInterpreter& interpreter;  // the preview's lines, paced by currentMacro's speed
    MacroListView& macroList;       // the main window's list, renamed by Apply
};

// Opens the editor modally, without an owner window, on table.currentMacro, and returns when it
// closes. -1 when the dialog cannot be created.
INT_PTR ShowMacroEditor(EditorContext& context);

// The editor's dialog procedure; the creation parameter is the EditorContext.
INT_PTR CALLBACK MacroEditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
