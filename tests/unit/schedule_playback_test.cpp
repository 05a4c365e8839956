#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "scheduler/engine/appointments.h"
#include "scheduler/engine/schedule_history.h"
#include "scheduler/engine/scheduled_playback.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/memory_file_system.h"

namespace {

constexpr WindowHandle MAIN_WINDOW = 55;

class SchedulePlaybackTest : public ::testing::Test {
  protected:
    void SetUp() override { playback.SetMainWindow(MAIN_WINDOW); }
    void Play(const std::string& code, const std::string& properties = "") {
        const std::string path =
            disk.Write("m.mro", "NAME \"m\";\r\n" + properties + "START\r\n" + code + "END\r\n");
        playRecord = Macro{};
        ASSERT_TRUE(
            LoadMacroFile(disk, desktop, SchedulerLoadRules(MAIN_WINDOW), path, playRecord));
        end = playback.PlayMacro(playRecord);
    }
    bool Called(const std::string& call) const {
        return std::find(desktop.calls.begin(), desktop.calls.end(), call) != desktop.calls.end();
    }

    MemoryFileSystem disk;
    FakeDesktop desktop;
    Macro playRecord;
    ScheduledPlayback playback{desktop, disk};
    PlayEnd end = PlayEnd::FileLost;
};

TEST_F(SchedulePlaybackTest, PlaysLenientlyWithTheMainWindowAsOwnerOfRun) {
    Play("MOVE_CURSOR 0 0\r\nRUN \"notepad\"\r\nMOUSE_DOWN Middle\r\nSHIFT_DOWN\r\n");
    EXPECT_TRUE(Called("SetCursorPos 0 0"));  // no zero test, no messages
    EXPECT_TRUE(Called("ShellExecuteA 55 notepad 1"));
    EXPECT_TRUE(Called("keybd_event 16 0"));
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SchedulePlaybackTest, PacesByThePlayRecordsSpeed) {
    Play("SHIFT_DOWN\r\n", "TIME 37;\r\n");
    EXPECT_EQ(playRecord.speed, 37);
    EXPECT_GE(desktop.now, 2u * 37u);  // the START step and the command line
    EXPECT_LT(desktop.now, 3u * 37u);
}

TEST_F(SchedulePlaybackTest, PauseStopsAPlayThatRepeatsUntilStoppedAndLetsGoOfItsKeys) {
    desktop.onCall = [&](const std::string& call) {
        if (call == "keybd_event 16 0") desktop.Tap(desk::KEY_PAUSE);
    };
    Play("SHIFT_DOWN\r\nPRESS_KEY 65\r\n", "PLAY_STYLE 2;\r\n");
    EXPECT_FALSE(Called("keybd_event 65 0"));
    EXPECT_TRUE(desktop.KeysDown().empty()) << "Shift released";
}

// How a play ends is the word its history line shows: a wait for a window that runs out ends
// the play without a box, and what follows it is not typed.
TEST_F(SchedulePlaybackTest, AWindowThatDidNotAppearIsTheHistorysOwnOutcome) {
    struct Case {
        const char* code;
        bool escapeInWait;
        const char* outcome;
    };
    const Case cases[] = {
        {"PRESS_KEY 65\r\n", false, "played"},
        {"WAIT_WINDOW \"Nowhere\" 1\r\nPRESS_KEY 65\r\n", false, "stopped (window did not appear)"},
        {"WAIT_ACTIVE \"Nowhere\"\r\nPRESS_KEY 65\r\n", false, "stopped (window did not appear)"},
        {"WAIT_WINDOW \"Nowhere\" 1\r\nPRESS_KEY 65\r\n", true, "stopped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        desktop = FakeDesktop{};
        bool tapped = false;
        if (c.escapeInWait)
            desktop.onCall = [&](const std::string&) {
                if (!tapped && desktop.now > 500) desktop.Tap(desk::KEY_ESCAPE), tapped = true;
            };
        Play(c.code);
        EXPECT_EQ(OutcomeWord(PlayOutcome(end, false)), c.outcome);
        EXPECT_EQ(Called("keybd_event 65 0"), c.outcome == std::string("played"));
        EXPECT_TRUE(desktop.boxes.empty());
    }
}

}  // namespace
