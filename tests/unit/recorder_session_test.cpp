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

// Whatever closes the box (Enter, a click, a middle click) is still held as it goes, and is
// not recorded: the recording waits until no key or button is down.
TEST_F(RecorderSessionTest, StartShowsTheBoxWaitsUntilNothingIsDownThenHidesTheEditor) {
    int polls = 0;
    desktop.onCall = [&](const std::string& call) {
        if (call.rfind("MessageBoxA", 0) == 0)
            for (int key : {desk::KEY_LBUTTON, 4, 13, int{'A'}})
                desktop.Press(key);
        if (call != "Wait 10") return;
        desktop.FirePeriodicTimers();  // a sampling timer started too soon would see them held
        if (++polls == 1) desktop.Release(desk::KEY_LBUTTON);
        if (polls == 2) desktop.Release(4);
        if (polls == 3) desktop.Release(13);
        if (polls == 4) desktop.Release('A');
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
    EXPECT_EQ(polls, 4);
    EXPECT_EQ(Code(), "");
    EXPECT_THAT(desktop.calls, Contains("timeSetEvent 50 periodic"));
    EXPECT_TRUE(desktop.HasPeriodicTimer(state->recordTimer));
    EXPECT_EQ(view.calls, (Calls{"Hide", "Enable Record off", "Enable Play off", "Enable Stop on",
                                 "Modified"}));
    Tick();
    EXPECT_EQ(Code(), "MOVE_CURSOR 0 0\r\n");
}

// Only presses made during the recording end it or are recorded: not the key that closed the
// box, nor an Escape or Pause pressed and released before Record.
TEST_F(RecorderSessionTest, PressesMadeBeforeTheRecordingNeitherEndItNorAreRecorded) {
    const struct {
        int pressedBefore;  // 0: none
        int closesTheBox;
    } cases[] = {{0, 13},
                 {0, desk::KEY_ESCAPE},
                 {desk::KEY_PAUSE, 13},
                 {desk::KEY_ESCAPE, desk::KEY_SPACE},
                 {desk::KEY_PAUSE, desk::KEY_LBUTTON}};
    for (const auto& test : cases) {
        RecorderRig rig;
        if (test.pressedBefore) rig.desktop.Tap(test.pressedBefore);
        rig.desktop.onCall = [&](const std::string& call) {
            if (call.rfind("MessageBoxA", 0) == 0) rig.desktop.Press(test.closesTheBox);
            if (call == "Wait 10") rig.desktop.Release(test.closesTheBox);
        };
        rig.Start(10);
        rig.desktop.onCall = nullptr;
        rig.Tick();
        rig.desktop.Tap('B');
        rig.Tick();
        rig.Tick();  // past the interval in which more keys could have joined the tap
        EXPECT_EQ(rig.state->phase.load(), RecorderPhase::Recording) << test.pressedBefore;
        EXPECT_EQ(rig.Code(), "MOVE_CURSOR 0 0\r\nPRESS_KEY 66\r\n") << test.closesTheBox;
        rig.desktop.Tap(desk::KEY_PAUSE);
        rig.Tick();
        EXPECT_EQ(rig.state->phase.load(), RecorderPhase::Finishing);
    }
}

// A stuck key does not leave the editor waiting for ever.
TEST_F(RecorderSessionTest, AKeyStillDownAfterFiveSecondsDoesNotHoldBackTheRecording) {
    desktop.Press(desk::KEY_SHIFT);
    Start(10);
    EXPECT_EQ(desktop.now, 5000u);
    EXPECT_TRUE(desktop.HasPeriodicTimer(state->recordTimer));
    for (int sample = 0; sample < 3; ++sample)  // until no key can join the Shift in a TYPE
        Tick();
    EXPECT_EQ(Code(), "MOVE_CURSOR 0 0\r\nSHIFT_DOWN\r\n") << "recorded as pressed at the start";
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
    desktop.cursor = ScreenPoint{40, 50};
    Start(10);
    const uint32_t timer = state->recordTimer;
    Tick();
    Tick();
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_FALSE(desktop.HasPeriodicTimer(timer));
    EXPECT_EQ(view.code, "MOVE_CURSOR 40 50\r\nDELAY 10\r\n");  // Pause 30 ms after the start
    EXPECT_FALSE(desktop.calls.empty());
    EXPECT_EQ(desktop.calls.back(), "timeKillEvent " + std::to_string(timer));
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

TEST_F(RecorderSessionTest, PauseAtOnceGivesAnEmptyBoxThenThePointerAndTheQuietTime) {
    Start(10);
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "");
    Start(10);
    Tick();
    Tick();
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "MOVE_CURSOR 0 0\r\nDELAY 10\r\n");
}

