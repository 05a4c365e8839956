#pragma once
// The recorder driven sample by sample on a FakeDesktop, with a recording editor view.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recorder/recorder.h"
#include "tests/support/fake_desktop.h"

// The editor as the recorder sees it: the code box's text, and every call in order.
class FakeRecorderView : public RecorderView {
  public:
    WindowHandle editor = 124;
    std::string code;  // the code box
    bool editorModified = false;
    int handOvers = 0;
    // "SetCode", "Enable <button> on|off", "Hide", "Restore", "Modified"
    std::vector<std::string> calls;

    WindowHandle EditorWindow() override { return editor; }
    void SetCode(std::string_view text) override {
        code = text;
        calls.push_back("SetCode");
    }
    int CodeLength() override { return static_cast<int>(code.size()); }
    void EnableButton(EditorButton button, bool enabled) override {
        static const char* const NAMES[] = {"Play", "Stop", "Record", "Apply"};
        calls.push_back(std::string("Enable ") + NAMES[static_cast<int>(button)] +
                        (enabled ? " on" : " off"));
    }
    void HideEditor() override { calls.push_back("Hide"); }
    void RestoreEditor() override { calls.push_back("Restore"); }
    void SetEditorModified() override {
        editorModified = true;
        calls.push_back("Modified");
    }
    void HandOverEnding() override { handOvers++; }
};

struct RecorderRig {
    FakeDesktop desktop;
    FakeRecorderView view;
    std::unique_ptr<RecorderState> state = std::make_unique<RecorderState>();

    void Start(int32_t macroDelay = 10) { StartRecording(*state, desktop, view, macroDelay); }
    // One sample, as the periodic timer runs it.
    void Tick() { desktop.FirePeriodicTimer(state->recordTimer); }
    // The editor's thread receiving the ending that a sample handed over.
    void DeliverEnding() { EndRecording(*state, desktop, view); }
    std::string Code() const {
        return std::string(state->recordedCode, static_cast<std::size_t>(state->codeLength));
    }
};
