// The editor's Check: the lines a play would refuse, with their numbers, and nothing played.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/code_check.h"
#include "tests/support/fake_desktop.h"

namespace {

using Problems = std::vector<LineProblem>;

TEST(CodeCheckTest, ListsEachLineAPlayWouldRefuseWithTheMessageItWouldShow) {
    const std::vector<std::string> lines = {
        "MOVE_CURSOR 10 20",
        "",
        "MOVE_CURSOR 10  20",
        "MOVE_CURSOR x 20",
        "CLICK_MOUSE Centre Single",
        "TYPE \"say \"hi\"\"",
        "WAIT_WINDOW \"Notepad\" 0",
        "WAIT_ACTIVE \"Notepad\" 5",
        "RUN \"notepad.exe\"",
        "MSG_BOX \"Done\"",
        "SHUTDOWN Logoff",
        "SHUTDOWN Later",
        "DELAY",
        "PLAY_SOUND \"ding.wav\"",
        "comment: DELAY",
    };
    EXPECT_EQ(CheckCodeLines(lines),
              (Problems{{3, "MOVE_CURSOR command has incorrect parameters"},
                        {4, "MOVE_CURSOR command has invalid X or Y co-ordinate"},
                        {5, "CLICK_MOUSE command has incorrect parameters"},
                        {6, "TYPE command has incorrect parameters"},
                        {7, "WAIT_WINDOW command has incorrect parameters"},
                        {12, "SHUTDOWN command has incorrect parameters"},
                        {13, "DELAY command has incorrect parameters"}}));
}

TEST(CodeCheckTest, ShowsOneBoxThatListsTheProblemsOrSaysThereAreNone) {
    FakeDesktop desktop;
    ShowCodeCheck(desktop, 0x55, {"TYPE \"a\"", "SHUTDOWN Later", "PRESS_KEY"});
    ShowCodeCheck(desktop, 0x55, {"TYPE \"a\"", "", "DELAY 5"});
    std::vector<std::string> many(25, "DELAY");
    ShowCodeCheck(desktop, 0x55, many);
    ASSERT_EQ(desktop.boxes.size(), 3u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Line 2: SHUTDOWN command has incorrect parameters\r\n"
              "Line 3: PRESS_KEY command has incorrect parameters");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_EQ(desktop.boxes[0].owner, 0x55u);
    EXPECT_EQ(desktop.boxes[1].text, "No problems found");
    EXPECT_TRUE(desktop.boxes[2].text.ends_with(
        "Line 20: DELAY command has incorrect parameters\r\nand 5 more"));
    EXPECT_EQ(desktop.Actions().size(), 3u) << "the boxes alone: nothing is played";
    EXPECT_EQ(desktop.now, 0u);
}

}  // namespace
