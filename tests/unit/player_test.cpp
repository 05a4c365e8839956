#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "library/program/main_window_play.h"
#include "macro/desktop/debug_trace.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/memory_file_system.h"

namespace {

using ::testing::IsSupersetOf;

constexpr WindowHandle MAIN_WINDOW = 77;
constexpr uint32_t PLAY_ERROR_BOX = desk::BOX_OK | desk::BOX_ICON_ERROR;
constexpr int FIRST_DISCARDED_KEY = 8;
constexpr int LAST_DISCARDED_KEY = 134;
constexpr uint32_t STOP_CHECK_MS = STOP_CHECK_MICROSECONDS / 1000;

// The main window's playback controls as the engine leaves them.
class RecordingView : public PlayView {
  public:
    void SetProgressRange(int32_t steps) override { range = steps, Log("range", steps); }
    void SetProgressPosition(int32_t to) override { position = to, Log("position", to); }
    void EnableButton(PlayButton button, bool on) override {
        enabled[static_cast<int>(button)] = on;
        const char* names[] = {"Play", "Pause", "Stop"};
        log.push_back(std::string(names[static_cast<int>(button)]) + (on ? " on" : " off"));
    }
    void HideWindow() override { visible = false, log.push_back("hide"); }
    void RestoreWindow() override { visible = true, log.push_back("restore"); }
    void AwaitInputDelivered() override {}
    bool Enabled(PlayButton button) const { return enabled[static_cast<int>(button)]; }

    std::vector<std::string> log;
    int32_t range = 100;
    int32_t position = 0;
    bool visible = true;
    bool enabled[3] = {true, false, false};

  private:
    void Log(const char* what, int32_t value) {
        log.push_back(std::string(what) + " " + std::to_string(value));
    }
};

class PlayerTest : public ::testing::Test {
  protected:
    // A macro file as Keyloom writes it, with `code` between START and END.
    void WriteMacro(const std::string& code, const std::string& name = "m.mro") {
        WriteFile("//File created by Keyloom v1\r\n\r\nNAME \"m\";\r\nSPEED 10;\r\n\r\nSTART\r\n" +
                      code + "END\r\n",
                  name);
    }
    void WriteFile(const std::string& bytes, const std::string& name = "m.mro") {
        CopyText(macro.fileName, disk.Write(name, bytes));
    }
    void Play(PlayOrigin origin = ORIGIN_TRIGGER) { PlayMacro(player, macro, origin); }
    void PlayScheduled() { PlayMacro(scheduler, macro, ORIGIN_SCHEDULE); }

    // Letters typed, from the key presses of A to Z.
    std::string Typed() const {
        std::string typed;
        for (const std::string& call : desktop.calls) {
            int key = 0, flags = -1;
            if (std::sscanf(call.c_str(), "keybd_event %d %d", &key, &flags) == 2 && flags == 0 &&
                key >= 'A' && key <= 'Z')
                typed += static_cast<char>(key - 'A' + 'a');
        }
        return typed;
    }
    // The boxes shown, without the trace of tracing builds.
    std::vector<FakeDesktop::Box> Errors() const {
        std::vector<FakeDesktop::Box> errors;
        for (const FakeDesktop::Box& box : desktop.boxes)
            if (box.caption != "DEBUG") errors.push_back(box);
        return errors;
    }
    // Presses, before a play, every key a hot-key play sets aside.
    void PressEveryDiscardedKey() {
        for (int key = FIRST_DISCARDED_KEY; key <= LAST_DISCARDED_KEY; key++)
            desktop.Tap(key);
    }
    // Those keys whose earlier press a query made now would still see.
    std::vector<int> KeysStillPressed() {
        std::vector<int> pressed;
        for (int key = FIRST_DISCARDED_KEY; key <= LAST_DISCARDED_KEY; key++)
            if (desktop.GetAsyncKeyState(key) & 1) pressed.push_back(key);
        return pressed;
    }
    long Count(const std::string& call) const {
        return std::count(desktop.calls.begin(), desktop.calls.end(), call);
    }
    // Presses `key` once when `call` has been logged `times` times.
    void PressOn(const std::string& call, int key, int times = 1) {
        desktop.onCall = [this, call, key, times, seen = 0](const std::string& line) mutable {
            if (line == call && ++seen == times) desktop.Tap(key);
        };
    }
    // Presses `key` once the virtual clock reaches `time` (milliseconds).
    void PressAt(uint32_t time, int key) {
        desktop.onCall = [this, time, key, done = false](const std::string&) mutable {
            if (!done && desktop.now >= time) desktop.Tap(key), done = true;
        };
    }
    // Pauses a play of code "a" to "f" while its fourth step (the START step is the first) runs.
    void PauseAtFourthStep() {
        WriteMacro(
            "TYPE \"a\"\r\nTYPE \"b\"\r\nTYPE \"c\"\r\nTYPE \"d\"\r\nTYPE \"e\"\r\n"
            "TYPE \"f\"\r\n");
        PressOn("keybd_event 67 2", desk::KEY_PAUSE);
        Play();
        desktop.onCall = nullptr;
    }

