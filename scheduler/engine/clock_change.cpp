#include "scheduler/engine/clock_change.h"

namespace {

bool IsNewClock(std::optional<int64_t> latestLived, int64_t now) {
    if (!latestLived) return true;
    const int64_t moved = now - *latestLived;
    return moved >= MAX_CLOCK_JUMP_SECONDS || moved <= -MAX_CLOCK_JUMP_SECONDS;
}

}  // namespace

SecondSpan NewLocalSeconds(std::optional<int64_t> latestLived, int64_t now) {
    if (IsNewClock(latestLived, now)) return {now, now};
    return {*latestLived + 1, now};
}

int64_t LatestSecondLived(std::optional<int64_t> latestLived, int64_t now) {
    return NewLocalSeconds(latestLived, now).Empty() ? *latestLived : now;
}

int64_t IntervalClockSeconds(int64_t elapsed) {
    return elapsed >= 0 && elapsed <= MAX_CATCH_UP_SECONDS ? elapsed : 1;
}
