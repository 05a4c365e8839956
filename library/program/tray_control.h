#pragma once
// The main window in the notification area: going there, coming back, and the icon's menu.
#include "library/program/main_window_commands.h"
#include "ui/program_start.h"

// A close request: the icon, the window hidden, then the hot keys. When the icon cannot be
// added the window stays (or becomes) visible and the user is told.
void HideInTray(MainWindowContext& context);
// Restore main window, or a double-click on the icon.
void RestoreFromTray(MainWindowContext& context);
// A command chosen from the icon's menu (130 to 133); 0 (dismissed) and others do nothing.
void OnTrayCommand(MainWindowContext& context, int command);
