#pragma once
// The .scl schedule file: a header and one NEW_ITEM ... END_ITEM block per item.
#include <string>

#include "macro/desktop/desktop_port.h"
#include "macro/file/file_system.h"
#include "scheduler/schedule/schedule_item.h"
#include "scheduler/schedule/schedule_list_view.h"

// Where the file functions report to.
struct ScheduleFiles {
    FileSystem& files;
    DesktopPort& desktop;
    WindowHandle owner;
};

// Appends the items of the file to the table and to the list, which the caller has emptied. An
// item's relative macro path is taken from the folder of `path`.
// False, with a message and the table untouched, when the file cannot be opened.
bool LoadSchedule(const ScheduleFiles& io, const std::string& path, ScheduleTable& table,
                  ScheduleListView& list);

// The exact bytes of the file at `path` for the items that the list shows. An item's macro path
// is written as the schedule file named it while that still reaches the macro from `path`'s
// folder, else in full.
std::string FormatSchedule(ScheduleTable& table, int listCount, const std::string& path);

// Writes the file, replacing any of that name only with a complete new one; false, silently,
// when it cannot be written.
bool SaveSchedule(FileSystem& files, const std::string& path, ScheduleTable& table,
                  ScheduleListView& list);
