#include "scheduler/schedule/picker_values.h"

#include "macro/desktop/wall_clock.h"

namespace {

constexpr int FIRST_PICKER_YEAR = 1752;
constexpr int LAST_PICKER_YEAR = 9999;

}  // namespace

bool IsPickerDate(int year, int month, int day) {
    if (year < FIRST_PICKER_YEAR || year > LAST_PICKER_YEAR || month < 1 || month > 12 || day < 1)
        return false;
    // The calendar carries a day past the end of its month into the next one.
    const LocalTime date = LocalTimeAt(SecondOf(LocalTime{year, month, 0, day, 0, 0, 0, 0}));
    return date.month == month && date.day == day;
}

bool IsPickerTime(int hour, int minute, int second) {
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}
