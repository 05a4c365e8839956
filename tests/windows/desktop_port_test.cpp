// The real desktop does what the macro logic relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "macro/desktop/precise_wait_win32.h"
#include "macro/desktop/win32_desktop.h"
#include "tests/support/processor_time_win32.h"
#include "tests/support/win32_test_helpers.h"

namespace {

TEST(DesktopPortTest, CursorMovesAndReadsBack) {
    Win32Desktop& desktop = TheDesktop();
    TestWindow window("Cursor test");
    ASSERT_TRUE(desktop.SetCursorPos(123, 234));
    ScreenPoint point{};
    PumpUntil(
        [&] {
            point = desktop.GetCursorPos().value_or(ScreenPoint{});
            return point.x == 123;
        },
        2000);
    EXPECT_EQ(point.x, 123);
    EXPECT_EQ(point.y, 234);
}

TEST(DesktopPortTest, MonitorsSpanTheVirtualScreenWithThePrimaryAtTheOrigin) {
    const std::vector<ScreenRect> monitors = TheDesktop().EnumDisplayMonitors();
    ASSERT_FALSE(monitors.empty());
    ScreenRect span = monitors[0];
    bool primary = false;
    for (const ScreenRect& monitor : monitors) {
        primary = primary || (monitor.left == 0 && monitor.top == 0 &&
                              monitor.right == GetSystemMetrics(SM_CXSCREEN) &&
                              monitor.bottom == GetSystemMetrics(SM_CYSCREEN));
        span =
            ScreenRect{std::min(span.left, monitor.left), std::min(span.top, monitor.top),
                       std::max(span.right, monitor.right), std::max(span.bottom, monitor.bottom)};
    }
    EXPECT_TRUE(primary);
    EXPECT_EQ(span.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(span.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(span.right - span.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(span.bottom - span.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TEST(DesktopPortTest, SynthesisedKeyIsSeenDownAndAsPressedSinceTheLastQuery) {
    Win32Desktop& desktop = TheDesktop();
    TestWindow window("Key state test");
    desktop.GetAsyncKeyState('K');  // clear any earlier press
    desktop.keybd_event('K', 0);
    PumpFor(50);
    int16_t down = desktop.GetAsyncKeyState('K');
    EXPECT_NE(down & 0x8000, 0);
    desktop.keybd_event('K', desk::KEY_RELEASE);
    PumpFor(50);
    EXPECT_EQ(desktop.GetAsyncKeyState('K') & 0x8000, 0);
    EXPECT_EQ(window.Text(), "k");
}

TEST(DesktopPortTest, KeyScanFollowsTheUsLayout) {
    Win32Desktop& desktop = TheDesktop();
    EXPECT_EQ(desktop.VkKeyScanA('a'), 0x41);
    EXPECT_EQ(desktop.VkKeyScanA('A'), 0x141);
    EXPECT_EQ(desktop.VkKeyScanA('!'), 0x131);
}

TEST(DesktopPortTest, EnumWindowsFindsAHiddenWindowByTitle) {
    Win32Desktop& desktop = TheDesktop();
    TestWindow hidden("Keyloom hidden test window 42", false);
    bool found = false;
    desktop.EnumWindows([&](WindowHandle window) {
        if (desktop.GetWindowTextA(window, 100) == "Keyloom hidden test window 42") {
            found = window == reinterpret_cast<WindowHandle>(hidden.handle());
            return false;
        }
        return true;
    });
    EXPECT_TRUE(found);
    EXPECT_EQ(desktop.GetWindowTextA(reinterpret_cast<WindowHandle>(hidden.handle()), 8),
              "Keyloom");
}

TEST(DesktopPortTest, RegisteredHotKeyDeliversItsId) {
    Win32Desktop& desktop = TheDesktop();
    TestWindow window("Hot key test");
    WindowHandle handle = reinterpret_cast<WindowHandle>(window.handle());
    ASSERT_TRUE(
        desktop.RegisterHotKey(handle, 7, desk::HOTKEY_CONTROL | desk::HOTKEY_SHIFT, VK_F7));
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F7);
    EXPECT_TRUE(PumpUntil([&] { return !window.hotKeys.empty(); }))
        << "no WM_HOTKEY after the injected combination";
    ASSERT_FALSE(window.hotKeys.empty());
    EXPECT_EQ(window.hotKeys[0].first, 7u);
    EXPECT_TRUE(desktop.UnregisterHotKey(handle, 7));
    EXPECT_FALSE(desktop.UnregisterHotKey(handle, 7));
}

TEST(DesktopPortTest, OneShotTimerFiresOnceAndPeriodicUntilKilled) {
    Win32Desktop& desktop = TheDesktop();
    std::atomic<int> oneShot{0};
    std::atomic<int> periodic{0};
    ASSERT_NE(desktop.timeSetEvent(20, false, [&] { oneShot++; }), 0u);
    uint32_t id = desktop.timeSetEvent(10, true, [&] { periodic++; });
    ASSERT_NE(id, 0u);
    PumpFor(300);
    desktop.timeKillEvent(id);
    int afterKill = periodic.load();
    PumpFor(100);
    EXPECT_EQ(oneShot.load(), 1);
    EXPECT_GE(afterKill, 5);
    EXPECT_EQ(periodic.load(), afterKill);
}

TEST(DesktopPortTest, ThreadTimerRunsWhileMessagesAreDispatched) {
    Win32Desktop& desktop = TheDesktop();
    int fired = 0;
    uintptr_t id = desktop.SetTimer(1337, 50, [&] { fired++; });
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(PumpUntil([&] { return fired >= 2; }, 3000));
    desktop.KillTimer(id);
}

TEST(DesktopPortTest, WaitReturnsAfterTheDelay) {
    Win32Desktop& desktop = TheDesktop();
    DWORD start = GetTickCount();
    desktop.WaitPrecisely(250);
    EXPECT_GE(GetTickCount() - start, 240u);
    start = GetTickCount();
    desktop.WaitPrecisely(0);
    desktop.WaitPrecisely(-5);
    EXPECT_LT(GetTickCount() - start, 100u);
}

// Measured on the performance counter, which a pace or DELAY must never undercut.
TEST(DesktopPortTest, WaitNeverEndsEarlyOnThePerformanceCounter) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int milliseconds : {1, 5}) {
        for (int wait = 0; wait < 50; ++wait) {
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            TheDesktop().WaitPrecisely(milliseconds);
            QueryPerformanceCounter(&end);
            EXPECT_GE((end.QuadPart - start.QuadPart) * 1000, milliseconds * frequency.QuadPart)
                << milliseconds << " ms wait " << wait;
        }
    }
}

// Whichever way of sleeping the system leaves a wait: the host's delay, a high-resolution timer
// or the tick.
TEST(DesktopPortTest, EverySleeperEndsItsWaitOnTheDeadline) {
    for (Sleeper sleeper :
         {Sleeper::HostDelay, Sleeper::HighResolutionTimer, Sleeper::SystemTick}) {
        WaitClock clock(sleeper);
        for (int milliseconds : {1, 5}) {
            for (int wait = 0; wait < 20; ++wait) {
                const int64_t due = CounterMicroseconds() + milliseconds * 1000;
                clock.WaitUntil(due);
                EXPECT_GE(CounterMicroseconds(), due)
                    << "sleeper " << static_cast<int>(sleeper) << ", " << milliseconds
                    << " ms wait " << wait;
            }
        }
        const int64_t start = CounterMicroseconds();
        clock.WaitUntil(start - 1000);
        EXPECT_LT(CounterMicroseconds() - start, 50000) << "a past deadline returns at once";
    }
}

// A DELAY of more than a day sleeps like any other, rather than spinning through it.
TEST(DesktopPortTest, AWaitOfMoreThanADaySleeps) {
    HANDLE waiter = CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            WaitOnCounter(30 * 3600 * 1000);
            return 0;
        },
        nullptr, 0, nullptr);
    ASSERT_NE(waiter, nullptr);
    Sleep(700);
    EXPECT_EQ(WaitForSingleObject(waiter, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_LT(ThreadProcessorMilliseconds(waiter), 100.0);
    TerminateThread(waiter, 0);
    CloseHandle(waiter);
}

}  // namespace
