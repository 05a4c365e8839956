// Sampling: which live changes become which lines, sample by sample.
#include <gtest/gtest.h>

#include <string>

#include "recorder/recorded_code.h"
#include "tests/support/recorder_rig.h"

namespace {

class RecorderTickTest : public ::testing::Test, protected RecorderRig {
  protected:
    // The recording's first sample writes where the pointer is; the tests begin after it.
    void SetUp() override {
        Start(10);
        Tick();
        ASSERT_EQ(Code(), "MOVE_CURSOR 0 0\r\n");
        ClearRecordedCode(*state);
        desktop.calls.clear();
    }
    int Queries(const std::string& call) const {
        int count = 0;
        for (const std::string& logged : desktop.calls)
            count += logged == call;
        return count;
    }
};

TEST_F(RecorderTickTest, ClickBetweenTwoSamplesIsRecordedDownThenUp) {
    desktop.Tap(desk::KEY_LBUTTON);
    Tick();
    EXPECT_EQ(Code(), "MOUSE_DOWN Left\r\n");
    Tick();
    EXPECT_EQ(Code(), "MOUSE_DOWN Left\r\nMOUSE_UP Left\r\n");

    desktop.Press(desk::KEY_RBUTTON);
    Tick();
    Tick();  // still held: nothing new
    desktop.Release(desk::KEY_RBUTTON);
    Tick();
    EXPECT_EQ(Code(),
              "MOUSE_DOWN Left\r\nMOUSE_UP Left\r\nMOUSE_DOWN Right\r\nDELAY 10\r\n"
              "MOUSE_UP Right\r\n");
}

TEST_F(RecorderTickTest, KeyNeedsToBeDownAtTheSampleAndNewlyPressed) {
    desktop.Tap('K');  // pressed and released between samples
    Tick();
    EXPECT_EQ(Code(), "");
    desktop.Press('K');
    Tick();
    Tick();  // held: not pressed again since the previous query
    desktop.Release('K');
    desktop.Press('K');
    Tick();
    EXPECT_EQ(Code(), "DELAY 10\r\nPRESS_KEY 75\r\nDELAY 10\r\nPRESS_KEY 75\r\n");
}

TEST_F(RecorderTickTest, ModifierAndKeyPressedTogetherTakeOneSampleEach) {
    desktop.Press(desk::KEY_SHIFT);
    desktop.Press('A');
    Tick();
    EXPECT_EQ(Code(), "SHIFT_DOWN\r\n");
    Tick();
    EXPECT_EQ(Code(), "SHIFT_DOWN\r\nPRESS_KEY 65\r\n");
    desktop.Release('A');
    desktop.Release(desk::KEY_SHIFT);
    Tick();
    EXPECT_EQ(Code(), "SHIFT_DOWN\r\nPRESS_KEY 65\r\nSHIFT_UP\r\n");
}

TEST_F(RecorderTickTest, SeveralModifiersChangeOnePerSampleShiftFirst) {
    desktop.Press(desk::KEY_ALT);
    desktop.Press(desk::KEY_CONTROL);
    desktop.Press(desk::KEY_SHIFT);
    Tick();
    Tick();
    Tick();
    desktop.Release(desk::KEY_ALT);
    desktop.Release(desk::KEY_CONTROL);
    desktop.Release(desk::KEY_SHIFT);
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(Code(), "SHIFT_DOWN\r\nCTRL_DOWN\r\nALT_DOWN\r\nSHIFT_UP\r\nCTRL_UP\r\nALT_UP\r\n");
    EXPECT_EQ(state->pendingDelay, 0);
}

TEST_F(RecorderTickTest, OnlyKeysEightToTwoFiftyThreeWithoutModifiersAreScanned) {
    for (int key : {3, 4, 5, 6, 7, 160, 161, 162, 163, 164, 165, 254, 255})
        desktop.Press(key);
    desktop.Press(253);
    desktop.Press(8);
    desktop.Press('Z');
    Tick();
    Tick();
    EXPECT_EQ(Code(), "PRESS_KEY 8\r\nPRESS_KEY 90\r\nPRESS_KEY 253\r\n");
    EXPECT_EQ(Queries("GetAsyncKeyState 3"), 0);
    EXPECT_EQ(Queries("GetAsyncKeyState 254"), 0);
    EXPECT_EQ(Queries("GetAsyncKeyState 160"), 0);
}

TEST_F(RecorderTickTest, PausePressedDuringTheKeyScanIsNotRecordedAndFinishesNextSample) {
    desktop.onCall = [this](const std::string& call) {
        if (call == "GetAsyncKeyState 8") desktop.Tap(desk::KEY_PAUSE);
    };
    Tick();
    desktop.onCall = nullptr;
    EXPECT_EQ(Code(), "");
    EXPECT_EQ(view.handOvers, 0);
    Tick();
    EXPECT_EQ(view.handOvers, 1);
    EXPECT_EQ(state->phase.load(), RecorderPhase::Finishing);
}

TEST_F(RecorderTickTest, EscapePressedDuringTheKeyScanIsNotRecordedAndCancelsNextSample) {
    desktop.onCall = [this](const std::string& call) {
        if (call == "GetAsyncKeyState 8") desktop.Tap(desk::KEY_ESCAPE);
    };
    Tick();
    desktop.onCall = nullptr;
    Tick();
    EXPECT_EQ(Code(), "");
    EXPECT_EQ(state->phase.load(), RecorderPhase::Cancelling);
}

TEST_F(RecorderTickTest, QuietSamplesBecomeOneDelayWrittenBeforeTheNextLine) {
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(Code(), "");
    desktop.cursor = ScreenPoint{5, 6};
    Tick();
    desktop.cursor = ScreenPoint{7, 6};
    Tick();
    EXPECT_EQ(Code(), "DELAY 30\r\nMOVE_CURSOR 5 6\r\nMOVE_CURSOR 7 6\r\n");
    EXPECT_EQ(state->lastCursor->x, 7);
}

TEST_F(RecorderTickTest, PointerOnAMonitorLeftOfOrAboveThePrimaryIsRecordedUnclipped) {
    desktop.cursor = ScreenPoint{-1500, 300};
    Tick();
    desktop.cursor = ScreenPoint{2500, -200};
    Tick();
    EXPECT_EQ(Code(), "MOVE_CURSOR -1500 300\r\nMOVE_CURSOR 2500 -200\r\n");
}

TEST_F(RecorderTickTest, PointerThatCannotBeReadHasNotMoved) {
    desktop.cursor = ScreenPoint{40, 50};
    Tick();
    desktop.cursorUnreadable = true;  // a secure desktop in front
    desktop.cursor = ScreenPoint{0, 0};
    Tick();
    Tick();
    desktop.cursorUnreadable = false;
    desktop.cursor = ScreenPoint{40, 50};
    Tick();
    EXPECT_EQ(Code(), "MOVE_CURSOR 40 50\r\n") << "no move to 0 0 and none back";
    EXPECT_EQ(state->lastCursor->x, 40);
    EXPECT_EQ(state->pendingDelay, 20) << "the unread samples count as quiet time";
    desktop.cursor = ScreenPoint{41, 50};
    Tick();
    EXPECT_EQ(Code(), "MOVE_CURSOR 40 50\r\nDELAY 30\r\nMOVE_CURSOR 41 50\r\n");
}

// Every line but a DELAY costs a pace when it plays, a key's as much as any other: the quiet
// time before a line is the time since the line before it, less that line's pace.
TEST_F(RecorderTickTest, TheQuietTimeBeforeALineLeavesOutThePaceOfTheLineBefore) {
    desktop.Press('A');
    Tick();
    Tick();
    Tick();
    desktop.Press(desk::KEY_SHIFT);
    Tick();
    desktop.cursor = ScreenPoint{1, 2};
    Tick();
    EXPECT_EQ(Code(), "PRESS_KEY 65\r\nDELAY 20\r\nSHIFT_DOWN\r\nMOVE_CURSOR 1 2\r\n");
}

TEST_F(RecorderTickTest, QuietTimeStopsGrowingAtTheLargestDelay) {
    desktop.Advance(2147483647u + 100u);
    desktop.cursor = ScreenPoint{1, 2};
    Tick();
    EXPECT_EQ(Code(), "DELAY 2147483647\r\nMOVE_CURSOR 1 2\r\n");
}

TEST_F(RecorderTickTest, EscapeCancelsEvenWithModifiersHeld) {
    for (int modifier : {desk::KEY_CONTROL, desk::KEY_ALT}) {
        RecorderRig rig;
        rig.Start(10);
        rig.desktop.Press(modifier);
        rig.Tick();
        rig.desktop.Press(desk::KEY_ESCAPE);
        rig.Tick();
        EXPECT_EQ(rig.state->phase.load(), RecorderPhase::Cancelling) << modifier;
        EXPECT_EQ(rig.view.handOvers, 1);
    }
}

TEST_F(RecorderTickTest, CtrlAltDeleteFinishesButCtrlAltAloneDoesNot) {
    desktop.Press(desk::KEY_CONTROL);
    desktop.Press(desk::KEY_ALT);
    Tick();
    Tick();
    EXPECT_EQ(state->phase.load(), RecorderPhase::Recording);
    desktop.Press(desk::KEY_DELETE);
    Tick();
    EXPECT_EQ(state->phase.load(), RecorderPhase::Finishing);
    EXPECT_EQ(Code(), "CTRL_DOWN\r\nALT_DOWN\r\n");
}

TEST_F(RecorderTickTest, SamplesNeverOverlapAndNoneRunsAfterTheEnding) {
    int nested = 0;
    desktop.onCall = [&](const std::string& call) {
        if (call == "GetCursorPos" && nested++ == 0) Tick();  // a late callback mid-sample
    };
    desktop.cursor = ScreenPoint{3, 3};
    Tick();
    desktop.onCall = nullptr;
    EXPECT_EQ(Queries("GetCursorPos"), 1);
    EXPECT_EQ(Code(), "MOVE_CURSOR 3 3\r\n");

    desktop.Press(desk::KEY_PAUSE);
    Tick();
    const std::size_t queries = desktop.calls.size();
    desktop.cursor = ScreenPoint{9, 9};
    Tick();  // the timer is still running until the editor's thread stops it
    EXPECT_EQ(desktop.calls.size(), queries);
    EXPECT_EQ(view.handOvers, 1);
}

class RecorderLimitTest : public RecorderTickTest {
  protected:
    void Prefill(int length) {
        for (int i = 0; i < length; ++i)
            state->recordedCode[i] = 'x';
        state->codeLength = length;
    }
};

TEST_F(RecorderLimitTest, CodeLongerThanTheLimitShowsTheBoxThenFinishes) {
    Prefill(RECORD_LIMIT);
    Tick();  // exactly at the limit: goes on
    EXPECT_EQ(state->phase.load(), RecorderPhase::Recording);
    desktop.cursor = ScreenPoint{1, 1};
    Tick();
    Tick();
    EXPECT_EQ(state->phase.load(), RecorderPhase::TooLarge);
    const std::size_t viewCallsBefore = view.calls.size();
    std::size_t viewCallsAtBox = 0;
    desktop.onCall = [&](const std::string& call) {
        if (call.rfind("MessageBoxA", 0) == 0) viewCallsAtBox = view.calls.size();
    };
    DeliverEnding();
    ASSERT_EQ(desktop.boxes.size(), 2u);  // the start box, then this one
    EXPECT_EQ(desktop.boxes[1].text,
              "Your macro code has become too large. If you require a longer macro, consider "
              "increasing the time interval from the Options window.");
    EXPECT_EQ(desktop.boxes[1].caption, "Error");
    EXPECT_EQ(desktop.boxes[1].style, desk::BOX_OK | desk::BOX_ICON_ERROR);  // an error's icon
    EXPECT_EQ(desktop.boxes[1].owner, NO_WINDOW);
    EXPECT_EQ(viewCallsAtBox, viewCallsBefore);  // the box comes before the finish
    EXPECT_EQ(view.code, std::string(RECORD_LIMIT, 'x') + "DELAY 10\r\nMOVE_CURSOR 1 1\r\n");
}

TEST_F(RecorderLimitTest, EscapeStillCancelsPastTheLimit) {
    Prefill(RECORD_LIMIT + 1);
    desktop.Press(desk::KEY_ESCAPE);
    Tick();
    EXPECT_EQ(state->phase.load(), RecorderPhase::Cancelling);
}

TEST_F(RecorderLimitTest, LinesThatDoNotFitAreDroppedAndTheRecordingEnds) {
    Prefill(RECORD_LIMIT);
    for (int key = 8; key <= 253; ++key)
        if ((key < desk::KEY_SHIFT || key > desk::KEY_PAUSE) && key != desk::KEY_ESCAPE)
            desktop.Press(key);
    desktop.cursor = ScreenPoint{4, 4};
    Tick();
    EXPECT_EQ(state->phase.load(), RecorderPhase::TooLarge);
    EXPECT_LE(state->codeLength, CODE_CAPACITY - 1);
    EXPECT_EQ(state->recordedCode[CODE_CAPACITY - 1], '\0');
    const std::string recorded = Code().substr(RECORD_LIMIT);
    EXPECT_EQ(recorded.rfind("PRESS_KEY 8\r\nPRESS_KEY 9\r\n", 0), 0u);
    EXPECT_EQ(recorded.substr(recorded.size() - 2), "\r\n");
    EXPECT_EQ(recorded.find("MOVE_CURSOR"), std::string::npos);
    EXPECT_GT(state->codeLength + 15, CODE_CAPACITY - 1);  // only a line's worth left unused
    DeliverEnding();
    EXPECT_EQ(view.code.size(), static_cast<std::size_t>(state->codeLength));
}

TEST_F(RecorderLimitTest, DelayAndItsLineAreWrittenTogetherOrNotAtAll) {
    Prefill(CODE_CAPACITY - 1 - 12);
    state->pendingDelay = 10;
    EXPECT_FALSE(WriteRecordedLine(*state, "SHIFT_DOWN\r\n"));  // 10 + 12 characters
    EXPECT_EQ(state->codeLength, CODE_CAPACITY - 1 - 12);
    EXPECT_EQ(state->pendingDelay, 10);
    EXPECT_TRUE(FlushPendingDelay(*state));
    EXPECT_EQ(Code().substr(CODE_CAPACITY - 1 - 12), "DELAY 10\r\n");
    EXPECT_EQ(state->pendingDelay, 0);
    state->pendingDelay = 100000;
    EXPECT_FALSE(FlushPendingDelay(*state));
    EXPECT_EQ(state->codeLength, CODE_CAPACITY - 1 - 2);
}

}  // namespace
