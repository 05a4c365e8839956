#include "macro/desktop/wall_clock.h"

#include <cstdio>

namespace {

constexpr int64_t SECONDS_PER_DAY = 86400;

// Days since 1 January 1970 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, LocalTime& time) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    time.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    time.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2));
}

int64_t FloorDivide(int64_t value, int64_t divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

int64_t SecondOf(const LocalTime& time) {
    // In 64 bits: a schedule file may hold any hour, and the scheduler reckons with it.
    return DaysFromCivil(time.year, time.month, time.day) * SECONDS_PER_DAY +
           int64_t{time.hour} * 3600 + int64_t{time.minute} * 60 + time.second;
}

LocalTime LocalTimeAt(int64_t second) {
    LocalTime time{};
    const int64_t days = FloorDivide(second, SECONDS_PER_DAY);
    const int64_t ofDay = second - days * SECONDS_PER_DAY;
    CivilFromDays(days, time);
    time.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1 January 1970 was a Thursday
    time.hour = static_cast<int>(ofDay / 3600);
    time.minute = static_cast<int>(ofDay / 60 % 60);
    time.second = static_cast<int>(ofDay % 60);
    return time;
}

std::string TimestampText(const LocalTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}
