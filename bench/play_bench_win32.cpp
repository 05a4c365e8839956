// Pacing of a long play on the real timer: a macro of 2,000 cheap lines at speed 10, played
// once. Prints the nominal time (every step's pace), the time taken, the overhead per step and
// the processor time used.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "macro/desktop/win32_desktop.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"

namespace {

constexpr int CODE_LINES = 2000;
constexpr int SPEED_MS = 10;

std::string WriteBenchMacro() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "keyloom_play_bench.mro";
    std::ofstream file(path, std::ios::binary);
    file << "//File created by Keyloom v1\r\n\r\nSTART\r\n";
    for (int i = 0; i < CODE_LINES; i++)
        file << (i % 2 ? "MOVE_CURSOR 300 200\r\n" : "MOVE_CURSOR 301 201\r\n");
    file << "END\r\n";
    return path;
}

double ProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        ULARGE_INTEGER value;
        value.LowPart = time.dwLowDateTime;
        value.HighPart = time.dwHighDateTime;
        return static_cast<double>(value.QuadPart) / 1e7;
    };
    return seconds(kernel) + seconds(user);
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

Figures PlayOnce(const std::string& path, int32_t speed) {
    Macro macro;
    std::memset(&macro, 0, sizeof macro);
    CopyText(macro.fileName, path);
    macro.playStyle = PLAY_STYLE_TIMES;
    macro.playCount = 1;
    macro.speed = speed;

    Win32Desktop& desktop = TheDesktop();
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, NO_WINDOW, {}};
    MacroPlayer player{state, desktop, RealFileSystem(), interpreter, NO_WINDOW, nullptr};
    const double wallStart = WallSeconds();
    const double cpuStart = ProcessorSeconds();
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    Figures figures{WallSeconds() - wallStart, ProcessorSeconds() - cpuStart};
    StopPlayTimer(state, desktop);
    return figures;
}

}  // namespace

int main() {
    const std::string path = WriteBenchMacro();
    const Figures paced = PlayOnce(path, SPEED_MS);
    const Figures unpaced = PlayOnce(path, 0);  // the steps' own cost, without the pace
    DeleteFileA(path.c_str());

    const int steps = CODE_LINES + 1;  // the START step paces too
    const double nominal = steps * SPEED_MS / 1000.0;
    const double actual = paced.wallSeconds;
    std::printf("play benchmark: %d code lines + START at speed %d ms\n", CODE_LINES, SPEED_MS);
    std::printf("  nominal time        %8.3f s\n", nominal);
    std::printf("  actual time         %8.3f s  (%+.2f %%)\n", actual,
                100.0 * (actual - nominal) / nominal);
    std::printf("  overhead per step   %8.3f ms\n", 1000.0 * (actual - nominal) / steps);
    std::printf("  CPU used            %8.3f s  (%.2f %% of wall time)\n", paced.processorSeconds,
                100.0 * paced.processorSeconds / actual);
    std::printf("  same play at speed 0: %.3f s, %.3f ms per step (reading, polling, command)\n",
                unpaced.wallSeconds, 1000.0 * unpaced.wallSeconds / steps);
    return 0;
}
