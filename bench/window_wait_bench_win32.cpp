// WAIT_WINDOW and WAIT_ACTIVE: how soon after a window comes (to the front) the play goes on, and
// the processor time a wait costs while no window comes.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "macro/language/interpreter.h"
#include "tests/support/processor_time_win32.h"

namespace {

double Milliseconds(int64_t microseconds) {
    return static_cast<double>(microseconds) / 1000.0;
}

// A visible window titled `title` shown `lateMs` after the call, in front, on a thread of its
// own, kept until `done`; `shownAt` is when it was shown, or when it was in front, on the
// desktop's counter.
std::thread ShowLate(const char* title, DWORD lateMs, bool inFront, std::atomic<int64_t>& shownAt,
                     std::atomic<bool>& done) {
    return std::thread([=, &shownAt, &done] {
        Sleep(lateMs);
        HWND window = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      200, 100, nullptr, nullptr, nullptr, nullptr);
        if (!inFront) shownAt = TheDesktop().QueryPerformanceCounter();
        SetForegroundWindow(window);
        if (inFront) shownAt = TheDesktop().QueryPerformanceCounter();
        while (!done) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(5);
        }
        DestroyWindow(window);
    });
}

}  // namespace

int main() {
    DesktopPort& desktop = TheDesktop();
    MacroInterpreter interpreter{desktop, InterpreterMode::Lenient, 0, NO_WINDOW, {}};
    struct Wait {
        const char* command;
        bool inFront;
    };
    for (const auto& [command, inFront] : {Wait{"WAIT_WINDOW", false}, Wait{"WAIT_ACTIVE", true}}) {
        std::vector<double> delays;
        for (int i = 0; i < 20; ++i) {
            std::atomic<int64_t> shownAt{0};
            std::atomic<bool> done{false};
            char title[64];
            std::snprintf(title, sizeof title, "Keyloom bench window %d", i);
            std::thread shower = ShowLate(title, 200 + 37 * i, inFront, shownAt, done);
            char line[128];
            std::snprintf(line, sizeof line, "%s \"%s\" 10", command, title);
            ExecuteMacroLine(interpreter, line);
            const int64_t wentOn = desktop.QueryPerformanceCounter();
            delays.push_back(Milliseconds(wentOn - shownAt));
            done = true;
            shower.join();
        }
        std::sort(delays.begin(), delays.end());
        std::printf(
            "%s: window shown or in front to next line: median %.1f ms   worst %.1f ms   (%zu "
            "waits)\n",
            command, delays[delays.size() / 2], delays.back(), delays.size());
    }

    // Beside it, a play's DELAY of the same length, which looks for the stop keys alone.
    interpreter.watchesStopKeys = true;
    for (const char* line :
         {"WAIT_WINDOW \"Keyloom bench window that never comes\" 15", "DELAY 15000"}) {
        StartPace(interpreter, 0, NOMINAL_PLAY_SPEED);  // the DELAY's whole time, from now
        const double cpuBefore = ProcessProcessorMilliseconds();
        const int64_t start = desktop.QueryPerformanceCounter();
        ExecuteMacroLine(interpreter, line);
        const double waited = Milliseconds(desktop.QueryPerformanceCounter() - start);
        const double cpu = ProcessProcessorMilliseconds() - cpuBefore;
        std::printf("%-60s %.0f ms: CPU %.2f %% of a core\n", line, waited, 100.0 * cpu / waited);
        interpreter.stopKey = 0;
    }
    return 0;
}
