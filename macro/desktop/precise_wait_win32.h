#pragma once
// The blocking wait behind every pace and DELAY: ends on the performance counter, never early,
// without handling window messages and without keeping a processor busy through the wait.

#include <cstdint>
#include <functional>

// Returns once `milliseconds` have passed on the performance counter; 0 or less returns at once.
void WaitOnCounter(int milliseconds);
// The performance counter in microseconds, and a wait until it reads `due` (at once if it has).
int64_t CounterMicroseconds();
void WaitUntilMicroseconds(int64_t due);
// The same wait, given up when `stop` answers true (false then). `stop` is asked at least every
// `checkMicroseconds`; the stretches between are slept without the spin that ends a precise
// wait, and the last stretch, never less than half of one, is waited precisely.
bool WaitUntilMicrosecondsUnless(int64_t due, int64_t checkMicroseconds,
                                 const std::function<bool()>& stop);

// How a wait sleeps before it spins the last stretch to its deadline.
enum class Sleeper {
    HostDelay,            // the thread's own delay, where it sleeps on the host's clock (Wine)
    HighResolutionTimer,  // a high-resolution waitable timer
    SystemTick,           // a timer on the system tick, asked for 1 ms ticks while it waits
};

// The most precise way of sleeping this system offers.
Sleeper PreciseSleeper();

// How one thread waits: how it sleeps, and how long before the deadline the sleep must be asked
// to end so that it wakes in time, learned from the wakes it has seen. A sleeper the system
// lacks gives way to the next one down.
class WaitClock {
  public:
    explicit WaitClock(Sleeper sleeper);
    ~WaitClock();
    WaitClock(const WaitClock&) = delete;
    WaitClock& operator=(const WaitClock&) = delete;

    // Returns once the performance counter reads `due` microseconds; at once if it has.
    void WaitUntil(int64_t dueMicroseconds);
    // Returns once `milliseconds` have passed on the counter, counted in its own ticks.
    void WaitMilliseconds(int milliseconds);
    // Sleeps until about `dueMicroseconds`, maybe a little after: for a wait that looks up again.
    void Doze(int64_t dueMicroseconds);

  private:
    void WaitUntilCount(int64_t deadline);
    int64_t SleepUntil(int64_t due);
    void Learn(int64_t lateness);
    void WaitOnSystemTick(int64_t deadline);

    Sleeper sleeper_;
    void* timer_;
    int64_t margin_;
};
