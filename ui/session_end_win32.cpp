#include "ui/session_end_win32.h"

#include "ui/user_function_win32.h"

SessionEndHold::SessionEndHold(HWND window, const wchar_t* reason) : window_(window) {
    // Windows Vista and later have these; older systems start without them.
    auto create = UserFunction<BOOL(WINAPI*)(HWND, LPCWSTR)>("ShutdownBlockReasonCreate");
    held_ = create && create(window_, reason);
}

SessionEndHold::~SessionEndHold() {
    auto destroy = UserFunction<BOOL(WINAPI*)(HWND)>("ShutdownBlockReasonDestroy");
    if (held_ && destroy) destroy(window_);
}

std::string KeptDocumentPath(const char* fileName) {
    char folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return {};
    std::string path = std::string(folder) + "\\Keyloom";
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return {};
    return path + "\\" + fileName;
}
