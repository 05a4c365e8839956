#include "scheduler/window/pane_text.h"

#include <algorithm>

#include "macro/file/decimal.h"

namespace {

constexpr const char* MONTH_NAMES[] = {"January, ",   "February, ", "March, ",    "April, ",
                                       "May, ",       "June, ",     "July, ",     "August, ",
                                       "September, ", "October, ",  "November, ", "December, "};

}  // namespace

std::string ClockLineText(const LocalTime& time) {
    return std::to_string(time.hour) + ":" + std::to_string(time.minute) + ":" +
           std::to_string(time.second);
}

std::string DateLineText(const LocalTime& time) {
    std::string text = std::to_string(time.day) + " ";
    if (time.month >= 1 && time.month <= 12) text += MONTH_NAMES[time.month - 1];
    return text + std::to_string(time.year);
}

int32_t IntervalHours(std::string_view text) {
    return ParseDecimal(text.substr(0, HOURS_DIGITS));
}

int32_t IntervalMinutesOrSeconds(std::string_view text) {
    return std::min(ParseDecimal(text.substr(0, MINUTES_DIGITS)), 59);
}
