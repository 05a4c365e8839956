// The search for a top-level window by its title and the actions on the window found.
#include <gtest/gtest.h>

#include <string>

#include "macro/language/window_matching.h"
#include "tests/support/fake_desktop.h"

namespace {

constexpr WindowHandle MAIN = 0x77;

class WindowMatchingTest : public ::testing::Test {
  protected:
    std::vector<std::string> Act(std::string_view title, WindowAction action,
                                 InterpreterMode mode = InterpreterMode::Strict) {
        interpreter.mode = mode;
        desktop.calls.clear();
        ActOnMatchingWindow(interpreter, title, action);
        return desktop.Actions();
    }
    FakeDesktop desktop;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 10, MAIN, {}};
};

using Actions = std::vector<std::string>;

TEST_F(WindowMatchingTest, OnlyTheFirstOfTwoMatchingWindowsIsActedOn) {
    desktop.windows = {{1, "Calculator"}, {2, "Notes - Editor"}, {3, "Todo - Editor"}};
    EXPECT_EQ(Act("Editor", WindowAction::Close), Actions{"RequestWindowClose 2"});
    EXPECT_TRUE(desktop.windows[2].alive);
    EXPECT_EQ(Act("Editor", WindowAction::Minimize), Actions{"ShowWindow 3 6"});
}

TEST_F(WindowMatchingTest, TheSearchIsCaseSensitive) {
    desktop.windows = {{1, "REPORT.TXT"}, {2, "report.txt"}};
    EXPECT_EQ(Act("report", WindowAction::Minimize), Actions{"ShowWindow 2 6"});
    EXPECT_EQ(Act("Report", WindowAction::Minimize), Actions{});
}

TEST_F(WindowMatchingTest, OnlyTheFirst98CharactersOfATitleAreSeen) {
    std::string title = std::string(97, 'x') + "AB";
    desktop.windows = {{1, title}};
    EXPECT_EQ(Act("xA", WindowAction::Minimize), Actions{"ShowWindow 1 6"});
    EXPECT_EQ(Act("AB", WindowAction::Minimize), Actions{});
}

TEST_F(WindowMatchingTest, HiddenWindowsCountAndDeadOrUntitledOnesDoNot) {
    desktop.windows = {{1, "Keyloom job", true, false}, {2, ""}, {3, "Keyloom job", false}};
    EXPECT_EQ(Act("job", WindowAction::Minimize), Actions{"ShowWindow 3 6"});
}

TEST_F(WindowMatchingTest, AnEmptyTextMatchesNoWindow) {
    desktop.windows = {{1, "Calculator"}};
    EXPECT_EQ(Act("", WindowAction::Close), Actions{});
}

TEST_F(WindowMatchingTest, ARefusedFocusNamesTheWindowsOwnTitleAndEndsTheSearch) {
    desktop.windows = {{1, "Daily Report - Editor", true, true, true}, {2, "Report"}};
    EXPECT_EQ(Act("Report", WindowAction::Focus),
              (Actions{"SetForegroundWindow 1",
                       "MessageBoxA Error: Failed to focus window \"Daily Report - Editor\""}));
    EXPECT_EQ(desktop.boxes.back().owner, MAIN);
    EXPECT_EQ(desktop.boxes.back().style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_EQ(Act("Report", WindowAction::Focus, InterpreterMode::Lenient),
              (Actions{"SetForegroundWindow 1"}));
}

TEST_F(WindowMatchingTest, FocusRestoresAMinimisedWindowOnlyAndBringsAnyToTheFront) {
    for (bool minimized : {false, true}) {
        desktop.windows = {{1, "Browser", true, true, false, minimized}};
        const Actions front{"SetForegroundWindow 1"};
        const Actions restored{"ShowWindow 1 9", "SetForegroundWindow 1"};
        EXPECT_EQ(Act("Browser", WindowAction::Focus), minimized ? restored : front);
        EXPECT_EQ(desktop.foreground, 1u);
    }
}

TEST_F(WindowMatchingTest, TheSearchedTextIsKeptUpTo299Characters) {
    Act("Calc", WindowAction::Minimize);
    EXPECT_EQ(interpreter.targetTitle, "Calc");
    Act(std::string(400, 'y'), WindowAction::Minimize);
    EXPECT_EQ(interpreter.targetTitle, std::string(299, 'y'));
}

}  // namespace
