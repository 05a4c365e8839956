// Keyloom Scheduler on a desktop at 144 DPI (a prefix of its own at that scale): the program is
// per-monitor DPI aware, and its window is laid out whole and follows a move to a monitor of
// another scale and back.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "macro/file/text_field.h"
#include "resources/scheduler_ids.h"
#include "scheduler/window/scheduler_program_win32.h"
#include "tests/support/dialog_probe_win32.h"
#include "tests/support/dpi_probe_win32.h"
#include "tests/support/fake_settings_store.h"
#include "tests/support/scheduler_driver_win32.h"
#include "tests/support/temp_files.h"
#include "ui/dpi_awareness_win32.h"

namespace {

const std::string EMPTY_SCHEDULE = "//Created by Keyloom Scheduler\r\n//\r\n";

TEST(SchedulerProgramAtHighDpiTest, IsPerMonitorDpiAware) {
    TempDir dir;
    WriteSchedulerSettings(dir.Write("empty.scl", EMPTY_SCHEDULE));
    SchedulerDriver scheduler;
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(scheduler.WaitUntilVisible(true));
    EXPECT_EQ(DpiAwareness(scheduler.main()), PER_MONITOR_AWARE);
    scheduler.Command(IDM_SCHEDULER_EXIT);  // a saved, unchanged schedule: no question
    DWORD exitCode = 99;
    EXPECT_TRUE(scheduler.WaitForExit(10000, &exitCode));
}

class SchedulerWindowAtHighDpiTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { BecomePerMonitorDpiAware(); }
    // Runs the window modally; `script` drives it from another thread, then it is exited.
    void Run(const std::function<void(HWND)>& script) {
        CopyText(program.table.scheduleFileName, dir.Write("empty.scl", EMPTY_SCHEDULE));
        RunWindowToExit(
            "Keyloom Scheduler", [&] { return RunSchedulerWindow(program); }, IDM_SCHEDULER_EXIT,
            script);
    }

    TempDir dir;
    FakeSettingsStore store;
    Settings settings{};
    SettingsContext context{SCHEDULER_SETTINGS, store, TheDesktop(), settings};
    SchedulerProgram program{TheDesktop(), RealFileSystem(), context};
};

TEST_F(SchedulerWindowAtHighDpiTest, IsLaidOutWholeAndFollowsAMoveToAnotherScaleAndBack) {
    Run([&](HWND window) {
        ExpectToFollowAMoveAndBack(window, GetDlgItem(window, IDC_SCHEDULE_LIST));
    });
}

}  // namespace
