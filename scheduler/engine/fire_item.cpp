#include "scheduler/engine/fire_item.h"

#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"

namespace {

AppointmentOutcome OutcomeOf(PlayEnd end) {
    switch (end) {
        case PlayEnd::StyleSatisfied:
            return AppointmentOutcome::Played;
        case PlayEnd::Escape:
        case PlayEnd::Pause:
            return AppointmentOutcome::Stopped;
        case PlayEnd::FileLost:
            break;
    }
    return AppointmentOutcome::FileNotFound;
}

void RecordAppointment(Scheduler& scheduler, const ScheduleItem& item, const LocalTime& began,
                       AppointmentOutcome outcome) {
    scheduler.history.Append({began, std::string(FieldText(item.name)),
                              std::string(FieldText(item.macroFileName)), outcome, std::nullopt});
}

// The item's macro loaded for its appointment that began at `began`; a file that cannot be
// loaded leaves its line in the history.
bool LoadForAppointment(Scheduler& scheduler, const ScheduleItem& item, const LocalTime& began) {
    if (LoadPlayRecord(scheduler, item)) return true;
    RecordAppointment(scheduler, item, began, AppointmentOutcome::FileNotFound);
    return false;
}

void PlayAppointment(Scheduler& scheduler, const ScheduleItem& item, const LocalTime& began) {
    const PlayEnd end = scheduler.playback.PlayMacro(scheduler.state.playRecord);
    RecordAppointment(scheduler, item, began, OutcomeOf(end));
}

}  // namespace

// A fresh record for every play, so that a property missing from one macro file never takes
// the value of the macro played before it.
bool LoadPlayRecord(Scheduler& scheduler, const ScheduleItem& item) {
    scheduler.state.playRecord = Macro{};
    return LoadMacroFile(scheduler.files, scheduler.desktop,
                         SchedulerLoadRules(scheduler.mainWindow),
                         std::string(FieldText(item.macroFileName)), scheduler.state.playRecord);
}

bool FireItem(Scheduler& scheduler, const ScheduleItem& item) {
    const LocalTime began = scheduler.desktop.GetLocalTime();
    if (!LoadForAppointment(scheduler, item, began)) return false;
    SetTrayIconState(scheduler, TRAY_PLAYING);
    KillSchedulerTimer(scheduler);
    PlayAppointment(scheduler, item, began);
    SetTrayIconState(scheduler, RestingTrayState(scheduler.state));
    // A box that the macro showed may have let the user restore the window: then no timer.
    if (scheduler.state.listening) StartSchedulerTimer(scheduler);
    return true;
}

void PlayStartupItems(Scheduler& scheduler) {
    for (int slot = 0; slot < scheduler.table.count; ++slot) {
        const ScheduleItem& item = scheduler.table.items[slot];
        if (item.runStyle != RUN_STYLE_STARTUP) continue;
        const LocalTime began = scheduler.desktop.GetLocalTime();
        if (!LoadForAppointment(scheduler, item, began)) continue;
        SetTrayIconState(scheduler, TRAY_PLAYING);
        PlayAppointment(scheduler, item, began);
        SetTrayIconState(scheduler, RestingTrayState(scheduler.state));
    }
}
