#pragma once
// The macro list file (.lst): the paths of the table's macro files, one per line.
#include <string>

#include "library/macro_table.h"

// Reads the list file at `path` into the cleared table, loading each macro file it names; the
// macro list is not touched. Reports its own failures; a line whose macro does not load is
// dropped.
void LoadMacroList(MacroLibrary& library, const std::string& path);

// Writes each macro's fileName followed by CR LF, in list order. The old file is replaced only
// by a complete new one. False, after telling the user, when the list could not be written.
bool SaveMacroList(MacroLibrary& library, const std::string& path);
