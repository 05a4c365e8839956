#include "scheduler/window/schedule_item_commands.h"
#include "scheduler/engine/fire_item.h"
#include "scheduler/schedule/macro_name.h"

#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "scheduler/schedule/schedule_file.h"

namespace {

// The selected entry, or NO_SELECTION after telling the user to pick one.
int SelectedEntry(ScheduleWindow& window) {
    const int selection = window.view.List().Selection();
    if (selection == NO_SELECTION)
        ReportWarning(window.scheduler.desktop, window.scheduler.mainWindow,
                      "Please select an item", SCHEDULER_CAPTION);
    return selection;
}

bool Confirm(ScheduleWindow& window, const char* question) {
    return AskQuestion(window.scheduler.desktop, window.scheduler.mainWindow, question,
                       CONFIRM_CAPTION, Answers::YES_NO) == desk::ANSWER_YES;
}

// A new item starts on today's date and weekday, so that whichever rule the user picks shows
// and stores a day that comes.
ScheduleItem NewItem(ScheduleWindow& window, const std::string& path) {
    Scheduler& scheduler = window.scheduler;
    ScheduleItem item;
    item.active = true;
    item.runStyle = RUN_STYLE_STARTUP;
    item.runEvery = PERIOD_MONTH;
    const LocalTime today = scheduler.desktop.GetLocalTime();
    item.onceDay = today.day, item.onceMonth = today.month, item.onceYear = today.year;
    item.runDayOfWeek = today.dayOfWeek + 1;
    CopyText(item.macroFileName, path);
    if (!ReadMacroName(ScheduleFiles{scheduler.files, scheduler.desktop, scheduler.mainWindow},
                       path, item.name))
        CopyText(item.name, "New item");
    return item;
}

// Moves the items after `removedId` one slot down, renumbering them.
void CloseGap(ScheduleWindow& window, int removedId) {
    ScheduleTable& table = window.scheduler.table;
    for (int id = removedId + 1; id < table.count; ++id) {
        ScheduleItem* later = FindItemByID(table, id);
        if (!later) {
            ReportError(window.scheduler.desktop, window.scheduler.mainWindow,
                        "FindItemByID failed", ERROR_CAPTION);
            continue;
        }
        ScheduleItem moved = *later;
        moved.id = id - 1;
        table.items[id - 1] = moved;
    }
    --table.count;
    table.items[table.count] = ScheduleItem{};
}

}  // namespace

void AddItem(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    if (table.count == SCHEDULE_CAPACITY) {
        ReportWarning(window.scheduler.desktop, window.scheduler.mainWindow,
                      "The schedule is full: it holds 100 items, the most it can hold.",
                      SCHEDULER_CAPTION);
        return;
    }
    std::optional<std::string> path = window.view.AskForMacroFile();
    if (!path) return;
    if (path->size() >= ITEM_PATH_CAPACITY) {
        ReportError(window.scheduler.desktop, window.scheduler.mainWindow,
                    "The macro file path is too long: " + *path, ERROR_CAPTION);
        return;
    }
    ScheduleItem item = NewItem(window, *path);
    // The pane belongs to the item shown so far; the new item then takes its place.
    StorePane(window);
    table.currentItem = nullptr;
    item.id = window.view.List().Append(std::string(FieldText(item.name)));
    table.items[table.count++] = item;
    MarkModified(window);
    window.view.List().Select(item.id);
    OnSelectionChanged(window);
}

void DeleteItem(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    const int selection = SelectedEntry(window);
    if (selection == NO_SELECTION) return;
    if (!Confirm(window, "Remove the selected schedule item?")) return;
    StorePane(window);
    if (!FindItemByID(table, selection) || selection >= table.count) {
        ReportError(window.scheduler.desktop, window.scheduler.mainWindow, "FindItemByID failed",
                    ERROR_CAPTION);
        return;
    }
    window.view.List().Remove(selection);
    CloseGap(window, selection);
    table.currentItem = nullptr;
    MarkModified(window);
}

void ClearSchedule(ScheduleWindow& window) {
    if (!Confirm(window, "Clear the current schedule?")) return;
    window.view.List().Clear();
    EmptySlotsInUse(window.scheduler.table);
    MarkModified(window);
}

void RunMacroNow(ScheduleWindow& window) {
    Scheduler& scheduler = window.scheduler;
    const int selection = SelectedEntry(window);
    if (selection == NO_SELECTION) return;
    StorePane(window);
    const ScheduleItem* item = FindItemByID(scheduler.table, selection);
    if (!item || !LoadPlayRecord(scheduler, *item)) return;
    // The window hides for the play only when its icon is there to bring it back.
    const bool hidden = AddTrayIcon(window);
    window.playingNow = true;
    if (hidden) {
        SetTrayIconState(scheduler, TRAY_PLAYING);
        window.view.ShowWindow(false);
    }
    scheduler.playback.PlayMacro(scheduler.state.playRecord);
    if (hidden) {
        window.view.ShowWindow(true);
        DeleteTrayIcon(window);
    }
    window.playingNow = false;
}
