// Keyloom's entry: one instance at a time, the settings, the main window, and the last list
// file remembered at the end.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "library/program/keyloom_texts.h"
#include "library/program/main_window_win32.h"
#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "settings/program_settings_win32.h"
#include "ui/dpi_awareness_win32.h"
#include "ui/program_start.h"

namespace {
constexpr int EXIT_REFUSED = 1;
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    BecomePerMonitorDpiAware();
    InitCommonControls();
    Win32Desktop& desktop = TheDesktop();
    if (RefuseSecondInstance(desktop, MAIN_WINDOW_TITLE, ALREADY_RUNNING_MESSAGE))
        return EXIT_REFUSED;
    ProgramSettings settings(KEYLOOM_SETTINGS, desktop);

    auto table = std::make_unique<MacroTable>();  // cleared: every slot zero
    PlayState playState;
    EditorState editorState;
    auto recorder = std::make_unique<RecorderState>();
    KeyloomProgram program{instance,           desktop,
                           settings.Context(), *table,
                           playState,          editorState,
                           *recorder,          IsStartHiddenSwitch(commandLine ? commandLine : "")};
    if (RunMainWindow(program) == -1) {
        ReportError(desktop, NO_WINDOW, MAIN_WINDOW_FAILED_TEXT, FAILURE_CAPTION);
        return EXIT_REFUSED;
    }
    settings.StoreLastFile(FieldText(table->listFileName));
    return 0;
}
