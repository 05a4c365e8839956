#include "macro/file/text_field.h"
#include "scheduler/schedule_file.h"
#include "scheduler/schedule_window.h"

namespace {

bool IsItemInUse(const ScheduleTable& table, const ScheduleItem* item) {
    return item && item >= table.items && item < table.items + table.count;
}

// Puts the window into the notification area and starts listening; it stays up when the
// notification area refuses the icon.
void HideAndListen(ScheduleWindow& window) {
    StorePane(window);
    if (!AddTrayIcon(window)) return;
    window.view.ShowWindow(false);
    StartScheduler(window.scheduler);
}

}  // namespace

int ShowMessage(ScheduleWindow& window, const std::string& text, const char* caption,
                uint32_t style) {
    return window.scheduler.desktop.MessageBoxA(window.scheduler.mainWindow, text, caption, style);
}

void StorePane(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    if (IsItemInUse(table, table.currentItem)) window.view.StoreItem(*table.currentItem);
}

void MarkModified(ScheduleWindow& window) {
    window.scheduler.table.modified = true;
    window.view.EnableSaveSchedule(true);
}

bool AddTrayIcon(ScheduleWindow& window) {
    if (window.inTray) return true;
    const TrayState state = RestingTrayState(window.scheduler.state);
    for (int attempt = 1; attempt <= TRAY_ADD_ATTEMPTS; ++attempt) {
        if (window.view.AddTrayIcon(state)) return window.inTray = true;
        if (attempt < TRAY_ADD_ATTEMPTS) window.scheduler.desktop.WaitPrecisely(TRAY_ADD_WAIT_MS);
    }
    ShowMessage(window,
                "The notification area refused the Keyloom Scheduler icon, so the window stays "
                "open and the schedule is not listening.",
                "Error", desk::BOX_OK | desk::BOX_ICON_ERROR);
    return false;
}

void DeleteTrayIcon(ScheduleWindow& window) {
    if (window.inTray) window.view.DeleteTrayIcon();
    window.inTray = false;
    window.refreshPane = true;
}

void OnWindowCreated(ScheduleWindow& window) {
    Scheduler& scheduler = window.scheduler;
    ScheduleTable& table = scheduler.table;
    window.view.EnableSaveSchedule(false);
    table.modified = false;
    if (FieldLength(table.scheduleFileName) == 0 || IsUntitled(table)) return;
    LoadSchedule(ScheduleFiles{scheduler.files, scheduler.desktop, scheduler.mainWindow},
                 std::string(FieldText(table.scheduleFileName)), table, window.view.List());
}

// The modified mark survives a trip to the notification area: unsaved edits are still offered
// for saving at exit.
void OnShownOrHidden(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    window.view.List().Select(0);
    if (window.refreshPane) {
        table.currentItem = FindItemByID(table, 0);
        if (table.currentItem) window.view.ShowItem(*table.currentItem);
        window.refreshPane = false;
        if (table.count == 0) window.view.EnableRunStyles(false);
    }
    window.view.EnableSaveSchedule(table.modified);
    window.view.ShowSuspension(window.scheduler.state.suspended);
}

void OnSelectionChanged(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    StorePane(window);
    const int selection = window.view.List().Selection();
    if (selection == NO_SELECTION) return;
    window.view.EnableRunStyles(true);
    table.currentItem = FindItemByID(table, selection);
    if (table.currentItem) window.view.ShowItem(*table.currentItem);
}

void OnCloseBox(ScheduleWindow& window) {
    HideAndListen(window);
}

void HideInTrayAndListen(ScheduleWindow& window) {
    HideAndListen(window);
}

void StartHiddenIfAsked(ScheduleWindow& window) {
    if (!window.startHidden) return;
    window.startHidden = false;
    if (!AddTrayIcon(window)) return;
    window.view.ShowWindow(false);
    PlayStartupItems(window.scheduler);
    // A box shown by a session-start macro may have let the user restore the window.
    if (window.inTray) StartScheduler(window.scheduler);
}

void RestoreFromTray(ScheduleWindow& window) {
    DeleteTrayIcon(window);
    StopScheduler(window.scheduler);
    window.view.ShowWindow(true);
}

void EnableAllItems(ScheduleWindow& window, bool fromTray) {
    SetSuspended(window.scheduler, false);
    if (fromTray) SetTrayIconState(window.scheduler, TRAY_IDLE);
}

void DisableAllItems(ScheduleWindow& window, bool fromTray) {
    SetSuspended(window.scheduler, true);
    if (fromTray) SetTrayIconState(window.scheduler, TRAY_SUSPENDED);
}
