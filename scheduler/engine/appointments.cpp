#include "scheduler/engine/appointments.h"

#include <algorithm>

#include "macro/desktop/wall_clock.h"
#include "macro/file/text_field.h"
#include "scheduler/engine/fire_item.h"
#include "scheduler/engine/last_evaluated.h"
#include "scheduler/schedule/schedule_rules.h"

namespace {

// A clock set decades forward by mistake accounts for this many missed runs of one item at
// most, so the wake-up never stalls on them.
constexpr int MAX_MISSED_RUNS = 1000;
// While listening, the second reached is written at most once a minute (and before each play).
constexpr int64_t KEEP_EVERY_SECONDS = 60;

}  // namespace

void TellAppointment(Scheduler& scheduler, const ScheduleItem& item, AppointmentOutcome outcome,
                     int64_t due, bool late, int64_t began) {
    const Appointment appointment{item, outcome, due, late, began};
    scheduler.history.AppointmentKept(appointment);
    if (scheduler.observer) scheduler.observer->AppointmentKept(appointment);
}

AppointmentOutcome PlayOutcome(std::optional<PlayEnd> end, bool late) {
    if (!end || *end == PlayEnd::FileLost) return AppointmentOutcome::FileNotFound;
    if (*end == PlayEnd::Escape || *end == PlayEnd::Pause) return AppointmentOutcome::Stopped;
    if (*end == PlayEnd::WindowMissing) return AppointmentOutcome::WindowMissing;
    return late ? AppointmentOutcome::CaughtUp : AppointmentOutcome::Played;
}

bool PlayAppointment(Scheduler& scheduler, int slot, int64_t due, bool late) {
    // Kept first: a session that ends during the play never plays it again at the next start.
    KeepLastEvaluated(scheduler, true);
    const ScheduleItem& item = scheduler.table.items[slot];
    const int64_t began = SecondOf(scheduler.desktop.GetLocalTime());
    const std::optional<PlayEnd> end = FireItem(scheduler, item);
    TellAppointment(scheduler, item, PlayOutcome(end, late), due, late, began);
    return end.has_value();
}

void MissAppointment(Scheduler& scheduler, int slot, int64_t due, AppointmentOutcome missed) {
    const ScheduleItem& item = scheduler.table.items[slot];
    if (!item.catchUp) return TellAppointment(scheduler, item, missed, due, false, due);
    std::vector<PendingCatchUp>& catchUps = scheduler.state.catchUps;
    const bool waiting = std::any_of(catchUps.begin(), catchUps.end(),
                                     [slot](const PendingCatchUp& c) { return c.slot == slot; });
    if (!waiting) catchUps.push_back({due, slot, missed});
}

void MissSpan(Scheduler& scheduler, SecondSpan span, AppointmentOutcome missed) {
    if (span.Empty()) return;
    const ScheduleTable& table = scheduler.table;
    std::vector<std::pair<int64_t, int>> runs;
    for (int slot = 0; slot < table.count; ++slot) {
        const ScheduleItem& item = table.items[slot];
        if (!item.active) continue;
        int64_t from = span.first;
        for (int run = 0; run < MAX_MISSED_RUNS; ++run) {
            const std::optional<int64_t> due = FirstDueSecond(item, from, span.last);
            if (!due) break;
            runs.emplace_back(*due, slot);
            if (item.catchUp) break;  // one play makes up for them all
            from = *due + 1;
        }
    }
    std::sort(runs.begin(), runs.end());
    for (const auto& [due, slot] : runs)
        MissAppointment(scheduler, slot, due, missed);
}

std::vector<std::pair<int64_t, int>> FirstAppointments(const ScheduleTable& table,
                                                       SecondSpan span) {
    std::vector<std::pair<int64_t, int>> due;
    if (span.Empty()) return due;
    for (int slot = 0; slot < table.count; ++slot) {
        const ScheduleItem& item = table.items[slot];
        if (!item.active) continue;
        if (std::optional<int64_t> second = FirstDueSecond(item, span.first, span.last))
            due.emplace_back(*second, slot);
    }
    std::sort(due.begin(), due.end());
    return due;
}

void PlayCatchUps(Scheduler& scheduler) {
    std::vector<PendingCatchUp> catchUps;
    catchUps.swap(scheduler.state.catchUps);
    std::sort(catchUps.begin(), catchUps.end(),
              [](const PendingCatchUp& a, const PendingCatchUp& b) {
                  return a.due != b.due ? a.due < b.due : a.slot < b.slot;
              });
    // A play may end the listening (the window restored from a box the macro showed).
    for (const PendingCatchUp& catchUp : catchUps) {
        if (scheduler.state.listening)
            PlayAppointment(scheduler, catchUp.slot, catchUp.due, true);
        else
            TellAppointment(scheduler, scheduler.table.items[catchUp.slot], catchUp.missed,
                            catchUp.due, false, catchUp.due);
    }
}

void DropCatchUps(Scheduler& scheduler) {
    std::vector<PendingCatchUp> catchUps;
    catchUps.swap(scheduler.state.catchUps);
    for (const PendingCatchUp& catchUp : catchUps)
        TellAppointment(scheduler, scheduler.table.items[catchUp.slot], catchUp.missed, catchUp.due,
                        false, catchUp.due);
}

void KeepLastEvaluated(Scheduler& scheduler, bool now) {
    SchedulerState& state = scheduler.state;
    const ScheduleTable& table = scheduler.table;
    if (!scheduler.settings || !state.lastSecond || IsUntitled(table) ||
        FieldLength(table.scheduleFileName) == 0)
        return;
    const bool due = now || !state.storedSecond ||
                     *state.lastSecond - *state.storedSecond >= KEEP_EVERY_SECONDS ||
                     *state.lastSecond < *state.storedSecond;
    if (!due || state.storedSecond == state.lastSecond) return;
    // A refusal is not shown: a box would stop the schedule; the next write tries again.
    if (StoreLastEvaluated(*scheduler.settings, FieldText(table.scheduleFileName),
                           *state.lastSecond))
        state.storedSecond = state.lastSecond;
}
