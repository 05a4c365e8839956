// Keyloom Scheduler: one instance, the settings, the window until Exit, the last file name.
#include <windows.h>

#include <commctrl.h>

#include "macro/desktop/win32_desktop.h"
#include "macro/file/text_field.h"
#include "scheduler/window/scheduler_program_win32.h"
#include "scheduler/window/scheduler_texts.h"
#include "settings/program_settings_win32.h"
#include "ui/dpi_awareness_win32.h"
#include "ui/program_start.h"

namespace {

constexpr int EXIT_REFUSED = 1;

void MakePickersAvailable() {
    InitCommonControls();
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    BecomePerMonitorDpiAware();
    DesktopPort& desktop = TheDesktop();
    if (RefuseSecondInstance(desktop, SCHEDULER_TITLE, ALREADY_RUNNING_MESSAGE))
        return EXIT_REFUSED;
    ProgramSettings settings(SCHEDULER_SETTINGS, desktop);
    SchedulerProgram program(desktop, RealFileSystem(), settings.Context());
    CopyText(program.table.scheduleFileName, FieldText(settings.Context().settings.lastFileName));
    MakePickersAvailable();
    program.window.startHidden = IsStartHiddenSwitch(commandLine ? commandLine : "");
    RunSchedulerWindow(program);
    settings.StoreLastFile(FieldText(program.table.scheduleFileName));
    return 0;
}
