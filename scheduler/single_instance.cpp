#include "scheduler/single_instance.h"

bool IsSchedulerRunning(DesktopPort& desktop) {
    bool found = false;
    desktop.EnumWindows([&](WindowHandle window) {
        found = desktop.GetWindowTextA(window, TITLE_CAPACITY) == SCHEDULER_TITLE;
        return !found;
    });
    return found;
}

bool IsSchedulerHiddenStart(std::string_view commandLine) {
    return commandLine == "/m";
}