    MemoryFileSystem disk;
    FakeDesktop desktop;
    Macro macro = MacroPlayedOnce(10);
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, MAIN_WINDOW, {}};
    RecordingView view;
    MainWindowPlay mainWindow{view};
    MacroPlayer player{state, desktop, disk, interpreter, MAIN_WINDOW, &mainWindow};
    MacroPlayer scheduler{state, desktop, disk, interpreter, MAIN_WINDOW, nullptr};
};

// ---- Passes and play styles ----

TEST_F(PlayerTest, EveryPassBeginsWithTheStartStepAndPlaysEachCodeLine) {
    WriteMacro("TYPE \"ab\"\r\n");
    macro.playCount = 3;
    Play();
    EXPECT_EQ(Typed(), "ababab");
    EXPECT_EQ(Count("Wait 10"), 6);  // START and TYPE, three times
    std::vector<std::string> firstPass;
    for (const std::string& call : desktop.Actions())
        if (call.rfind("Wait", 0) == 0 || call.rfind("keybd", 0) == 0) firstPass.push_back(call);
    firstPass.resize(6);
    EXPECT_EQ(firstPass,
              (std::vector<std::string>{"Wait 10", "keybd_event 65 0", "keybd_event 65 2",
                                        "keybd_event 66 0", "keybd_event 66 2", "Wait 10"}));
    EXPECT_EQ(state.position, 0);
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(state.passesDone, 0);
    EXPECT_EQ(state.elapsedSeconds, 0);
}

TEST_F(PlayerTest, EmptyCodeSectionPlaysOneStepPerPass) {
    WriteMacro("");
    macro.playCount = 3;
    Play();
    EXPECT_EQ(Count("Wait 10"), 3);
    EXPECT_EQ(view.range, 1);
}

TEST_F(PlayerTest, CountsOfZeroOrLessPlayExactlyOnePass) {
    WriteMacro("TYPE \"a\"\r\n");
    const std::pair<int32_t, int32_t> styles[] = {{PLAY_STYLE_TIMES, 0},
                                                  {PLAY_STYLE_TIMES, -4},
                                                  {PLAY_STYLE_FOR_SECONDS, 0},
                                                  {PLAY_STYLE_FOR_SECONDS, -1}};
    for (auto [style, count] : styles) {
        desktop.calls.clear();
        macro.playStyle = style;
        macro.playCount = macro.repeatTime = count;
        Play();
        EXPECT_EQ(Typed(), "a") << style << " " << count;
    }
}

TEST_F(PlayerTest, PlayForSecondsEndsOnlyAfterAWholePass) {
    WriteMacro("DELAY 1000\r\n");
    macro.playStyle = PLAY_STYLE_FOR_SECONDS;
    macro.repeatTime = 5;
    macro.speed = 1000;  // a pass: the START step's pace and the DELAY, 2 seconds
    Play();
    EXPECT_EQ(desktop.now, 6000u);
    EXPECT_EQ(Count("Wait 1000"), 6);
}

