#pragma once
// The name a new schedule item takes from its macro file.
#include <string>

#include "scheduler/schedule/schedule_file.h"

// The NAME of a macro file into `name`; false when the file has none or cannot be opened.
bool ReadMacroName(const ScheduleFiles& io, const std::string& path,
                   char (&name)[ITEM_NAME_CAPACITY]);