// A Record pressed by mistake and cancelled leaves the editor as it was: its code, Apply and
// whether it holds changes.
TEST_F(RecorderSessionTest, EscapePutsBackTheCodeApplyAndTheChangeFlag) {
    for (const bool pending : {false, true}) {
        RecorderRig rig;
        rig.view.code = "TYPE \"old code\"";
        rig.view.enabled[static_cast<int>(EditorButton::Apply)] = pending;
        rig.view.editorModified = pending;
        rig.Start(10);
        rig.desktop.cursor = ScreenPoint{8, 9};
        rig.desktop.Tap('Q');
        rig.Tick();
        rig.Tick();
        rig.desktop.Press(desk::KEY_ESCAPE);
        rig.Tick();
        rig.view.calls.clear();
        rig.DeliverEnding();
        EXPECT_EQ(rig.view.code, "TYPE \"old code\"");
        EXPECT_EQ(rig.view.calls,
                  (Calls{"Enable Play on", "Enable Stop off", "Enable Record on", "Restore",
                         pending ? "Enable Apply on" : "Enable Apply off",
                         pending ? "Modified" : "Unmodified"}));
        EXPECT_EQ(rig.state->phase.load(), RecorderPhase::Idle);
    }
}

// Nothing of one recording, finished or cancelled, leaks into the next: not its quiet time,
// not its pointer position (the next recording's first sample writes where the pointer is),
// not the keys and buttons it left down.
TEST_F(RecorderSessionTest, EachRecordingStartsFresh) {
    for (const int ending : {desk::KEY_ESCAPE, desk::KEY_PAUSE}) {
        RecorderRig rig;
        rig.Start(10);
        rig.desktop.MovePointer(40, 50);
        rig.desktop.Press(desk::KEY_SHIFT);
        rig.Tick();
        rig.desktop.Press(desk::KEY_LBUTTON);
        rig.Tick();
        rig.desktop.Advance(60000);  // a minute without a change
        rig.desktop.Press(ending);
        rig.Tick();
        rig.DeliverEnding();
        for (int key : {ending, desk::KEY_SHIFT, desk::KEY_LBUTTON})
            rig.desktop.Release(key);

        rig.Start(10);
        rig.desktop.Advance(25);  // the timer's first sample comes late: no quiet time yet
        rig.Tick();
        rig.desktop.Tap(desk::KEY_LBUTTON);  // 35 ms after the start, 15 after the first pace
        rig.Tick();
        rig.Tick();
        rig.desktop.Press(desk::KEY_PAUSE);
        rig.Tick();
        rig.DeliverEnding();
        EXPECT_EQ(rig.view.code,
                  "MOVE_CURSOR 40 50\r\nDELAY 15\r\nCLICK_MOUSE Left SINGLE\r\nDELAY 10\r\n")
            << ending;
    }
}

// The pace of the recording's interval comes out of the quiet time: here 35 ms a line, and
// the START step's before it; Pause comes 105 ms after the start.
TEST_F(RecorderSessionTest, QuietTimeUsesTheDelayOfTheRecording) {
    Start(35);
    Tick();
    Tick();
    Tick();
    EndWith(desk::KEY_PAUSE);
    EXPECT_EQ(view.code, "MOVE_CURSOR 0 0\r\nDELAY 35\r\n");
}

// The input is captured from the moment nothing is held until the recording ends, however it
// ends; a desktop that cannot capture it says so, and the editor stays as it was.
TEST_F(RecorderSessionTest, TheInputIsCapturedOnlyWhileRecording) {
    for (const int ending : {desk::KEY_ESCAPE, desk::KEY_PAUSE}) {
        RecorderRig rig;
        rig.desktop.Press('Q');
        rig.desktop.onCall = [&](const std::string& call) {
            if (call == "Wait 10") rig.desktop.Release('Q');
        };
        rig.Start(10);
        rig.desktop.onCall = nullptr;
        std::vector<std::string> order;
        for (const std::string& call : rig.desktop.calls)
            if (call == "Wait 10" || call == "StartInputCapture" || call.rfind("timeSet", 0) == 0)
                order.push_back(call);
        EXPECT_EQ(order, (Calls{"Wait 10", "StartInputCapture", "timeSetEvent 50 periodic"}));
        rig.desktop.Press(ending);
        rig.Tick();
        rig.DeliverEnding();
        EXPECT_EQ(rig.desktop.calls.back().rfind("timeKillEvent", 0), 0u);
        EXPECT_EQ(rig.desktop.calls[rig.desktop.calls.size() - 2], "StopInputCapture");
    }
    desktop.refuseInputCapture = true;
    Start(10);
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[1].text,
              "Keyloom cannot follow the keyboard and mouse, so it cannot record your macro.");
    EXPECT_EQ(desktop.boxes[1].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(state->phase.load(), RecorderPhase::Idle);
    EXPECT_EQ(state->recordTimer, 0u);
    desktop.refuseInputCapture = false;
    desktop.refuseMultimediaTimers = true;
    Start(10);
    ASSERT_GE(desktop.calls.size(), 2u);
    EXPECT_EQ(desktop.calls[desktop.calls.size() - 2], "StopInputCapture") << "none left running";
}

}  // namespace
