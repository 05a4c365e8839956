#include "scheduler/schedule_rules.h"

namespace {

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

bool IsIntervalDue(const ScheduleItem& item) {
    return item.elapsedHours == item.everyHours && item.elapsedMinutes == item.everyMinutes &&
           item.elapsedSeconds == item.everySeconds;
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
