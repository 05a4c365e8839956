#include "editor/preview_play.h"

#include <cstdint>

#include "macro/desktop/debug_trace.h"
#include "macro/desktop/wall_clock.h"
#include "macro/language/held_input.h"

namespace {

int64_t Milliseconds(const LocalTime& time) {
    return SecondOf(time) * 1000 + time.milliseconds;
}

}  // namespace

int ElapsedSeconds(const LocalTime& start, const LocalTime& now) {
    int64_t elapsed = (Milliseconds(now) - Milliseconds(start)) / 1000;
    return elapsed > 0 ? static_cast<int>(elapsed) : 0;
}

void PreviewPlay(PreviewContext& context, PreviewView& view) {
    if (context.play.playing) return;  // one play at a time: never inside another's box
    DesktopPort& desktop = context.desktop;
    const int lineCount = view.LineCount();
    view.EnterPreview();
    const LocalTime start = desktop.GetSystemTime();
    LocalTime lastReading = start;
    context.play.playing = true;
    StartPace(context.interpreter, context.pace, context.speed);
    // A stop seen by an earlier preview is spent; one seen now, or a wait for a window that ran
    // out, ends this one.
    WatchStopKeys(context.interpreter, true);
    for (int index = 0; index < lineCount; ++index) {
        if (StopKeyPressed(context.interpreter) != 0) break;
        std::string line = view.Line(index);
        if (!line.empty()) ExecuteMacroLine(context.interpreter, line);
        LocalTime now = desktop.GetSystemTime();
        if (now.second != lastReading.second) {
            int elapsed = ElapsedSeconds(start, now);
            view.ShowElapsed(elapsed / 60, elapsed % 60);
            lastReading = now;
        }
    }
    // A preview does not resume: what a stop left of its line is dropped.
    context.interpreter.unfinished = {};
    WatchStopKeys(context.interpreter, false);
    ReleaseHeldInput(context.interpreter);
    view.AwaitInputDelivered();  // the editor comes back in front only then
    DebugTrace(desktop, "Played macro");
    view.LeavePreview(context.state.editorModified);
    context.play.playing = false;
}
