#include "macro/language/session_end.h"

bool EndSession(DesktopPort& desktop, SessionEndKind kind) {
    if (!desktop.EnableShutdownPrivilege()) return false;
    return desktop.ExitWindowsEx(kind == SessionEndKind::PowerOff ? desk::EXIT_POWEROFF_FORCED
                                                                  : desk::EXIT_REBOOT_FORCED);
}
