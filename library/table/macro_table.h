#pragma once
// The main program's library of macros: positions, ids and list indexes are one and the same.
#include <functional>
#include <span>
#include <string_view>

#include "library/table/macro_list_view.h"
#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "macro/file/macro.h"
#include "macro/file/macro_file.h"
#include "ui/file_dialogs.h"

constexpr int MACRO_CAPACITY = 100;
constexpr char UNTITLED_LIST_NAME[] = "Untitled";

// A fresh table is cleared: every slot zero, no list file, nothing modified.
struct MacroTable {
    Macro macros[MACRO_CAPACITY]{};
    int count = 0;
    Macro* currentMacro = nullptr;
    char listFileName[MACRO_PATH_CAPACITY] = "Untitled";
    bool modified = false;

    std::span<const Macro> InUse() const { return {macros, static_cast<std::size_t>(count)}; }
};

// The table with everything its operations reach: the main window's views, the file dialogs,
// the files and the desktop.
struct MacroLibrary {
    MacroTable& table;
    MacroListView& list;
    SaveMenuItem& saveItem;
    FileDialogs& dialogs;
    FileSystem& files;
    DesktopPort& desktop;
    WindowHandle mainWindow;
    std::function<int32_t()> macroDelay;  // the MacroDelay in effect
};

// How the main program loads a macro into the slot at `count`: the MacroDelay as the default
// pace and the macros in use as the trigger clash candidates.
MacroLoadRules LibraryLoadRules(const MacroLibrary& library);

// The macro in use whose id is `id`; null when there is none (also for -1, "no selection").
Macro* FindMacroByID(MacroTable& table, int32_t id);
// Whether a macro in use has exactly this fileName (byte for byte).
bool IsMacroLoaded(const MacroTable& table, std::string_view path);
void ClearMacroSlot(Macro& macro);

// The slot at `count`, cleared for a new macro; null, after telling the user, when the table
// is full.
Macro* PrepareNextSlot(MacroLibrary& library);
// Takes the macro the caller has filled in the slot at `count` into the table and the list.
// False when the table is full.
bool AddMacro(MacroLibrary& library);
// Removes the macro at `position` and closes the gap; positions not in use are ignored.
void RemoveMacro(MacroLibrary& library, int position);
// Empties the macro list and the table.
void ClearMacroTable(MacroLibrary& library);
// Fills the (empty) macro list from the table, numbering the macros by their entries.
void ShowMacroList(MacroLibrary& library);
// Loads the macro file at `path` into the table as Import does; false, after telling the user,
// when it is already loaded, the table is full or the file does not load.
bool ImportMacro(MacroLibrary& library, const std::string& path);
