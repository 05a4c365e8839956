// Play, Pause and Stop of Keyloom's main window on a macro that types into a test window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr char TARGET_TITLE[] = "Play target";

// Types "a", waits two seconds, then types "b"; each TYPE brings the target to the front.
const std::string TYPIST_CODE =
    "FOCUS_WINDOW \"Play target\"\r\n"
    "TYPE \"a\"\r\n"
    "DELAY 2000\r\n"
    "FOCUS_WINDOW \"Play target\"\r\n"
    "TYPE \"b\"\r\n";

class KeyloomPlayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string typist = dir.Write(
            "typist.mro", MacroFileText("Typist", TYPIST_CODE, "0 0 0 0", "Types", false));
        WriteKeyloomSettings(dir.Write("play.lst", typist + "\r\n"));
        ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    }
    void ExpectButtons(bool play, bool pause, bool stop) {
        EXPECT_EQ(keyloom.ControlEnabled(IDC_PLAY), play);
        EXPECT_EQ(keyloom.ControlEnabled(IDC_PAUSE), pause);
        EXPECT_EQ(keyloom.ControlEnabled(IDC_STOP), stop);
    }

    TempDir dir;
    TypingTarget target{TARGET_TITLE};
    KeyloomDriver keyloom;
};

TEST_F(KeyloomPlayTest, PlayHidesTheWindowPlaysADisabledMacroAndRestoresTheWindow) {
    keyloom.Command(IDC_PLAY);  // nothing selected
    ProgramBox box = keyloom.WaitForBox("Keyloom");
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Please select a macro");
    keyloom.Click(box.window, IDOK);

    keyloom.Select(0);
    keyloom.Command(IDC_PLAY);
    ASSERT_TRUE(target.WaitForText("a")) << "typed: " << target.Text();
    EXPECT_FALSE(keyloom.Visible());
    ExpectButtons(false, true, true);
    ASSERT_TRUE(target.WaitForText("ab")) << "typed: " << target.Text();
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    ExpectButtons(true, false, false);
}

TEST_F(KeyloomPlayTest, ThePauseKeyKeepsThePlacePlayResumesThereAndStopForgetsIt) {
    keyloom.Select(0);
    keyloom.Command(IDC_PLAY);
    ASSERT_TRUE(target.WaitForText("a"));
    TapKey(VK_PAUSE);  // during the two-second DELAY
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    EXPECT_EQ(target.Text(), "a");
    ExpectButtons(true, false, true);  // a paused play can be reset

    keyloom.Command(IDC_PLAY);  // resumes at the step after the DELAY
    ASSERT_TRUE(target.WaitForText("ab")) << "typed: " << target.Text();
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    ExpectButtons(true, false, false);

    target.Clear();
    keyloom.Command(IDC_PLAY);
    ASSERT_TRUE(target.WaitForText("a"));
    TapKey(VK_PAUSE);
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    ASSERT_TRUE(keyloom.Run(IDC_STOP));
    EXPECT_TRUE(keyloom.ControlEnabled(IDC_STOP));  // stays enabled
    keyloom.Command(IDC_PLAY);                      // from the beginning again
    ASSERT_TRUE(target.WaitForText("aab")) << "typed: " << target.Text();
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
}

}  // namespace
