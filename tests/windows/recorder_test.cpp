// A recording of real injected input, and the recorded code played back into a window.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "macro/file/file_system.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "recorder/recorder.h"
#include "recorder/recorder_view_win32.h"
#include "resources/keyloom_ids.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/temp_files.h"
#include "tests/support/win32_test_helpers.h"

namespace {

constexpr UINT RECORDING_ENDED = WM_APP + 31;
// An interval long enough that a busy machine's late wake does not make a tap a hold.
constexpr int MACRO_DELAY = 25;
constexpr int HOLD_MS = 120;  // longer than twice the interval: a hold
constexpr int TAP_MS = 5;

// A window with the editor's code box and buttons, hosting the recorder as the editor does.
class TestEditor {
  public:
    TestEditor() {
        static const bool registered = Register();
        (void)registered;
        window_ = CreateWindowExA(0, "KeyloomRecorderTestEditor", "Recorder test editor",
                                  WS_OVERLAPPEDWINDOW, 700, 500, 300, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), this);
        CreateWindowExA(0, "EDIT", "old code", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 280, 80,
                        window_, Id(IDC_CODE), GetModuleHandleA(nullptr), nullptr);
        for (int id : {IDC_PREVIEW_PLAY, IDC_PREVIEW_STOP, IDC_RECORD, IDC_APPLY})
            CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 0, 90, 60, 20, window_, Id(id),
                            GetModuleHandleA(nullptr), nullptr);
        view_ = std::make_unique<DialogRecorderView>(window_, RECORDING_ENDED, editorModified);
        ShowWindow(window_, SW_SHOW);
        PumpFor(50);
    }
    ~TestEditor() { DestroyWindow(window_); }

    HWND window() const { return window_; }
    RecorderView& view() { return *view_; }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(window_, id)) != FALSE; }
    std::string Code() const {
        HWND box = GetDlgItem(window_, IDC_CODE);
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(box)) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetWindowTextA(box, text.data(), int(text.size()))));
        return text;
    }

    std::unique_ptr<RecorderState> state = std::make_unique<RecorderState>();
    bool editorModified = false;
    bool ended = false;

  private:
    static HMENU Id(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }
    static bool Register() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KeyloomRecorderTestEditor";
        return RegisterClassA(&windowClass) != 0;
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<TestEditor*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == RECORDING_ENDED) {
            EndRecording(*self->state, TheDesktop(), *self->view_);
            self->ended = true;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_;
    std::unique_ptr<DialogRecorderView> view_;
};

// Closes the start box once it appears: with its OK button, or with a key the user presses and
// lets go of only after the box has gone, as a user does.
class BoxCloser {
  public:
    explicit BoxCloser(WORD closingKey = 0)
        : thread_([this, closingKey] {
              for (int waited = 0; waited < 10000 && !stop_; waited += 20) {
                  HWND box = FindWindowA("#32770", "Keyloom");
                  if (box) return Close(box, closingKey);
                  Sleep(20);
              }
          }) {}
    ~BoxCloser() {
        stop_ = true;
        thread_.join();
    }
    std::atomic<bool> closed{false};

  private:
    void Close(HWND box, WORD closingKey) {
        if (closingKey == 0) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            closed = true;
            return;
        }
        SetForegroundWindow(box);
        Sleep(HOLD_MS);
        SendKey(closingKey, false);
        for (int waited = 0; waited < 3000 && IsWindow(box); waited += 10)
            Sleep(10);
        closed = !IsWindow(box);
        Sleep(HOLD_MS);
        SendKey(closingKey, true);
    }

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Moves the pointer with an absolute move; returns where it landed.
POINT InjectPointerMove(int x, int y) {
    INPUT move = PointerMoveInput(POINT{x, y});
    SendInput(1, &move, sizeof move);
    POINT at{};
    PumpUntil([&] { return GetCursorPos(&at) && at.x != 0 && std::abs(at.x - x) <= 1; }, 2000);
    return at;
}