TEST_F(PlayerTest, SecondsAreCountedAcrossTheWrapOfTheTickCount) {
    WriteMacro("DELAY 2000\r\n");
    macro.playStyle = PLAY_STYLE_FOR_SECONDS;
    macro.repeatTime = 5;
    macro.speed = 1000;
    desktop.now = 0xFFFFFFFFu - 1500;
    PressOn("Wait 2000", desk::KEY_ESCAPE, 4);  // only reached when the seconds go wrong
    Play();
    EXPECT_EQ(Count("Wait 2000"), 2);
}

TEST_F(PlayerTest, RepeatUntilStoppedAndUnknownStylesEndOnlyByAKey) {
    WriteMacro("");
    for (int32_t style : {int32_t{PLAY_STYLE_UNTIL_STOPPED}, 7, -1}) {
        desktop.calls.clear();
        macro.playStyle = style;
        PressOn("Wait 10", desk::KEY_ESCAPE, 50);
        Play();
        EXPECT_EQ(Count("Wait 10"), 50) << style;
        EXPECT_FALSE(state.playing);
    }
}

TEST_F(PlayerTest, FileWithoutEndPlaysEveryLineAfterStart) {
    WriteFile("START\r\nTYPE \"a\"\r\nTYPE \"b\"");
    Play();
    EXPECT_EQ(Typed(), "ab");
}

TEST_F(PlayerTest, FileWithoutStartPlaysPassesOfOneEmptyStep) {
    WriteFile("NAME \"m\";\r\nTYPE \"a\"\r\n");
    macro.playCount = 2;
    Play();
    EXPECT_EQ(Typed(), "");
    EXPECT_EQ(Count("Wait 10"), 0);  // an empty line costs no pace
    EXPECT_EQ(view.range, 1);
    EXPECT_FALSE(state.playing);
}

TEST_F(PlayerTest, FileEditedBetweenPassesTakesEffectAtTheNextPassWithinTheStepCount) {
    WriteMacro("TYPE \"a\"\r\n");
    macro.playCount = 2;
    desktop.onCall = [this](const std::string& call) {
        if (call == "keybd_event 65 2") WriteMacro("TYPE \"b\"\r\nTYPE \"c\"\r\n");
    };
    Play();
    EXPECT_EQ(Typed(), "ab");
}

TEST_F(PlayerTest, FileLostBetweenPassesEndsThePlayWithOneMessage) {
    WriteMacro("TYPE \"a\"\r\n");
    macro.playStyle = PLAY_STYLE_UNTIL_STOPPED;
    const std::string path = macro.fileName;
    desktop.onCall = [&](const std::string& call) {
        if (call == "keybd_event 65 2") disk.Remove(path);
    };
    Play(ORIGIN_PLAY_BUTTON);
    EXPECT_EQ(Typed(), "a");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: " + path);
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
    EXPECT_FALSE(state.playing);
    EXPECT_TRUE(view.visible);
}

// ---- Escape and Pause ----

TEST_F(PlayerTest, PauseAtTheFourthStepResumesAtTheFifthWithCountersFromZero) {
    macro.playCount = 5;
    macro.speed = 1000;
    WriteMacro(
        "TYPE \"a\"\r\nTYPE \"b\"\r\nTYPE \"c\"\r\nTYPE \"d\"\r\nTYPE \"e\"\r\nTYPE \"f\"\r\n");
    PressOn("keybd_event 67 2", desk::KEY_PAUSE, 2);  // in the second pass
    Play();
    EXPECT_EQ(Typed(), "abcdefabc");
    EXPECT_EQ(state.position, 4);
    EXPECT_EQ(view.position, 4);
    EXPECT_EQ(state.passesDone, 1);
    EXPECT_GT(state.elapsedSeconds, 0);
    EXPECT_FALSE(state.playing);

    desktop.calls.clear();
    view.log.clear();
    macro.playCount = 2;
    int32_t passesAtFirstStep = -1, secondsAtFirstStep = -1;
    desktop.onCall = [&](const std::string& call) {
        if (call == "keybd_event 68 0" && passesAtFirstStep < 0)
            passesAtFirstStep = state.passesDone, secondsAtFirstStep = state.elapsedSeconds;
    };
    Play();
    EXPECT_EQ(Typed(), "defabcdef");  // the rest of the pass, then one whole pass
    EXPECT_EQ(passesAtFirstStep, 0);
    EXPECT_EQ(secondsAtFirstStep, 0);
    EXPECT_NE(std::find(view.log.begin(), view.log.end(), "position 4"), view.log.end());
    EXPECT_EQ(state.position, 0);
}

