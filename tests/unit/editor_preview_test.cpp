// The preview: every non-empty line of the code box once, stopped by Escape or Pause, with the
// elapsed-time display.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/preview_play.h"
#include "tests/support/fake_desktop.h"

namespace {

class FakePreviewView : public PreviewView {
  public:
    int LineCount() override { return static_cast<int>(lines.size()); }
    std::string Line(int index) override { return lines.at(static_cast<std::size_t>(index)); }
    void EnterPreview() override { log.push_back("enter"); }
    void ShowElapsed(int minutes, int seconds) override {
        log.push_back("elapsed " + std::to_string(minutes) + ":" + std::to_string(seconds));
    }
    void AwaitInputDelivered() override { log.push_back("await input"); }
    void LeavePreview(bool applyEnabled) override {
        if (onLeave) onLeave();
        log.push_back(applyEnabled ? "leave, Apply enabled" : "leave, Apply disabled");
    }

    std::vector<std::string> lines;
    std::function<void()> onLeave;
    std::vector<std::string> log;
};

class EditorPreviewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The system clock follows the virtual tick count, from 23:59:58.500 on 31 Dec 2025.
        desktop.localTime = [this] {
            uint32_t ms = desktop.now + 500;
            int seconds = 58 + static_cast<int>(ms / 1000);
            LocalTime time{2025, 12, 3, 31, 23, 59, seconds, static_cast<int>(ms % 1000)};
            if (seconds >= 60) {
                int later = seconds - 60;
                time = LocalTime{2026,
                                 1,
                                 4,
                                 1,
                                 later / 3600,
                                 later / 60 % 60,
                                 later % 60,
                                 static_cast<int>(ms % 1000)};
            }
            return time;
        };
    }
    std::vector<std::string> Keys() {
        std::vector<std::string> keys;
        for (const std::string& action : desktop.Actions())
            if (action.rfind("keybd_event", 0) == 0 || action.rfind("Wait", 0) == 0)
                keys.push_back(action);
        return keys;
    }
    void Preview() { PreviewPlay(context, view); }

    FakeDesktop desktop;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, 0x77, {}};
    PlayState play;
    EditorState state;
    FakePreviewView view;
    PreviewContext context{desktop, interpreter, play, state, 10, NOMINAL_PLAY_SPEED};
};

TEST_F(EditorPreviewTest, EveryNonEmptyLineRunsOnceWithThePaceAndEmptyLinesCostNothing) {
    view.lines = {"PRESS_KEY 65", "", "PRESS_KEY 66"};
    bool playingDuringLines = false;
    desktop.onCall = [&](const std::string& call) {
        if (call.rfind("keybd_event", 0) == 0) playingDuringLines = play.playing;
    };
    Preview();
    EXPECT_EQ(Keys(),
              (std::vector<std::string>{"keybd_event 65 0", "keybd_event 65 2", "Wait 10",
                                        "keybd_event 66 0", "keybd_event 66 2", "Wait 10"}));
    EXPECT_TRUE(playingDuringLines);
    EXPECT_FALSE(play.playing);
    EXPECT_EQ(view.log, (std::vector<std::string>{"enter", "await input", "leave, Apply disabled"}))
        << "under a second: the display keeps the previous figures";
}

TEST_F(EditorPreviewTest, ApplyIsEnabledAfterwardsExactlyWhenChangesArePending) {
    state.editorModified = true;
    Preview();
    EXPECT_EQ(view.log, (std::vector<std::string>{"enter", "await input", "leave, Apply enabled"}));
}

TEST_F(EditorPreviewTest, EscapeOrPausePressedBeforeStopsBeforeTheFirstLine) {
    for (int key : {desk::KEY_ESCAPE, desk::KEY_PAUSE}) {
        view.lines = {"PRESS_KEY 65"};
        desktop.Tap(key);
        desktop.calls.clear();
        Preview();
        EXPECT_TRUE(Keys().empty()) << key;
        EXPECT_FALSE(play.playing);
        EXPECT_EQ(view.log.back(), "leave, Apply disabled");
    }
}

