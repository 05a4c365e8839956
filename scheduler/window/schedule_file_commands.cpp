#include "scheduler/window/schedule_file_commands.h"

#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "scheduler/schedule/schedule_file.h"

namespace {

ScheduleFiles FilesOf(ScheduleWindow& window) {
    Scheduler& scheduler = window.scheduler;
    return ScheduleFiles{scheduler.files, scheduler.desktop, scheduler.mainWindow};
}

// Writes the schedule to `path`, which becomes the schedule's file; a failure is reported and
// the schedule stays modified under its old name.
bool WriteSchedule(ScheduleWindow& window, const std::string& path) {
    ScheduleTable& table = window.scheduler.table;
    if (path.size() >= SCHEDULE_PATH_CAPACITY ||
        !SaveSchedule(window.scheduler.files, path, table, window.view.List())) {
        ReportError(window.scheduler.desktop, window.scheduler.mainWindow, "Error writing file",
                    ERROR_CAPTION);
        return false;
    }
    CopyText(table.scheduleFileName, path);
    table.modified = false;
    window.view.EnableSaveSchedule(false);
    return true;
}

// Saves under the schedule's name, asking for one when it has none; false when not saved.
bool SaveUnderCurrentName(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    StorePane(window);
    std::string path(FieldText(table.scheduleFileName));
    if (IsUntitled(table)) {
        std::optional<std::string> chosen = window.view.AskScheduleToSave();
        if (!chosen) return false;
        path = *chosen;
    }
    return WriteSchedule(window, path);
}

// Offers to save unsaved changes; false when the user cancels or the save does not happen.
bool OfferToSave(ScheduleWindow& window, bool untitledCountsAsModified) {
    ScheduleTable& table = window.scheduler.table;
    if (!table.modified && !(untitledCountsAsModified && IsUntitled(table))) return true;
    const int answer =
        AskQuestion(window.scheduler.desktop, window.scheduler.mainWindow,
                    "Save changes to current schedule?", SCHEDULER_CAPTION, Answers::YES_NO_CANCEL);
    if (answer == desk::ANSWER_CANCEL) return false;
    return answer != desk::ANSWER_YES || SaveUnderCurrentName(window);
}

void EmptySchedule(ScheduleWindow& window) {
    KeepEvaluatedUntilNow(window.scheduler);
    window.view.List().Clear();
    EmptySlotsInUse(window.scheduler.table);
}

}  // namespace

void NewSchedule(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    if (!OfferToSave(window, false)) return;
    EmptySchedule(window);
    CopyText(table.scheduleFileName, UNTITLED_SCHEDULE);
    OnScheduleOpened(window.scheduler);
    table.modified = false;
    window.view.EnableSaveSchedule(false);
}

void SaveCurrentSchedule(ScheduleWindow& window) {
    SaveUnderCurrentName(window);
}

void SaveScheduleAs(ScheduleWindow& window) {
    StorePane(window);
    std::optional<std::string> chosen = window.view.AskScheduleToSave();
    if (chosen) WriteSchedule(window, *chosen);
}

void LoadScheduleFile(ScheduleWindow& window) {
    ScheduleTable& table = window.scheduler.table;
    if (!OfferToSave(window, false)) return;
    std::optional<std::string> chosen = window.view.AskScheduleToOpen();
    if (!chosen) return;
    EmptySchedule(window);
    if (!LoadSchedule(FilesOf(window), *chosen, table, window.view.List())) return;
    CopyText(table.scheduleFileName, *chosen);
    OnScheduleOpened(window.scheduler);
    table.modified = false;
    window.view.EnableSaveSchedule(false);
}

bool MaySessionEnd(ScheduleWindow& window) {
    return window.unsaved.Ask([&window] { return OfferToSave(window, false); },
                              window.scheduler.table.modified);
}

void OnSessionEnding(ScheduleWindow& window, const std::string& keptPath) {
    ScheduleTable& table = window.scheduler.table;
    if (const auto where = window.unsaved.Destination(
            table.modified, IsUntitled(table), FieldText(table.scheduleFileName), keptPath)) {
        StorePane(window);
        WriteSchedule(window, *where);
    }
    DeleteTrayIcon(window);
    StopScheduler(window.scheduler);
}

void OnSessionEndCancelled(ScheduleWindow& window) {
    window.unsaved.Forget();
}

bool ExitScheduler(ScheduleWindow& window) {
    if (!OfferToSave(window, true)) return false;
    DeleteTrayIcon(window);
    StopScheduler(window.scheduler);
    return true;
}
