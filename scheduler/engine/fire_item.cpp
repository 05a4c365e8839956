#include "scheduler/engine/fire_item.h"

#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"

// A fresh record for every play, so that a property missing from one macro file never takes
// the value of the macro played before it.
bool LoadPlayRecord(Scheduler& scheduler, const ScheduleItem& item) {
    scheduler.state.playRecord = Macro{};
    return LoadMacroFile(scheduler.files, scheduler.desktop,
                         SchedulerLoadRules(scheduler.mainWindow),
                         std::string(FieldText(item.macroFileName)), scheduler.state.playRecord);
}

bool FireItem(Scheduler& scheduler, const ScheduleItem& item) {
    if (!LoadPlayRecord(scheduler, item)) return false;
    SetTrayIconState(scheduler, TRAY_PLAYING);
    KillSchedulerTimer(scheduler);
    scheduler.playback.PlayMacro(scheduler.state.playRecord);
    SetTrayIconState(scheduler, RestingTrayState(scheduler.state));
    // A box that the macro showed may have let the user restore the window: then no timer.
    if (scheduler.state.listening) StartSchedulerTimer(scheduler);
    return true;
}

void PlayStartupItems(Scheduler& scheduler) {
    for (int slot = 0; slot < scheduler.table.count; ++slot) {
        const ScheduleItem& item = scheduler.table.items[slot];
        if (item.runStyle != RUN_STYLE_STARTUP || !LoadPlayRecord(scheduler, item)) continue;
        SetTrayIconState(scheduler, TRAY_PLAYING);
        scheduler.playback.PlayMacro(scheduler.state.playRecord);
        SetTrayIconState(scheduler, RestingTrayState(scheduler.state));
    }
}
