#pragma once
// When an item is due, and its interval clock.
#include <cstdint>
#include <optional>

#include "macro/desktop/desktop_port.h"
#include "scheduler/schedule/schedule_item.h"

// One second more on the item's interval clock; hours have no upper bound.
void AdvanceIntervalClock(ScheduleItem& item);
void ResetIntervalClock(ScheduleItem& item);

// Whether the item's rule falls due at `now`; session-start items never are.
bool IsItemDue(const ScheduleItem& item, const LocalTime& now);
// Whether an interval item's clock has reached its interval.
bool IsIntervalDue(const ScheduleItem& item);
// The first local second from `first` to `last` (seconds of the calendar clock) at which a
// one-time or periodic item falls due; none for the other items. It looks at the rule, not at
// every second, so a span of hours costs no more than a span of one second.
std::optional<int64_t> FirstDueSecond(const ScheduleItem& item, int64_t first, int64_t last);
