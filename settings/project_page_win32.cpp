#include <windows.h>

#include "settings/project_page.h"

void OpenProjectPage(DesktopPort& desktop, WindowHandle owner) {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string page = ProjectPage(std::string(path, length), [](const std::string& candidate) {
        return GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    desktop.ShellExecuteA(owner, page, SW_SHOW);
}
