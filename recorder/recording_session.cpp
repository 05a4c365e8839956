// Starting a recording and carrying out its ending, on the user-interface thread.
#include <string>

#include "macro/desktop/debug_trace.h"
#include "macro/desktop/error_report.h"
#include "recorder/input_lines.h"
#include "recorder/recorded_code.h"
#include "recorder/recorder.h"

namespace {

constexpr char START_TEXT[] =
    "Keyloom will now record your macro. While recording, Press the <Pause> key to stop, or "
    "<Esc> to cancel.";
constexpr char NO_CAPTURE_TEXT[] =
    "Keyloom cannot follow the keyboard and mouse, so it cannot record your macro.";
constexpr char TOO_LARGE_TEXT[] =
    "Your macro code has become too large. If you require a longer macro, consider increasing "
    "the time interval from the Options window.";
constexpr int RELEASE_POLL_MS = 10;
// A key still down after this long is stuck, or the user means to record it held: the
// recording starts anyway rather than leave the editor waiting.
constexpr int RELEASE_WAIT_LIMIT_MS = 5000;
constexpr int FIRST_KEY = 1;  // the left button
constexpr int LAST_KEY = 254;

// Only what is done during the recording may end it or be recorded: the key or click that
// closed the start box must not. The input is captured once no key or button is down.
void WaitUntilNothingIsDown(DesktopPort& desktop) {
    for (int waited = 0;; waited += RELEASE_POLL_MS) {
        bool anyDown = false;
        for (int key = FIRST_KEY; key <= LAST_KEY; ++key)
            anyDown = (desktop.GetAsyncKeyState(key) & 0x8000) != 0 || anyDown;
        if (!anyDown || waited >= RELEASE_WAIT_LIMIT_MS) return;
        desktop.WaitPrecisely(RELEASE_POLL_MS);
    }
}

// Nothing of a previous recording carries over: no pointer position, no held key or button,
// no quiet time. The recording begins now, with the pointer where it is.
void StartFresh(RecorderState& state, DesktopPort& desktop, int32_t macroDelay) {
    state.period = macroDelay;
    const int64_t now = desktop.QueryPerformanceCounter();
    StartQuietTime(state, now);
    StartFollowing(state, desktop, now);
}

void StopSampling(RecorderState& state, DesktopPort& desktop) {
    desktop.StopInputCapture();
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
    WaitUntilNothingIsDown(desktop);
    FollowHeldInput(state, desktop);
    state.input.Clear();
    if (!desktop.StartInputCapture(state.input)) {
        ReportError(desktop, view.EditorWindow(), NO_CAPTURE_TEXT, KEYLOOM_CAPTION);
        return;
    }
    state.editorBefore = {view.IsButtonEnabled(EditorButton::Apply), view.EditorModified()};
    // An interval of 0 cannot pace a line. Samples do nothing until the recording has started.
    state.recordTimer = macroDelay > 0
                            ? desktop.timeSetEvent(
                                  SAMPLE_EVERY_MS, true,
                                  [&state, &desktop, &view] { RecorderTick(state, desktop, view); })
                            : 0;
    if (state.recordTimer == 0) {
        desktop.StopInputCapture();
        ReportError(desktop, view.EditorWindow(), "Error setting timer", KEYLOOM_CAPTION);
        return;
    }
    view.HideEditor();
    view.EnableButton(EditorButton::Record, false);
    view.EnableButton(EditorButton::Play, false);
    view.EnableButton(EditorButton::Stop, true);
    view.SetEditorModified(true);
    // The recording starts once the editor is out of the way, which may take a moment; what is
    // done meanwhile is captured, and plays at the recording's start.
    StartFresh(state, desktop, macroDelay);
    state.phase.store(RecorderPhase::Recording, std::memory_order_release);
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
    StopSampling(state, desktop);
    FlushPendingDelay(state);
    view.SetCode(std::string_view(state.recordedCode, static_cast<std::size_t>(state.codeLength)));
    ReturnToEditor(view);
    view.SetEditorModified(true);
    view.EnableButton(EditorButton::Apply, true);
    DebugTrace(desktop, "Length of macro code: " + std::to_string(view.CodeLength()));
}

// The code box was never touched: the editor is left as Record found it.
void CancelRecording(RecorderState& state, DesktopPort& desktop, RecorderView& view) {
    StopSampling(state, desktop);
    ReturnToEditor(view);
    view.EnableButton(EditorButton::Apply, state.editorBefore.applyEnabled);
    view.SetEditorModified(state.editorBefore.modified);
}
