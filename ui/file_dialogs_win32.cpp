#include "ui/file_dialogs_win32.h"

#include <windows.h>

#include <cderr.h>
#include <commdlg.h>

#include "macro/desktop/error_report.h"
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

// The chosen path; none on cancel, and none with `tooLong` set when the path does not fit.
std::optional<std::string> RunDialog(const FileDialogRequest& request, DWORD flags,
                                     DialogFunction show, bool& tooLong) {
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
    tooLong = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> Win32FileDialogs::Ask(const FileDialogRequest& request, bool save) {
    bool tooLong = false;
    std::optional<std::string> path =
        save ? RunDialog(request, OFN_OVERWRITEPROMPT, ::GetSaveFileNameA, tooLong)
             : RunDialog(request, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, ::GetOpenFileNameA,
                         tooLong);
    if (tooLong) ReportError(desktop_, request.owner, pathTooLongText_, ERROR_CAPTION);
    return path;
}

std::optional<std::string> Win32FileDialogs::GetOpenFileNameA(const FileDialogRequest& request) {
    return Ask(request, false);
}

std::optional<std::string> Win32FileDialogs::GetSaveFileNameA(const FileDialogRequest& request) {
    return Ask(request, true);
}
