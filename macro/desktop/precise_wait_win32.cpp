#include "macro/desktop/precise_wait_win32.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

LONGLONG CounterNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

LONGLONG CountsPerSecond() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return frequency;
}

LONGLONG CountsOfMicroseconds(LONGLONG microseconds) {
    return microseconds * CountsPerSecond() / 1000000;
}

// A relative due time in 100 ns units, as timers take it.
LARGE_INTEGER RelativeInterval(LONGLONG counts) {
    LARGE_INTEGER interval;
    interval.QuadPart = -std::max<LONGLONG>(1, counts * 10000000 / CountsPerSecond());
    return interval;
}

// Falls back to the coarser Sleep when the system refuses the timer.
void SleepOnTimer(HANDLE timer, LARGE_INTEGER interval) {
    if (timer && SetWaitableTimer(timer, &interval, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(timer, INFINITE);
    else
        Sleep(static_cast<DWORD>(-interval.QuadPart / 10000));
}

// The rest of the wait after the sleep is spun: handing the processor away so close to the
// deadline (SwitchToThread, Sleep(0)) gets it back milliseconds late on a busy machine. So the
// margin stays short: a sleep that wakes later than this has simply woken late.
constexpr LONGLONG MARGIN_CAP_US = 500;
// One late wake moves the margin up by this much at most, so that a moment of load elsewhere
// does not make the following waits spin for long.
constexpr LONGLONG MARGIN_STEP_US = 50;
constexpr LONGLONG FIRST_MARGIN_US = 100;

// How a thread waits: its timer, and how long before the deadline that timer must be asked to
// end so that it wakes in time, learned from the wakes it has seen.
class WaitClock {
  public:
    WaitClock()
        : timer_(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                        TIMER_ALL_ACCESS)),
          highResolution_(timer_ != nullptr),
          margin_(CountsOfMicroseconds(FIRST_MARGIN_US)) {
        if (!timer_) timer_ = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    }
    ~WaitClock() {
        if (timer_) CloseHandle(timer_);
    }
    WaitClock(const WaitClock&) = delete;
    WaitClock& operator=(const WaitClock&) = delete;

    void WaitUntil(LONGLONG deadline) {
        if (!highResolution_) return WaitOnSystemTick(deadline);
        const LONGLONG due = deadline - margin_;
        if (due > CounterNow()) Learn(SleepUntil(due) - due);
        SpinUntil(deadline);
    }

  private:
    // Returns the counter on waking.
    LONGLONG SleepUntil(LONGLONG due) {
        SleepOnTimer(timer_, RelativeInterval(due - CounterNow()));
        return CounterNow();
    }

    // The margin follows the late end of the wakes: up quickly, down slowly.
    void Learn(LONGLONG lateness) {
        if (lateness > margin_)
            margin_ += std::min((lateness - margin_) / 4, CountsOfMicroseconds(MARGIN_STEP_US));
        else
            margin_ -= (margin_ - lateness) / 32;
        margin_ = std::clamp<LONGLONG>(margin_, 0, CountsOfMicroseconds(MARGIN_CAP_US));
    }

    // Without a high-resolution timer a wait ends on the system tick, 15.6 ms by default: ask for a
    // 1 ms tick while this wait lasts.
    void WaitOnSystemTick(LONGLONG deadline) {
        timeBeginPeriod(1);
        SleepOnTimer(timer_, RelativeInterval(deadline - CounterNow()));
        timeEndPeriod(1);
        SpinUntil(deadline);
    }

    static void SpinUntil(LONGLONG deadline) {
        while (CounterNow() < deadline)
            YieldProcessor();
    }

    HANDLE timer_;
    bool highResolution_;
    LONGLONG margin_;
};

}  // namespace

void WaitOnCounter(int milliseconds) {
    if (milliseconds <= 0) return;
    const LONGLONG deadline = CounterNow() + milliseconds * CountsPerSecond() / 1000;
    // Made once per waiting thread: creating a timer costs more than a 1 ms wait.
    thread_local WaitClock clock;
    clock.WaitUntil(deadline);
}