TEST_F(PlayerTest, PauseOnOneMacroThenAnotherStartsTheOtherAtItsFirstLineWithNothingHeld) {
    WriteMacro("SHIFT_DOWN\r\nCTRL_DOWN\r\nTYPE \"a\"\r\nTYPE \"b\"\r\nCTRL_UP\r\nSHIFT_UP\r\n");
    PressOn("keybd_event 65 2", desk::KEY_PAUSE);
    Play();
    ASSERT_EQ(state.position, 4);
    const std::string paused = macro.fileName;
    desktop.calls.clear();
    desktop.onCall = nullptr;
    WriteMacro("TYPE \"p\"\r\nTYPE \"q\"\r\nTYPE \"r\"\r\nTYPE \"s\"\r\nTYPE \"t\"\r\n",
               "other.mro");
    Play();
    EXPECT_EQ(Typed(), "pqrst");
    EXPECT_EQ(Count("keybd_event 16 0") + Count("keybd_event 17 0"), 0);
    EXPECT_EQ(state.position, 0);

    desktop.calls.clear();
    CopyText(macro.fileName, paused);
    Play();  // the paused play is over: its macro starts from the top too
    EXPECT_EQ(Typed(), "ab");
}

TEST_F(PlayerTest, SavedStepBeyondTheOtherMacroStartsItAtStepZero) {
    PauseAtFourthStep();
    desktop.calls.clear();
    view.log.clear();
    WriteMacro("TYPE \"p\"\r\nTYPE \"q\"\r\n", "short.mro");  // three steps
    macro.playCount = 2;
    Play();
    EXPECT_EQ(Typed(), "pqpq");
    EXPECT_EQ(std::vector<std::string>(view.log.begin(), view.log.begin() + 2),
              (std::vector<std::string>{"range 3", "position 0"}));
    EXPECT_EQ(state.position, 0);
}

TEST_F(PlayerTest, EscapeDuringALongDelayEndsThePlayAtOnceAndRewinds) {
    WriteMacro("TYPE \"a\"\r\nDELAY 60000\r\nTYPE \"b\"\r\n");
    PressAt(1000, desk::KEY_ESCAPE);
    Play();
    EXPECT_EQ(Typed(), "a");
    EXPECT_LE(desktop.now, 1000 + STOP_CHECK_MS);
    EXPECT_EQ(state.position, 0);
    EXPECT_EQ(view.position, 0);
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(Count("KillTimer 1337"), 1);
    EXPECT_FALSE(desktop.HasThreadTimer(1337));
}

// Escape or Pause ends a play wherever it is: in a DELAY, in the pace, between the characters of
// a text, in a sound.
TEST_F(PlayerTest, AStopKeyEndsThePlayWithinOneCheckWhereverItIs) {
    struct Case {
        const char* where;
        const char* code;
        int32_t speed;
        uint32_t soundMs;
    };
    const Case cases[] = {{"DELAY", "DELAY 20000\r\nTYPE \"z\"\r\n", 10, 0},
                          {"pace", "TYPE \"a\"\r\nTYPE \"z\"\r\n", 20000, 0},
                          {"sound", "PLAY_SOUND \"long.wav\"\r\nTYPE \"z\"\r\n", 10, 20000}};
    for (int key : {desk::KEY_ESCAPE, desk::KEY_PAUSE}) {
        for (const Case& stop : cases) {
            RewindPlay(state);
            desktop.calls.clear();
            WriteMacro(stop.code);
            macro.speed = stop.speed;
            desktop.soundMilliseconds = stop.soundMs;
            const uint32_t pressed = desktop.now + 5000;
            PressAt(pressed, key);
            Play();
            EXPECT_LE(desktop.now - pressed, STOP_CHECK_MS) << stop.where << " " << key;
            EXPECT_EQ(Typed().find('z'), std::string::npos) << stop.where << " " << key;
        }
    }
    RewindPlay(state);
    desktop.calls.clear();
    WriteMacro("TYPE \"abcdefgh\"\r\n");
    PressOn("keybd_event 67 2", desk::KEY_ESCAPE);
    Play();
    EXPECT_EQ(Typed(), "abc");
}

