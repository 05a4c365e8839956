// Cost of one recorder sample on the real desktop (every key-state query included), as a
// share of the default 10 ms MacroDelay.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "recorder/recorded_code.h"
#include "recorder/recorder.h"

namespace {

constexpr int MACRO_DELAY = 10;
constexpr int SAMPLES = 5000;
constexpr int TIMER_RUN_MS = 3000;
constexpr int WARM_UP_SAMPLES = 100;  // the first queries of a process pay for setting up

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

double Milliseconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency);
}

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void Restart(RecorderState& state) {
    ClearRecordedCode(state);
    state.period = MACRO_DELAY;
    StartQuietTime(state, TheDesktop().QueryPerformanceCounter());
    state.phase = RecorderPhase::Recording;
}

void Report(const char* name, const std::vector<double>& costs, const RecorderState& state) {
    double total = 0;
    for (double cost : costs)
        total += cost;
    std::vector<double> sorted = costs;
    std::sort(sorted.begin(), sorted.end());
    const double mean = total / static_cast<double>(costs.size());
    const double p99 = sorted[sorted.size() * 99 / 100];
    const double worst = sorted.back();
    std::printf(
        "%-35s %5zu samples  mean %.3f ms (%.1f %%)  99th %.3f ms (%.1f %%)  worst %.3f ms "
        "(%.1f %%)  code %d chars\n",
        name, costs.size(), mean, 100.0 * mean / MACRO_DELAY, p99, 100.0 * p99 / MACRO_DELAY, worst,
        100.0 * worst / MACRO_DELAY, state.codeLength);
}

// Samples called one after another; `moving` puts the pointer somewhere new before each, so
// that every sample also writes a line.
std::vector<double> DirectSamples(RecorderState& state, RecorderView& view, bool moving) {
    std::vector<double> costs;
    for (int i = 0; i < SAMPLES; ++i) {
        if (moving) SetCursorPos(200 + i % 400, 300 + (i / 400) % 2);
        const LONGLONG start = Now();
        RecorderTick(state, TheDesktop(), view);
        costs.push_back(Milliseconds(Now() - start));
    }
    return costs;
}

// Samples run by the periodic timer, on the timer service's thread, as in a recording.
std::vector<double> TimerSamples(RecorderState& state, RecorderView& view) {
    std::vector<double> costs;
    costs.reserve(TIMER_RUN_MS);
    std::atomic<bool> collecting{true};
    const uint32_t timer = TheDesktop().timeSetEvent(MACRO_DELAY, true, [&] {
        const LONGLONG start = Now();
        RecorderTick(state, TheDesktop(), view);
        if (collecting) costs.push_back(Milliseconds(Now() - start));
    });
    if (timer == 0) return costs;
    Sleep(TIMER_RUN_MS);
    TheDesktop().timeKillEvent(timer);
    collecting = false;
    return costs;
}

}  // namespace

// What the platform charges for the key-state queries alone: one sample's worth, repeated.
void ReportQueryCost() {
    std::vector<double> costs;
    for (int i = 0; i < SAMPLES / 10; ++i) {
        const LONGLONG start = Now();
        for (int key = 1; key <= 250; ++key)
            TheDesktop().GetAsyncKeyState(key);
        costs.push_back(Milliseconds(Now() - start));
    }
    double total = 0;
    for (double cost : costs)
        total += cost;
    std::printf("250 key-state queries alone: mean %.3f ms, %.2f us per query\n",
                total / static_cast<double>(costs.size()),
                1000.0 * total / static_cast<double>(costs.size()) / 250.0);
}

int main() {
    auto state = std::make_unique<RecorderState>();
    NoEditor view;
    std::printf("Recorder sample cost, MacroDelay %d ms\n", MACRO_DELAY);
    Restart(*state);
    for (int i = 0; i < WARM_UP_SAMPLES; ++i)
        RecorderTick(*state, TheDesktop(), view);
    ReportQueryCost();
    Restart(*state);
    Report("quiet samples, called directly", DirectSamples(*state, view, false), *state);
    Restart(*state);
    Report("pointer moving, called directly", DirectSamples(*state, view, true), *state);
    Restart(*state);
    const std::vector<double> timed = TimerSamples(*state, view);
    if (timed.empty()) {
        std::printf("periodic timer refused\n");
        return 1;
    }
    Report("quiet samples, on the timer thread", timed, *state);
    return 0;
}
