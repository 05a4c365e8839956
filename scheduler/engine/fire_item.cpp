#include "scheduler/engine/fire_item.h"

#include "macro/desktop/wall_clock.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "scheduler/engine/appointments.h"

// A fresh record for every play, so that a property missing from one macro file never takes
// the value of the macro played before it.
bool LoadPlayRecord(Scheduler& scheduler, const ScheduleItem& item) {
    scheduler.state.playRecord = Macro{};
    return LoadMacroFile(scheduler.files, scheduler.desktop,
                         SchedulerLoadRules(scheduler.mainWindow),
                         std::string(FieldText(item.macroFileName)), scheduler.state.playRecord);
}

namespace {

// The icon shows that a play runs.
PlayEnd PlayLoadedRecord(Scheduler& scheduler) {
    SetTrayIconState(scheduler, TRAY_PLAYING);
    const PlayEnd end = scheduler.playback.PlayMacro(scheduler.state.playRecord);
    SetTrayIconState(scheduler, RestingTrayState(scheduler.state));
    return end;
}

}  // namespace

std::optional<PlayEnd> FireItem(Scheduler& scheduler, const ScheduleItem& item) {
    if (!LoadPlayRecord(scheduler, item)) return std::nullopt;
    KillSchedulerTimer(scheduler);
    const PlayEnd end = PlayLoadedRecord(scheduler);
    // A box that the macro showed may have let the user restore the window: then no timer.
    if (scheduler.state.listening) StartSchedulerTimer(scheduler);
    return end;
}

void PlayStartupItems(Scheduler& scheduler) {
    for (int slot = 0; slot < scheduler.table.count; ++slot) {
        const ScheduleItem& item = scheduler.table.items[slot];
        if (item.runStyle != RUN_STYLE_STARTUP) continue;
        const int64_t due = SecondOf(scheduler.desktop.GetLocalTime());
        std::optional<PlayEnd> end;
        if (LoadPlayRecord(scheduler, item)) end = PlayLoadedRecord(scheduler);
        TellAppointment(scheduler, item, PlayOutcome(end, false), due, false, due);
    }
}
