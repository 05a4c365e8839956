#pragma once
// The main window in the notification area: going there, coming back, and the icon's menu.
#include "library/main_window_commands.h"

// How often, and how far apart, adding the icon is tried before the window gives up hiding:
// at the start of a session the notification area may not exist yet.
constexpr int TRAY_ADD_ATTEMPTS = 40;
constexpr int TRAY_ADD_PAUSE_MS = 250;

// A close request: the icon, the window hidden, then the hot keys. When the icon cannot be
// added the window stays (or becomes) visible and the user is told.
void HideInTray(MainWindowContext& context);
// Restore main window, or a double-click on the icon.
void RestoreFromTray(MainWindowContext& context);
// A command chosen from the icon's menu (130 to 133); 0 (dismissed) and others do nothing.
void OnTrayCommand(MainWindowContext& context, int command);
