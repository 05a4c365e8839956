#pragma once
// The scheduler's notification-area icon: number 1 of the window, callback message 1400, tip
// "Keyloom Scheduler", and its pop-up menu.
#include <windows.h>

#include "macro/player/scheduler_tray.h"

constexpr UINT TRAY_CALLBACK_MESSAGE = WM_USER + 376;  // 1400

// One attempt each; false when the platform refused.
bool AddSchedulerTrayIcon(HWND window, TrayState state);
bool ModifySchedulerTrayIcon(HWND window, TrayState state);
void DeleteSchedulerTrayIcon(HWND window);

// Shows menu 120 at the pointer; the command chosen, 0 for none.
int TrackSchedulerTrayMenu(HWND window, bool suspended);
