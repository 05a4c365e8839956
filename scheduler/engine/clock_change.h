#pragma once
// How the scheduler reads a wall clock that moves by other than the time that passed: a late
// timer, daylight saving, sleep, a clock set by hand.
#include <cstdint>
#include <optional>

// A timer that lands late is caught up second by second, the interval clocks included, up to
// this many seconds; a longer gap is a jump.
constexpr int64_t MAX_CATCH_UP_SECONDS = 60;

// A local clock that moves by less than this, forward or back, is the same clock moved
// (daylight saving, sleep, a correction): the local seconds it skips are caught up once, and
// those it repeats are not lived twice. A longer move is a new clock, from which only the
// current second counts.
constexpr int64_t MAX_CLOCK_JUMP_SECONDS = 3 * 60 * 60;

// Local seconds from `first` to `last`; empty when `first` is after `last`.
struct SecondSpan {
    int64_t first;
    int64_t last;
    bool Empty() const { return first > last; }
    int64_t Length() const { return Empty() ? 0 : last - first + 1; }
};

// The local seconds that a reading of `now` lives for the first time, given the latest second
// lived so far: those after it; none while a clock set back repeats seconds already lived;
// `now` alone on a new clock or at the first reading.
SecondSpan NewLocalSeconds(std::optional<int64_t> latestLived, int64_t now);

// The latest second lived once the clock has read `now`.
int64_t LatestSecondLived(std::optional<int64_t> latestLived, int64_t now);

// The seconds the interval clocks count for `elapsed` seconds of UTC since the last reading:
// those of a late timer, none for a second reading within one second, and one for a jump
// (sleep, a clock set by hand), which neither fires an interval in a burst nor resets it.
int64_t IntervalClockSeconds(int64_t elapsed);
