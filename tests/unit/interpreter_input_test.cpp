// The pointer, button and key input that each command synthesises.
#include "tests/unit/interpreter_fixture.h"

namespace {

class InterpreterInputTest : public InterpreterFixture {};

TEST_F(InterpreterInputTest, MoveCursorMovesWithinTheScreenIncludingItsEdge) {
    EXPECT_TRUE(Strict("MOVE_CURSOR 100 200\r"));
    EXPECT_TRUE(Strict("MOVE_CURSOR 1024 768"));
    EXPECT_EQ(TakeActions(),
              (Actions{"SetCursorPos 100 200", PACE, "SetCursorPos 1024 768", PACE}));
}

TEST_F(InterpreterInputTest, MoveCursorBeyondTheScreenOrNegativeFailsSilently) {
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient}) {
        EXPECT_FALSE(Execute(mode, "MOVE_CURSOR 1025 10"));
        EXPECT_FALSE(Execute(mode, "MOVE_CURSOR 10 769"));
        EXPECT_FALSE(Execute(mode, "MOVE_CURSOR -5 10"));
    }
    EXPECT_EQ(TakeActions(), Actions{});
}

// Primary 0..1920 x 0..1080, a monitor left of it and a shorter one right of it.
class MoveCursorOnMonitorsTest : public InterpreterFixture {
  protected:
    void SetUp() override {
        desktop.monitors = {{0, 0, 1920, 1080}, {-1920, 0, 0, 1080}, {1920, 0, 3840, 600}};
    }
};

TEST_F(MoveCursorOnMonitorsTest, MovesOntoTheMonitorsLeftAndRightOfThePrimary) {
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient}) {
        EXPECT_TRUE(Execute(mode, "MOVE_CURSOR -1500 300"));
        EXPECT_TRUE(Execute(mode, "MOVE_CURSOR 3000 300\r"));
        EXPECT_TRUE(Execute(mode, "MOVE_CURSOR -1920 1080"));
        EXPECT_EQ(TakeActions(), (Actions{"SetCursorPos -1500 300", PACE, "SetCursorPos 3000 300",
                                          PACE, "SetCursorPos -1920 1080", PACE}));
    }
}

TEST_F(MoveCursorOnMonitorsTest, RefusesAPointOnNoMonitorSilently) {
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient}) {
        EXPECT_FALSE(Execute(mode, "MOVE_CURSOR 3000 900"));  // below the shorter monitor
        EXPECT_FALSE(Execute(mode, "MOVE_CURSOR -1921 300"));
        EXPECT_FALSE(Execute(mode, "MOVE_CURSOR 3841 300"));
        EXPECT_FALSE(Execute(mode, "MOVE_CURSOR 300 -5"));
        EXPECT_FALSE(Execute(mode, "MOVE_CURSOR -1500 1081"));
    }
    EXPECT_EQ(TakeActions(), Actions{});
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(InterpreterInputTest, StrictRefusesACoOrdinateWrittenWithoutDigits) {
    for (const char* line : {"MOVE_CURSOR x 100", "MOVE_CURSOR 100 y", "MOVE_CURSOR - 10"}) {
        EXPECT_FALSE(Strict(line));
        EXPECT_EQ(TakeActions(), Actions{"MessageBoxA Error: MOVE_CURSOR command has invalid X "
                                         "or Y co-ordinate"});
        EXPECT_EQ(desktop.boxes.back().owner, MAIN_WINDOW);
        EXPECT_EQ(desktop.boxes.back().style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    }
    EXPECT_TRUE(Lenient("MOVE_CURSOR x 10"));
    EXPECT_EQ(TakeActions(), (Actions{"SetCursorPos 0 10", PACE}));
}

// The recorder writes 0 at the left and top edges of the primary monitor.
TEST_F(InterpreterInputTest, AZeroCoOrdinateIsAPointLikeAnyOther) {
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient}) {
        EXPECT_TRUE(Execute(mode, "MOVE_CURSOR 0 100"));
        EXPECT_TRUE(Execute(mode, "MOVE_CURSOR 100 0\r"));
        EXPECT_TRUE(Execute(mode, "MOVE_CURSOR -0 +0"));
        EXPECT_EQ(TakeActions(), (Actions{"SetCursorPos 0 100", PACE, "SetCursorPos 100 0", PACE,
                                          "SetCursorPos 0 0", PACE}));
    }
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(InterpreterInputTest, TwoSpacesBeforeXFailStrictOnly) {
    EXPECT_FALSE(Strict("MOVE_CURSOR  10 20"));
    ExpectRefused("MOVE_CURSOR");
    EXPECT_TRUE(Lenient("MOVE_CURSOR  10 20"));
    EXPECT_EQ(TakeActions(), (Actions{"SetCursorPos 10 20", PACE}));
}

