#pragma once
// When an item is due, and its interval clock.
#include "macro/desktop/desktop_port.h"
#include "scheduler/schedule_item.h"

// One second more on the item's interval clock; hours have no upper bound.
void AdvanceIntervalClock(ScheduleItem& item);
void ResetIntervalClock(ScheduleItem& item);

// Whether the item's rule falls due at `now`; session-start items never are.
bool IsItemDue(const ScheduleItem& item, const LocalTime& now);
