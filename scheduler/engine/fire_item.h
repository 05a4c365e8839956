#pragma once
// The plays of schedule items: each from a fresh play record, with the icon showing the play.
#include <optional>

#include "scheduler/engine/scheduler.h"

// Loads an item's macro file into a fresh playRecord; the loader reports a failure.
bool LoadPlayRecord(Scheduler& scheduler, const ScheduleItem& item);
// Loads and plays one item's macro; how the play ended, none when the macro file could not be
// loaded.
std::optional<PlayEnd> FireItem(Scheduler& scheduler, const ScheduleItem& item);
// Every session-start item, active or not, plays once in table order.
void PlayStartupItems(Scheduler& scheduler);