TEST_F(EditorPreviewTest, EscapeDuringALineEndsItAndRunsNoMoreLines) {
    view.lines = {"DELAY 3000", "PRESS_KEY 65"};
    desktop.onCall = [&](const std::string& call) {
        if (call == "Wait 3000") desktop.Tap(desk::KEY_ESCAPE);
    };
    Preview();
    EXPECT_EQ(Keys(), std::vector<std::string>{"Wait 3000"});
    EXPECT_EQ(view.log, (std::vector<std::string>{"enter", "await input", "leave, Apply disabled"}))
        << "the wait ended at the press, well under a second";
}

TEST_F(EditorPreviewTest, EscapeOrPauseInsideALongDelayEndsThePreviewAtOnce) {
    for (int key : {desk::KEY_ESCAPE, desk::KEY_PAUSE}) {
        view.lines = {"DELAY 60000", "PRESS_KEY 65"};
        const uint32_t pressed = desktop.now + 1000;
        desktop.onCall = [&, done = false](const std::string&) mutable {
            if (!done && desktop.now >= pressed) desktop.Tap(key), done = true;
        };
        Preview();
        EXPECT_LE(desktop.now - pressed, STOP_CHECK_MICROSECONDS / 1000) << key;
        EXPECT_TRUE(interpreter.unfinished.waitMicroseconds == 0) << "a preview does not resume";
        EXPECT_FALSE(play.playing);
        desktop.onCall = nullptr;
        view.lines = {"PRESS_KEY 66"};
        desktop.calls.clear();
        Preview();
        EXPECT_EQ(Keys().front(), "keybd_event 66 0") << "the stop was spent: " << key;
    }
}

TEST_F(EditorPreviewTest, StoppedOrEndedItReleasesWhatItsLinesHoldBeforeTheEditorReturns) {
    view.lines = {"SHIFT_DOWN", "MOUSE_DOWN Right", "CTRL_DOWN", "DELAY 3000", "PRESS_KEY 65"};
    desktop.onCall = [&](const std::string& call) {
        if (call == "Wait 3000") desktop.Tap(desk::KEY_ESCAPE);
    };
    bool heldAtLeave = true;
    view.onLeave = [&] { heldAtLeave = !desktop.KeysDown().empty(); };
    Preview();
    EXPECT_FALSE(heldAtLeave);
    std::vector<std::string> input = desktop.Actions();
    EXPECT_EQ(std::vector<std::string>(input.end() - 3, input.end()),
              (std::vector<std::string>{"keybd_event 17 2", "mouse_event 16", "keybd_event 16 2"}));

    desktop.onCall = nullptr;
    view.lines = {"ALT_DOWN", "PRESS_KEY 65"};
    Preview();
    EXPECT_TRUE(desktop.KeysDown().empty());
}

TEST_F(EditorPreviewTest, APreviewAskedForInsideARunningPlayDoesNothing) {
    view.lines = {"PRESS_KEY 65"};
    play.playing = true;  // a play, or the preview itself, shows a box
    Preview();
    EXPECT_TRUE(Keys().empty());
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(play.playing);
}

TEST_F(EditorPreviewTest, ElapsedDisplayShowsMinutesAndSecondsAcrossMidnight) {
    view.lines = {"DELAY 65000"};
    Preview();
    EXPECT_EQ(view.log, (std::vector<std::string>{"enter", "elapsed 1:5", "await input",
                                                  "leave, Apply disabled"}));
}

TEST(EditorElapsedSecondsTest, WholeSecondsBetweenClockReadings) {
    LocalTime start{2024, 2, 4, 29, 23, 59, 59, 900};
    EXPECT_EQ(ElapsedSeconds(start, LocalTime{2024, 3, 5, 1, 0, 0, 0, 899}), 0);
    EXPECT_EQ(ElapsedSeconds(start, LocalTime{2024, 3, 5, 1, 0, 0, 0, 900}), 1);
    EXPECT_EQ(ElapsedSeconds(start, LocalTime{2024, 3, 5, 2, 0, 0, 0, 900}), 86401);
    EXPECT_EQ(ElapsedSeconds(start, LocalTime{2024, 2, 4, 29, 23, 0, 0, 0}), 0)
        << "clock went back";
}

}  // namespace
