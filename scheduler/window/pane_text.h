#pragma once
// The texts the window shows and reads: the clock and date lines and the interval fields.
#include <cstdint>
#include <string>
#include <string_view>

#include "macro/desktop/desktop_port.h"

// "%d:%d:%d", no leading zeros: 9:05:03 shows as 9:5:3.
std::string ClockLineText(const LocalTime& time);
// Day, month name and year, e.g. "7 December, 2002"; a month outside 1-12 adds no name.
std::string DateLineText(const LocalTime& time);

// The interval fields: hours take the first three characters, minutes and seconds the first
// two with anything above 59 stored as 59; an empty field gives 0.
constexpr int HOURS_DIGITS = 3;
constexpr int MINUTES_DIGITS = 2;
int32_t IntervalHours(std::string_view text);
int32_t IntervalMinutesOrSeconds(std::string_view text);
