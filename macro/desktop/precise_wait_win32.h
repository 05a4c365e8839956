#pragma once
// The blocking wait behind every pace and DELAY: ends on the performance counter, never early,
// without handling window messages and without keeping a processor busy through the wait.

#include <cstdint>

// Returns once `milliseconds` have passed on the performance counter; 0 or less returns at once.
void WaitOnCounter(int milliseconds);
// The performance counter in microseconds, and a wait until it reads `due` (at once if it has).
int64_t CounterMicroseconds();
void WaitUntilMicroseconds(int64_t due);
