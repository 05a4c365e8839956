#include "tests/support/fake_wall_clock.h"

#include "macro/desktop/wall_clock.h"

namespace {

// 01:00 UTC on the last Sunday of a month of 31 days.
int64_t LastSundayChange(int year, int month) {
    const int64_t last = SecondOf(LocalTime{year, month, 0, 31, 1, 0, 0, 0});
    return last - LocalTimeAt(last).dayOfWeek * int64_t{86400};
}

}  // namespace

void FakeWallClock::Drive(FakeDesktop& desktop) {
    desktop.localTime = [this] { return LocalTimeAt(LocalSecond()); };
    desktop.systemTime = [this] { return LocalTimeAt(utc); };
}

int64_t FakeWallClock::OffsetAt(int64_t utcSecond) {
    const int year = LocalTimeAt(utcSecond).year;
    const bool summer =
        utcSecond >= LastSundayChange(year, 3) && utcSecond < LastSundayChange(year, 10);
    return summer ? SUMMER_OFFSET : WINTER_OFFSET;
}
