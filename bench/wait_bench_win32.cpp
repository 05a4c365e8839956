// Accuracy and processor cost of the blocking wait behind DELAY and the pace between commands.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "macro/desktop/win32_desktop.h"
#include "macro/language/wait.h"

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

// User and kernel time of the whole process, timer threads included, in milliseconds.
double ProcessCpuMs() {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

// Overshoot is the time past the asked one; a wait that ends before it is early.
void Measure(int milliseconds, int repetitions) {
    double sum = 0, worst = 0, waited = 0;
    int early = 0;
    const double cpuBefore = ProcessCpuMs();
    for (int i = 0; i < repetitions; ++i) {
        const LONGLONG start = Counter();
        WaitMilliseconds(TheDesktop(), milliseconds);
        const double elapsed = 1000.0 * Seconds(Counter() - start);
        const double overshoot = elapsed - milliseconds;
        sum += overshoot;
        worst = std::max(worst, overshoot);
        early += overshoot < 0;
        waited += elapsed;
    }
    const double cpu = ProcessCpuMs() - cpuBefore;
    std::printf(
        "%6d ms x %5d   mean overshoot %+7.3f ms   worst %+7.3f ms   early %4d   "
        "CPU %7.2f ms = %5.2f %% of a core over %8.1f ms\n",
        milliseconds, repetitions, sum / repetitions, worst, early, cpu, 100.0 * cpu / waited,
        waited);
}

}  // namespace

int main() {
    HANDLE probe = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    std::printf("WaitMilliseconds; high-resolution waitable timer: %s\n",
                probe ? "available" : "missing (1 ms system tick while waiting)");
    if (probe) CloseHandle(probe);
    Measure(1, 2000);
    Measure(10, 300);
    Measure(100, 40);
    return 0;
}
