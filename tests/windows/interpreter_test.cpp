// Macro lines carried out on the real desktop: typing, keys, windows of this and of another
// program, the pointer and the wait.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "macro/language/interpreter.h"
#include "tests/support/win32_test_helpers.h"

namespace {

// Given on the command line when this executable is started as the other program.
constexpr char CLOSE_TARGET_SWITCH[] = "--keyloom-close-target";

std::string CloseTargetTitle(DWORD processId) {
    return "Keyloom close target " + std::to_string(processId);
}

// A Strict line that fails shows a modal box: close any box this process opens, so that a
// fault fails the test instead of hanging it, and keep the captions seen.
class BoxCloser {
  public:
    BoxCloser() : watcher_([this] { Watch(); }) {}
    ~BoxCloser() {
        stop_ = true;
        watcher_.join();
    }
    std::vector<std::string> captions() {
        std::vector<std::string> copy;
        for (int i = 0; i < seen_.load(); ++i)
            copy.push_back(captions_[i]);
        return copy;
    }

  private:
    static constexpr int CAPACITY = 16;
    void Watch() {
        while (!stop_) {
            EnumWindows(CloseIfBox, reinterpret_cast<LPARAM>(this));
            Sleep(50);
        }
    }
    static BOOL CALLBACK CloseIfBox(HWND window, LPARAM context) {
        auto* self = reinterpret_cast<BoxCloser*>(context);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (processId != GetCurrentProcessId() || std::strcmp(className, "#32770") != 0 ||
            !IsWindowVisible(window))
            return TRUE;
        char caption[64] = "";
        GetWindowTextA(window, caption, sizeof caption);
        int index = self->seen_.load();
        if (index < CAPACITY) {
            self->captions_[index] = caption;
            self->seen_ = index + 1;
        }
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    std::string captions_[CAPACITY];
    std::thread watcher_;
};

class InterpreterTest : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_EQ(boxes.captions(), std::vector<std::string>{}); }
    bool Run(const std::string& line) { return ExecuteMacroLine(interpreter, line); }

    BoxCloser boxes;
    MacroInterpreter interpreter{TheDesktop(), InterpreterMode::Strict, 0, NO_WINDOW, {}};
};

TEST_F(InterpreterTest, TypeAndPressKeyLinesReachARealEditControl) {
    TestWindow window("Keyloom typing target");
    EXPECT_TRUE(Run("TYPE \"Hello, World!\"\r"));
    EXPECT_TRUE(Run("PRESS_KEY 13"));   // Enter
    EXPECT_TRUE(Run("PRESS_KEY 321"));  // Shift with A
    EXPECT_TRUE(Run("PRESS_KEY b"));
    EXPECT_TRUE(Run("PRESS_KEY ?"));
    const std::string expected = "Hello, World!\r\nAb?";
    EXPECT_TRUE(PumpUntil([&] { return window.Text() == expected; }, 5000)) << window.Text();
}

TEST_F(InterpreterTest, ACharacterWithoutAKeyArrivesIntact) {
    ASSERT_EQ(GetACP(), 1252u) << "the test text is in code page 1252";
    TestWindow window("Keyloom accent target");
    EXPECT_TRUE(Run("TYPE \"caf\xE9 \xC0 la cr\xE8me\""));
    const std::string expected = "caf\xE9 \xC0 la cr\xE8me";
    EXPECT_TRUE(PumpUntil([&] { return window.Text() == expected; }, 5000)) << window.Text();
}

// When started with the switch, this executable is the other program: its window must be asked
// to close (WM_CLOSE, the moment to ask about unsaved work) and then go away.
TEST(InterpreterCloseTarget, WindowIsAskedToClose) {
    if (!std::strstr(GetCommandLineA(), CLOSE_TARGET_SWITCH))
        GTEST_SKIP() << "runs only as the other program of CloseWindowAsksAnotherProgram";
    TestWindow window(CloseTargetTitle(GetCurrentProcessId()));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window.handle()); }, 20000));
    EXPECT_EQ(window.closeRequests, 1);
}

TEST_F(InterpreterTest, CloseWindowAsksAnotherProgramsWindowToClose) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    RunningProgram other(
        path, std::string("--gtest_filter=InterpreterCloseTarget.* ") + CLOSE_TARGET_SWITCH);
    const std::string title = CloseTargetTitle(other.id());
    ASSERT_NE(WaitForWindow(title, 20000), nullptr);
    EXPECT_TRUE(Run("CLOSE_WINDOW \"" + title + "\""));
    DWORD exitCode = 99;
    ASSERT_TRUE(other.WaitForExit(20000, &exitCode)) << "the other program did not end";
    EXPECT_EQ(exitCode, 0u) << "the other program's window was not closed through WM_CLOSE";
}

TEST_F(InterpreterTest, MinimizeActsOnTheFirstMatchingWindowOnly) {
    TestWindow one("Keyloom minimize target one");
    TestWindow two("Keyloom minimize target two");
    HWND first = FirstWindowContaining("Keyloom minimize target");
    HWND second = first == one.handle() ? two.handle() : one.handle();
    EXPECT_TRUE(Run("MINIMIZE_WINDOW \"Keyloom minimize target\""));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(first) != 0; }, 3000));
    PumpFor(100);
    EXPECT_FALSE(IsIconic(second));
}

TEST_F(InterpreterTest, FocusRestoresTheFirstMatchingWindowAndBringsItToTheFront) {
    TestWindow one("Keyloom focus target one");
    TestWindow two("Keyloom focus target two");
    ShowWindow(one.handle(), SW_MINIMIZE);
    ShowWindow(two.handle(), SW_MINIMIZE);
    TestWindow bystander("Keyloom bystander");
    HWND first = FirstWindowContaining("Keyloom focus target");
    HWND second = first == one.handle() ? two.handle() : one.handle();
    EXPECT_TRUE(Run("FOCUS_WINDOW \"Keyloom focus target\""));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == first; }, 3000));
    EXPECT_FALSE(IsIconic(first));
    EXPECT_TRUE(IsIconic(second));
}

TEST_F(InterpreterTest, FocusKeepsAMaximisedWindowMaximised) {
    TestWindow window("Keyloom maximised target");
    ShowWindow(window.handle(), SW_MAXIMIZE);
    TestWindow bystander("Keyloom bystander");
    SetForegroundWindow(bystander.handle());
    EXPECT_TRUE(Run("FOCUS_WINDOW \"Keyloom maximised target\""));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window.handle(); }, 3000));
    PumpFor(200);
    EXPECT_TRUE(IsZoomed(window.handle()));
}

TEST_F(InterpreterTest, MoveCursorMovesTheRealPointer) {
    TestWindow window("Keyloom pointer target");
    EXPECT_TRUE(Run("MOVE_CURSOR 321 234\r"));
    POINT point{};
    // The new position is read back once the input has been through a message pump.
    EXPECT_TRUE(PumpUntil(
        [&] {
            GetCursorPos(&point);
            return point.x == 321 && point.y == 234;
        },
        3000))
        << point.x << "," << point.y;
}

TEST_F(InterpreterTest, DelayWaitsAtLeastItsMilliseconds) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    EXPECT_TRUE(Run("DELAY 250"));
    QueryPerformanceCounter(&end);
    double elapsedMs = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                       static_cast<double>(frequency.QuadPart);
    EXPECT_GE(elapsedMs, 250.0);
}

}  // namespace
