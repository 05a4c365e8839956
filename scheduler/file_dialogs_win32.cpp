#include "scheduler/file_dialogs_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include "scheduler/schedule_item.h"

const FileQuestion MACRO_TO_RUN{"Select a macro to run", "Macro Files (*.mro)\0*.mro\0", "mro",
                                false};
const FileQuestion SCHEDULE_TO_SAVE{"Save current schedule", "Schedules (*.scl)\0*.scl\0", "scl",
                                    true};
const FileQuestion SCHEDULE_TO_OPEN{"Open existing schedule", "Schedules (*.scl)\0*.scl\0", "scl",
                                    false};

std::optional<std::string> AskForFile(HWND owner, const FileQuestion& question) {
    static_assert(ITEM_PATH_CAPACITY == SCHEDULE_PATH_CAPACITY);
    char path[ITEM_PATH_CAPACITY] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = question.filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = question.title;
    dialog.lpstrDefExt = question.defaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY |
                   (question.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    const BOOL chosen = question.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (chosen) return std::string(path);
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
        MessageBoxA(owner, "The path of the chosen file is longer than 259 characters.", "Error",
                    MB_OK | MB_ICONERROR);
    return std::nullopt;
}