void Press(WORD virtualKey, int milliseconds) {
    SendKey(virtualKey, false);
    PumpFor(milliseconds);
    SendKey(virtualKey, true);
    PumpFor(HOLD_MS);
}

void Hold(WORD virtualKey) {
    Press(virtualKey, HOLD_MS);
}

void Tap(WORD virtualKey) {
    Press(virtualKey, TAP_MS);
}

// Keyloom's own input, as a play sends it: never recorded.
void SendAsKeyloom() {
    TheDesktop().keybd_event(VK_F24, 0);
    TheDesktop().keybd_event(VK_F24, desk::KEY_RELEASE);
    TheDesktop().mouse_event(desk::WHEEL, desk::WHEEL_NOTCH);
    TheDesktop().mouse_event(desk::MIDDLE_DOWN, 0);
    TheDesktop().mouse_event(desk::MIDDLE_UP, 0);
    PumpFor(HOLD_MS);
}

std::vector<std::string> LinesWithoutDelays(const std::string& code) {
    std::vector<std::string> lines;
    std::istringstream stream(code);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("DELAY ", 0) != 0) lines.push_back(line);
    }
    return lines;
}

std::string MoveLine(POINT at) {
    return "MOVE_CURSOR " + std::to_string(at.x) + " " + std::to_string(at.y);
}

// Records a pointer move, a left click, "Ab" tapped, "c" held, Keyloom's own input, a wheel
// notch toward the user, a middle click and Pause; returns the recorded code.
std::string RecordSession(TestEditor& editor, POINT& start, POINT& moved) {
    SetCursorPos(150, 120);
    PumpUntil([&] { return GetCursorPos(&start) && start.x == 150; }, 2000);
    {
        BoxCloser closer;
        StartRecording(*editor.state, TheDesktop(), editor.view(), MACRO_DELAY);
        EXPECT_TRUE(closer.closed);
    }
    EXPECT_FALSE(IsWindowVisible(editor.window()));
    EXPECT_FALSE(editor.Enabled(IDC_RECORD));
    EXPECT_TRUE(editor.Enabled(IDC_PREVIEW_STOP));
    PumpFor(HOLD_MS);
    moved = InjectPointerMove(300, 200);
    PumpFor(HOLD_MS);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpFor(HOLD_MS);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(HOLD_MS);
    SendKey(VK_SHIFT, false);
    PumpFor(HOLD_MS);
    Tap('A');
    SendKey(VK_SHIFT, true);
    PumpFor(HOLD_MS);
    Tap('B');
    Hold('C');
    SendAsKeyloom();
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA));
    PumpFor(HOLD_MS);
    SendMouse(MOUSEEVENTF_MIDDLEDOWN);
    PumpFor(HOLD_MS);  // longer than the interval: not folded into a click
    SendMouse(MOUSEEVENTF_MIDDLEUP);
    PumpFor(HOLD_MS);
    Tap(VK_PAUSE);
    EXPECT_TRUE(PumpUntil([&] { return editor.ended; }, 3000)) << "Pause did not end it";
    return editor.Code();
}

// Plays `code` once with the playback engine, as a hot key plays a macro.
void PlayBack(const std::string& code) {
    TempDir dir;
    Macro macro = MacroPlayedOnce(MACRO_DELAY);
    CopyText(macro.name, "Recorded");
    CopyText(macro.fileName, dir.Path("recorded.mro"));
    CopyText(macro.window, "NULL");
    macro.active = 1;
    ASSERT_TRUE(SaveMacroFile(RealFileSystem(), code, macro));
    PlayState playState;
    MacroInterpreter interpreter{TheDesktop(), InterpreterMode::Strict, 0, NO_WINDOW, {}};
    MacroPlayer player{playState, TheDesktop(), RealFileSystem(), interpreter, NO_WINDOW, nullptr};
    PlayMacro(player, macro, ORIGIN_TRIGGER);
}

