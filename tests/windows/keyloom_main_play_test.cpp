// Play, Pause and Stop of Keyloom's main window on a macro that types into a test window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/registry_probe_win32.h"
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
    // The speed set in Options stays in the test prefix's registry: the next test plays at 100.
    void TearDown() override { DeleteRegistryValue("Software\\Keyloom", "PlaySpeed"); }
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

// The Playback speed a user sets in Options governs the next Play: at 400 % the two-second
// DELAY between the two letters takes half a second.
TEST_F(KeyloomPlayTest, PlayRunsAtThePlaybackSpeedSetInOptions) {
    keyloom.Command(IDM_OPTIONS);
    ProgramBox options = keyloom.WaitForBox("Options");
    ASSERT_NE(options.window, nullptr);
    SetDlgItemTextA(options.window, IDC_OPTIONS_SPEED, "400");
    ASSERT_TRUE(keyloom.Click(options.window, IDOK));
    EXPECT_EQ(ReadRegistryValue("Software\\Keyloom", "PlaySpeed").value().Number(), 400u);

    keyloom.Select(0);
    keyloom.Command(IDC_PLAY);
    ASSERT_TRUE(target.WaitForText("a"));
    const DWORD typedA = GetTickCount();
    ASSERT_TRUE(target.WaitForText("ab")) << "typed: " << target.Text();
    const DWORD between = GetTickCount() - typedA;
    std::printf("DELAY 2000 at 400 %%: %lu ms between the letters\n",
                static_cast<unsigned long>(between));
    EXPECT_LT(between, 1200u) << "a DELAY of 2000 at 400 % takes 500 ms";
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
}

}  // namespace
