#pragma once
// The recorder driven sample by sample on a FakeDesktop, with a recording editor view.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "recorder/recorder.h"
#include "tests/support/fake_desktop.h"

// The editor as the recorder sees it: the code box's text, its buttons, and every call in
// order.
class FakeRecorderView : public RecorderView {
  public:
    WindowHandle editor = 124;
    std::string code;  // the code box
    bool editorModified = false;
    bool enabled[4] = {true, false, true, false};  // Play, Stop, Record, Apply
    int handOvers = 0;
    // "SetCode", "Enable <button> on|off", "Hide", "Restore", "Modified", "Unmodified"
    std::vector<std::string> calls;

    WindowHandle EditorWindow() override { return editor; }
    void SetCode(std::string_view text) override {
        code = text;
        calls.push_back("SetCode");
    }
    int CodeLength() override { return static_cast<int>(code.size()); }
    void EnableButton(EditorButton button, bool on) override {
        static const char* const NAMES[] = {"Play", "Stop", "Record", "Apply"};
        calls.push_back(std::string("Enable ") + NAMES[static_cast<int>(button)] +
                        (on ? " on" : " off"));
        enabled[static_cast<int>(button)] = on;
    }
    bool IsButtonEnabled(EditorButton button) override { return enabled[static_cast<int>(button)]; }
    void HideEditor() override { calls.push_back("Hide"); }
    void RestoreEditor() override { calls.push_back("Restore"); }
    bool EditorModified() override { return editorModified; }
    void SetEditorModified(bool modified) override {
        editorModified = modified;
        calls.push_back(modified ? "Modified" : "Unmodified");
    }
    void HandOverEnding() override { handOvers++; }
};

struct RecorderRig {
    FakeDesktop desktop;
    FakeRecorderView view;
    std::unique_ptr<RecorderState> state = std::make_unique<RecorderState>();

    void Start(int32_t macroDelay = 10) { StartRecording(*state, desktop, view, macroDelay); }
    // One sample, an interval after the last (the lines do not depend on when samples come).
    void Tick() {
        desktop.Advance(static_cast<uint32_t>(std::max(0, state->period)));
        desktop.FirePeriodicTimer(state->recordTimer);
    }
    // The editor's thread receiving the ending that a sample handed over.
    void DeliverEnding() { EndRecording(*state, desktop, view); }
    std::string Code() const {
        return std::string(state->recordedCode, static_cast<std::size_t>(state->codeLength));
    }
};

// Something the user does during a recording, `at` milliseconds after it started.
struct UserStep {
    uint32_t at;
    std::function<void(FakeDesktop&)> act;
};

// A recording at an interval of `period` of the steps, each at its moment, sampled every
// `sampleEvery` ms; Pause is pressed at `pauseAt`. Returns the code box.
inline std::string RecordSteps(RecorderRig& rig, const std::vector<UserStep>& steps,
                               uint32_t pauseAt, int32_t period = 10,
                               uint32_t sampleEvery = SAMPLE_EVERY_MS) {
    rig.Start(period);
    for (uint32_t at = 0; rig.state->phase.load() == RecorderPhase::Recording; ++at) {
        for (const UserStep& step : steps)
            if (step.at == at) step.act(rig.desktop);
        if (at == pauseAt) rig.desktop.Press(desk::KEY_PAUSE);
        if (at > 0 && at % sampleEvery == 0) rig.desktop.FirePeriodicTimer(rig.state->recordTimer);
        rig.desktop.Advance(1);
    }
    rig.desktop.Release(desk::KEY_PAUSE);
    rig.DeliverEnding();
    return rig.view.code;
}

// The lines of recorded code without its DELAY lines, each followed by ", ".
inline std::string LinesWithoutDelays(const std::string& code) {
    std::string lines;
    std::istringstream stream(code);
    for (std::string line; std::getline(stream, line);)
        if (line.rfind("DELAY ", 0) != 0) lines += line.substr(0, line.find('\r')) + ", ";
    return lines;
}
