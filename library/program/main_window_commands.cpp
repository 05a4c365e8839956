#include "library/program/main_window_commands.h"

#include <optional>
#include <string>

#include "library/table/macro_list_commands.h"
#include "library/table/trigger_encoding.h"
#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"

namespace {

constexpr char PROGRAM_NAME[] = "Keyloom";

DesktopPort& Desktop(MainWindowContext& context) {
    return context.library.desktop;
}
WindowHandle Window(MainWindowContext& context) {
    return context.library.mainWindow;
}

// The macro of the selected entry, made current; null, after telling the user, when nothing is
// selected or the entry has no macro.
Macro* SelectedMacro(MainWindowContext& context) {
    int selected = context.view.SelectedEntry();
    if (selected < 0) {
        ReportWarning(Desktop(context), Window(context), "Please select a macro", PROGRAM_NAME);
        return nullptr;
    }
    Macro* macro = FindMacroByID(context.library.table, selected);
    if (!macro) {
        ReportError(Desktop(context), Window(context), "FindMacroByID failed", ERROR_CAPTION);
        return nullptr;
    }
    context.library.table.currentMacro = macro;
    return macro;
}

FileDialogRequest MacroFileRequest(MainWindowContext& context, const char* title) {
    return FileDialogRequest{Window(context),
                             title,
                             {{"Macro Files (*.mro)", "*.mro"}, {"All Files (*.*)", "*.*"}},
                             "mro"};
}

void FillNewMacro(Macro& macro, const std::string& path) {
    macro.active = 1;
    CopyText(macro.description, "Macro description");
    CopyText(macro.fileName, path);
    CopyText(macro.name, "New macro");
    macro.isPrivate = 0;
    macro.playStyle = PLAY_STYLE_TIMES;
    macro.playCount = 1;
}

// A copy of the macro file at `target`, replacing a file the user has agreed to replace; the
// target is either the whole copy or as it was.
bool CopyMacroFile(FileSystem& files, const std::string& source, const std::string& target) {
    std::optional<std::string> bytes = ReadWholeFile(files, source);
    return bytes && SaveFileAtomically(files, target, *bytes);
}

}  // namespace

bool PlayRunning(const MainWindowContext& context) {
    return context.player.state.playing;
}

void InitialiseMainWindow(MainWindowContext& context, std::string_view lastFileName) {
    if (!StartPlayTimer(context.player.state, Desktop(context), PLAY_TIMER_ID)) {
        ReportError(Desktop(context), Window(context), "Failed to create timer", ERROR_CAPTION);
        return;
    }
    context.view.EnableButton(PlayButton::Stop, false);
    context.view.EnableButton(PlayButton::Pause, false);
    RestoreLastMacroList(context.library, lastFileName);
}

void RefreshOnShowOrHide(MainWindowContext& context) {
    context.view.SetTitle(PROGRAM_NAME);
    if (!context.library.saveItem.EnableSave(context.library.table.modified))
        ReportError(Desktop(context), Window(context), "Failed to find menu item", ERROR_CAPTION);
}

void ShowSelectedDetails(MainWindowContext& context) {
    int selected = context.view.SelectedEntry();
    if (selected < 0) return;
    Macro* macro = FindMacroByID(context.library.table, selected);
    if (!macro) {
        ReportError(Desktop(context), Window(context), "FindMacroByID failed", ERROR_CAPTION);
        return;
    }
    context.library.table.currentMacro = macro;
    context.view.SetDescriptionText(std::string(FieldText(macro->description)));
    context.view.SetTriggerDisplay(HotKeyControlValue(macro->trigger));
    context.view.SetEnabledText(macro->active ? "YES" : "NO");
}

void NewMacroCommand(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    MacroLibrary& library = context.library;
    std::optional<std::string> path =
        library.dialogs.GetSaveFileNameA(MacroFileRequest(context, "Create new macro file"));
    if (!path) return;
    // A second macro on one file would overwrite the first one's file and share it from then on.
    if (IsMacroLoaded(library.table, *path)) {
        ReportError(Desktop(context), Window(context), "This macro has already been loaded",
                    ERROR_CAPTION);
        return;
    }
    Macro* macro = PrepareNextSlot(library);
    if (!macro) return;
    FillNewMacro(*macro, *path);
    if (!SaveMacroFile(library.files, "", *macro)) {
        ReportError(Desktop(context), Window(context), "Error writing file", ERROR_CAPTION);
        ClearMacroSlot(*macro);
        return;
    }
    AddMacro(library);
    context.view.SelectEntry(macro->id);
    EditCommand(context);
}

void EditCommand(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    Macro* macro = SelectedMacro(context);
    if (!macro) return;
    context.view.SetDescriptionText(std::string(FieldText(macro->description)));
    context.view.HideWindow();
    PrepareEditorChangeTracking(context.editor);
    RewindPlay(context.player.state);
    context.view.SetProgressPosition(0);
    if (!context.view.OpenEditor())
        ReportError(Desktop(context), Window(context), "Failed to initialise properties dialog",
                    FAILURE_CAPTION);
    // Apply puts the macro's entry back under its new name, unselected: the edited macro is
    // selected again and shown as it now is.
    context.view.SelectEntry(macro->id);
    ShowSelectedDetails(context);
    context.view.RestoreWindow();
}

void RemoveCommand(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    if (context.view.SelectedEntry() < 0) {
        SelectedMacro(context);  // tells the user to select one
        return;
    }
    int answer = AskQuestion(Desktop(context), Window(context), "Remove the selected macro?",
                             PROGRAM_NAME, Answers::YES_NO);
    if (answer != desk::ANSWER_YES) return;
    Macro* macro = SelectedMacro(context);
    if (!macro) return;
    RemoveMacro(context.library, macro->id);
    // The slot now holds the next macro, or none: nothing may go on using it as the removed one.
    context.library.table.currentMacro = nullptr;
}

void ImportCommand(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    MacroLibrary& library = context.library;
    std::optional<std::string> path =
        library.dialogs.GetOpenFileNameA(MacroFileRequest(context, "Import macro from file"));
    if (path) ImportMacro(library, *path);
}

void ExportCommand(MainWindowContext& context) {
    MacroLibrary& library = context.library;
    Macro* macro = FindMacroByID(library.table, context.view.SelectedEntry());
    if (!macro) return;
    library.table.currentMacro = macro;
    std::optional<std::string> path =
        library.dialogs.GetSaveFileNameA(MacroFileRequest(context, "Export macro to file"));
    if (!path) return;
    if (!CopyMacroFile(library.files, std::string(FieldText(macro->fileName)), *path))
        ReportError(Desktop(context), Window(context), "Error writing file", ERROR_CAPTION);
}

void PlayCommand(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    Macro* macro = SelectedMacro(context);
    if (macro) PlayMacro(context.player, *macro, ORIGIN_PLAY_BUTTON);
}

// Pause and Stop act on a play that has ended: inside a running one they would take its
// `playing` away or rewind it under its feet.
void PauseCommand(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    ReleasePlay(context.player.state, Desktop(context));
}

void StopCommand(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    RewindPlay(context.player.state);
    context.view.SetProgressPosition(0);
    ReleasePlay(context.player.state, Desktop(context));
}

void ExitCommand(MainWindowContext& context) {
    if (PlayRunning(context)) return;
    if (OfferToSaveList(context.library)) context.view.EndMainWindow();
}

void ReplaceListCommand(MainWindowContext& context, void (&command)(MacroLibrary&)) {
    if (!PlayRunning(context)) command(context.library);
}