TEST_F(PlayerTest, APressSeenByTheKeyboardHookStopsThePlayBeforeTheKeyStateShowsIt) {
    WriteMacro("DELAY 20000\r\nTYPE \"z\"\r\n");
    desktop.Advance(5);
    desktop.PressSeenByHookOnly(desk::KEY_ESCAPE);  // before the play: not a stop of it
    desktop.onCall = [this, done = false](const std::string&) mutable {
        if (!done && desktop.now >= 1000) desktop.PressSeenByHookOnly(desk::KEY_PAUSE), done = true;
    };
    Play(ORIGIN_PLAY_BUTTON);
    EXPECT_LE(desktop.now, 1000 + STOP_CHECK_MS);
    EXPECT_EQ(state.position, 2);  // paused in the DELAY
    EXPECT_EQ(Typed(), "");
}

// The rest of the line's wait is waited on resume, then the play goes on; a text goes on from
// the character it stopped at.
TEST_F(PlayerTest, PauseInTheMiddleOfALineFinishesItOnResume) {
    WriteMacro("TYPE \"a\"\r\nDELAY 5000\r\nTYPE \"bcdef\"\r\nTYPE \"g\"\r\n");
    PressAt(2000, desk::KEY_PAUSE);
    Play();
    ASSERT_EQ(Typed(), "a");
    desktop.calls.clear();
    uint32_t resumed = desktop.now, typedB = 0;
    desktop.onCall = [&](const std::string& call) {
        if (call == "keybd_event 66 0") typedB = desktop.now;
        if (call == "keybd_event 68 2") desktop.Tap(desk::KEY_PAUSE);
    };
    Play();
    EXPECT_EQ(Typed(), "bcd");
    EXPECT_NEAR(typedB - resumed, 3020, STOP_CHECK_MS);  // the START step's pace and the rest
    desktop.calls.clear();
    desktop.onCall = nullptr;
    Play();
    EXPECT_EQ(Typed(), "efg");
    EXPECT_EQ(state.position, 0);
}

// A wait for a window that runs out ends the play as Escape does: rewound, nothing held, and
// nothing typed into whatever window is in front; a Pause in the wait waits again on resume.
TEST_F(PlayerTest, AWindowWaitThatRunsOutEndsThePlayAndAPausedOneWaitsAgain) {
    WriteMacro("SHIFT_DOWN\r\nWAIT_ACTIVE \"Report\" 2\r\nTYPE \"z\"\r\n");
    Play();
    EXPECT_EQ(Typed(), "");
    EXPECT_EQ(state.position, 0);
    EXPECT_TRUE(desktop.KeysDown().empty());
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].text, "WAIT_ACTIVE timed out after 2 seconds: \"Report\"");
    desktop.boxes.clear();
    PressAt(desktop.now + 1000, desk::KEY_PAUSE);
    Play();
    EXPECT_EQ(state.position, 3);  // paused in the wait
    const uint32_t resumed = desktop.now;
    desktop.onCall = [this, resumed](const std::string&) {
        if (desktop.now >= resumed + 1500)
            desktop.windows = {{9, "Report"}}, desktop.foreground = 9;
    };
    Play();
    EXPECT_EQ(Typed(), "z");
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(state.position, 0);
}

TEST_F(PlayerTest, PauseStopKeepsThePositionAndTheBar) {
    PauseAtFourthStep();
    EXPECT_EQ(state.position, 4);
    EXPECT_EQ(view.position, 4);
    EXPECT_EQ(Count("KillTimer 1337"), 1);
}

