// Nothing stays held after a play: the interpreter knows what a macro holds down, every end of
// a play releases it, last pressed first, and a play that resumes a paused pass presses the
// held modifiers again before its first line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "macro/file/text_field.h"
#include "macro/language/held_input.h"
#include "macro/player/macro_player.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/memory_file_system.h"

namespace {

using Calls = std::vector<std::string>;

const std::string SHIFT_DOWN = "keybd_event 16 0";
const std::string SHIFT_UP = "keybd_event 16 2";
const std::string CTRL_UP = "keybd_event 17 2";

class HeldInputTest : public ::testing::Test {
  protected:
    void WriteMacro(const std::string& code) {
        CopyText(macro.fileName, disk.Write("m.mro", "START\r\n" + code + "END\r\n"));
    }
    void Run(const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            ExecuteMacroLine(interpreter, line);
    }
    // The key and button events from here on.
    Calls TakeInput() {
        Calls input;
        for (const std::string& call : desktop.Actions())
            if (call.rfind("keybd_event", 0) == 0 || call.rfind("mouse_event", 0) == 0)
                input.push_back(call);
        desktop.calls.clear();
        return input;
    }
    // Presses `key` once `call` has been logged.
    void TapOn(const std::string& call, int key) {
        desktop.onCall = [this, call, key](const std::string& line) {
            if (line == call) desktop.Tap(key);
        };
    }
    // Shift and Ctrl held, "a" typed; "b" would be typed next.
    void WriteHoldingMacro() {
        WriteMacro(
            "SHIFT_DOWN\r\nCTRL_DOWN\r\nTYPE \"a\"\r\nTYPE \"b\"\r\nCTRL_UP\r\nSHIFT_UP\r\n");
    }

    MemoryFileSystem disk;
    FakeDesktop desktop;
    Macro macro = MacroPlayedOnce(0);
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, NO_WINDOW, {}};
    MacroPlayer player{state, desktop, disk, interpreter, NO_WINDOW, nullptr};
};

TEST_F(HeldInputTest, WhatIsStillHeldIsReleasedLastPressedFirst) {
    Run({"SHIFT_DOWN", "MOUSE_DOWN Left", "CTRL_DOWN", "MOUSE_DOWN Right", "ALT_DOWN",
         "SHIFT_DOWN"});
    TakeInput();
    ReleaseHeldInput(interpreter);
    EXPECT_EQ(TakeInput(),
              (Calls{"keybd_event 18 2", "mouse_event 16", CTRL_UP, "mouse_event 4", SHIFT_UP}));
    EXPECT_TRUE(desktop.KeysDown().empty());
    ReleaseHeldInput(interpreter);
    EXPECT_TRUE(TakeInput().empty()) << "released once only";
}

TEST_F(HeldInputTest, WhatTheMacroReleasedItselfIsNotReleasedAgain) {
    Run({"SHIFT_DOWN", "CTRL_DOWN", "MOUSE_DOWN Left", "ALT_DOWN", "MOUSE_DOWN Right", "CTRL_UP",
         "SHIFT_UP", "MOUSE_UP Left", "ALT_UP", "MOUSE_UP Right",
         // a keystroke with Shift and a click let go of what they press
         "SHIFT_DOWN", "TYPE \"A\"", "MOUSE_DOWN Left", "CLICK_MOUSE Left Single"});
    TakeInput();
    ReleaseHeldInput(interpreter);
    EXPECT_TRUE(TakeInput().empty());
    EXPECT_TRUE(desktop.KeysDown().empty());
}

