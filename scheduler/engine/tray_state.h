#pragma once
// The pictures of the scheduler's notification-area icon.

enum TrayState : int {
    TRAY_IDLE = 1,
    TRAY_PLAYING = 2,
    TRAY_SUSPENDED = 3,
};
