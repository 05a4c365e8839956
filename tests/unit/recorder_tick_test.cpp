// Captured input into lines: what each event becomes, in which order, and its quiet time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder/recorded_code.h"
#include "tests/support/recorder_rig.h"

namespace {

// Keys that type no character, and so stay keys however fast they come.
constexpr int F1 = 0x70, F2 = 0x71, F3 = 0x72;

UserStep Down(uint32_t at, int key) {
    return {at, [key](FakeDesktop& d) { d.Press(key); }};
}
UserStep Up(uint32_t at, int key) {
    return {at, [key](FakeDesktop& d) { d.Release(key); }};
}
UserStep MoveTo(uint32_t at, int x, int y) {
    return {at, [x, y](FakeDesktop& d) { d.MovePointer(x, y); }};
}
UserStep Wheel(uint32_t at, int32_t amount) {
    return {at, [amount](FakeDesktop& d) { d.TurnWheel(amount); }};
}
UserStep Tilt(uint32_t at, int32_t amount) {
    return {at, [amount](FakeDesktop& d) { d.TiltWheel(amount); }};
}

// A key held from `at` for `milliseconds`, repeating its press every 33 ms after half a second
// as the keyboard's typematic repeat does.
std::vector<UserStep> HeldWithRepeats(uint32_t at, int key, uint32_t milliseconds) {
    std::vector<UserStep> steps{Down(at, key)};
    for (uint32_t repeat = at + 500; repeat < at + milliseconds; repeat += 33)
        steps.push_back(Down(repeat, key));
    steps.push_back(Up(at + milliseconds, key));
    return steps;
}

struct Case {
    const char* rule;
    std::vector<UserStep> steps;
    std::string lines;  // after the recording's first, MOVE_CURSOR 0 0
    int32_t period = 10;
    uint32_t pauseAt = 700;
};

void ExpectLines(const std::vector<Case>& cases) {
    for (const Case& test : cases) {
        RecorderRig rig;
        const std::string code = RecordSteps(rig, test.steps, test.pauseAt, test.period);
        EXPECT_EQ(LinesWithoutDelays(code), "MOVE_CURSOR 0 0, " + test.lines) << test.rule;
    }
}

TEST(RecorderLinesTest, EveryEventIsRecordedInTheOrderItHappened) {
    using namespace desk;
    ExpectLines({
        {"a tap shorter than the interval", {Down(12, 'A'), Up(14, 'A')}, "PRESS_KEY 65, "},
        {"three keys within one interval",
         {Down(12, F1), Up(13, F1), Down(14, F2), Up(15, F2), Down(16, F3), Up(17, F3)},
         "PRESS_KEY 112, PRESS_KEY 113, PRESS_KEY 114, "},
        {"keys rolled over",
         {Down(12, F1), Down(13, F2), Up(14, F1), Up(15, F2)},
         "PRESS_KEY 112, PRESS_KEY 113, "},
        {"Shift+F1 within one interval",
         {Down(12, KEY_SHIFT), Down(13, F1), Up(14, F1), Up(15, KEY_SHIFT)},
         "SHIFT_DOWN, PRESS_KEY 112, SHIFT_UP, "},
        {"modifiers in the order pressed and released",
         {Down(12, KEY_ALT), Down(13, KEY_CONTROL), Down(14, KEY_SHIFT), Up(15, KEY_SHIFT),
          Up(16, KEY_ALT), Up(17, KEY_CONTROL)},
         "ALT_DOWN, CTRL_DOWN, SHIFT_DOWN, SHIFT_UP, ALT_UP, CTRL_UP, "},
        {"both Shift keys are one Shift",
         {Down(12, KEY_LEFT_SHIFT), Down(13, KEY_RIGHT_SHIFT), Up(14, KEY_LEFT_SHIFT), Down(15, F1),
          Up(16, F1), Up(17, KEY_RIGHT_SHIFT)},
         "SHIFT_DOWN, PRESS_KEY 112, SHIFT_UP, "},
        {"a click between two samples",
         {Down(12, KEY_LBUTTON), Up(14, KEY_LBUTTON)},
         "CLICK_MOUSE Left SINGLE, "},
        {"a double-click slower than the interval",
         {Down(20, KEY_LBUTTON), Up(25, KEY_LBUTTON), Down(120, KEY_LBUTTON), Up(125, KEY_LBUTTON)},
         "CLICK_MOUSE Left SINGLE, CLICK_MOUSE Left SINGLE, "},
        {"a double-click within the interval",
         {Down(20, KEY_LBUTTON), Up(25, KEY_LBUTTON), Down(50, KEY_LBUTTON), Up(55, KEY_LBUTTON)},
         "CLICK_MOUSE Left DOUBLE, ",
         100},
        {"a button let go after the interval",
         {Down(20, KEY_LBUTTON), Up(35, KEY_LBUTTON)},
         "MOUSE_DOWN Left, MOUSE_UP Left, "},
        {"a drag within the interval",
         {Down(120, KEY_LBUTTON), MoveTo(140, 5, 5), Up(160, KEY_LBUTTON)},
         "MOUSE_DOWN Left, MOVE_CURSOR 5 5, MOUSE_UP Left, ",
         100},
        {"every button",
         {Down(12, KEY_RBUTTON), Up(13, KEY_RBUTTON), Down(14, KEY_MBUTTON), Up(15, KEY_MBUTTON),
          Down(16, KEY_XBUTTON1), Up(17, KEY_XBUTTON1), Down(18, KEY_XBUTTON2),
          Up(19, KEY_XBUTTON2)},
         "CLICK_MOUSE Right SINGLE, CLICK_MOUSE Middle SINGLE, CLICK_MOUSE X1 SINGLE, "
         "CLICK_MOUSE X2 SINGLE, "},
        {"wheel turns in a row within an interval are summed",
         {Wheel(12, 120), Wheel(13, 120), Wheel(14, 120), Wheel(25, -120)},
         "MOUSE_WHEEL 360, MOUSE_WHEEL -120, "},
        {"wheel turns keep their order with other events",
         {Wheel(12, 120), Down(13, 'A'), Up(14, 'A'), Wheel(15, 40), Tilt(16, -120)},
         "MOUSE_WHEEL 120, PRESS_KEY 65, MOUSE_WHEEL 40, MOUSE_HWHEEL -120, "},
        {"a wheel turned back as far says nothing", {Wheel(12, 120), Wheel(13, -120)}, ""},
        {"one MOVE_CURSOR an interval, where the pointer went last",
         {MoveTo(11, 5, 5), MoveTo(12, 6, 6), MoveTo(15, 7, 8), MoveTo(25, 9, 9)},
         "MOVE_CURSOR 7 8, MOVE_CURSOR 9 9, "},
        {"a drag is let go where it went, though its interval has a move already",
         {MoveTo(11, 4, 4), Down(12, KEY_LBUTTON), MoveTo(15, 5, 5), Up(16, KEY_LBUTTON)},
         "MOVE_CURSOR 4 4, MOUSE_DOWN Left, MOVE_CURSOR 5 5, MOUSE_UP Left, "},
        {"a click after a second move within an interval waits for it, in the next",
         {MoveTo(11, 5, 5), Down(12, KEY_LBUTTON), Up(13, KEY_LBUTTON), MoveTo(14, 6, 6),
          Down(15, KEY_LBUTTON), Up(16, KEY_LBUTTON)},
         "MOVE_CURSOR 5 5, CLICK_MOUSE Left SINGLE, MOVE_CURSOR 6 6, CLICK_MOUSE Left SINGLE, "},
        {"a click where a program put the pointer, without a move",
         {{12,
           [](FakeDesktop& d) {
               d.cursor = {7, 7};
           }},
          Down(13, KEY_LBUTTON),
          Up(14, KEY_LBUTTON)},
         "MOVE_CURSOR 7 7, CLICK_MOUSE Left SINGLE, "},
        {"monitors left of and above the primary, unclipped",
         {MoveTo(12, -1500, 300), MoveTo(25, 2500, -200)},
         "MOVE_CURSOR -1500 300, MOVE_CURSOR 2500 -200, "},
        {"a pointer moved back where it was has not moved",
         {MoveTo(12, 5, 5), MoveTo(13, 0, 0)},
         ""},
        {"a Windows key with a key pressed under it is held",
         {Down(12, KEY_LEFT_WINDOWS), Down(13, 'E'), Up(14, 'E'), Up(15, KEY_LEFT_WINDOWS),
          Down(30, KEY_RIGHT_WINDOWS), Up(31, KEY_RIGHT_WINDOWS)},
         "KEY_DOWN 91, PRESS_KEY 69, KEY_UP 91, PRESS_KEY 92, "},
        {"keys from 8 to 254, not a key of no layout or a program's character",
         {Down(12, 8), Up(13, 8), Down(14, 254), Up(15, 254), Down(16, KEY_NONE), Up(17, KEY_NONE),
          Down(18, 0xE7), Up(19, 0xE7)},
         "PRESS_KEY 8, PRESS_KEY 254, "},
    });
}

TEST(RecorderLinesTest, AKeyHeldLongerThanTwiceTheIntervalIsAHold) {
    using namespace desk;
    std::vector<UserStep> longHold = HeldWithRepeats(12, 'A', 600);
    longHold.push_back(Down(100, 'B'));
    longHold.push_back(Up(101, 'B'));
    ExpectLines({
        {"held twice the interval: a tap", {Down(12, 'A'), Up(32, 'A')}, "PRESS_KEY 65, "},
        {"held a little longer: a hold", {Down(12, 'A'), Up(33, 'A')}, "KEY_DOWN 65, KEY_UP 65, "},
        {"the typematic repeats folded into the hold, a key tapped during it in its place",
         longHold, "KEY_DOWN 65, PRESS_KEY 66, KEY_UP 65, "},
        {"Shift around a hold",
         {Down(12, KEY_SHIFT), Down(13, 'A'), Up(113, 'A'), Up(114, KEY_SHIFT)},
         "SHIFT_DOWN, KEY_DOWN 65, KEY_UP 65, SHIFT_UP, "},
        {"a tap let go after a later key's",
         {Down(12, 'A'), Down(15, F1), Up(16, F1), Up(18, 'A')},
         "PRESS_KEY 65, PRESS_KEY 112, "},
        {"a key still down at Pause, held long", {Down(12, 'A')}, "KEY_DOWN 65, ", 10, 100},
        {"a key still down at Pause, just pressed", {Down(95, 'A')}, "PRESS_KEY 65, ", 10, 100},
        {"150 ms at an interval of 100: a tap",
         {Down(120, 'A'), Up(270, 'A')},
         "PRESS_KEY 65, ",
         100},
        {"210 ms at an interval of 100: a hold",
         {Down(120, 'A'), Up(330, 'A')},
         "KEY_DOWN 65, KEY_UP 65, ",
         100},
    });
}

// Seventy taps of A, two a millisecond.
std::vector<UserStep> SeventyTaps() {
    std::vector<UserStep> steps;
    for (uint32_t tap = 0; tap < 70; ++tap) {
        steps.push_back(Down(210 + tap / 2, 'A'));
        steps.push_back(Up(210 + tap / 2, 'A'));
    }
    return steps;
}

TEST(RecorderLinesTest, KeysTypedWithinOneIntervalAreOneTypeLine) {
    using namespace desk;
    ExpectLines({
        {"taps, shifted ones too",
         {Down(212, KEY_SHIFT), Down(215, 'H'), Up(220, 'H'), Up(225, KEY_SHIFT), Down(230, 'I'),
          Up(232, 'I'), Down(245, 0xBE), Up(247, 0xBE), Down(255, KEY_SPACE), Up(257, KEY_SPACE)},
         "TYPE \"Hi. \", ",
         100},
        {"a run ends half an interval after its first key",
         {Down(212, 'A'), Up(214, 'A'), Down(250, 'B'), Up(252, 'B'), Down(312, 'C'), Up(314, 'C'),
          Down(350, 'D'), Up(352, 'D')},
         "TYPE \"ab\", TYPE \"cd\", ",
         100},
        {"keys typed before the play gets to the line join it, half an interval after that too",
         {Down(50, 'A'), Up(52, 'A'), Down(150, 'B'), Up(152, 'B'), Down(240, 'C'), Up(245, 'C'),
          Down(260, 'D'), Up(262, 'D')},
         "TYPE \"abc\", PRESS_KEY 68, ",
         100},
        {"a key let go after the interval is not in the run",
         {Down(212, 'A'), Up(214, 'A'), Down(290, 'B'), Up(315, 'B')},
         "PRESS_KEY 65, PRESS_KEY 66, ",
         100},
        {"a run ends where its modifiers are up",
         {Down(212, 'A'), Up(214, 'A'), Down(250, KEY_SHIFT), Down(260, 'B'), Up(270, 'B'),
          Up(320, KEY_SHIFT)},
         "PRESS_KEY 65, TYPE \"B\", ",
         100},
        {"keys under a Shift written down before stay keys",
         {Down(212, KEY_SHIFT), Down(350, 'A'), Up(352, 'A'), Down(360, 'B'), Up(362, 'B'),
          Up(370, KEY_SHIFT)},
         "SHIFT_DOWN, PRESS_KEY 65, PRESS_KEY 66, SHIFT_UP, ",
         100},
        {"a key that types no character ends the run",
         {Down(212, 'A'), Up(214, 'A'), Down(230, 13), Up(232, 13), Down(250, 'B'), Up(252, 'B')},
         "PRESS_KEY 65, PRESS_KEY 13, PRESS_KEY 66, ",
         100},
        {"a Shift let go with no key under it is no character",
         {Down(212, KEY_SHIFT), Up(220, KEY_SHIFT), Down(230, 'A'), Up(232, 'A'), Down(240, 'B'),
          Up(242, 'B')},
         "SHIFT_DOWN, SHIFT_UP, TYPE \"ab\", ",
         100},
        {"Ctrl+C stays keys",
         {Down(212, KEY_CONTROL), Down(215, 'C'), Up(220, 'C'), Up(225, KEY_CONTROL)},
         "CTRL_DOWN, PRESS_KEY 67, CTRL_UP, ",
         100},
        {"the double quote, which would end the text, stays a key",
         {Down(212, 'A'), Up(214, 'A'), Down(220, KEY_SHIFT), Down(225, 0xDE), Up(230, 0xDE),
          Up(235, KEY_SHIFT)},
         "PRESS_KEY 65, SHIFT_DOWN, PRESS_KEY 222, SHIFT_UP, ",
         100},
        {"a hold ends the run",
         {Down(212, 'A'), Up(214, 'A'), Down(220, 'B'), Up(500, 'B')},
         "PRESS_KEY 65, KEY_DOWN 66, KEY_UP 66, ",
         100,
         700},
        {"no line holds more than 64 characters", SeventyTaps(),
         "TYPE \"" + std::string(64, 'a') + "\", TYPE \"aaaaaa\", ", 100},
    });
}

// A play runs every line but a DELAY one pace after the line before: the DELAY before a line is
// the time from its event back to where the play will be, never below 0.
TEST(RecorderLinesTest, TheQuietTimeBeforeALineIsWorkedOutFromItsEventsTime) {
    const struct {
        const char* rule;
        std::vector<UserStep> steps;
        uint32_t pauseAt;
        int32_t period;
        std::string code;
    } cases[] = {
        {"a tap, and the time up to Pause",
         {Down(45, 'A'), Up(47, 'A')},
         100,
         10,
         "MOVE_CURSOR 0 0\r\nDELAY 25\r\nPRESS_KEY 65\r\nDELAY 45\r\n"},
        {"a hold ends at its offset",
         {Down(50, 'A'), Up(350, 'A')},
         400,
         10,
         "MOVE_CURSOR 0 0\r\nDELAY 30\r\nKEY_DOWN 65\r\nDELAY 290\r\nKEY_UP 65\r\nDELAY 40\r\n"},
        {"a burst comes a pace apart, on time again after",
         {Down(30, F1), Up(30, F1), Down(31, F2), Up(31, F2), Down(32, F3), Up(32, F3),
          Down(100, 'D'), Up(100, 'D')},
         150,
         10,
         "MOVE_CURSOR 0 0\r\nDELAY 10\r\nPRESS_KEY 112\r\nPRESS_KEY 113\r\nPRESS_KEY 114\r\n"
         "DELAY 40\r\nPRESS_KEY 68\r\nDELAY 40\r\n"},
        {"keys typed within one interval are one line, at the first's time",
         {Down(30, 'A'), Up(30, 'A'), Down(31, 'B'), Up(31, 'B'), Down(32, 'C'), Up(32, 'C'),
          Down(100, 'D'), Up(100, 'D')},
         150,
         10,
         "MOVE_CURSOR 0 0\r\nDELAY 10\r\nTYPE \"abc\"\r\nDELAY 60\r\nPRESS_KEY 68\r\n"
         "DELAY 40\r\n"},
        {"lines held back behind a hold keep their times",
         {Down(30, 'A'), MoveTo(60, 5, 5), Up(130, 'A')},
         200,
         10,
         "MOVE_CURSOR 0 0\r\nDELAY 10\r\nKEY_DOWN 65\r\nDELAY 20\r\nMOVE_CURSOR 5 5\r\n"
         "DELAY 60\r\nKEY_UP 65\r\nDELAY 60\r\n"},
        {"the pace of a 35 ms interval",
         {Down(100, 'A'), Up(101, 'A')},
         200,
         35,
         "MOVE_CURSOR 0 0\r\nDELAY 30\r\nPRESS_KEY 65\r\nDELAY 65\r\n"},
        {"quiet samples give no line", {}, 80, 10, "MOVE_CURSOR 0 0\r\nDELAY 60\r\n"},
    };
    for (const auto& test : cases) {
        RecorderRig rig;
        EXPECT_EQ(RecordSteps(rig, test.steps, test.pauseAt, test.period), test.code) << test.rule;
    }
}

// A pointer that cannot be read at the start (a secure desktop in front) has no place to be
// written at; its first move is.
TEST(RecorderLinesTest, APointerUnreadableAtTheStartIsFirstWrittenWhereItMoves) {
    RecorderRig rig;
    rig.desktop.cursorUnreadable = true;
    rig.Start(10);
    rig.Tick();
    EXPECT_EQ(rig.Code(), "");
    rig.desktop.MovePointer(41, 50);
    rig.Tick();
    EXPECT_EQ(rig.Code(), "MOVE_CURSOR 41 50\r\n");
    EXPECT_EQ(rig.state->lastCursor->x, 41);
}

TEST(RecorderLinesTest, QuietTimeStopsGrowingAtTheLargestDelay) {
    RecorderRig rig;
    rig.Start(10);
    rig.Tick();
    rig.desktop.Advance(2147483647u + 100u);
    rig.desktop.MovePointer(1, 2);
    rig.Tick();
    EXPECT_EQ(rig.Code(), "MOVE_CURSOR 0 0\r\nDELAY 2147483647\r\nMOVE_CURSOR 1 2\r\n");
}

// Pause, Escape and Ctrl+Alt+Delete end the recording where they come, even in the middle of an
// interval: what came before is recorded, they and what came after are not.
TEST(RecorderLinesTest, TheKeyThatEndsARecordingEndsItWhereItCame) {
    using namespace desk;
    const struct {
        int ending;
        std::vector<int> held;
        RecorderPhase phase;
    } cases[] = {{KEY_PAUSE, {}, RecorderPhase::Finishing},
                 {KEY_ESCAPE, {}, RecorderPhase::Cancelling},
                 {KEY_ESCAPE, {KEY_CONTROL}, RecorderPhase::Cancelling},
                 {KEY_ESCAPE, {KEY_ALT}, RecorderPhase::Cancelling},
                 {KEY_DELETE, {KEY_CONTROL, KEY_ALT}, RecorderPhase::Finishing}};
    for (const auto& test : cases) {
        RecorderRig rig;
        rig.view.code = "old code";
        rig.Start(10);
        for (int key : test.held)
            rig.desktop.Press(key);
        rig.desktop.Tap('A');
        rig.desktop.Press(test.ending);
        rig.desktop.Tap('B');
        rig.Tick();
        EXPECT_EQ(rig.state->phase.load(), test.phase) << test.ending;
        EXPECT_EQ(rig.view.handOvers, 1);
        rig.DeliverEnding();
        if (test.phase == RecorderPhase::Finishing) {
            EXPECT_EQ(LinesWithoutDelays(rig.view.code).find("PRESS_KEY 66"), std::string::npos);
            EXPECT_NE(LinesWithoutDelays(rig.view.code).find("PRESS_KEY 65"), std::string::npos);
        } else {
            EXPECT_EQ(rig.view.code, "old code");
        }
    }
}

// Ctrl+Alt+Delete may bring the secure desktop to the front, whose keys no hook sees: the key
// state tells then.
TEST(RecorderLinesTest, CtrlAltDeleteFinishesButCtrlAndAltAloneDoNot) {
    for (const bool deleteSeen : {true, false}) {
        RecorderRig rig;
        rig.Start(10);
        rig.desktop.Press(desk::KEY_CONTROL);
        rig.desktop.Press(desk::KEY_ALT);
        rig.Tick();
        rig.Tick();
        EXPECT_EQ(rig.state->phase.load(), RecorderPhase::Recording);
        if (!deleteSeen) rig.desktop.StopInputCapture();  // the events stop
        rig.desktop.Press(desk::KEY_DELETE);
        rig.Tick();
        EXPECT_EQ(rig.state->phase.load(), RecorderPhase::Finishing) << deleteSeen;
        EXPECT_EQ(rig.Code(), "MOVE_CURSOR 0 0\r\nCTRL_DOWN\r\nALT_DOWN\r\n");
    }
}

TEST(RecorderLinesTest, SamplesNeverOverlapAndNoneRunsAfterTheEnding) {
    RecorderRig rig;
    rig.Start(10);
    rig.desktop.Tap('A');
    rig.state->sampling = true;  // a sample still running: a late callback returns at once
    rig.Tick();
    EXPECT_EQ(rig.Code(), "");
    rig.state->sampling = false;
    rig.Tick();
    rig.Tick();  // past the interval in which more keys could have joined the tap
    EXPECT_EQ(rig.Code(), "MOVE_CURSOR 0 0\r\nPRESS_KEY 65\r\n");

    rig.desktop.Press(desk::KEY_PAUSE);
    rig.Tick();
    const std::string ended = rig.Code();
    rig.desktop.MovePointer(9, 9);
    rig.Tick();  // the timer is still running until the editor's thread stops it
    EXPECT_EQ(rig.Code(), ended);
    EXPECT_EQ(rig.view.handOvers, 1);
}

class RecorderLimitTest : public ::testing::Test, protected RecorderRig {
  protected:
    void SetUp() override {
        Start(10);
        Tick();
        ASSERT_EQ(Code(), "MOVE_CURSOR 0 0\r\n");
        ClearRecordedCode(*state);
    }
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
    desktop.MovePointer(1, 1);
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
    EXPECT_EQ(view.code, std::string(RECORD_LIMIT, 'x') + "MOVE_CURSOR 1 1\r\nDELAY 10\r\n");
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
        if ((key < desk::KEY_SHIFT || key > desk::KEY_PAUSE) && key != desk::KEY_ESCAPE &&
            (key < desk::KEY_LEFT_SHIFT || key > desk::KEY_RIGHT_ALT))
            desktop.Tap(key);
    desktop.MovePointer(4, 4);
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
