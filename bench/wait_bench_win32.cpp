// Accuracy and processor cost of the blocking wait behind DELAY and the pace between commands.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "macro/language/wait.h"
#include "tests/support/processor_time_win32.h"

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

double Seconds(LONGLONG counts) {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(counts) / frequency;
}

LONGLONG Counter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Overshoot is the time past the asked one; a wait that ends before it is early. The 99th
// percentile is printed beside the worst: one stall of the machine decides the worst.
template <typename Wait>
void Measure(const char* what, int milliseconds, int repetitions, Wait wait) {
    std::vector<double> overshoots;
    double waited = 0;
    const double cpuBefore = ProcessProcessorMilliseconds();
    for (int i = 0; i < repetitions; ++i) {
        const LONGLONG start = Counter();
        wait(milliseconds);
        const double elapsed = 1000.0 * Seconds(Counter() - start);
        overshoots.push_back(elapsed - milliseconds);
        waited += elapsed;
    }
    const double cpu = ProcessProcessorMilliseconds() - cpuBefore;
    std::sort(overshoots.begin(), overshoots.end());
    const double mean = std::accumulate(overshoots.begin(), overshoots.end(), 0.0) / repetitions;
    const long early = std::count_if(overshoots.begin(), overshoots.end(),
                                     [](double overshoot) { return overshoot < 0; });
    std::printf(
        "%-16s %4d ms x %4d   mean %+7.3f ms   99th %+7.3f ms   worst %+7.3f ms   early %4ld   "
        "CPU %5.2f %% of a core\n",
        what, milliseconds, repetitions, mean, overshoots[repetitions * 99 / 100],
        overshoots.back(), early, 100.0 * cpu / waited);
}

}  // namespace

int main() {
    HANDLE probe = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    std::printf("high-resolution waitable timer: %s\n",
                probe ? "available" : "missing (1 ms system tick while waiting)");
    if (probe) CloseHandle(probe);
    auto waitMilliseconds = [](int ms) { WaitMilliseconds(TheDesktop(), ms); };
    Measure("WaitMilliseconds", 1, 2000, waitMilliseconds);
    Measure("WaitMilliseconds", 10, 300, waitMilliseconds);
    Measure("WaitMilliseconds", 100, 40, waitMilliseconds);
    // The system's own sleep on the same machine: its worst wake is the machine's, not the wait's.
    Measure("Sleep", 1, 2000, [](int ms) { Sleep(static_cast<DWORD>(ms)); });
    return 0;
}
