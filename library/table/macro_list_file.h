#pragma once
// The macro list file (.lst): the paths of the table's macro files, one per line.
#include <string>

#include "library/table/macro_table.h"

// Reads the list file at `path` into the cleared table, loading each macro file it names, a
// relative one from the list's folder; the macro list is not touched. A line whose macro does
// not load is dropped; what did not load is told in one box once the list has been read.
void LoadMacroList(MacroLibrary& library, const std::string& path);

// Writes each macro's path followed by CR LF, in list order: as the list named it while that
// still reaches the macro from `path`'s folder, else its fileName. The old file is replaced only
// by a complete new one. False, after telling the user, when the list could not be written.
bool SaveMacroList(MacroLibrary& library, const std::string& path);
