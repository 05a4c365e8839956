// WAIT_WINDOW and WAIT_ACTIVE on a line run alone: what they accept and which windows count.
#include <string>

#include "tests/unit/interpreter_fixture.h"

namespace {

class WindowWaitTest : public InterpreterFixture {
  protected:
    // Shows or brings the window to the front once the virtual clock reaches `time` (ms).
    void AtTime(uint32_t time, const std::function<void()>& change) {
        desktop.onCall = [this, time, change, done = false](const std::string&) mutable {
            if (!done && desktop.now >= time) change(), done = true;
        };
    }
};

TEST_F(WindowWaitTest, StrictRefusesAnythingButOneQuotedTitleAndSecondsFrom1To86400) {
    for (const char* word : {"WAIT_WINDOW", "WAIT_ACTIVE"}) {
        const std::string command = word;
        for (const char* arguments :
             {"", "Notes", "\"Notes", "\"Notes\" \"5\"", "\"\"", "\"Notes\" 0", "\"Notes\" 86401",
              "\"Notes\" -5", "\"Notes\" 5s", "\"Notes\" 1000000000", "\"Notes\" five"}) {
            EXPECT_FALSE(Strict(command + " " + arguments)) << command << " " << arguments;
            ExpectRefused(command);
        }
        EXPECT_EQ(desktop.now, 0u) << "a refused line waits for nothing";
    }
}

TEST_F(WindowWaitTest, OnlyAVisibleWindowCountsAndWaitActiveOnlyTheOneInFront) {
    struct Case {
        const char* line;
        FakeDesktop::Window window;
        bool inFront;
        bool goesOnAtOnce;
    };
    const Case cases[] = {
        {"WAIT_WINDOW \"Notes\" 1", {5, "Notes - Editor"}, false, true},
        {"WAIT_WINDOW \"Notes\" 1", {5, "Notes - Editor", false}, false, false},
        {"WAIT_WINDOW \"notes\" 1", {5, "Notes - Editor"}, false, false},
        {"WAIT_WINDOW \"Notes\" 1", {5, "Notes - Editor", true, false}, false, false},
        {"WAIT_ACTIVE \"Notes\" 1", {5, "Notes - Editor"}, false, false},
        {"WAIT_ACTIVE \"Notes\" 1", {5, "Notes - Editor"}, true, true},
        {"WAIT_ACTIVE \"Notes\" 1", {5, "Notes - Editor", false}, true, false},
        {"WAIT_ACTIVE \"Notes\"\r", {5, "Notes - Editor"}, true, true},
    };
    for (const Case& c : cases) {
        desktop.windows = {{4, "Keyloom"}, c.window};
        desktop.foreground = c.inFront ? c.window.handle : 4;
        strict.stopKey = 0;
        const uint32_t start = desktop.now;
        const bool done = Strict(c.line);
        EXPECT_EQ(done, c.goesOnAtOnce) << c.line;
        EXPECT_EQ(desktop.now - start, c.goesOnAtOnce ? 10u : 1000u) << c.line;
        desktop.boxes.clear();
    }
}

TEST_F(WindowWaitTest, TheWaitGoesOnSoonAfterTheWindowComesAndRunsOutAfterItsSeconds) {
    struct Case {
        InterpreterMode mode;
        const char* line;
        uint32_t comesAt;  // ms; 0 never
        uint32_t endsBy;
    };
    const Case cases[] = {
        {InterpreterMode::Strict, "WAIT_WINDOW \"Report\"", 500, 550},
        {InterpreterMode::Strict, "WAIT_WINDOW \"Report\"", 29000, 29050},
        {InterpreterMode::Lenient, "WAIT_ACTIVE \"Report\" 86400", 5000, 5050},
        {InterpreterMode::Strict, "WAIT_WINDOW \"Report\"", 0, 30000},
        {InterpreterMode::Lenient, "WAIT_ACTIVE \"Report\" 3", 0, 3000},
    };
    for (const Case& c : cases) {
        MacroInterpreter& interpreter = c.mode == InterpreterMode::Strict ? strict : lenient;
        desktop = FakeDesktop{};
        desktop.windows = {{4, "Keyloom"}};
        desktop.foreground = 4;
        if (c.comesAt)
            AtTime(c.comesAt, [this] {
                desktop.windows.push_back({9, "Weekly Report"});
                desktop.foreground = 9;
            });
        EXPECT_EQ(Execute(c.mode, c.line), c.comesAt != 0) << c.line;
        EXPECT_LE(desktop.now, c.endsBy + 10) << c.line;
        EXPECT_GE(desktop.now, c.comesAt ? c.comesAt : c.endsBy) << c.line;
        EXPECT_EQ(interpreter.stopKey, c.comesAt ? 0 : desk::KEY_ESCAPE) << c.line;
        interpreter.stopKey = 0;
    }
    EXPECT_EQ(desktop.BoxTexts(), std::vector<std::string>{});
}

TEST_F(WindowWaitTest, StrictTellsOfATimeOutWithTheCommandItsSecondsAndTheTitle) {
    EXPECT_FALSE(Strict("WAIT_ACTIVE \"Untitled - Notepad\" 2"));
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "WAIT_ACTIVE timed out after 2 seconds: \"Untitled - Notepad\"");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_EQ(strict.stopKey, desk::KEY_ESCAPE);
}

TEST_F(WindowWaitTest, EscapeOrPauseEndsTheWaitAndKeepsTheLineToWaitAgain) {
    for (int key : {desk::KEY_ESCAPE, desk::KEY_PAUSE}) {
        strict.stopKey = 0;
        const uint32_t pressed = desktop.now + 700;
        AtTime(pressed, [this, key] { desktop.Tap(key); });
        EXPECT_TRUE(Strict("WAIT_WINDOW \"Report\" 60"));
        EXPECT_LE(desktop.now - pressed, 10u);
        EXPECT_EQ(strict.stopKey, key);
        EXPECT_EQ(strict.unfinished.line, "WAIT_WINDOW \"Report\" 60");
    }
    EXPECT_TRUE(desktop.boxes.empty());
}

}  // namespace
