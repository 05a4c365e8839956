// What a recording costs the processor on the real desktop, every thread of the recorder
// together: while the user does nothing, and while the pointer moves (moves injected by this
// program at a mouse's report rate). The injecting thread's own time is left out.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

#include "macro/desktop/win32_desktop.h"
#include "recorder/recorder.h"
#include "tests/support/processor_time_win32.h"

namespace {

constexpr int MACRO_DELAY = 10;
constexpr DWORD RUN_MS = 10000;
constexpr DWORD MOVE_EVERY_MS = 8;  // 125 reports a second, as a common mouse sends them

class NoEditor : public RecorderView {
  public:
    WindowHandle EditorWindow() override { return NO_WINDOW; }
    void SetCode(std::string_view) override {}
    int CodeLength() override { return 0; }
    void EnableButton(EditorButton, bool) override {}
    bool IsButtonEnabled(EditorButton) override { return false; }
    void HideEditor() override {}
    void RestoreEditor() override {}
    bool EditorModified() override { return false; }
    void SetEditorModified(bool) override {}
    void HandOverEnding() override {}
};

// Closes the recording's start box as soon as it shows.
void CloseStartBoxWhenShown() {
    for (int waited = 0; waited < 10000; waited += 10) {
        if (HWND box = FindWindowA("#32770", "Keyloom")) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return;
        }
        Sleep(10);
    }
}

void MovePointerBy(LONG dx) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

struct Cost {
    double share;  // of one core, in per cent
    int moves;
};

// The process's processor time over RUN_MS, the mover's own time left out.
Cost Measure(bool moving) {
    std::atomic<bool> done{false};
    int moves = 0;
    double moverSpent = 0;
    std::thread mover;
    if (moving)
        mover = std::thread([&] {
            const double start = ThreadProcessorMilliseconds(GetCurrentThread());
            for (LONG step = 1; !done; step = -step, ++moves) {
                MovePointerBy(step * 3);
                Sleep(MOVE_EVERY_MS);
            }
            moverSpent = ThreadProcessorMilliseconds(GetCurrentThread()) - start;
        });
    const double before = ProcessProcessorMilliseconds();
    Sleep(RUN_MS);
    done = true;
    if (mover.joinable()) mover.join();
    const double spent = ProcessProcessorMilliseconds() - before;
    return {100.0 * (spent - moverSpent) / RUN_MS, moves};
}

void Print(const char* name, const Cost& cost) {
    std::printf("%-34s %6.2f %% of a core", name, cost.share);
    if (cost.moves)
        std::printf("  (%d pointer moves, %.0f a second)", cost.moves,
                    1000.0 * cost.moves / RUN_MS);
    std::printf("\n");
}

}  // namespace

int main() {
    auto state = std::make_unique<RecorderState>();
    NoEditor view;
    std::printf("Recording cost, MacroDelay %d ms, %lu s a figure\n", MACRO_DELAY, RUN_MS / 1000);
    Print("no recording, nothing moves", Measure(false));
    Print("no recording, pointer moving", Measure(true));
    std::thread closer(CloseStartBoxWhenShown);
    StartRecording(*state, TheDesktop(), view, MACRO_DELAY);
    closer.join();
    if (state->phase.load() != RecorderPhase::Recording) {
        std::printf("the recording did not start\n");
        return 1;
    }
    Print("recording, nothing moves", Measure(false));
    Print("recording, pointer moving", Measure(true));
    FinishRecording(*state, TheDesktop(), view);
    std::printf("recorded %d characters\n", state->codeLength);
    return 0;
}
