#pragma once
// Calendar time as a running count of seconds, so that the seconds between two readings can be
// counted and walked one by one, across midnight and month ends.
#include <cstdint>

#include "macro/desktop/desktop_port.h"

int64_t SecondOf(const LocalTime& time);
LocalTime LocalTimeAt(int64_t second);  // milliseconds 0
