// Preparing a line of macro code, recognising its command and the pace after it.
#include <string>

#include "macro/language/upper_case.h"
#include "tests/unit/interpreter_fixture.h"

namespace {

class InterpreterLineTest : public InterpreterFixture {};

TEST_F(InterpreterLineTest, EmptyOrBlankLinesFailWithoutThePace) {
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient}) {
        EXPECT_FALSE(Execute(mode, ""));
        EXPECT_FALSE(Execute(mode, "    "));
    }
    EXPECT_EQ(TakeActions(), Actions{});
}

TEST_F(InterpreterLineTest, LinesThatNameNoCommandCostOnePace) {
    for (const char* line :
         {"START", "END", "// a comment", "move_cursor 10 20", "TYPEX \"a\"", "\r", "  NOTHING"}) {
        EXPECT_TRUE(Strict(line)) << line;
        EXPECT_EQ(TakeActions(), Actions{PACE}) << line;
        EXPECT_TRUE(Lenient(line)) << line;
        EXPECT_EQ(TakeActions(), Actions{PACE}) << line;
    }
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(InterpreterLineTest, ThePaceIsTheInterpretersAtEachLine) {
    EXPECT_TRUE(Strict("SHIFT_DOWN"));
    lenient.pace = 250;
    EXPECT_TRUE(Lenient("SHIFT_UP"));
    EXPECT_EQ(TakeActions(),
              (Actions{"keybd_event 16 0", "Wait 10", "keybd_event 16 2", "Wait 250"}));
    EXPECT_EQ(desktop.now, 260u);
}

// In a play each pace or DELAY ends its time after the previous one was due: a line's own work
// and a late wake come out of the next wait, down to three quarters of its time.
TEST_F(InterpreterLineTest, ThePaceKeepsTimeAcrossTheLinesWorkAndLateWakes) {
    StartPace(strict, 20, NOMINAL_PLAY_SPEED);
    desktop.onCall = [this](const std::string& call) {
        if (call == "keybd_event 16 0") desktop.Advance(3);
        if (call == "keybd_event 17 0") desktop.Advance(10);
        if (call == "Wait 17") desktop.Advance(2);  // woke 2 ms late
        if (call == "Wait 20") desktop.Advance(1);
    };
    for (const char* line : {"SHIFT_DOWN", "SHIFT_UP", "CTRL_DOWN", "CTRL_UP", "DELAY 20"})
        EXPECT_TRUE(Strict(line));
    EXPECT_EQ(TakeActions(),
              (Actions{"keybd_event 16 0", "Wait 17", "keybd_event 16 2", "Wait 18",
                       "keybd_event 17 0", "Wait 15", "keybd_event 17 2", "Wait 20", "Wait 19"}));
    EXPECT_EQ(desktop.now, 105u);
}

// A play at a speed takes 100/speed of every pace and DELAY, counted in microseconds so that
// the parts of a millisecond add up; a wait for a window keeps its own time.
TEST_F(InterpreterLineTest, ThePlaySpeedScalesEveryPaceAndDelay) {
    const std::vector<std::pair<int32_t, int64_t>> cases = {
        {25, 252000}, {50, 126000}, {100, 63000}, {200, 31500}, {400, 15750}};
    for (const auto& [speed, microseconds] : cases) {
        SCOPED_TRACE(speed);
        const int64_t start = desktop.QueryPerformanceCounter();
        StartPace(strict, 8, speed);
        // Two paces of 8 ms and delays of 40 and 7 ms: 63 ms at full speed.
        for (const char* line : {"SHIFT_DOWN", "SHIFT_UP", "DELAY 40", "DELAY 7"})
            EXPECT_TRUE(Strict(line));
        EXPECT_EQ(*strict.paceClock - start, microseconds);
        EXPECT_LT(desktop.QueryPerformanceCounter() - start - microseconds, 1000);
    }
    StartPace(lenient, 10, 400);
    const int64_t start = desktop.QueryPerformanceCounter();
    EXPECT_FALSE(Lenient("WAIT_WINDOW \"no such window\" 2"));  // ran out, after its 2 s
    EXPECT_GE(desktop.QueryPerformanceCounter() - start, 2000000);
    EXPECT_LT(desktop.QueryPerformanceCounter() - start, 2100000);
}

TEST_F(InterpreterLineTest, DelayWaitsInPlaceOfThePace) {
    EXPECT_TRUE(Strict("DELAY 250"));
    EXPECT_TRUE(Lenient("DELAY 40\r"));
    EXPECT_TRUE(Strict("DELAY  7"));  // the rest of the line, white space passed over
    EXPECT_EQ(TakeActions(), (Actions{"Wait 250", "Wait 40", "Wait 7"}));
    EXPECT_EQ(desktop.now, 297u);
    EXPECT_TRUE(Lenient("DELAY -5"));
    EXPECT_EQ(desktop.now, 297u);
}

TEST_F(InterpreterLineTest, StrictTrimsTrailingSpacesAlsoBeforeACarriageReturn) {
    // Untrimmed, the trailing spaces would fail the two-space test.
    EXPECT_TRUE(Strict("MOVE_CURSOR 10 20   "));
    EXPECT_TRUE(Strict("MOVE_CURSOR 10 20 \r"));
    EXPECT_EQ(TakeActions(), (Actions{"SetCursorPos 10 20", PACE, "SetCursorPos 10 20", PACE}));
}

TEST_F(InterpreterLineTest, LenientMakesNoArgumentTests) {
    EXPECT_TRUE(Lenient("MOVE_CURSOR  10 20 "));
    EXPECT_TRUE(Lenient("TYPE ab"));
    EXPECT_EQ(TakeActions(),
              (Actions{"SetCursorPos 10 20", PACE, "keybd_event 65 0", "keybd_event 65 2",
                       "keybd_event 66 0", "keybd_event 66 2", PACE}));
}

TEST_F(InterpreterLineTest, ACommandWithAMissingArgumentIsRefusedByStrictAndPassedByLenient) {
    struct Case {
        const char* line;
        const char* command;
    };
    const Case cases[] = {
        {"MOVE_CURSOR", "MOVE_CURSOR"},
        {"MOVE_CURSOR  10", "MOVE_CURSOR"},
        {"MOUSE_DOWN", "MOUSE_DOWN"},
        {"MOUSE_UP", "MOUSE_UP"},
        {"CLICK_MOUSE  Left", "CLICK_MOUSE"},
        {"CLOSE_WINDOW \"\"", "CLOSE_WINDOW"},
        {"MINIMIZE_WINDOW", "MINIMIZE_WINDOW"},
        {"FOCUS_WINDOW \"\"", "FOCUS_WINDOW"},
        {"MSG_BOX \"\"", "MSG_BOX"},
        {"PLAY_SOUND \"\"", "PLAY_SOUND"},
        {"RUN \"\"", "RUN"},
        {"OPEN_URL \"\"", "OPEN_URL"},
        {"PRESS_KEY", "PRESS_KEY"},
        {"SHUTDOWN", "SHUTDOWN"},
        {"DELAY", "DELAY"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Strict(c.line)) << c.line;
        ExpectRefused(c.command);
        EXPECT_TRUE(Lenient(c.line)) << c.line;
        EXPECT_EQ(TakeActions(), Actions{PACE}) << c.line;
        EXPECT_TRUE(desktop.boxes.empty());
    }
}

TEST_F(InterpreterLineTest, StrictArgumentTestsAreMadeOnTheWholeLine) {
    const char* refused[] = {
        "MOVE_CURSOR 10 20 30",      // three spaces
        "CLICK_MOUSE Left  Single",  // three spaces
        "CLOSE_WINDOW Untitled",     // no quotes
        "MINIMIZE_WINDOW \"a\"b\"",  // three quotes
        "FOCUS_WINDOW \"x",          // one quote
        "MSG_BOX \"Say \"hi\"\"",    // a quote in the message
        "PLAY_SOUND ding.wav",       // no quotes
        "RUN \"a\" \"b\"",           // four quotes
        "OPEN_URL \"http://x\"\"",   // three quotes
        "TYPE \"He said \"no\"\"",   // a text holding a double quote
    };
    for (const char* line : refused) {
        EXPECT_FALSE(Strict(line)) << line;
        std::string word(line);
        ExpectRefused(word.substr(0, word.find(' ')));
    }
}

TEST_F(InterpreterLineTest, ContainmentCommandsAreFoundInsideLongerWords) {
    EXPECT_TRUE(Strict("SHIFT_DOWN\r"));
    EXPECT_TRUE(Strict("xSHIFT_UPx"));
    EXPECT_TRUE(Lenient("CTRL_DOWN anything after"));
    EXPECT_TRUE(Lenient("CTRL_UP\r"));
    EXPECT_TRUE(Strict("ALT_DOWN"));
    EXPECT_TRUE(Strict("ALT_UP\r"));
    EXPECT_EQ(TakeActions(), (Actions{"keybd_event 16 0", PACE, "keybd_event 16 2", PACE,
                                      "keybd_event 17 0", PACE, "keybd_event 17 2", PACE,
                                      "keybd_event 18 0", PACE, "keybd_event 18 2", PACE}));
}

// What a line does, on a desktop of its own, so that two lines can be compared call by call.
struct LineTranscript {
    bool result;
    std::vector<std::string> calls;
    bool operator==(const LineTranscript&) const = default;
};

LineTranscript Transcript(InterpreterMode mode, const std::string& line) {
    FakeDesktop desktop;
    desktop.windows = {{0x50, "Notes - Editor"}};
    desktop.foreground = 0x50;
    MacroInterpreter interpreter{desktop, mode, 10, MAIN_WINDOW, {}};
    bool result = ExecuteMacroLine(interpreter, line);
    return {result, desktop.calls};
}

// A line read from a file keeps its carriage return; the code box gives none. Every command,
// with good, missing, empty and malformed arguments, must do the same either way, in both modes.
TEST(InterpreterCarriageReturnTest, ALineFromAFileDoesWhatTheSameLineFromTheCodeBoxDoes) {
    const char* lines[] = {
        "MOVE_CURSOR 10 20",
        "MOVE_CURSOR 10 20 ",
        "MOVE_CURSOR  10 20",
        "MOVE_CURSOR 0 20",
        "MOVE_CURSOR 10",
        "MOVE_CURSOR ",
        "MOVE_CURSOR",
        "MOUSE_DOWN Left",
        "MOUSE_DOWN ",
        "MOUSE_DOWN",
        "MOUSE_DOWN Middle",
        "MOUSE_UP right ",
        "MOUSE_UP",
        "CLICK_MOUSE Right Double",
        "CLICK_MOUSE Left Single ",
        "CLICK_MOUSE Left",
        "CLICK_MOUSE Left ",
        "CLICK_MOUSE Left Triple",
        "CLOSE_WINDOW \"Notes\"",
        "CLOSE_WINDOW \"\"",
        "CLOSE_WINDOW  \"Notes\"",
        "CLOSE_WINDOW ",
        "MINIMIZE_WINDOW \"Notes\"",
        "MINIMIZE_WINDOW \"\"",
        "MINIMIZE_WINDOW \"",
        "FOCUS_WINDOW \"Notes\"",
        "FOCUS_WINDOW \"\"",
        "FOCUS_WINDOW \"Notes\" ",
        "MSG_BOX \"Hi\"",
        "MSG_BOX \"\"",
        "MSG_BOX \"",
        "MSG_BOX  \"Hi\"",
        "MSG_BOX ",
        "PLAY_SOUND \"ding.wav\"",
        "PLAY_SOUND \"\"",
        "PLAY_SOUND ",
        "RUN \"notepad\"",
        "RUN \"\"",
        "RUN \"",
        "RUN ",
        "OPEN_URL \"http://x\"",
        "OPEN_URL \"\"",
        "OPEN_URL ",
        "SHIFT_DOWN",
        "SHIFT_UP ",
        "CTRL_DOWN",
        "CTRL_UP",
        "ALT_DOWN",
        "ALT_UP",
        "PRESS_KEY 65",
        "PRESS_KEY a",
        "PRESS_KEY ",
        "PRESS_KEY  ",
        "PRESS_KEY",
        "SHUTDOWN Logoff",
        "SHUTDOWN Restart ",
        "SHUTDOWN ",
        "SHUTDOWN",
        "SHUTDOWN Later",
        "TYPE \"ab\"",
        "TYPE \"\"",
        "TYPE \"\" ",
        "TYPE \"",
        "TYPE ab",
        "TYPE ",
        "TYPE",
        "DELAY 250",
        "DELAY ",
        "DELAY",
        "NOTHING \"\"",
    };
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient}) {
        for (const std::string line : lines) {
            SCOPED_TRACE((mode == InterpreterMode::Strict ? "Strict: " : "Lenient: ") + line);
            EXPECT_EQ(Transcript(mode, line + "\r"), Transcript(mode, line));
        }
    }
}

