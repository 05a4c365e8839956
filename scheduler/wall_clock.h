#pragma once
// Local calendar time as a running count of seconds, so that the seconds between two timer
// ticks can be walked one by one.
#include <cstdint>

#include "macro/desktop/desktop_port.h"

int64_t SecondOf(const LocalTime& time);
LocalTime LocalTimeAt(int64_t second);  // milliseconds 0