TEST_F(HeldInputTest, EveryEndOfAPlayReleasesWhatTheMacroHolds) {
    WriteHoldingMacro();
    const std::string afterA = "keybd_event 65 2";
    struct Case {
        const char* end;
        int stopKey;  // 0: the play runs to its end
        PlayOrigin origin;
    };
    for (Case stop : {Case{"Escape", desk::KEY_ESCAPE, ORIGIN_TRIGGER},
                      Case{"Pause", desk::KEY_PAUSE, ORIGIN_PLAY_BUTTON},
                      Case{"scheduled Pause", desk::KEY_PAUSE, ORIGIN_SCHEDULE}}) {
        TapOn(afterA, stop.stopKey);
        PlayMacro(player, macro, stop.origin);
        EXPECT_EQ(Calls(desktop.calls.end() - 2, desktop.calls.end()), (Calls{CTRL_UP, SHIFT_UP}))
            << stop.end;
        EXPECT_TRUE(desktop.KeysDown().empty()) << stop.end;
        RewindPlay(state);
        desktop.calls.clear();
    }

    // The file gone before a later pass: the play ends with what the first one left held.
    WriteMacro("SHIFT_DOWN\r\nMOUSE_DOWN Left\r\n");
    macro.playCount = 2;
    desktop.onCall = [&](const std::string& call) {
        if (call == "mouse_event 2") disk.Remove(std::string(FieldText(macro.fileName)));
    };
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    EXPECT_EQ(desktop.BoxTexts().size(), 1u);
    EXPECT_EQ(TakeInput(), (Calls{SHIFT_DOWN, "mouse_event 2", "mouse_event 4", SHIFT_UP}));
}

TEST_F(HeldInputTest, ANormalEndReleasesAndAMacroThatLetGoGetsNoExtraRelease) {
    WriteMacro("SHIFT_DOWN\r\nTYPE \"a\"\r\n");
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    EXPECT_EQ(TakeInput(), (Calls{SHIFT_DOWN, "keybd_event 65 0", "keybd_event 65 2", SHIFT_UP}));
    WriteHoldingMacro();
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    const Calls input = TakeInput();
    EXPECT_EQ(Calls(input.end() - 2, input.end()), (Calls{CTRL_UP, SHIFT_UP}));
    EXPECT_EQ(std::count(input.begin(), input.end(), SHIFT_UP), 1);
}

TEST_F(HeldInputTest, AResumedPlayPressesTheHeldModifiersAgainBeforeItsFirstLine) {
    WriteHoldingMacro();
    TapOn("keybd_event 65 2", desk::KEY_PAUSE);
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    ASSERT_EQ(state.position, 4);
    EXPECT_TRUE(desktop.KeysDown().empty());
    TakeInput();

    desktop.onCall = nullptr;
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    EXPECT_EQ(TakeInput(), (Calls{SHIFT_DOWN, "keybd_event 17 0", "keybd_event 66 0",
                                  "keybd_event 66 2", CTRL_UP, SHIFT_UP}));
    EXPECT_EQ(state.position, 0);
}

// A drag paused in the middle goes on from where it was, with the button down again.
TEST_F(HeldInputTest, AResumedPlayPutsThePointerBackAndPressesTheHeldButtonsAgain) {
    WriteMacro(
        "MOVE_CURSOR 100 100\r\nMOUSE_DOWN Left\r\nSHIFT_DOWN\r\nMOVE_CURSOR 200 200\r\n"
        "TYPE \"a\"\r\nMOVE_CURSOR 300 300\r\nMOUSE_UP Left\r\nSHIFT_UP\r\n");
    TapOn("keybd_event 65 2", desk::KEY_PAUSE);
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    ASSERT_EQ(state.position, 6);
    EXPECT_TRUE(desktop.KeysDown().empty());
    desktop.cursor = {5, 5};  // the user moves the pointer meanwhile
    desktop.calls.clear();

    desktop.onCall = nullptr;
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    Calls moves;
    for (const std::string& call : desktop.Actions())
        if (call.rfind("SetCursorPos", 0) == 0 || call.rfind("mouse_event", 0) == 0 ||
            call.rfind("keybd_event 16", 0) == 0)
            moves.push_back(call);
    EXPECT_EQ(moves, (Calls{"SetCursorPos 200 200", "mouse_event 2", SHIFT_DOWN,
                            "SetCursorPos 300 300", "mouse_event 4", SHIFT_UP}));
    EXPECT_TRUE(desktop.KeysDown().empty());
}

TEST_F(HeldInputTest, ARewoundPlayForgetsWhatWasHeldAtThePause) {
    WriteHoldingMacro();
    TapOn("keybd_event 65 2", desk::KEY_PAUSE);
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    RewindPlay(state);  // the Stop button
    desktop.onCall = nullptr;
    WriteMacro("TYPE \"x\"\r\n");
    TakeInput();
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    EXPECT_EQ(TakeInput(), (Calls{"keybd_event 88 0", "keybd_event 88 2"}));
}

