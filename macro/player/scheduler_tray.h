#pragma once
// The scheduler's notification-area icon, as its build of the engine leaves it after a stop.

enum TrayState : int {
    TRAY_IDLE = 1,
    TRAY_PLAYING = 2,
    TRAY_SUSPENDED = 3,
};

class SchedulerTray {
  public:
    virtual ~SchedulerTray() = default;
    virtual bool Suspended() const = 0;  // all schedule items are disabled
    virtual void SetTrayIconState(int state) = 0;
};
