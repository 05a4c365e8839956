#pragma once
// Processor time, user and kernel together, in milliseconds: what a benchmark reports and what
// a test checks a wait did not spend.
#include <windows.h>

inline double ProcessorMilliseconds(const FILETIME& kernel, const FILETIME& user) {
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

// The whole process, timer threads included.
inline double ProcessProcessorMilliseconds() {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    return ProcessorMilliseconds(kernel, user);
}

inline double ThreadProcessorMilliseconds(HANDLE thread) {
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(thread, &creation, &exit, &kernel, &user);
    return ProcessorMilliseconds(kernel, user);
}
