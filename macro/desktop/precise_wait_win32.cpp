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

// `value` in units of which `from` make a second, as units of which `to` do. In two parts, so
// that neither a reading of the counter nor a DELAY of days overflows; rounded down, or up.
LONGLONG Rescale(LONGLONG value, LONGLONG from, LONGLONG to, bool roundUp = false) {
    return value / from * to + (value % from * to + (roundUp ? from - 1 : 0)) / from;
}

// Rounded up, so that a deadline in microseconds is never ended early.
LONGLONG CountsOfMicroseconds(LONGLONG microseconds) {
    return Rescale(microseconds, 1000000, CountsPerSecond(), true);
}

void SpinUntil(LONGLONG deadline) {
    while (CounterNow() < deadline)
        YieldProcessor();
}

// A relative due time in 100 ns units, as timers take it.
LARGE_INTEGER RelativeInterval(LONGLONG counts) {
    LARGE_INTEGER interval;
    interval.QuadPart = -std::max<LONGLONG>(1, Rescale(counts, CountsPerSecond(), 10000000));
    return interval;
}

// Falls back to the coarser Sleep when the system refuses the timer.
void SleepOnTimer(HANDLE timer, LARGE_INTEGER interval) {
    if (timer && SetWaitableTimer(timer, &interval, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(timer, INFINITE);
    else
        Sleep(static_cast<DWORD>(-interval.QuadPart / 10000));
}

using DelayExecution = LONG(NTAPI*)(BOOLEAN alertable, PLARGE_INTEGER interval);

// Under Wine a waitable timer is served by the wine server, which ends it on a whole millisecond
// and wakes the thread about a quarter of one later; the thread's own delay sleeps on the host's
// clock to the microsecond. Windows is the other way round (its delay follows the system tick),
// so there the high-resolution timer serves and this is null.
DelayExecution HostDelay() {
    static const DelayExecution delay = []() -> DelayExecution {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return nullptr;
        return reinterpret_cast<DelayExecution>(
            reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtDelayExecution")));
    }();
    return delay;
}

// The rest of the wait after the sleep is spun: handing the processor away so close to the
// deadline (SwitchToThread, Sleep(0)) gets it back milliseconds late on a busy machine. A spin
// is kept to a twentieth of the wait, at most a millisecond, so that a wait never keeps more than
// a twentieth of a processor busy: a sleep that wakes later than that has simply woken late.
constexpr LONGLONG LONGEST_SPIN_US = 1000;
// The margin follows the wakes' lateness to the point that four wakes in five fall within it:
// a step up after each wake beyond it, a quarter step down after each within.
constexpr LONGLONG MARGIN_STEP_US = 20;
constexpr LONGLONG FIRST_MARGIN_US = 100;

}  // namespace

// A refused high-resolution timer gives way to the system tick when the clock is made.
Sleeper PreciseSleeper() {
    return HostDelay() ? Sleeper::HostDelay : Sleeper::HighResolutionTimer;
}

WaitClock::WaitClock(Sleeper sleeper)
    : sleeper_(sleeper == Sleeper::HostDelay && !HostDelay() ? Sleeper::HighResolutionTimer
                                                             : sleeper),
      timer_(nullptr),
      margin_(CountsOfMicroseconds(FIRST_MARGIN_US)) {
    if (sleeper_ == Sleeper::HighResolutionTimer)
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                        TIMER_ALL_ACCESS);
    if (sleeper_ != Sleeper::HostDelay && !timer_) {
        sleeper_ = Sleeper::SystemTick;
        timer_ = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    }
}

WaitClock::~WaitClock() {
    if (timer_) CloseHandle(timer_);
}

void WaitClock::WaitUntil(int64_t dueMicroseconds) {
    WaitUntilCount(CountsOfMicroseconds(dueMicroseconds));
}

void WaitClock::WaitMilliseconds(int milliseconds) {
    if (milliseconds > 0)
        WaitUntilCount(CounterNow() + CountsOfMicroseconds(milliseconds * 1000LL));
}

void WaitClock::Doze(int64_t dueMicroseconds) {
    const LONGLONG due = CountsOfMicroseconds(dueMicroseconds);
    if (due > CounterNow()) SleepUntil(due);
}

void WaitClock::WaitUntilCount(int64_t deadline) {
    const LONGLONG now = CounterNow();
    if (deadline <= now) return;
    if (sleeper_ == Sleeper::SystemTick) return WaitOnSystemTick(deadline);
    const LONGLONG longestSpin =
        std::min((deadline - now) / 20, CountsOfMicroseconds(LONGEST_SPIN_US));
    const LONGLONG due = deadline - std::min<LONGLONG>(margin_, longestSpin);
    if (due > now) Learn(SleepUntil(due) - due);
    SpinUntil(deadline);
}

// Returns the counter on waking.
int64_t WaitClock::SleepUntil(int64_t due) {
    LARGE_INTEGER interval = RelativeInterval(due - CounterNow());
    if (sleeper_ == Sleeper::HostDelay)
        HostDelay()(FALSE, &interval);
    else
        SleepOnTimer(timer_, interval);
    return CounterNow();
}

void WaitClock::Learn(int64_t lateness) {
    const LONGLONG step = CountsOfMicroseconds(MARGIN_STEP_US);
    margin_ = lateness > margin_ ? margin_ + step : margin_ - step / 4;
    margin_ = std::clamp<LONGLONG>(margin_, 0, CountsOfMicroseconds(LONGEST_SPIN_US));
}

// On the system tick, 15.6 ms by default, a wait asks for a 1 ms tick while it lasts.
void WaitClock::WaitOnSystemTick(int64_t deadline) {
    timeBeginPeriod(1);
    SleepOnTimer(timer_, RelativeInterval(deadline - CounterNow()));
    timeEndPeriod(1);
    SpinUntil(deadline);
}

namespace {

// Made once per waiting thread: creating a timer costs more than a 1 ms wait.
WaitClock& ThreadClock() {
    thread_local WaitClock clock(PreciseSleeper());
    return clock;
}

}  // namespace

void WaitOnCounter(int milliseconds) {
    ThreadClock().WaitMilliseconds(milliseconds);
}

int64_t CounterMicroseconds() {
    return Rescale(CounterNow(), CountsPerSecond(), 1000000);
}

void WaitUntilMicroseconds(int64_t due) {
    ThreadClock().WaitUntil(due);
}

bool WaitUntilMicrosecondsUnless(int64_t due, int64_t checkMicroseconds,
                                 const std::function<bool()>& stop) {
    for (;;) {
        const int64_t now = CounterMicroseconds();
        if (now >= due) return true;
        if (stop()) return false;
        if (due - now <= checkMicroseconds) {
            ThreadClock().WaitUntil(due);
            return true;
        }
        // A late wake from the doze falls in the last stretch, not after the deadline.
        ThreadClock().Doze(std::min(now + checkMicroseconds, due - checkMicroseconds / 2));
    }
}
