#include "macro/player/macro_player.h"

#include <optional>
#include <string>

#include "macro/desktop/debug_trace.h"
#include "macro/desktop/error_report.h"
#include "macro/file/read_file_line.h"
#include "macro/file/text_field.h"
#include "macro/player/held_at_stop.h"
#include "macro/player/step_list.h"

namespace {

// What differs between the origins of a play; the rest is one algorithm.
struct PlayRules {
    bool traces;
    bool asksForTimer;
    uintptr_t timerId;  // PLAY_TIMER_ID, or 0 for an id the platform chooses
    bool discardsKeys;  // a press made before the play does not stop it
    bool pauseRewinds;
    WindowHandle errorOwner;
};

PlayRules RulesFor(PlayOrigin origin, WindowHandle mainWindow) {
    switch (origin) {
        case ORIGIN_TRIGGER:
            return {true, true, PLAY_TIMER_ID, true, false, NO_WINDOW};
        case ORIGIN_SCHEDULE:
            return {false, true, 0, true, true, mainWindow};
        default:
            return {false, false, PLAY_TIMER_ID, false, false, mainWindow};
    }
}

// Virtual keys whose pending presses are dropped before a play.
constexpr int FIRST_DISCARDED_KEY = 8;
constexpr int LAST_DISCARDED_KEY = 134;

class Play {
  public:
    Play(MacroPlayer& player, const Macro& macro, PlayOrigin origin)
        : player_(player),
          state_(player.state),
          desktop_(player.desktop),
          macro_(macro),
          origin_(origin),
          rules_(RulesFor(origin, player.mainWindow)),
          path_(FieldText(macro.fileName)) {}

    void Run();

  private:
    bool Begin();
    PlayEnd PlayPasses();
    std::optional<PlayEnd> PlaySteps(LineReader& reader);
    void CompletePass();
    void Finish(PlayEnd end);
    void ResetCounters();
    void ReportOpenFailure();

    MacroPlayer& player_;
    PlayState& state_;
    DesktopPort& desktop_;
    const Macro& macro_;
    const PlayOrigin origin_;
    const PlayRules rules_;
    std::string path_;
    StepList steps_{0, 1};
};

void Play::Run() {
    if (!Begin()) return;
    Finish(PlayPasses());
}

// Everything before the first pass; false when the play cannot start.
bool Play::Begin() {
    if (rules_.traces) DebugTrace(desktop_, "Playing a macro");
    std::unique_ptr<LineReader> reader = OpenLineReader(player_.files, path_);
    if (!reader) {
        ReportOpenFailure();
        return false;
    }
    if (rules_.asksForTimer && !StartPlayTimer(state_, desktop_, rules_.timerId)) {
        reader.reset();
        ReportError(desktop_, rules_.errorOwner, "Failed to create timer", ERROR_CAPTION);
        return false;
    }
    if (rules_.discardsKeys)
        for (int key = FIRST_DISCARDED_KEY; key <= LAST_DISCARDED_KEY; key++)
            desktop_.GetAsyncKeyState(key);
    state_.playing = true;
    steps_ = ScanStepList(*reader);
    reader.reset();
    // A paused position belongs to the macro paused: another macro starts at its first line, and
    // the paused play is over. A changed file may have left the position beyond its steps.
    if (state_.paused.fileName != path_ || state_.position >= steps_.stepCount) RewindPlay(state_);
    if (player_.observer) player_.observer->PlayStarted(origin_, steps_.stepCount, state_.position);
    ResetCounters();
    state_.startTick = desktop_.GetTickCount();
    StartPace(player_.interpreter, macro_.speed, player_.speed());
    WatchStopKeys(player_.interpreter, true);
    ResumePausedPlay(state_, player_.interpreter);
    return true;
}

PlayEnd Play::PlayPasses() {
    for (;;) {
        std::unique_ptr<LineReader> reader = OpenLineReader(player_.files, path_);
        if (!reader) {
            ReportOpenFailure();
            return PlayEnd::FileLost;
        }
        SkipLines(*reader, steps_.linesBeforeStart + state_.position);
        if (std::optional<PlayEnd> stop = PlaySteps(*reader)) return *stop;
        reader.reset();
        CompletePass();
        if (PlayStyleSatisfied(macro_, state_)) return PlayEnd::StyleSatisfied;
    }
}

// The steps of one pass from `position`; the keys are polled before each, and through the
// waits, texts and sounds of each.
std::optional<PlayEnd> Play::PlaySteps(LineReader& reader) {
    char line[LINE_CAPACITY];
    while (state_.position < steps_.stepCount) {
        const int stopKey = StopKeyPressed(player_.interpreter);
        if (stopKey == desk::KEY_ESCAPE)
            return player_.interpreter.windowMissing ? PlayEnd::WindowMissing : PlayEnd::Escape;
        if (stopKey == desk::KEY_PAUSE)
            return rules_.pauseRewinds ? PlayEnd::Escape : PlayEnd::Pause;
        reader.ReadFileLine(line);
        if (player_.observer) player_.observer->StepPlaying(state_.position);
        ExecuteMacroLine(player_.interpreter, line);  // a failed line has reported itself
        state_.position++;
        UpdateElapsedSeconds(state_, desktop_);
    }
    return std::nullopt;
}

void Play::CompletePass() {
    state_.passesDone++;
    RewindPlay(state_);
}

void Play::Finish(PlayEnd end) {
    switch (end) {
        case PlayEnd::StyleSatisfied:
            if (rules_.traces)
                DebugTrace(desktop_,
                           "Duration (seconds) :" + std::to_string(state_.elapsedSeconds));
            state_.playing = false;
            break;
        case PlayEnd::Escape:
        case PlayEnd::WindowMissing:
            RewindPlay(state_);
            ReleasePlay(state_, desktop_);
            break;
        case PlayEnd::Pause:
        case PlayEnd::FileLost:
            ReleasePlay(state_, desktop_);
            break;
    }
    WatchStopKeys(player_.interpreter, false);
    ReleaseAtPlayEnd(state_, player_.interpreter, path_);
    // A play that will not resume leaves no counts behind.
    if (state_.position == 0) ResetCounters();
    if (player_.observer) player_.observer->PlayEnded(origin_, end, state_.position);
}

void Play::ResetCounters() {
    state_.elapsedSeconds = 0;
    state_.passesDone = 0;
}

void Play::ReportOpenFailure() {
    ReportOpenError(desktop_, rules_.errorOwner, path_);
}

}  // namespace

void PlayMacro(MacroPlayer& player, const Macro& macro, PlayOrigin origin) {
    Play(player, macro, origin).Run();
}

bool PlayStyleSatisfied(const Macro& macro, const PlayState& state) {
    switch (macro.playStyle) {
        case PLAY_STYLE_FOR_SECONDS:
            return state.elapsedSeconds >= macro.repeatTime;
        case PLAY_STYLE_TIMES:
            return state.passesDone >= macro.playCount;
        default:
            return false;
    }
}