TEST_F(PlayerTest, TriggerDiscardsEarlierPressesThePlayButtonDoesNot) {
    WriteMacro("TYPE \"a\"\r\n");
    PressEveryDiscardedKey();  // Escape and Pause among them
    Play(ORIGIN_TRIGGER);
    EXPECT_EQ(Typed(), "a");
    EXPECT_EQ(KeysStillPressed(), std::vector<int>{});

    desktop.calls.clear();
    PressEveryDiscardedKey();
    Play(ORIGIN_PLAY_BUTTON);
    EXPECT_EQ(Typed(), "");
    EXPECT_THAT(KeysStillPressed(), IsSupersetOf({FIRST_DISCARDED_KEY, LAST_DISCARDED_KEY}));
}

// ---- The main window, the bar and the timer ----

TEST_F(PlayerTest, PlayButtonHidesTheWindowAndSetsTheButtonsAfterwards) {
    WriteMacro("TYPE \"a\"\r\n");
    desktop.Tap(FIRST_DISCARDED_KEY);
    Play(ORIGIN_PLAY_BUTTON);
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"Play off", "Stop on", "Pause on", "hide", "range 2",
                                        "position 0", "position 1", "position 2", "position 0",
                                        "Play on", "Stop off", "Pause off", "restore"}));
    EXPECT_EQ(Count("SetTimer 1337 1000"), 0);  // the main window's timer serves it
    EXPECT_EQ(KeysStillPressed(), std::vector<int>{FIRST_DISCARDED_KEY});
}

TEST_F(PlayerTest, PausedPlayButtonPlayLeavesStopEnabled) {
    WriteMacro("TYPE \"a\"\r\nTYPE \"b\"\r\n");
    PressOn("keybd_event 65 2", desk::KEY_PAUSE);
    Play(ORIGIN_PLAY_BUTTON);
    EXPECT_EQ(state.position, 2);
    EXPECT_TRUE(view.Enabled(PlayButton::Play));
    EXPECT_TRUE(view.Enabled(PlayButton::Stop));
    EXPECT_FALSE(view.Enabled(PlayButton::Pause));
    EXPECT_TRUE(view.visible);
}

TEST_F(PlayerTest, ProgressRangeIsNotCutAt65535Steps) {
    std::string code;
    for (int i = 0; i < 70000; i++)
        code += "X\r\n";
    WriteMacro(code);
    PressOn("Wait 10", desk::KEY_ESCAPE, 3);
    Play();
    EXPECT_EQ(view.range, 70001);
    EXPECT_EQ(Count("Wait 10"), 3);
}

TEST_F(PlayerTest, MissingFileIsReportedAndChangesNothing) {
    CopyText(macro.fileName, disk.Path("missing.mro"));
    state.position = 3;
    Play(ORIGIN_TRIGGER);
    Play(ORIGIN_PLAY_BUTTON);
    ASSERT_EQ(Errors().size(), 2u);
    for (const FakeDesktop::Box& box : Errors()) {
        EXPECT_EQ(box.text, "Error opening file: " + disk.Path("missing.mro"));
        EXPECT_EQ(box.caption, "Error!");
        EXPECT_EQ(box.style, PLAY_ERROR_BOX);
    }
    EXPECT_EQ(Errors()[0].owner, NO_WINDOW);
    EXPECT_EQ(Errors()[1].owner, MAIN_WINDOW);
    EXPECT_EQ(state.position, 3);
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(Count("SetTimer 1337 1000"), 0);
}

TEST_F(PlayerTest, RefusedTimerKeepsATriggerPlayFromStarting) {
    WriteMacro("TYPE \"a\"\r\n");
    desktop.refuseThreadTimers = true;
    Play(ORIGIN_TRIGGER);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].text, "Failed to create timer");
    EXPECT_EQ(Errors()[0].caption, "Error");
    EXPECT_EQ(Errors()[0].style, PLAY_ERROR_BOX);
    EXPECT_EQ(Typed(), "");
    EXPECT_FALSE(state.playing);

    Play(ORIGIN_PLAY_BUTTON);  // asks for no timer
    EXPECT_EQ(Typed(), "a");
}

