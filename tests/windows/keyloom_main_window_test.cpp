// Keyloom.exe started as a user starts it: the last macro list, the details pane, the single
// instance, the playback buttons and the list commands through the real dialogs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr int EXIT_TIMEOUT_MS = 15000;

class KeyloomMainWindowTest : public ::testing::Test {
  protected:
    // Macro files "Alpha" (Ctrl+Shift+F5, enabled) and "Beta" (no trigger, disabled), and a
    // list of both that the previous run left as LastFileName.
    void SetUp() override {
        alpha = dir.Write("alpha.mro", MacroFileText("Alpha", "", "116 1 1 0", "First macro"));
        beta = dir.Write("beta.mro", MacroFileText("Beta", "", "0 0 0 0", "Second", false));
        list = dir.Write("library.lst", alpha + "\r\n" + beta + "\r\n");
        WriteKeyloomSettings(list);
    }
    // Starts the program and waits until its window is up with its list.
    void Start(KeyloomDriver& keyloom) {
        ASSERT_NE(keyloom.WaitForMainWindow(), nullptr) << "no main window";
        ASSERT_TRUE(keyloom.WaitUntilVisible(true)) << "main window never shown";
    }
    void Exit(KeyloomDriver& keyloom) {
        keyloom.Command(IDM_EXIT);
        DWORD exitCode = 99;
        ASSERT_TRUE(keyloom.WaitForExit(EXIT_TIMEOUT_MS, &exitCode)) << "Exit did not end it";
        EXPECT_EQ(exitCode, 0u);
    }

    TempDir dir;
    std::string alpha;
    std::string beta;
    std::string list;
};

TEST_F(KeyloomMainWindowTest, StartReopensTheLastListAndSelectingShowsTheDetails) {
    KeyloomDriver keyloom;
    Start(keyloom);
    EXPECT_EQ(keyloom.ListEntries(), (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_EQ(keyloom.Selection(), -1);
    EXPECT_TRUE(keyloom.ControlEnabled(IDC_PLAY));
    EXPECT_FALSE(keyloom.ControlEnabled(IDC_PAUSE));
    EXPECT_FALSE(keyloom.ControlEnabled(IDC_STOP));
    EXPECT_FALSE(keyloom.ControlEnabled(IDC_TRIGGER_DISPLAY));  // display only

    keyloom.Select(0);
    EXPECT_EQ(keyloom.ControlText(IDC_DESCRIPTION), "First macro");
    EXPECT_EQ(SendDlgItemMessageW(keyloom.main(), IDC_TRIGGER_DISPLAY, HKM_GETHOTKEY, 0, 0),
              MAKEWORD(VK_F5, HOTKEYF_SHIFT | HOTKEYF_CONTROL));
    EXPECT_EQ(keyloom.ControlText(IDC_ENABLED_TEXT), "YES");
    keyloom.Select(1);
    EXPECT_EQ(keyloom.ControlText(IDC_DESCRIPTION), "Second");
    EXPECT_EQ(SendDlgItemMessageW(keyloom.main(), IDC_TRIGGER_DISPLAY, HKM_GETHOTKEY, 0, 0), 0);
    EXPECT_EQ(keyloom.ControlText(IDC_ENABLED_TEXT), "NO");

    keyloom.Command(IDM_EXIT);  // nothing changed: no question
    DWORD exitCode = 99;
    ASSERT_TRUE(keyloom.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ReadKeyloomLastFileName(), list);
}

TEST_F(KeyloomMainWindowTest, ASecondStartIsRefusedWhileAWindowIsTitledExactlyKeyloom) {
    KeyloomDriver first;
    Start(first);
    KeyloomDriver second;
    ProgramBox box = second.WaitForBox("Error");
    ASSERT_NE(box.window, nullptr) << "no refusal";
    EXPECT_EQ(box.text, "An instance of Keyloom is already running");
    second.Click(box.window, IDOK);
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 1u);
    Exit(first);

    TestWindow impostor("Keyloom");  // any top-level window of that exact title
    KeyloomDriver third;
    ProgramBox refused = third.WaitForBox("Error");
    ASSERT_NE(refused.window, nullptr);
    third.Click(refused.window, IDOK);
    ASSERT_TRUE(third.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(KeyloomMainWindowTest, WindowsTitledAlmostKeyloomDoNotBlockTheStart) {
    TestWindow scheduler("Keyloom Scheduler");
    TestWindow lower("keyloom");
    KeyloomDriver keyloom;
    Start(keyloom);
    Exit(keyloom);
}

}  // namespace
