#pragma once
// The main window in the notification area: going there, coming back, and the icon's menu.
#include "library/program/main_window_commands.h"
#include "ui/program_start.h"

// A close request: the icon, the window hidden, then the hot keys. When the icon cannot be
// added the window stays (or becomes) visible and the user is told.
void HideInTray(MainWindowContext& context);
// Restore main window, or a double-click on the icon.
void RestoreFromTray(MainWindowContext& context);
// Whether the icon's menu offers `command` (130 to 133) now: Disable or Enable all macros by
// their state; Restore and Close not while a play runs, which would show the window or end the
// program under it.
bool TrayCommandOffered(const MainWindowContext& context, int command);
// A command chosen from the icon's menu; one not offered, 0 (dismissed) and others do nothing.
void OnTrayCommand(MainWindowContext& context, int command);
