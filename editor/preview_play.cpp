#include "editor/preview_play.h"

#include <cstdint>

#include "macro/player/debug_trace.h"

namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int64_t Milliseconds(const LocalTime& time) {
    int64_t seconds = DaysFromCivil(time.year, time.month, time.day) * 86400 + time.hour * 3600 +
                      time.minute * 60 + time.second;
    return seconds * 1000 + time.milliseconds;
}

bool StopKeyPressed(DesktopPort& desktop) {
    return desktop.GetAsyncKeyState(desk::KEY_ESCAPE) != 0 ||
           desktop.GetAsyncKeyState(desk::KEY_PAUSE) != 0;
}

}  // namespace

int ElapsedSeconds(const LocalTime& start, const LocalTime& now) {
    int64_t elapsed = (Milliseconds(now) - Milliseconds(start)) / 1000;
    return elapsed > 0 ? static_cast<int>(elapsed) : 0;
}

void PreviewPlay(PreviewContext& context, PreviewView& view) {
    DesktopPort& desktop = context.desktop;
    const int lineCount = view.LineCount();
    view.EnterPreview();
    const LocalTime start = desktop.GetSystemTime();
    LocalTime lastReading = start;
    context.play.playing = true;
    for (int index = 0; index < lineCount; ++index) {
        if (StopKeyPressed(desktop)) break;
        std::string line = view.Line(index);
        if (!line.empty()) ExecuteMacroLine(context.interpreter, line);
        LocalTime now = desktop.GetSystemTime();
        if (now.second != lastReading.second) {
            int elapsed = ElapsedSeconds(start, now);
            view.ShowElapsed(elapsed / 60, elapsed % 60);
            lastReading = now;
        }
    }
    DebugTrace(desktop, "Played macro");
    view.LeavePreview(context.state.editorModified);
    context.play.playing = false;
}
