// How quickly Escape and Pause end a play that waits: a macro whose one line is DELAY 20000 is
// played ten times for each key, and a second thread presses the key, as a user's keyboard does,
// at a different moment of the wait each time. Prints the time from the press to the end of the
// play (target: 50 ms at most) and the processor time the waiting play used.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/processor_time_win32.h"

namespace {

constexpr int RUNS = 10;
constexpr int FIRST_PRESS_MS = 300;
constexpr int PRESS_STEP_MS = 37;  // spreads the presses over the check interval

double NowMilliseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string WriteDelayMacro() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "keyloom_stop_bench.mro";
    std::ofstream(path, std::ios::binary)
        << "//File created by Keyloom v1\r\n\r\nSTART\r\nDELAY 20000\r\nEND\r\n";
    return path;
}

void Press(WORD key) {
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

struct Run {
    double stopMs;       // from the press to the end of the play
    double processorMs;  // used by the process while the play waited
    double waitedMs;     // from the start of the play to the press
};

Run PlayAndPress(const std::string& path, WORD key, int pressAfterMs) {
    Macro macro = MacroPlayedOnce(10);
    CopyText(macro.fileName, path);
    Win32Desktop& desktop = TheDesktop();
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, NO_WINDOW, {}};
    MacroPlayer player{state, desktop, RealFileSystem(), interpreter, NO_WINDOW, nullptr};
    std::atomic<double> pressedAt{0};
    const double start = NowMilliseconds();
    std::thread user([&] {
        Sleep(static_cast<DWORD>(pressAfterMs));
        pressedAt = NowMilliseconds();
        Press(key);
    });
    const double processorStart = ProcessProcessorMilliseconds();
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    const double end = NowMilliseconds();
    const double processor = ProcessProcessorMilliseconds() - processorStart;
    user.join();
    return {end - pressedAt, processor, pressedAt - start};
}

void Report(const char* name, WORD key, const std::string& path) {
    std::vector<double> stops;
    double processor = 0, waited = 0;
    for (int run = 0; run < RUNS; ++run) {
        const Run figures = PlayAndPress(path, key, FIRST_PRESS_MS + run * PRESS_STEP_MS);
        stops.push_back(figures.stopMs);
        processor += figures.processorMs;
        waited += figures.waitedMs;
        Sleep(100);  // the key's release has been seen before the next play
    }
    std::sort(stops.begin(), stops.end());
    std::printf(
        "%s inside DELAY 20000, %d runs: press to end of play  min %.1f  median %.1f  "
        "max %.1f ms\n",
        name, RUNS, stops.front(), stops[RUNS / 2], stops.back());
    std::printf("  processor time while waiting: %.1f ms of %.0f ms (%.2f %% of one core)\n",
                processor, waited, 100.0 * processor / waited);
}

}  // namespace

int main() {
    TheDesktop().EnumDisplayMonitors();  // a process's first look costs a quarter second
    const std::string path = WriteDelayMacro();
    Report("Escape", VK_ESCAPE, path);
    Report("Pause", VK_PAUSE, path);
    DeleteFileA(path.c_str());
    return 0;
}
