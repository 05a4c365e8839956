#pragma once
// The picture in a window's caption and task-bar button.
#include <windows.h>

// Gives `window` the icon `iconId` of `instance` at the system's small-icon size.
void SetSmallIcon(HWND window, HINSTANCE instance, int iconId);

// The icon `iconId` of `instance` at the small-icon size, shared with the module; null when
// missing.
HICON LoadSmallIcon(HINSTANCE instance, int iconId);
