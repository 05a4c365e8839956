#include "library/file_dialogs_win32.h"

#include <windows.h>

#include <cderr.h>
#include <commdlg.h>

#include "macro/file/macro.h"

namespace {

// The filter as the dialog wants it: description and pattern pairs, each ended by a zero, and
// one more zero at the end.
std::string FilterText(const std::vector<FileType>& types) {
    std::string filter;
    for (const FileType& type : types) {
        filter.append(type.description).push_back('\0');
        filter.append(type.pattern).push_back('\0');
    }
    filter.push_back('\0');
    return filter;
}

using DialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

std::optional<std::string> RunDialog(const FileDialogRequest& request, DWORD flags,
                                     DialogFunction show) {
    std::string filter = FilterText(request.types);
    char name[MACRO_PATH_CAPACITY] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof name;
    dialog.lpstrTitle = request.title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | flags;
    dialog.lpstrDefExt = request.defaultExtension.c_str();
    if (show(&dialog)) return std::string(name);
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
        MessageBoxA(dialog.hwndOwner, "The file name is too long", "Error", MB_OK | MB_ICONERROR);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> Win32FileDialogs::GetOpenFileNameA(const FileDialogRequest& request) {
    return RunDialog(request, OFN_FILEMUSTEXIST, ::GetOpenFileNameA);
}

std::optional<std::string> Win32FileDialogs::GetSaveFileNameA(const FileDialogRequest& request) {
    return RunDialog(request, OFN_OVERWRITEPROMPT, ::GetSaveFileNameA);
}
