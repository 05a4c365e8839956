#pragma once
// Keeping appointments: playing the due ones, accounting for missed ones, and catching up
// those of items with "Play if missed" once the Scheduler can play again.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "scheduler/engine/scheduler.h"

// Tells the history, and the observer if any, what became of an appointment whose play began
// at `began` (its due second when it did not play).
void TellAppointment(Scheduler& scheduler, const ScheduleItem& item, AppointmentOutcome outcome,
                     int64_t due, bool late, int64_t began);
// The outcome of a play that FireItem ended with `end`.
AppointmentOutcome PlayOutcome(std::optional<PlayEnd> end, bool late);

// Plays the item of `slot` for the appointment due at `due` and tells the observer how it went;
// false when its macro file could not be loaded.
bool PlayAppointment(Scheduler& scheduler, int slot, int64_t due, bool late);
// An appointment that could not be played: it waits to be caught up when the item has
// "Play if missed" (one per item), and is told as missed otherwise.
void MissAppointment(Scheduler& scheduler, int slot, int64_t due, AppointmentOutcome missed);
// Every appointment of the active items in `span` is missed.
void MissSpan(Scheduler& scheduler, SecondSpan span, AppointmentOutcome missed);
// The first appointment of each active item in `span`, in due order, table order within a
// second.
std::vector<std::pair<int64_t, int>> FirstAppointments(const ScheduleTable& table, SecondSpan span);
// Plays the waiting catch-ups in due order, each once.
void PlayCatchUps(Scheduler& scheduler);
// The catch-ups that can no longer be played are told as missed.
void DropCatchUps(Scheduler& scheduler);
// Writes lastSecond to the settings: now when `now`, else when it has moved a minute on.
void KeepLastEvaluated(Scheduler& scheduler, bool now);
