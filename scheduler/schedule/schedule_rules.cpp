#include "scheduler/schedule/schedule_rules.h"

#include "macro/desktop/wall_clock.h"

namespace {

constexpr int64_t SECONDS_PER_DAY = 86400;

bool IsOnceDue(const ScheduleItem& item, const LocalTime& now) {
    return now.day == item.onceDay && now.month == item.onceMonth && now.year == item.onceYear &&
           now.hour == item.onceHour && now.minute == item.onceMinute &&
           now.second == item.onceSecond;
}

bool IsPeriodicDue(const ScheduleItem& item, const LocalTime& now) {
    if (now.hour != item.runHour || now.minute != item.runMinute || now.second != item.runSecond)
        return false;
    switch (item.runEvery) {
        case PERIOD_MONTH:
            return now.day == item.runDayOfMonth + 1;
        case PERIOD_WEEK:
            return now.dayOfWeek == item.runDayOfWeek - 1;
        case PERIOD_DAY:
            return true;
        default:
            return false;
    }
}

// A candidate second counts only when the rule matches it exactly: fields out of range (a
// 30 February, an hour 25) give a candidate that never matches.
std::optional<int64_t> DueAt(const ScheduleItem& item, int64_t second, int64_t first,
                             int64_t last) {
    if (second < first || second > last || !IsItemDue(item, LocalTimeAt(second)))
        return std::nullopt;
    return second;
}

std::optional<int64_t> FirstOnceSecond(const ScheduleItem& item, int64_t first, int64_t last) {
    const LocalTime when{item.onceYear,   item.onceMonth,  0, item.onceDay, item.onceHour,
                         item.onceMinute, item.onceSecond, 0};
    return DueAt(item, SecondOf(when), first, last);
}

// The rule's time of day on each day of the span, the earliest that matches.
std::optional<int64_t> FirstPeriodicSecond(const ScheduleItem& item, int64_t first, int64_t last) {
    const LocalTime start = LocalTimeAt(first);
    const int64_t timeOfDay =
        int64_t{item.runHour} * 3600 + int64_t{item.runMinute} * 60 + item.runSecond;
    for (int64_t day = first - (start.hour * 3600 + start.minute * 60 + start.second); day <= last;
         day += SECONDS_PER_DAY)
        if (std::optional<int64_t> due = DueAt(item, day + timeOfDay, first, last)) return due;
    return std::nullopt;
}

}  // namespace

void AdvanceIntervalClock(ScheduleItem& item) {
    if (++item.elapsedSeconds < 60) return;
    item.elapsedSeconds = 0;
    if (++item.elapsedMinutes < 60) return;
    item.elapsedMinutes = 0;
    ++item.elapsedHours;
}

void ResetIntervalClock(ScheduleItem& item) {
    item.elapsedHours = 0;
    item.elapsedMinutes = 0;
    item.elapsedSeconds = 0;
}

bool IsItemDue(const ScheduleItem& item, const LocalTime& now) {
    switch (item.runStyle) {
        case RUN_STYLE_ONCE:
            return IsOnceDue(item, now);
        case RUN_STYLE_PERIODIC:
            return IsPeriodicDue(item, now);
        case RUN_STYLE_INTERVAL:
            return IsIntervalDue(item);
        default:
            return false;
    }
}

bool IsIntervalDue(const ScheduleItem& item) {
    return item.runStyle == RUN_STYLE_INTERVAL && item.elapsedHours == item.everyHours &&
           item.elapsedMinutes == item.everyMinutes && item.elapsedSeconds == item.everySeconds;
}

std::optional<int64_t> FirstDueSecond(const ScheduleItem& item, int64_t first, int64_t last) {
    switch (item.runStyle) {
        case RUN_STYLE_ONCE:
            return FirstOnceSecond(item, first, last);
        case RUN_STYLE_PERIODIC:
            return FirstPeriodicSecond(item, first, last);
        default:
            return std::nullopt;
    }
}