TEST_F(InterpreterInputTest, ButtonWordsInAnyCaseSelectTheButton) {
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient}) {
        EXPECT_TRUE(Execute(mode, "MOUSE_DOWN Left"));
        EXPECT_TRUE(Execute(mode, "MOUSE_UP left\r"));
        EXPECT_TRUE(Execute(mode, "MOUSE_DOWN RIGHT"));
        EXPECT_TRUE(Execute(mode, "MOUSE_UP rIgHt"));
        EXPECT_EQ(TakeActions(), (Actions{"mouse_event 2", PACE, "mouse_event 4", PACE,
                                          "mouse_event 8", PACE, "mouse_event 16", PACE}));
    }
}

TEST_F(InterpreterInputTest, AnUnknownButtonIsRefusedByStrictAndSendsNothingInLenient) {
    EXPECT_FALSE(Strict("MOUSE_DOWN Centre"));
    ExpectRefused("MOUSE_DOWN");
    EXPECT_FALSE(Strict("MOUSE_UP Centre"));
    ExpectRefused("MOUSE_UP");
    EXPECT_TRUE(Lenient("MOUSE_DOWN Centre"));
    EXPECT_EQ(TakeActions(), Actions{PACE});
}

TEST_F(InterpreterInputTest, ClicksSendDownUpPairsAndDoubleRepeatsThePair) {
    EXPECT_TRUE(Strict("CLICK_MOUSE Left Single"));
    EXPECT_TRUE(Strict("CLICK_MOUSE right double\r"));
    EXPECT_EQ(TakeActions(), (Actions{"mouse_event 2", "mouse_event 4", PACE, "mouse_event 8",
                                      "mouse_event 16", "mouse_event 8", "mouse_event 16", PACE}));
}

TEST_F(InterpreterInputTest, LenientClicksTheRightButtonTwiceUnlessToldOtherwise) {
    EXPECT_FALSE(Strict("CLICK_MOUSE Centre Single"));
    ExpectRefused("CLICK_MOUSE");
    EXPECT_FALSE(Strict("CLICK_MOUSE Left Triple"));
    ExpectRefused("CLICK_MOUSE");
    EXPECT_TRUE(Lenient("CLICK_MOUSE Centre Triple"));
    EXPECT_TRUE(Lenient("CLICK_MOUSE Left Once"));
    EXPECT_EQ(TakeActions(),
              (Actions{"mouse_event 8", "mouse_event 16", "mouse_event 8", "mouse_event 16", PACE,
                       "mouse_event 2", "mouse_event 4", "mouse_event 2", "mouse_event 4", PACE}));
}

TEST_F(InterpreterInputTest, PressKeyReadsADecimalArgumentAsAKeyCode) {
    EXPECT_TRUE(Strict("PRESS_KEY 5"));
    EXPECT_TRUE(Strict("PRESS_KEY 321\r"));
    EXPECT_EQ(TakeActions(),
              (Actions{"keybd_event 5 0", "keybd_event 5 2", PACE, "keybd_event 16 0",
                       "keybd_event 65 0", "keybd_event 65 2", "keybd_event 16 2", PACE}));
}

