// Starting a recording and what its ending does to the editor.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/keyloom_ids.h"
#include "tests/support/recorder_rig.h"

namespace {

using ::testing::Contains;
using Calls = std::vector<std::string>;

class RecorderSessionTest : public ::testing::Test, protected RecorderRig {
  protected:
    void EndWith(int key) {
        desktop.Press(key);
        Tick();
        desktop.Release(key);
        view.calls.clear();
        DeliverEnding();
    }
};

// The click or Space that closes the box is still held as it goes, and is not recorded.
TEST_F(RecorderSessionTest, StartShowsTheBoxWaitsForButtonAndSpaceThenHidesTheEditor) {
    int polls = 0;
    desktop.onCall = [&](const std::string& call) {
        if (call.rfind("MessageBoxA", 0) == 0) {
            desktop.Press(desk::KEY_LBUTTON);
            desktop.Press(desk::KEY_SPACE);
        }
        if (call != "Wait 10") return;
        desktop.FirePeriodicTimers();  // a sampling timer started too soon would see them held
        if (++polls == 1) desktop.Release(desk::KEY_LBUTTON);
        if (polls == 3) desktop.Release(desk::KEY_SPACE);
    };
    Start(25);
    desktop.onCall = nullptr;

    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Keyloom will now record your macro. While recording, Press the <Pause> key to "
              "stop, or <Esc> to cancel.");
    EXPECT_EQ(desktop.boxes[0].caption, "Keyloom");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_INFORMATION);
    EXPECT_EQ(desktop.boxes[0].owner, view.editor);
    EXPECT_EQ(polls, 3);
    EXPECT_EQ(Code(), "");
    EXPECT_THAT(desktop.calls, Contains("timeSetEvent 25 periodic"));
    EXPECT_TRUE(desktop.HasPeriodicTimer(state->recordTimer));
    EXPECT_EQ(view.calls,
              (Calls{"Hide", "Enable Record off", "Enable Play off", "Enable Stop on", "Modified"}));
}

TEST_F(RecorderSessionTest, RefusedTimerOrZeroDelayReportsAndLeavesTheEditorAsItWas) {
    desktop.refuseMultimediaTimers = true;
    Start(10);
    desktop.refuseMultimediaTimers = false;
    Start(0);
    Start(-5);
    ASSERT_EQ(desktop.boxes.size(), 6u);
    for (std::size_t i : {1u, 3u, 5u}) {
        EXPECT_EQ(desktop.boxes[i].text, "Error setting timer");
        EXPECT_EQ(desktop.boxes[i].caption, "Keyloom");
        EXPECT_EQ(desktop.boxes[i].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    }
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(state->phase.load(), RecorderPhase::Idle);
    EXPECT_EQ(state->recordTimer, 0u);
}

TEST_F(RecorderSessionTest, PauseFinishesWithTheFinalDelayInTheCodeBox) {
    Start(10);
    const uint32_t timer = state->recordTimer;
    desktop.cursor = ScreenPoint{40, 50};
    Tick();
    Tick();
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_FALSE(desktop.HasPeriodicTimer(timer));
    EXPECT_EQ(view.code, "MOVE_CURSOR 40 50\r\nDELAY 20\r\n");
    EXPECT_EQ(view.calls, (Calls{"SetCode", "Enable Play on", "Enable Stop off", "Enable Record on",
                                 "Restore", "Modified", "Enable Apply on"}));
    EXPECT_EQ(state->phase.load(), RecorderPhase::Idle);
}

TEST_F(RecorderSessionTest, NothingHappensUntilTheEndingReachesTheEditorsThread) {
    Start(10);
    desktop.Press(desk::KEY_PAUSE);
    Tick();
    EXPECT_EQ(view.handOvers, 1);
    EXPECT_EQ(view.calls.size(), 5u);  // only the start's
    EXPECT_TRUE(desktop.HasPeriodicTimer(state->recordTimer));
    DeliverEnding();
    const std::size_t calls = view.calls.size();
    DeliverEnding();  // a second delivery has nothing to end
    EXPECT_EQ(view.calls.size(), calls);
}

TEST_F(RecorderSessionTest, PauseWithNothingRecordedGivesAnEmptyBoxOrOneDelay) {
    Start(10);
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "");
    Start(10);
    Tick();
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "DELAY 20\r\n");
}

TEST_F(RecorderSessionTest, EscapeEmptiesTheBoxAndItsQuietTimeOpensTheNextRecording) {
    view.code = "TYPE \"old code\"";
    Start(10);
    desktop.cursor = ScreenPoint{8, 9};
    Tick();
    Tick();
    Tick();
    EndWith(desk::KEY_ESCAPE);
    EXPECT_EQ(view.code, "");
    EXPECT_EQ(view.calls, (Calls{"SetCode", "Enable Play on", "Enable Stop off", "Enable Record on",
                                 "Restore", "Enable Apply on"}));
    EXPECT_EQ(state->pendingDelay, 20);

    Start(10);
    EXPECT_EQ(Code(), "");
    desktop.cursor = ScreenPoint{1, 9};
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "DELAY 20\r\nMOVE_CURSOR 1 9\r\n");
}

TEST_F(RecorderSessionTest, PointerAndButtonStateCarryOverToTheNextRecording) {
    Start(10);
    desktop.cursor = ScreenPoint{40, 50};
    desktop.Press(desk::KEY_LBUTTON);
    desktop.Press(desk::KEY_SHIFT);
    Tick();
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "SHIFT_DOWN\r\nMOVE_CURSOR 40 50\r\nMOUSE_DOWN Left\r\n");

    desktop.Release(desk::KEY_LBUTTON);
    desktop.Release(desk::KEY_SHIFT);
    Start(10);
    Tick();  // the pointer has not moved since the last MOVE_CURSOR
    Tick();
    desktop.cursor = ScreenPoint{41, 50};
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "SHIFT_UP\r\nMOUSE_UP Left\r\nMOVE_CURSOR 41 50\r\n");
}

TEST_F(RecorderSessionTest, QuietTimeUsesTheDelayOfTheRecording) {
    Start(35);
    Tick();
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "DELAY 70\r\n");
}

}  // namespace
