// Keyloom Scheduler: one instance, the settings, the window until Exit, the last file name.
#include <windows.h>

#include <commctrl.h>

#include "macro/desktop/win32_desktop.h"
#include "macro/file/text_field.h"
#include "scheduler/scheduler_window_win32.h"
#include "scheduler/single_instance.h"
#include "settings/registry_settings_store_win32.h"

namespace {

void MakePickersAvailable() {
    InitCommonControls();
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    DesktopPort& desktop = TheDesktop();
    if (FindRunningInstance(desktop, SCHEDULER_TITLE)) {
        desktop.MessageBoxA(NO_WINDOW, "An instance of Keyloom Scheduler is already running",
                            "Error", desk::BOX_OK | desk::BOX_ICON_ERROR);
        return 1;
    }
    RegistrySettingsStore store;
    Settings settings;
    SettingsContext settingsContext{SCHEDULER_SETTINGS, store, desktop, settings};
    LoadSettings(settingsContext);
    SchedulerProgram program(desktop, RealFileSystem(), settingsContext);
    CopyText(program.table.scheduleFileName, FieldText(settings.lastFileName));
    MakePickersAvailable();
    for (ScheduleItem& item : program.table.items)
        item = ScheduleItem{};
    program.window.startHidden = IsStartHiddenSwitch(commandLine ? commandLine : "");
    RunSchedulerWindow(program);
    StoreLastFileName(settingsContext, FieldText(program.table.scheduleFileName));
    return 0;
}
