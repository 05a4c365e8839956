#pragma once
// What the schedule evaluation shows in the window: the notification-area icon and the window
// menu's "Enable All" / "Disable All" pair.

enum TrayState : int {
    TRAY_IDLE = 1,
    TRAY_PLAYING = 2,
    TRAY_SUSPENDED = 3,
};

class SchedulerShell {
  public:
    virtual ~SchedulerShell() = default;
    // One attempt each; false when the platform refused it.
    virtual bool AddTrayIcon(TrayState state) = 0;
    virtual bool ModifyTrayIcon(TrayState state) = 0;
    virtual void DeleteTrayIcon() = 0;
    // "&Enable All Schedule Items" enabled only while suspended, "&Disable All ..." only while not.
    virtual void ShowSuspension(bool suspended) = 0;
};
