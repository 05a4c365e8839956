#pragma once
// A wall clock for FakeDesktop that keeps UTC and shows it in a time zone with daylight saving,
// Central European time: UTC+1 in winter, UTC+2 from the last Sunday of March to the last
// Sunday of October, changing at 01:00 UTC. Tests let time pass, jump it either way (sleep, a
// clock set by hand) and cross the changes of daylight saving.
#include <cstdint>

#include "macro/desktop/desktop_port.h"
#include "tests/support/fake_desktop.h"

class FakeWallClock {
  public:
    static constexpr int64_t WINTER_OFFSET = 3600;  // seconds ahead of UTC
    static constexpr int64_t SUMMER_OFFSET = 7200;

    int64_t utc = 0;  // seconds of the calendar clock (see SecondOf), in UTC

    // Makes the desktop's GetLocalTime and GetSystemTime read this clock.
    void Drive(FakeDesktop& desktop);
    int64_t LocalSecond() const { return utc + OffsetAt(utc); }
    static int64_t OffsetAt(int64_t utcSecond);
};
