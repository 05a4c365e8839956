#include "library/table/macro_list_commands.h"

#include "library/table/macro_list_file.h"
#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"

namespace {

FileDialogRequest ListFileRequest(const MacroLibrary& library, const char* title) {
    return FileDialogRequest{library.mainWindow,
                             title,
                             {{"Macro Lists (*.lst)", "*.lst"}, {"All Files (*.*)", "*.*"}},
                             "lst"};
}

bool IsUntitled(const MacroTable& table) {
    return FieldText(table.listFileName) == UNTITLED_LIST_NAME;
}

// The list's own name, or one the user chooses for an untitled list; none on cancel.
std::optional<std::string> NameToSaveUnder(MacroLibrary& library) {
    if (IsUntitled(library.table)) return ChooseListFileToSave(library);
    return std::string(FieldText(library.table.listFileName));
}

}  // namespace

bool SaveListTo(MacroLibrary& library, const std::string& path) {
    if (!SaveMacroList(library, path)) return false;
    CopyText(library.table.listFileName, path);
    library.table.modified = false;
    library.saveItem.EnableSave(false);
    return true;
}

std::optional<std::string> ChooseListFileToSave(MacroLibrary& library) {
    return library.dialogs.GetSaveFileNameA(ListFileRequest(library, "Save current macro list"));
}

bool OfferToSaveList(MacroLibrary& library) {
    if (!library.table.modified) return true;
    int answer =
        AskQuestion(library.desktop, library.mainWindow, "Save changes to current macro list?",
                    KEYLOOM_CAPTION, Answers::YES_NO_CANCEL);
    if (answer == desk::ANSWER_NO) return true;
    if (answer != desk::ANSWER_YES) return false;
    std::optional<std::string> path = NameToSaveUnder(library);
    return path && SaveListTo(library, *path);
}

void NewMacroListCommand(MacroLibrary& library) {
    if (!OfferToSaveList(library)) return;
    CopyText(library.table.listFileName, UNTITLED_LIST_NAME);
    ClearMacroTable(library);
}

void OpenMacroListCommand(MacroLibrary& library) {
    if (!OfferToSaveList(library)) return;
    std::optional<std::string> path =
        library.dialogs.GetOpenFileNameA(ListFileRequest(library, "Open existing macro list"));
    if (!path) return;
    ClearMacroTable(library);
    LoadMacroList(library, *path);
    CopyText(library.table.listFileName, *path);
    ShowMacroList(library);
}

void SaveCommand(MacroLibrary& library) {
    std::optional<std::string> path = NameToSaveUnder(library);
    if (path) SaveListTo(library, *path);
}

void SaveAsCommand(MacroLibrary& library) {
    std::optional<std::string> path = ChooseListFileToSave(library);
    if (path) SaveListTo(library, *path);
}

void RestoreLastMacroList(MacroLibrary& library, std::string_view lastFileName) {
    MacroTable& table = library.table;
    table.modified = false;
    if (lastFileName.empty() || lastFileName == UNTITLED_LIST_NAME) {
        CopyText(table.listFileName, UNTITLED_LIST_NAME);
        return;
    }
    std::string path(lastFileName);
    LoadMacroList(library, path);
    CopyText(table.listFileName, path);
    ShowMacroList(library);
}
