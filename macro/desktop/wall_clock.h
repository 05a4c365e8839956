#pragma once
// Calendar time as a running count of seconds, so that the seconds between two readings can be
// counted and walked one by one, across midnight and month ends.
#include <cstdint>
#include <string>

#include "macro/desktop/desktop_port.h"

int64_t SecondOf(const LocalTime& time);
LocalTime LocalTimeAt(int64_t second);  // milliseconds 0
// "YYYY-MM-DD HH:MM:SS", 24 hours: the Scheduler's history and its last evaluated second.
std::string TimestampText(const LocalTime& time);
