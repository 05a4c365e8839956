// Pacing of a long play on the real timer: a macro of 2,000 cheap lines at speed 10, and one of
// 100 DELAY 20 lines, each played once, and a macro of pace and DELAY lines at Playback speeds
// of 50, 100 and 200 %. Prints the nominal time (every step's pace or DELAY, at the speed), the
// time taken, the overhead per step and the processor time used.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "macro/desktop/win32_desktop.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/processor_time_win32.h"

namespace {

constexpr int CODE_LINES = 2000;
constexpr int SPEED_MS = 10;
constexpr int DELAY_LINES = 100;
constexpr int DELAY_MS = 20;
constexpr int SPEED_LINES = 500;  // half of them DELAY_MS, half paced

// A macro file of `count` times `line` between START and END.
std::string WriteBenchMacro(const char* name, int count, const std::string& line) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + name;
    std::ofstream file(path, std::ios::binary);
    file << "//File created by Keyloom v1\r\n\r\nSTART\r\n";
    for (int i = 0; i < count; i++)
        file << line << "\r\n";
    file << "END\r\n";
    return path;
}

double ProcessorSeconds() {
    return ProcessProcessorMilliseconds() / 1000.0;
}

double WallSeconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figures {
    double wallSeconds;
    double processorSeconds;
};

Figures PlayOnce(const std::string& path, int32_t speed, int32_t percent = NOMINAL_PLAY_SPEED) {
    Macro macro = MacroPlayedOnce(speed);
    CopyText(macro.fileName, path);

    Win32Desktop& desktop = TheDesktop();
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, NO_WINDOW, {}};
    MacroPlayer player{state,
                       desktop,
                       RealFileSystem(),
                       interpreter,
                       NO_WINDOW,
                       nullptr,
                       [percent] { return percent; }};
    const double wallStart = WallSeconds();
    const double cpuStart = ProcessorSeconds();
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    Figures figures{WallSeconds() - wallStart, ProcessorSeconds() - cpuStart};
    StopPlayTimer(state, desktop);
    return figures;
}

void PrintTiming(const Figures& figures, double nominal, int steps) {
    const double actual = figures.wallSeconds;
    std::printf("  nominal time        %8.3f s\n", nominal);
    std::printf("  actual time         %8.3f s  (%+.2f %%)\n", actual,
                100.0 * (actual - nominal) / nominal);
    std::printf("  overhead per step   %8.3f ms\n", 1000.0 * (actual - nominal) / steps);
    std::printf("  CPU used            %8.3f s  (%.2f %% of wall time)\n", figures.processorSeconds,
                100.0 * figures.processorSeconds / actual);
}

}  // namespace

int main() {
    // A process's first look at the monitors costs a quarter of a second under Wine; a real play
    // starts in a program that has long been showing its window, so it is not the play's cost.
    TheDesktop().EnumDisplayMonitors();
    const std::string path =
        WriteBenchMacro("keyloom_play_bench.mro", CODE_LINES, "MOVE_CURSOR 301 201");
    const Figures paced = PlayOnce(path, SPEED_MS);
    const Figures unpaced = PlayOnce(path, 0);  // the steps' own cost, without the pace
    DeleteFileA(path.c_str());
    const std::string delays = WriteBenchMacro("keyloom_delay_bench.mro", DELAY_LINES,
                                               "DELAY " + std::to_string(DELAY_MS));
    const Figures delayed = PlayOnce(delays, 0);
    DeleteFileA(delays.c_str());

    const int steps = CODE_LINES + 1;  // the START step paces too
    std::printf("play benchmark: %d code lines + START at speed %d ms\n", CODE_LINES, SPEED_MS);
    PrintTiming(paced, steps * SPEED_MS / 1000.0, steps);
    std::printf("  same play at speed 0: %.3f s, %.3f ms per step (reading, polling, command)\n",
                unpaced.wallSeconds, 1000.0 * unpaced.wallSeconds / steps);
    std::printf("delay benchmark: %d x DELAY %d at speed 0\n", DELAY_LINES, DELAY_MS);
    PrintTiming(delayed, DELAY_LINES * DELAY_MS / 1000.0, DELAY_LINES + 1);

    const std::string mixed =
        WriteBenchMacro("keyloom_speed_bench.mro", SPEED_LINES / 2,
                        "MOVE_CURSOR 301 201\r\nDELAY " + std::to_string(DELAY_MS));
    const double nominal =
        (SPEED_LINES / 2 + 1) * SPEED_MS / 1000.0 + SPEED_LINES / 2 * DELAY_MS / 1000.0;
    for (int32_t percent : {50, 100, 200}) {
        std::printf("speed benchmark: %d lines at Playback speed %d %%\n", SPEED_LINES, percent);
        PrintTiming(PlayOnce(mixed, SPEED_MS, percent), nominal * 100 / percent, SPEED_LINES + 1);
    }
    DeleteFileA(mixed.c_str());
    return 0;
}
