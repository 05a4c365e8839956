// Macro lines carried out on the real desktop: typing, keys, windows of this and of another
// program, the pointer and the wait.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "macro/language/held_input.h"
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

// A bare top-most window in front, whose messages reach `owner` through `proc`: the owner is
// kept as the window's user data once the window exists.
class BareWindow {
  public:
    BareWindow(const char* className, const char* title, WNDPROC proc, void* owner) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(WS_EX_TOPMOST, className, title, WS_POPUP | WS_VISIBLE, 100, 100,
                                  300, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    ~BareWindow() { DestroyWindow(window_); }
    HWND handle() const { return window_; }

  private:
    HWND window_;
};

// A bare window that counts the wheel turns and the middle and side buttons it receives.
class MouseTarget {
  public:
    HWND handle() const { return window_.handle(); }

    int wheel = 0, horizontalWheel = 0, wheelMessages = 0;
    int middleDowns = 0, middleUps = 0, x1Downs = 0, x2Downs = 0, xUps = 0;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<MouseTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self) return DefWindowProcA(window, message, wParam, lParam);
        switch (message) {
            case WM_MOUSEWHEEL:
                self->wheel += GET_WHEEL_DELTA_WPARAM(wParam), ++self->wheelMessages;
                return 0;
            case WM_MOUSEHWHEEL:
                self->horizontalWheel += GET_WHEEL_DELTA_WPARAM(wParam), ++self->wheelMessages;
                return 0;
            case WM_MBUTTONDOWN:
                ++self->middleDowns;
                return 0;
            case WM_MBUTTONUP:
                ++self->middleUps;
                return 0;
            case WM_XBUTTONDOWN:
                ++(GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? self->x1Downs : self->x2Downs);
                return TRUE;
            case WM_XBUTTONUP:
                ++self->xUps;
                return TRUE;
            default:
                return DefWindowProcA(window, message, wParam, lParam);
        }
    }
    BareWindow window_{"KeyloomMouseTarget", "Keyloom mouse target", Proc, this};
};

TEST_F(InterpreterTest, WheelTurnsAndTheMiddleAndSideButtonsReachARealWindow) {
    MouseTarget target;
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == target.handle(); }, 3000));
    EXPECT_TRUE(Run("MOVE_CURSOR 250 250"));
    for (const char* line : {"MOUSE_WHEEL -360", "MOUSE_WHEEL 120\r", "MOUSE_HWHEEL 240",
                             "MOUSE_HWHEEL -40", "CLICK_MOUSE Middle Single", "MOUSE_DOWN X1",
                             "MOUSE_UP X1", "CLICK_MOUSE X2 Double", "MOUSE_DOWN middle"})
        EXPECT_TRUE(Run(line)) << line;
    ReleaseHeldInput(interpreter);  // as a play's end does
    EXPECT_TRUE(PumpUntil(
        [&] { return target.wheelMessages >= 4 && target.middleUps >= 2 && target.xUps >= 3; },
        5000));
    EXPECT_EQ(target.wheel, -240);
    EXPECT_EQ(target.horizontalWheel, 200);
    EXPECT_EQ(target.middleDowns, 2);
    EXPECT_EQ(target.middleUps, 2);
    EXPECT_EQ(target.x1Downs, 1);
    EXPECT_EQ(target.x2Downs, 2);
    EXPECT_EQ(target.xUps, 3);
}

// A bare window that keeps the scan code and extended bit of every key that goes down in it.
class ScanCodeTarget {
  public:
    HWND handle() const { return window_.handle(); }

    struct Down {
        int virtualKey, scanCode;
        bool extended;
        bool operator==(const Down&) const = default;
    };
    std::vector<Down> downs;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ScanCodeTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
            self->downs.push_back(Down{static_cast<int>(wParam),
                                       static_cast<int>((lParam >> 16) & 0xFF),
                                       ((lParam >> 24) & 1) != 0});
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    BareWindow window_{"KeyloomScanCodeTarget", "Keyloom scan target", Proc, this};
};

std::ostream& operator<<(std::ostream& out, const ScanCodeTarget::Down& down) {
    return out << down.virtualKey << ":" << std::hex << down.scanCode << std::dec
               << (down.extended ? " extended" : "");
}

// The codes of the US layout the test desktop has: letters, digits, and the keys that need the
// extended flag to be told from their keypad or left-hand twins.
TEST_F(InterpreterTest, EveryKeyCarriesTheLayoutsScanCodeAndTheExtendedFlag) {
    ScanCodeTarget target;
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == target.handle(); }, 3000));
    using Down = ScanCodeTarget::Down;
    const std::vector<std::pair<std::string, Down>> cases = {
        {"PRESS_KEY a", {'A', 0x1E, false}},         {"PRESS_KEY z", {'Z', 0x2C, false}},
        {"PRESS_KEY 49", {'1', 0x02, false}},        {"PRESS_KEY 48", {'0', 0x0B, false}},
        {"PRESS_KEY 37", {VK_LEFT, 0x4B, true}},     {"PRESS_KEY 38", {VK_UP, 0x48, true}},
        {"PRESS_KEY 39", {VK_RIGHT, 0x4D, true}},    {"PRESS_KEY 40", {VK_DOWN, 0x50, true}},
        {"PRESS_KEY 45", {VK_INSERT, 0x52, true}},   {"PRESS_KEY 46", {VK_DELETE, 0x53, true}},
        {"PRESS_KEY 36", {VK_HOME, 0x47, true}},     {"PRESS_KEY 35", {VK_END, 0x4F, true}},
        {"PRESS_KEY 33", {VK_PRIOR, 0x49, true}},    {"PRESS_KEY 34", {VK_NEXT, 0x51, true}},
        {"PRESS_KEY 111", {VK_DIVIDE, 0x35, true}},  {"PRESS_KEY 13", {VK_RETURN, 0x1C, false}},
        {"PRESS_KEY 163", {VK_CONTROL, 0x1D, true}}, {"PRESS_KEY 162", {VK_CONTROL, 0x1D, false}},
        {"PRESS_KEY 165", {VK_MENU, 0x38, true}},    {"PRESS_KEY 160", {VK_SHIFT, 0x2A, false}},
    };
    std::vector<Down> expected;
    for (const auto& [line, down] : cases) {
        EXPECT_TRUE(Run(line)) << line;
        expected.push_back(down);
    }
    EXPECT_TRUE(PumpUntil([&] { return target.downs.size() >= expected.size(); }, 5000));
    EXPECT_EQ(target.downs, expected);
    for (const Down& down : target.downs)
        std::printf("scan code seen: %d -> 0x%02X%s\n", down.virtualKey, down.scanCode,
                    down.extended ? " extended" : "");
}

}  // namespace
