#pragma once
// The standard open and save dialogs the scheduler asks its files with.
#include <windows.h>

#include <optional>
#include <string>

struct FileQuestion {
    const char* title;
    const char* filter;  // description and pattern pairs, each ended by a zero
    const char* defaultExtension;
    bool save;  // a save dialog that confirms overwriting; else an open one for existing files
};

extern const FileQuestion MACRO_TO_RUN;
extern const FileQuestion SCHEDULE_TO_SAVE;
extern const FileQuestion SCHEDULE_TO_OPEN;

// The chosen path, or none when the user cancels. A path longer than 259 characters is
// refused with a message rather than cut.
std::optional<std::string> AskForFile(HWND owner, const FileQuestion& question);
