#include "scheduler/window/history_path_win32.h"

#include <windows.h>

std::string SchedulerHistoryPath() {
    char base[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", base, sizeof base);
    if (length == 0 || length >= sizeof base) return {};
    const std::string folder = std::string(base, length) + "\\Keyloom";
    CreateDirectoryA(folder.c_str(), nullptr);  // an existing folder is what is wanted
    return folder + "\\Scheduler history.txt";
}
