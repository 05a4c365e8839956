// Accuracy and processor cost of the blocking wait behind DELAY and the pace between commands.
#include <windows.h>

#include <algorithm>
#include <cmath>
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

// User and kernel time of the calling thread, in milliseconds.
double ThreadCpuMs() {
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

void Measure(int milliseconds, int repetitions) {
    double sum = 0, worst = 0, earliest = 1e9, waited = 0;
    double cpuBefore = ThreadCpuMs();
    for (int i = 0; i < repetitions; ++i) {
        LONGLONG start = Counter();
        WaitMilliseconds(TheDesktop(), milliseconds);
        double elapsed = 1000.0 * Seconds(Counter() - start);
        double error = elapsed - milliseconds;
        sum += error;
        worst = std::max(worst, std::fabs(error));
        earliest = std::min(earliest, error);
        waited += elapsed;
    }
    double cpu = ThreadCpuMs() - cpuBefore;
    std::printf(
        "%6d ms x %5d   mean error %+7.3f ms   worst %7.3f ms   earliest %+7.3f ms   "
        "CPU %7.2f ms = %5.2f %% of %8.1f ms waited\n",
        milliseconds, repetitions, sum / repetitions, worst, earliest, cpu, 100.0 * cpu / waited,
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