TEST_F(InterpreterInputTest, ModifiersArePressedAndReleasedShiftCtrlAlt) {
    EXPECT_TRUE(Strict("PRESS_KEY 1865"));  // 0x749: Shift, Ctrl and Alt with I
    EXPECT_EQ(TakeActions(), (Actions{"keybd_event 16 0", "keybd_event 17 0", "keybd_event 18 0",
                                      "keybd_event 73 0", "keybd_event 73 2", "keybd_event 16 2",
                                      "keybd_event 17 2", "keybd_event 18 2", PACE}));
    EXPECT_TRUE(Strict("PRESS_KEY 577"));  // 0x241: Ctrl with A
    EXPECT_EQ(TakeActions(), (Actions{"keybd_event 17 0", "keybd_event 65 0", "keybd_event 65 2",
                                      "keybd_event 17 2", PACE}));
}

TEST_F(InterpreterInputTest, PressKeyOfACharacterUsesTheLayoutForItsFirstCharacterOnly) {
    EXPECT_TRUE(Strict("PRESS_KEY a"));
    EXPECT_TRUE(Strict("PRESS_KEY Abc"));
    EXPECT_EQ(TakeActions(),
              (Actions{"keybd_event 65 0", "keybd_event 65 2", PACE, "keybd_event 16 0",
                       "keybd_event 65 0", "keybd_event 65 2", "keybd_event 16 2", PACE}));
}

TEST_F(InterpreterInputTest, TypeSendsOneKeystrokePerCharacter) {
    EXPECT_TRUE(Strict("TYPE \"Hi, 1!\"\r"));
    EXPECT_EQ(TakeActions(),
              (Actions{"keybd_event 16 0", "keybd_event 72 0", "keybd_event 72 2",
                       "keybd_event 16 2",                                          // H
                       "keybd_event 73 0", "keybd_event 73 2",                      // i
                       "keybd_event 188 0", "keybd_event 188 2",                    // ,
                       "keybd_event 32 0", "keybd_event 32 2",                      // space
                       "keybd_event 49 0", "keybd_event 49 2",                      // 1
                       "keybd_event 16 0", "keybd_event 49 0", "keybd_event 49 2",  // !
                       "keybd_event 16 2", PACE}));
}

TEST_F(InterpreterInputTest, CharactersWithoutAKeyAreTypedAsThemselves) {
    EXPECT_TRUE(Strict("TYPE \"caf\xE9\""));
    EXPECT_TRUE(Lenient("PRESS_KEY \xE9"));
    EXPECT_EQ(TakeActions(),
              (Actions{"keybd_event 67 0", "keybd_event 67 2", "keybd_event 65 0",
                       "keybd_event 65 2", "keybd_event 70 0", "keybd_event 70 2",
                       "TypeUnicodeCharacter 233", PACE, "TypeUnicodeCharacter 233", PACE}));
}

TEST_F(InterpreterInputTest, TypeTakesItsTextFromTheQuotes) {
    EXPECT_TRUE(Strict("TYPE \"\""));  // an empty pair of quotes types nothing
    EXPECT_EQ(TakeActions(), Actions{PACE});
    // Two spaces before the quote: TYPE takes the first run, the lone space, unchanged.
    EXPECT_TRUE(Strict("TYPE  \"x\""));
    EXPECT_EQ(TakeActions(), (Actions{"keybd_event 32 0", "keybd_event 32 2", PACE}));
    // Without a closing quote, Lenient types up to the end of the line.
    EXPECT_TRUE(Lenient("TYPE \"\"a b"));
    EXPECT_EQ(TakeActions(),
              (Actions{"keybd_event 65 0", "keybd_event 65 2", "keybd_event 32 0",
                       "keybd_event 32 2", "keybd_event 66 0", "keybd_event 66 2", PACE}));
}

