// Window commands, message boxes, sounds, programs, web addresses and the session end.
#include "tests/unit/interpreter_fixture.h"

namespace {

class InterpreterSystemTest : public InterpreterFixture {
  protected:
    void SetUp() override {
        desktop.windows = {{0x10, "Untitled - Notepad"}, {0x20, "Report - Notepad"}};
    }
};

TEST_F(InterpreterSystemTest, WindowCommandsActOnTheFirstMatchingTitle) {
    EXPECT_TRUE(Strict("CLOSE_WINDOW \"Notepad\"\r"));
    EXPECT_TRUE(Strict("MINIMIZE_WINDOW \"Report\""));
    EXPECT_TRUE(Lenient("FOCUS_WINDOW \"Report\""));
    EXPECT_EQ(TakeActions(), (Actions{"RequestWindowClose 16", PACE, "ShowWindow 32 6", PACE,
                                      "ShowWindow 32 9", "SetForegroundWindow 32", PACE}));
    EXPECT_EQ(lenient.targetTitle, "Report");
}

TEST_F(InterpreterSystemTest, TwoSpacesBeforeTheQuotedTitleAreOneSeparator) {
    EXPECT_TRUE(Strict("MINIMIZE_WINDOW  \"Report\""));
    EXPECT_EQ(TakeActions(), (Actions{"ShowWindow 32 6", PACE}));
    EXPECT_EQ(strict.targetTitle, "Report");
}

TEST_F(InterpreterSystemTest, NoMatchingWindowCountsAsDone) {
    EXPECT_TRUE(Strict("CLOSE_WINDOW \"notepad\""));
    EXPECT_EQ(TakeActions(), Actions{PACE});
}

TEST_F(InterpreterSystemTest, ARefusedFocusIsReportedByStrictAndStillCountsAsDone) {
    desktop.windows[1].refusesForeground = true;
    EXPECT_TRUE(Strict("FOCUS_WINDOW \"Report\""));
    EXPECT_EQ(TakeActions(),
              (Actions{"SetForegroundWindow 32",
                       "MessageBoxA Error: Failed to focus window \"Report - Notepad\"", PACE}));
    EXPECT_EQ(desktop.boxes.back().owner, MAIN_WINDOW);
    EXPECT_TRUE(Lenient("FOCUS_WINDOW \"Report\""));
    EXPECT_EQ(TakeActions(), (Actions{"SetForegroundWindow 32", PACE}));
}

TEST_F(InterpreterSystemTest, MessageBoxIsCaptionedKeyloomWithoutOwner) {
    for (InterpreterMode mode : {InterpreterMode::Strict, InterpreterMode::Lenient}) {
        EXPECT_TRUE(Execute(mode, "MSG_BOX \"Backup done\""));
        EXPECT_EQ(TakeActions(), (Actions{"MessageBoxA Keyloom: Backup done", PACE}));
        EXPECT_EQ(desktop.boxes.back().owner, NO_WINDOW);
        EXPECT_EQ(desktop.boxes.back().style, desk::BOX_OK);
    }
}

TEST_F(InterpreterSystemTest, PlaySoundFailureIsReportedByStrictOnly) {
    EXPECT_TRUE(Strict("PLAY_SOUND \"C:\\ding.wav\""));
    EXPECT_EQ(TakeActions(), (Actions{"PlaySoundA C:\\ding.wav", PACE}));
    desktop.soundPlays = false;
    EXPECT_FALSE(Strict("PLAY_SOUND \"C:\\ding.wav\""));
    EXPECT_EQ(TakeActions(), (Actions{"PlaySoundA C:\\ding.wav",
                                      "MessageBoxA Error: Failed to play \"C:\\ding.wav\""}));
    EXPECT_EQ(desktop.boxes.back().owner, NO_WINDOW);
    EXPECT_EQ(desktop.boxes.back().style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_TRUE(Lenient("PLAY_SOUND \"C:\\ding.wav\""));
    EXPECT_EQ(TakeActions(), (Actions{"PlaySoundA C:\\ding.wav", PACE}));
}

TEST_F(InterpreterSystemTest, RunOpensWithTheMainWindowAsOwnerInBothModes) {
    EXPECT_TRUE(Strict("RUN \"notepad.exe\""));
    EXPECT_TRUE(Lenient("RUN  \"notepad.exe\""));
    EXPECT_EQ(TakeActions(), (Actions{"ShellExecuteA 119 notepad.exe 1", PACE,
                                      "ShellExecuteA 119 notepad.exe 1", PACE}));
}

TEST_F(InterpreterSystemTest, OpenUrlHasNoOwnerInKeyloomAndTheMainWindowInTheScheduler) {
    EXPECT_TRUE(Strict("OPEN_URL \"http://example.com\""));
    EXPECT_TRUE(Lenient("OPEN_URL \"http://example.com\""));
    EXPECT_EQ(TakeActions(), (Actions{"ShellExecuteA 0 http://example.com 1", PACE,
                                      "ShellExecuteA 119 http://example.com 1", PACE}));
}

TEST_F(InterpreterSystemTest, ShellFailuresOf32OrLessAreReportedByStrictOnly) {
    desktop.shellResult = 32;
    EXPECT_FALSE(Strict("RUN \"missing.exe\""));
    EXPECT_FALSE(Strict("OPEN_URL \"bad:\""));
    EXPECT_EQ(TakeActions(),
              (Actions{"ShellExecuteA 119 missing.exe 1",
                       "MessageBoxA Error: Failed to execute \"missing.exe\"",
                       "ShellExecuteA 0 bad: 1", "MessageBoxA Error: Failed to open \"bad:\""}));
    EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
    EXPECT_EQ(desktop.boxes[1].owner, NO_WINDOW);
    EXPECT_TRUE(Lenient("RUN \"missing.exe\""));
    EXPECT_TRUE(Lenient("OPEN_URL \"bad:\""));
    EXPECT_EQ(desktop.boxes.size(), 2u);
    desktop.shellResult = 33;
    EXPECT_TRUE(Strict("RUN \"notepad.exe\""));
}

TEST_F(InterpreterSystemTest, PowerOffAndRestartEnableThePrivilegeAndAreForced) {
    struct Case {
        const char* line;
        Actions actions;
    };
    const Case cases[] = {
        {"SHUTDOWN Shutdown",
         {"EnableShutdownPrivilege", "ExitWindowsEx 12", "ExitWindowsEx 5", PACE}},
        {"SHUTDOWN poweroff\r",
         {"EnableShutdownPrivilege", "ExitWindowsEx 12", "ExitWindowsEx 5", PACE}},
        {"SHUTDOWN Restart",
         {"EnableShutdownPrivilege", "ExitWindowsEx 6", "ExitWindowsEx 6", PACE}},
        {"SHUTDOWN reboot",
         {"EnableShutdownPrivilege", "ExitWindowsEx 6", "ExitWindowsEx 6", PACE}},
        {"SHUTDOWN Logoff", {"ExitWindowsEx 0", PACE}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Strict(c.line)) << c.line;
        EXPECT_EQ(TakeActions(), c.actions) << c.line;
    }
}

TEST_F(InterpreterSystemTest, TheSecondSessionRequestIsMadeWhateverTheFirstGave) {
    desktop.privilegeGranted = false;
    desktop.sessionEnds = false;
    EXPECT_TRUE(Strict("SHUTDOWN Restart"));
    EXPECT_EQ(TakeActions(), (Actions{"EnableShutdownPrivilege", "ExitWindowsEx 6", PACE}));
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(InterpreterSystemTest, AnUnknownSessionOptionIsRefusedByStrictAndIgnoredByLenient) {
    EXPECT_FALSE(Strict("SHUTDOWN Hibernate"));
    ExpectRefused("SHUTDOWN");
    EXPECT_TRUE(Lenient("SHUTDOWN Hibernate"));
    EXPECT_EQ(TakeActions(), Actions{PACE});
}

}  // namespace
