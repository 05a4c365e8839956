// Starting a recording and carrying out its ending, on the user-interface thread.
#include <string>

#include "macro/desktop/debug_trace.h"
#include "macro/desktop/error_report.h"
#include "recorder/recorded_code.h"
#include "recorder/recorder.h"

namespace {

constexpr char START_TEXT[] =
    "Keyloom will now record your macro. While recording, Press the <Pause> key to stop, or "
    "<Esc> to cancel.";
constexpr char TOO_LARGE_TEXT[] =
    "Your macro code has become too large. If you require a longer macro, consider increasing "
    "the time interval from the Options window.";
constexpr int RELEASE_POLL_MS = 10;

// The click or key that closed the start box must not be recorded.
void WaitForButtonAndSpaceRelease(DesktopPort& desktop) {
    for (;;) {
        const bool left = desktop.GetAsyncKeyState(desk::KEY_LBUTTON) != 0;
        const bool space = desktop.GetAsyncKeyState(desk::KEY_SPACE) != 0;
        if (!left && !space) return;
        desktop.WaitPrecisely(RELEASE_POLL_MS);
    }
}

void StopTimer(RecorderState& state, DesktopPort& desktop) {
    desktop.timeKillEvent(state.recordTimer);
    state.recordTimer = 0;
    state.phase.store(RecorderPhase::Idle, std::memory_order_release);
}

void ReturnToEditor(RecorderView& view) {
    view.EnableButton(EditorButton::Play, true);
    view.EnableButton(EditorButton::Stop, false);
    view.EnableButton(EditorButton::Record, true);
    view.RestoreEditor();
}

}  // namespace

void StartRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view,
                    int32_t macroDelay) {
    ReportNote(desktop, view.EditorWindow(), START_TEXT, KEYLOOM_CAPTION);
    ClearRecordedCode(state);
    WaitForButtonAndSpaceRelease(desktop);

    state.period = macroDelay;
    state.phase.store(RecorderPhase::Recording, std::memory_order_release);
    // A period of 0 cannot drive a periodic timer.
    state.recordTimer = macroDelay > 0
                            ? desktop.timeSetEvent(
                                  static_cast<uint32_t>(macroDelay), true,
                                  [&state, &desktop, &view] { RecorderTick(state, desktop, view); })
                            : 0;
    if (state.recordTimer == 0) {
        state.phase.store(RecorderPhase::Idle, std::memory_order_release);
        ReportError(desktop, view.EditorWindow(), "Error setting timer", KEYLOOM_CAPTION);
        return;
    }
    view.HideEditor();
    view.EnableButton(EditorButton::Record, false);
    view.EnableButton(EditorButton::Play, false);
    view.EnableButton(EditorButton::Stop, true);
    view.SetEditorModified();
}

void EndRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view) {
    switch (state.phase.load(std::memory_order_acquire)) {
        case RecorderPhase::Idle:
        case RecorderPhase::Recording:
            return;
        case RecorderPhase::Cancelling:
            CancelRecording(state, desktop, view);
            return;
        case RecorderPhase::TooLarge:
            ReportError(desktop, NO_WINDOW, TOO_LARGE_TEXT, ERROR_CAPTION);
            FinishRecording(state, desktop, view);
            return;
        case RecorderPhase::Finishing:
            FinishRecording(state, desktop, view);
            return;
    }
}

void FinishRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view) {
    StopTimer(state, desktop);
    FlushPendingDelay(state);
    view.SetCode(std::string_view(state.recordedCode, static_cast<std::size_t>(state.codeLength)));
    ReturnToEditor(view);
    view.SetEditorModified();
    view.EnableButton(EditorButton::Apply, true);
    DebugTrace(desktop, "Length of macro code: " + std::to_string(view.CodeLength()));
}

void CancelRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view) {
    StopTimer(state, desktop);
    view.SetCode("");
    ReturnToEditor(view);
    view.EnableButton(EditorButton::Apply, true);
}