TEST_F(InterpreterLineTest, EmptyQuotesReadFromAFileTypeNothing) {
    EXPECT_TRUE(Strict("TYPE \"\"\r"));
    EXPECT_TRUE(Lenient("TYPE \"\"\r"));
    EXPECT_EQ(TakeActions(), (Actions{PACE, PACE}));
}

TEST_F(InterpreterLineTest, ExactCommandsFollowedByACarriageReturnAreStillTheCommand) {
    EXPECT_FALSE(Strict("PRESS_KEY\r"));
    ExpectRefused("PRESS_KEY");
    EXPECT_TRUE(Strict("PRESS_KEY 65\r"));
    EXPECT_EQ(TakeActions(), (Actions{"keybd_event 65 0", "keybd_event 65 2", PACE}));
}

TEST_F(InterpreterLineTest, LinesBeyondTheCapacityAreCutNotOverrun) {
    std::string text(1000, 'a');
    // Cut at 299 characters, the closing quote is lost: Strict refuses the line...
    EXPECT_FALSE(Strict("TYPE \"" + text + "\""));
    ExpectRefused("TYPE");
    // ...and Lenient types what is left of it.
    EXPECT_TRUE(Lenient("TYPE \"" + text + "\""));
    EXPECT_EQ(TakeActions().size(), 2 * (299 - 6) + 1u);
    // A line of exactly 299 characters is kept whole.
    std::string full = "TYPE \"" + std::string(292, 'b') + "\"";
    ASSERT_EQ(full.size(), 299u);
    EXPECT_TRUE(Strict(full));
    EXPECT_EQ(TakeActions().size(), 2 * 292 + 1u);
}

TEST(UpperCaseInPlaceTest, TurnsOnlyTheLettersAToZ) {
    std::string text = "Left\r click_mouse 12 \xE9\xFF{}";
    UpperCaseInPlace(text);
    EXPECT_EQ(text, "LEFT\r CLICK_MOUSE 12 \xE9\xFF{}");
    char field[] = "Restart now";
    UpperCaseInPlace(field);
    EXPECT_STREQ(field, "RESTART NOW");
    UpperCaseInPlace(static_cast<char*>(nullptr));
}

}  // namespace