TEST_F(PlayerTest, TimerKeepsSecondsCurrentWhileAMessageBoxIsUp) {
    WriteMacro("MSG_BOX \"Hello\"\r\n");
    int32_t secondsInBox = -1;
    desktop.onCall = [&](const std::string& call) {
        if (call.rfind("MessageBoxA Keyloom", 0) != 0) return;
        desktop.now += 3500;
        desktop.FireThreadTimer(1337);
        secondsInBox = state.elapsedSeconds;
    };
    Play();
    EXPECT_EQ(secondsInBox, 3);
    EXPECT_EQ(Count("SetTimer 1337 1000"), 1);
    EXPECT_TRUE(desktop.HasThreadTimer(1337));  // a normal end leaves the timer

    desktop.now += 5000;
    desktop.FireThreadTimer(1337);  // not playing: nothing changes
    EXPECT_EQ(state.elapsedSeconds, 0);
    Play();
    EXPECT_EQ(Count("SetTimer 1337 1000"), 1);  // the running timer is not doubled
}

TEST_F(PlayerTest, TraceShowsOnlyInTracingBuildsAndOnlyForTriggers) {
    WriteMacro("");
    Play(ORIGIN_PLAY_BUTTON);
    EXPECT_TRUE(desktop.boxes.empty());
    Play(ORIGIN_TRIGGER);
    std::vector<std::string> traces;
    for (const FakeDesktop::Box& box : desktop.boxes)
        if (box.caption == "DEBUG") traces.push_back(box.text);
    if (TRACE_BUILT_IN)
        EXPECT_EQ(traces, (std::vector<std::string>{"Playing a macro", "Duration (seconds) :0"}));
    else
        EXPECT_TRUE(traces.empty());
}

TEST_F(PlayerTest, MainWindowStopRewindsAndPauseOnlyLetsGo) {
    ASSERT_TRUE(StartPlayTimer(state, desktop, PLAY_TIMER_ID));
    state.playing = true;
    state.position = 5;
    ReleasePlay(state, desktop);
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(state.position, 5);
    EXPECT_FALSE(desktop.HasThreadTimer(1337));
    RewindPlay(state);
    EXPECT_EQ(state.position, 0);
}

// ---- The scheduler's build ----

TEST_F(PlayerTest, SchedulerPlayHasNoTraceAndAPlatformTimer) {
    WriteMacro("TYPE \"a\"\r\n");
    PressEveryDiscardedKey();
    PlayScheduled();
    EXPECT_EQ(Typed(), "a");
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(Count("SetTimer 0 1000"), 1);
    EXPECT_EQ(KeysStillPressed(), std::vector<int>{});
}

TEST_F(PlayerTest, SchedulerDiscardsEarlierPressesAndRewindsOnPause) {
    WriteMacro("TYPE \"a\"\r\nTYPE \"b\"\r\n");
    desktop.Tap(desk::KEY_PAUSE);
    PressOn("keybd_event 65 2", desk::KEY_PAUSE);
    PlayScheduled();
    EXPECT_EQ(Typed(), "a");
    EXPECT_EQ(state.position, 0);
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(Count("KillTimer 100"), 1);  // the id the platform gave

    PressOn("keybd_event 65 2", desk::KEY_ESCAPE);
    PlayScheduled();
    EXPECT_EQ(state.position, 0);
    EXPECT_EQ(Typed(), "aa");
}

TEST_F(PlayerTest, SchedulerErrorBoxesAreOwnedByItsWindow) {
    CopyText(macro.fileName, disk.Path("missing.mro"));
    PlayScheduled();
    WriteMacro("TYPE \"a\"\r\n");
    desktop.refuseThreadTimers = true;
    PlayScheduled();
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[1].text, "Failed to create timer");
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
    EXPECT_EQ(desktop.boxes[1].owner, MAIN_WINDOW);
    EXPECT_EQ(Typed(), "");
}

}  // namespace
