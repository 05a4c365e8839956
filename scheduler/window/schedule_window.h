#pragma once
// The scheduler window's logic: its events and commands over the table, the scheduler and a
// view of the window's controls and dialogs.
#include <optional>
#include <string>

#include "scheduler/engine/scheduler.h"
#include "scheduler/schedule/schedule_list_view.h"
#include "ui/unsaved_at_session_end.h"

class SchedulerWindowView : public SchedulerShell {
  public:
    virtual ScheduleListView& List() = 0;
    // The properties pane.
    virtual void ShowItem(const ScheduleItem& item) = 0;
    virtual void StoreItem(ScheduleItem& item) = 0;
    virtual void ShowLastPlayed(const std::string& text) = 0;  // the item's "Last played: ..."
    virtual void EnableRunStyles(bool enable) = 0;  // the four run-style radios and "Active"
    virtual void EnableSaveSchedule(bool enable) = 0;
    // The "Current date:" and "Current time:" lines.
    virtual void ShowDateAndTime(const std::string& date, const std::string& time) = 0;
    virtual void ShowWindow(bool visible) = 0;
    // The standard file dialogs; no value when the user cancels.
    virtual std::optional<std::string> AskForMacroFile() = 0;    // "Select a macro to run"
    virtual std::optional<std::string> AskScheduleToSave() = 0;  // "Save current schedule"
    virtual std::optional<std::string> AskScheduleToOpen() = 0;  // "Open existing schedule"
};

struct ScheduleWindow {
    Scheduler& scheduler;
    SchedulerWindowView& view;
    bool startHidden = false;      // started with exactly "/m", until that start is carried out
    bool refreshPane = true;       // the next show or hide shows item 0 in the pane
    bool inTray = false;           // the notification-area icon is present
    UnsavedAtSessionEnd unsaved{};  // the end-of-session question's answer
    bool playingNow = false;       // Run Macro Now hides the window for its play only
};

// Events of the window.
void OnWindowCreated(ScheduleWindow& window);
void OnShownOrHidden(ScheduleWindow& window);
void OnSelectionChanged(ScheduleWindow& window);
// The one-second clock timer: the date line follows the time past midnight.
void OnClockTimer(ScheduleWindow& window);
void MarkModified(ScheduleWindow& window);
void OnCloseBox(ScheduleWindow& window);
void StartHiddenIfAsked(ScheduleWindow& window);  // the "/m" start
void RestoreFromTray(ScheduleWindow& window);

// Commands of the window menu and the tray menu.
void HideInTrayAndListen(ScheduleWindow& window);
void EnableAllItems(ScheduleWindow& window, bool fromTray);
void DisableAllItems(ScheduleWindow& window, bool fromTray);
// Opens the history with the system's viewer of text files; says so when there is none yet.
void ViewHistory(ScheduleWindow& window);

// Internal steps shared by the commands.
// Adds the icon, patiently; when the notification area never takes it, says so and is false.
bool AddTrayIcon(ScheduleWindow& window);
void DeleteTrayIcon(ScheduleWindow& window);
void StorePane(ScheduleWindow& window);