TEST(RecorderWindowsTest, InjectedInputIsRecordedInOrderAndPlaysBack) {
    TestEditor editor;
    POINT start{};
    POINT moved{};
    const std::string code = RecordSession(editor, start, moved);

    EXPECT_EQ(LinesWithoutDelays(code),
              (std::vector<std::string>{
                  MoveLine(start), MoveLine(moved), "MOUSE_DOWN Left", "MOUSE_UP Left",
                  "SHIFT_DOWN", "PRESS_KEY 65", "SHIFT_UP", "PRESS_KEY 66", "KEY_DOWN 67",
                  "KEY_UP 67", "MOUSE_WHEEL -120", "MOUSE_DOWN Middle", "MOUSE_UP Middle"}))
        << code;
    EXPECT_EQ(code, std::string(editor.state->recordedCode));
    EXPECT_TRUE(IsWindowVisible(editor.window()));
    EXPECT_TRUE(editor.Enabled(IDC_RECORD));
    EXPECT_TRUE(editor.Enabled(IDC_PREVIEW_PLAY));
    EXPECT_FALSE(editor.Enabled(IDC_PREVIEW_STOP));
    EXPECT_TRUE(editor.editorModified);

    // The click lands in the target's text box and gives it the keyboard, away from the decoy.
    TestWindow target("Recorder playback target");  // covers the recorded click point
    TestWindow decoy("Recorder playback decoy");
    MoveWindow(decoy.handle(), 100, 600, 300, 200, TRUE);
    decoy.Focus();
    RECT box{};
    GetWindowRect(target.edit(), &box);
    ASSERT_TRUE(PtInRect(&box, moved)) << "the click point is outside the target";
    PlayBack(code);
    PumpUntil([&] { return target.Text() == "Abc"; }, 2000);
    EXPECT_EQ(target.Text(), "Abc");
    EXPECT_EQ(decoy.Text(), "");
    EXPECT_EQ(GetForegroundWindow(), target.handle());
}

// Only what is done during a recording ends it or is recorded: not the Enter or Escape that
// closes the start box, nor a Pause or Escape pressed before Record.
TEST(RecorderWindowsTest, PressesMadeBeforeTheRecordingNeitherEndItNorAreRecorded) {
    const struct {
        WORD pressedBefore;  // 0: none
        WORD closesTheBox;
        WORD endsTheRecording;
    } cases[] = {{0, VK_RETURN, VK_PAUSE},
                 {VK_PAUSE, VK_RETURN, VK_PAUSE},
                 {VK_ESCAPE, VK_ESCAPE, VK_PAUSE},
                 {VK_PAUSE, VK_RETURN, VK_ESCAPE}};
    for (const auto& test : cases) {
        SCOPED_TRACE("closed with " + std::to_string(test.closesTheBox) + ", ended with " +
                     std::to_string(test.endsTheRecording));
        TestEditor editor;
        POINT start{};
        SetCursorPos(150, 120);
        PumpUntil([&] { return GetCursorPos(&start) && start.x == 150; }, 2000);
        if (test.pressedBefore) TapKey(test.pressedBefore);
        PumpFor(HOLD_MS);
        {
            BoxCloser closer(test.closesTheBox);
            StartRecording(*editor.state, TheDesktop(), editor.view(), MACRO_DELAY);
            EXPECT_TRUE(closer.closed);
        }
        PumpFor(HOLD_MS * 2);
        EXPECT_FALSE(editor.ended) << "the recording ended at once:\n" << editor.Code();
        Tap('A');
        Tap(test.endsTheRecording);
        ASSERT_TRUE(PumpUntil([&] { return editor.ended; }, 3000));
        if (test.endsTheRecording == VK_ESCAPE)
            EXPECT_EQ(editor.Code(), "old code") << "the code box keeps its code";
        else
            EXPECT_EQ(LinesWithoutDelays(editor.Code()),
                      (std::vector<std::string>{MoveLine(start), "PRESS_KEY 65"}))
                << editor.Code();
    }
}

}  // namespace