// Held keys and the middle and side buttons are let go of, last pressed first, and held again.
TEST_F(HeldInputTest, APausedPlayReleasesHeldKeysAndButtonsAndPressesThemAgainOnResume) {
    WriteMacro(
        "KEY_DOWN 321\r\nMOUSE_DOWN Middle\r\nMOUSE_DOWN X2\r\nTYPE \"b\"\r\nTYPE \"c\"\r\n"
        "MOUSE_UP X2\r\nMOUSE_UP Middle\r\nKEY_UP 321\r\n");
    TapOn("keybd_event 66 2", desk::KEY_PAUSE);
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    ASSERT_EQ(state.position, 5);
    const Calls paused = TakeInput();
    ASSERT_GE(paused.size(), 4u);
    EXPECT_EQ(Calls(paused.end() - 4, paused.end()),
              (Calls{"mouse_event 256 2", "mouse_event 64", "keybd_event 65 2", SHIFT_UP}));
    EXPECT_TRUE(desktop.KeysDown().empty());

    desktop.onCall = nullptr;
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    EXPECT_EQ(TakeInput(),
              (Calls{SHIFT_DOWN, "keybd_event 65 0", "mouse_event 32", "mouse_event 128 2",
                     "keybd_event 67 0", "keybd_event 67 2", "mouse_event 256 2", "mouse_event 64",
                     "keybd_event 65 2", SHIFT_UP}));
    EXPECT_TRUE(desktop.KeysDown().empty());
}

}  // namespace

// A key the play holds repeats as a keyboard repeats the last key pressed: after its delay,
// at its rate, until the key is let go, another key goes down or the play ends.
TEST_F(HeldInputTest, AKeyThePlayHoldsRepeatsAsTheKeyboardWould) {
    const struct {
        const char* rule;
        std::string code;
        std::vector<uint32_t> downsAt;  // of X, in ms from the first
    } cases[] = {
        {"held 600 ms",
         "KEY_DOWN 88\r\nDELAY 600\r\nKEY_UP 88\r\nDELAY 300\r\n",
         {0, 500, 533, 566, 599}},
        {"until the end of the play", "KEY_DOWN 88\r\nDELAY 550\r\n", {0, 500, 533}},
        {"another key pressed", "KEY_DOWN 88\r\nPRESS_KEY 65\r\nDELAY 600\r\nKEY_UP 88\r\n", {0}},
        {"with Shift held after it",
         "KEY_DOWN 88\r\nSHIFT_DOWN\r\nDELAY 600\r\nKEY_UP 88\r\n",
         {0}},
    };
    for (const auto& test : cases) {
        desktop.calls.clear();
        std::vector<uint32_t> downsAt;
        desktop.onCall = [&](const std::string& call) {
            if (call == "keybd_event 88 0")
                downsAt.push_back(static_cast<uint32_t>(desktop.QueryPerformanceCounter() / 1000));
        };
        WriteMacro(test.code);
        PlayMacro(player, macro, ORIGIN_TRIGGER);
        desktop.onCall = nullptr;
        const uint32_t first = downsAt.empty() ? 0 : downsAt.front();
        for (uint32_t& at : downsAt)
            at -= first;
        EXPECT_EQ(downsAt, test.downsAt) << test.rule;
        const Calls input = TakeInput();
        EXPECT_EQ(input.back(),
                  test.code.find("SHIFT") != std::string::npos ? SHIFT_UP : "keybd_event 88 2")
            << test.rule;
    }
}

// Shift, Ctrl, Alt and the Windows keys held do not repeat.
TEST_F(HeldInputTest, ModifiersHeldDoNotRepeat) {
    WriteMacro("SHIFT_DOWN\r\nKEY_DOWN 91\r\nDELAY 900\r\nKEY_UP 91\r\nSHIFT_UP\r\n");
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    EXPECT_EQ(TakeInput(), (Calls{SHIFT_DOWN, "keybd_event 91 0", "keybd_event 91 2", SHIFT_UP}));
}