// Held keys, the wheels and the middle and side buttons.
TEST_F(InterpreterInputTest, EachLineSendsItsEventsInOrderInBothModes) {
    const struct {
        const char* line;
        Actions sent;
    } cases[] = {
        {"KEY_DOWN 65", {"keybd_event 65 0"}},
        {"KEY_UP 65\r", {"keybd_event 65 2"}},
        {"KEY_DOWN 321", {"keybd_event 16 0", "keybd_event 65 0"}},
        {"KEY_UP 321", {"keybd_event 65 2", "keybd_event 16 2"}},
        {"KEY_DOWN 1601", {"keybd_event 17 0", "keybd_event 18 0", "keybd_event 65 0"}},
        {"KEY_DOWN a", {"keybd_event 65 0"}},
        {"KEY_UP A", {"keybd_event 65 2", "keybd_event 16 2"}},
        {"MOUSE_WHEEL 120", {"mouse_event 2048 120"}},
        {"MOUSE_WHEEL -360\r", {"mouse_event 2048 -360"}},
        {"MOUSE_WHEEL +30", {"mouse_event 2048 30"}},
        {"MOUSE_HWHEEL 240", {"mouse_event 4096 240"}},
        {"MOUSE_HWHEEL -120", {"mouse_event 4096 -120"}},
        {"MOUSE_WHEEL 0", {}},
        {"MOUSE_DOWN Middle", {"mouse_event 32"}},
        {"MOUSE_UP middle\r", {"mouse_event 64"}},
        {"MOUSE_DOWN X1", {"mouse_event 128 1"}},
        {"MOUSE_UP x1", {"mouse_event 256 1"}},
        {"MOUSE_DOWN X2", {"mouse_event 128 2"}},
        {"MOUSE_UP X2\r", {"mouse_event 256 2"}},
        {"MOUSE_DOWN X2Left", {"mouse_event 2"}},  // Left is looked for first
        {"MOUSE_UP MiddleRight", {"mouse_event 16"}},
        {"MOUSE_DOWN X1X2", {"mouse_event 128 1"}},
        {"CLICK_MOUSE Middle Single", {"mouse_event 32", "mouse_event 64"}},
        {"CLICK_MOUSE X1 Single", {"mouse_event 128 1", "mouse_event 256 1"}},
        {"CLICK_MOUSE x2 double\r",
         {"mouse_event 128 2", "mouse_event 256 2", "mouse_event 128 2", "mouse_event 256 2"}},
    };
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient})
        for (const auto& c : cases) {
            EXPECT_TRUE(Execute(mode, c.line)) << c.line;
            Actions expected = c.sent;
            expected.push_back(PACE);
            EXPECT_EQ(TakeActions(), expected) << c.line;
        }
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(InterpreterInputTest, StrictRefusesAMissingOrNonNumericArgumentLenientSendsNothing) {
    desktop.keyScanOverrides['#'] = -1;  // a character this layout has no key for
    const struct {
        const char* line;
        const char* command;
    } cases[] = {
        {"MOUSE_WHEEL", "MOUSE_WHEEL"},
        {"MOUSE_WHEEL ", "MOUSE_WHEEL"},
        {"MOUSE_WHEEL up", "MOUSE_WHEEL"},
        {"MOUSE_WHEEL -", "MOUSE_WHEEL"},
        {"MOUSE_HWHEEL", "MOUSE_HWHEEL"},
        {"MOUSE_HWHEEL right", "MOUSE_HWHEEL"},
        {"KEY_DOWN", "KEY_DOWN"},
        {"KEY_DOWN #", "KEY_DOWN"},
        {"KEY_UP ", "KEY_UP"},
        {"KEY_UP #", "KEY_UP"},
        {"MOUSE_DOWN X3", "MOUSE_DOWN"},
        {"CLICK_MOUSE X Single", "CLICK_MOUSE"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Strict(c.line)) << c.line;
        ExpectRefused(c.command);
    }
    for (const auto& c : cases) {
        if (std::string_view(c.line).starts_with("CLICK_MOUSE")) continue;  // the right button
        EXPECT_TRUE(Lenient(c.line)) << c.line;
        EXPECT_EQ(TakeActions(), Actions{PACE}) << c.line;
    }
}

}  // namespace
