#pragma once
// The main window's list file commands and the save-changes prompt that guards them.
#include <optional>
#include <string>
#include <string_view>

#include "library/table/macro_table.h"

// Asks "Save changes to current macro list?" when the list has unsaved changes. True to go on
// with the command that discards the list; false when the user cancels or the save fails.
bool OfferToSaveList(MacroLibrary& library);

// Saves the list to `path`, which becomes its name; false, after telling the user, when it could
// not be written: the list keeps its old name and its unsaved changes.
bool SaveListTo(MacroLibrary& library, const std::string& path);

// The save dialog for a list file; none when the user cancels.
std::optional<std::string> ChooseListFileToSave(MacroLibrary& library);

// File menu commands.
void NewMacroListCommand(MacroLibrary& library);   // New Macro List (107)
void OpenMacroListCommand(MacroLibrary& library);  // Open Macro List (109)
void SaveCommand(MacroLibrary& library);           // Save (110)
void SaveAsCommand(MacroLibrary& library);         // Save As (111)

// Reopens the list in use at the last exit (the LastFileName setting) when the main window
// starts; an empty name or "Untitled" starts an empty, untitled list.
void RestoreLastMacroList(MacroLibrary& library, std::string_view lastFileName);
