// Keyloom on a desktop at 144 DPI (a prefix of its own at that scale): the main window and the
// editor are laid out whole, follow a move to a monitor of another scale and back, and a
// pointer position that the recorder writes plays back to the same physical pixel.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "library/program/main_window_win32.h"
#include "settings/settings.h"
#include "tests/support/dialog_probe_win32.h"
#include "tests/support/dpi_probe_win32.h"
#include "tests/support/fake_settings_store.h"
#include "tests/windows/keyloom_editor_fixture.h"
#include "ui/dpi_awareness_win32.h"

namespace {

using ::testing::IsEmpty;
using namespace editor_test;

TEST(HighDpiDesktopTest, TheDesktopIsAt144DpiAndTheProgramsAskForPerMonitorAwareness) {
    EXPECT_EQ(DesktopDpi(), static_cast<int>(DESKTOP_DPI)) << "the prefix's LogPixels";
    BecomePerMonitorDpiAware();  // as both programs do first
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(DpiAwareness(window), PER_MONITOR_AWARE);
    EXPECT_EQ(DpiOfWindow(window), DESKTOP_DPI);
    DestroyWindow(window);
}

class MainWindowAtHighDpiTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        BecomePerMonitorDpiAware();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
    }
    // Runs the main window modally; `script` drives it from another thread, then it is exited.
    void Run(const std::function<void(HWND)>& script) {
        RunWindowToExit(
            "Keyloom", [&] { return RunMainWindow(program); }, IDM_EXIT, script);
    }

    FakeSettingsStore store;
    Settings settings{};
    SettingsContext context{KEYLOOM_SETTINGS, store, TheDesktop(), settings};
    std::unique_ptr<MacroTable> table = std::make_unique<MacroTable>();
    PlayState playState;
    EditorState editorState;
    std::unique_ptr<RecorderState> recorder = std::make_unique<RecorderState>();
    KeyloomProgram program{GetModuleHandleA(nullptr),
                           TheDesktop(),
                           context,
                           *table,
                           playState,
                           editorState,
                           *recorder,
                           false};
};

TEST_F(MainWindowAtHighDpiTest, IsLaidOutWholeAndFollowsAMoveToAnotherScaleAndBack) {
    Run([&](HWND window) {
        EXPECT_EQ(PlaceOf(window, IDC_MAIN_BANNER).right, ClientOf(window).right)
            << "the banner spans the window";
        ExpectToFollowAMoveAndBack(window, GetDlgItem(window, IDC_MACRO_LIST), [&] {
            EXPECT_EQ(PlaceOf(window, IDC_MAIN_BANNER).right, ClientOf(window).right);
        });
    });
}

class EditorAtHighDpiTest : public EditorWindowTest {
  protected:
    static void SetUpTestSuite() {
        EditorWindowTest::SetUpTestSuite();
        BecomePerMonitorDpiAware();
    }
    static void HoldKey(WORD virtualKey) {
        SendKey(virtualKey, false);
        PumpFor(120);
        SendKey(virtualKey, true);
        PumpFor(60);
    }
};

TEST_F(EditorAtHighDpiTest, IsLaidOutWholeAndFollowsAMoveToAnotherScaleAndBack) {
    Open();
    EXPECT_THAT(LayoutProblems(editor), IsEmpty());
    const LONG fontHeight = FontHeight(Control(IDC_EDITOR_NAME));
    EXPECT_EQ(FontHeight(Control(IDC_CODE)), fontHeight) << "the code at the dialog font's height";
    const RECT opened = WindowRectOf(editor);
    const RECT openedClient = ClientOf(editor);
    const std::vector<RECT> places = ControlRects(editor);

    SendDpiChange(editor, OTHER_MONITOR_DPI,
                  ScaledWindowRect(opened, DESKTOP_DPI, OTHER_MONITOR_DPI));
    ExpectSmallerAtTheSameCorner(editor, opened, openedClient);
    EXPECT_EQ(FontHeight(Control(IDC_EDITOR_NAME)), AtOtherMonitor(fontHeight));
    EXPECT_EQ(FontHeight(Control(IDC_CODE)), AtOtherMonitor(fontHeight));
    EXPECT_TRUE(IsFixedPitchFont(Control(IDC_CODE)));
    EXPECT_THAT(LayoutProblems(editor), IsEmpty());
    MINMAXINFO limits{};
    SendMessageA(editor, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const RECT moved = WindowRectOf(editor);
    EXPECT_EQ(limits.ptMinTrackSize.x, moved.right - moved.left)
        << "the template's size at the new scale is the smallest";
    EXPECT_EQ(limits.ptMinTrackSize.y, moved.bottom - moved.top);

    // Made larger at the new scale, the code box takes the room and OK follows the corner.
    const RECT code = PlaceOf(editor, IDC_CODE);
    const RECT ok = PlaceOf(editor, IDC_EDITOR_OK);
    SetWindowPos(editor, nullptr, 0, 0, moved.right - moved.left + 90,
                 moved.bottom - moved.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(PlaceOf(editor, IDC_CODE).right, code.right + 90);
    EXPECT_EQ(PlaceOf(editor, IDC_CODE).bottom, code.bottom + 60);
    EXPECT_EQ(PlaceOf(editor, IDC_EDITOR_OK).left, ok.left + 90);
    SetWindowPos(editor, nullptr, 0, 0, moved.right - moved.left, moved.bottom - moved.top,
                 SWP_NOMOVE | SWP_NOZORDER);

    SendDpiChange(editor, DESKTOP_DPI, opened);
    ExpectBackAsOpened(editor, opened, places);
    EXPECT_EQ(FontHeight(Control(IDC_CODE)), fontHeight);
}

TEST_F(EditorAtHighDpiTest, ARecordedPointerPositionPlaysBackToTheSamePixel) {
    settings.macroDelay = 20;
    Open();
    const POINT pixel{901, 677};  // in 96-DPI units it would read 601 451
    SetCursorPos(40, 40);
    Click(IDC_RECORD);  // the start box is answered; the recorder then samples on its own
    PumpFor(100);
    SetCursorPos(pixel.x, pixel.y);
    INPUT nudge{};  // the recorder follows the mouse: a move of nothing reports where it is
    nudge.type = INPUT_MOUSE;
    nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &nudge, sizeof nudge);
    PumpFor(150);
    HoldKey(VK_PAUSE);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(editor) != FALSE; }))
        << "Pause finishes the recording";
    const std::string code = Code();
    EXPECT_NE(code.find("MOVE_CURSOR 901 677\r\n"), std::string::npos) << code;

    SetCursorPos(40, 40);
    GetAsyncKeyState(VK_ESCAPE);
    GetAsyncKeyState(VK_PAUSE);
    Click(IDC_PREVIEW_PLAY);
    POINT at{};
    GetCursorPos(&at);
    EXPECT_EQ(at.x, pixel.x);
    EXPECT_EQ(at.y, pixel.y);
}

}  // namespace
