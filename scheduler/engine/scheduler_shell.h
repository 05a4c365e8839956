#pragma once
// What the schedule evaluation shows in the window: the notification-area icon and the window
// menu's "Enable All" / "Disable All" pair.
#include "macro/desktop/desktop_port.h"
#include "scheduler/engine/tray_state.h"

class SchedulerShell {
  public:
    virtual ~SchedulerShell() = default;
    // One attempt each; false when the platform refused it.
    virtual bool AddTrayIcon(TrayState state) = 0;
    virtual bool ModifyTrayIcon(TrayState state) = 0;
    virtual void DeleteTrayIcon() = 0;
    // "&Enable All Schedule Items" enabled only while suspended, "&Disable All ..." only while not.
    virtual void ShowSuspension(bool suspended) = 0;
    // The session is locked: input sent now would go nowhere, so nothing plays.
    virtual bool SessionLocked() = 0;
};

// A refused change of the icon is tried this many times in all.
constexpr int TRAY_MODIFY_ATTEMPTS = 5;
constexpr int TRAY_RETRY_WAIT_MS = 100;

// Changes the existing icon to the picture of `state`, trying again when refused.
void SetTrayIconState(SchedulerShell& shell, DesktopPort& desktop, TrayState state);
