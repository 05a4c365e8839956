#include "scheduler/window/schedule_window.h"
#include "scheduler/engine/fire_item.h"

#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "scheduler/schedule/schedule_file.h"
#include "scheduler/window/pane_text.h"
#include "ui/program_start.h"

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

bool TryTrayIcon(ScheduleWindow& window) {
    if (window.inTray) return true;
    const TrayState state = RestingTrayState(window.scheduler.state);
    window.inTray = AddTrayIconPatiently(window.scheduler.desktop,
                                         [&] { return window.view.AddTrayIcon(state); });
    return window.inTray;
}

// The pane shows the current item with the last line the history holds of it.
void ShowCurrentItem(ScheduleWindow& window) {
    const ScheduleItem* item = window.scheduler.table.currentItem;
    if (!item) return;
    window.view.ShowItem(*item);
    window.view.ShowLastPlayed(window.scheduler.history.LastPlayedText(
        FieldText(item->name), FieldText(item->macroFileName)));
}

void ReportRefusedTrayIcon(ScheduleWindow& window) {
    ReportError(window.scheduler.desktop, window.scheduler.mainWindow,
                "The notification area refused the Keyloom Scheduler icon, so the window "
                "stays open and the schedule is not listening.",
                ERROR_CAPTION);
}

}  // namespace

void StorePane(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    if (IsItemInUse(table, table.currentItem)) window.view.StoreItem(*table.currentItem);
}

void MarkModified(ScheduleWindow& window) {
    window.scheduler.table.modified = true;
    window.view.EnableSaveSchedule(true);
}

bool AddTrayIcon(ScheduleWindow& window) {
    if (TryTrayIcon(window)) return true;
    ReportRefusedTrayIcon(window);
    return false;
}

void DeleteTrayIcon(ScheduleWindow& window) {
    if (window.inTray) window.view.DeleteTrayIcon();
    window.inTray = false;
    window.refreshPane = true;
}

void OnClockTimer(ScheduleWindow& window) {
    const LocalTime now = window.scheduler.desktop.GetLocalTime();
    window.view.ShowDateAndTime(DateLineText(now), ClockLineText(now));
}

void OnWindowCreated(ScheduleWindow& window) {
    Scheduler& scheduler = window.scheduler;
    ScheduleTable& table = scheduler.table;
    OnClockTimer(window);
    window.view.EnableSaveSchedule(false);
    table.modified = false;
    if (FieldLength(table.scheduleFileName) == 0 || IsUntitled(table)) return;
    if (LoadSchedule(ScheduleFiles{scheduler.files, scheduler.desktop, scheduler.mainWindow},
                     std::string(FieldText(table.scheduleFileName)), table, window.view.List()))
        OnScheduleOpened(scheduler);
}

// The modified mark survives a trip to the notification area: unsaved edits are still offered
// for saving at exit. The hiding and showing around Run Macro Now leave the selection and the
// pane as the user had them.
void OnShownOrHidden(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    OnClockTimer(window);
    if (window.playingNow) return;
    window.view.List().Select(0);
    if (window.refreshPane) {
        table.currentItem = FindItemByID(table, 0);
        ShowCurrentItem(window);
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
    ShowCurrentItem(window);
}

void OnCloseBox(ScheduleWindow& window) {
    HideAndListen(window);
}

void HideInTrayAndListen(ScheduleWindow& window) {
    HideAndListen(window);
}

// The session-start items are what the start-up entry is for: they play whether or not the
// notification area takes the icon. The window hides first, so that it never stands unpainted
// while a slow logon keeps the notification area from taking the icon. Without an icon the
// window is hidden only while they play, as nothing could bring it back afterwards, and the
// user is told once they have played.
void StartHiddenIfAsked(ScheduleWindow& window) {
    if (!window.startHidden) return;
    window.startHidden = false;
    window.view.ShowWindow(false);
    const bool iconAdded = TryTrayIcon(window);
    PlayStartupItems(window.scheduler);
    if (!iconAdded) {
        window.view.ShowWindow(true);
        ReportRefusedTrayIcon(window);
        return;
    }
    // A box shown by a session-start macro may have let the user restore the window.
    if (window.inTray) StartScheduler(window.scheduler);
}

void RestoreFromTray(ScheduleWindow& window) {
    DeleteTrayIcon(window);
    StopScheduler(window.scheduler);
    window.view.ShowWindow(true);
}

void ViewHistory(ScheduleWindow& window) {
    Scheduler& scheduler = window.scheduler;
    const std::string& path = scheduler.history.Path();
    if (!scheduler.history.HasFile()) {
        ReportNote(scheduler.desktop, scheduler.mainWindow,
                   "There is no Scheduler history yet: it begins with the first scheduled play.",
                   SCHEDULER_CAPTION);
        return;
    }
    if (scheduler.desktop.ShellExecuteA(scheduler.mainWindow, path, desk::SHOW_SHOW) <=
        desk::SHELL_LAST_FAILURE)
        ReportError(scheduler.desktop, scheduler.mainWindow,
                    "The Scheduler history could not be opened: " + path, FAILURE_CAPTION);
}

void EnableAllItems(ScheduleWindow& window, bool fromTray) {
    SetSuspended(window.scheduler, false);
    if (fromTray) SetTrayIconState(window.scheduler, TRAY_IDLE);
}

void DisableAllItems(ScheduleWindow& window, bool fromTray) {
    SetSuspended(window.scheduler, true);
    if (fromTray) SetTrayIconState(window.scheduler, TRAY_SUSPENDED);
}
