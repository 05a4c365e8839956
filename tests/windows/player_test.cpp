// The playback engine on the real desktop: macro files typed into a real edit control of
// another thread, as into another program, and stopped by a real Escape key.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "library/program/main_window_play.h"
#include "macro/desktop/win32_desktop.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/temp_files.h"
#include "tests/support/win32_test_helpers.h"

namespace {

constexpr UINT FOCUS_EDIT = WM_APP + 1;

// Like a program's main window, it hands the keyboard focus on to its edit control.
LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropA(window, "KeyloomOriginalProc"));
    if (message == WM_SETFOCUS) {
        SetFocus(GetWindow(window, GW_CHILD));
        return 0;
    }
    return CallWindowProcA(original, window, message, wParam, lParam);
}

// A window with an edit control on a thread of its own, which keeps handling its messages
// while the play blocks the test's thread.
class TargetThread {
  public:
    TargetThread() {
        thread_ = std::thread([this] { Run(); });
        PumpUntil([this] { return ready_.load(); }, 5000);
    }
    ~TargetThread() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND handle() const { return handle_; }
    std::string Text() const { return window_->Text(); }
    void Focus() {
        PostThreadMessageA(threadId_, FOCUS_EDIT, 0, 0);
        PumpUntil([this] { return GetForegroundWindow() == handle_; }, 2000);
        PumpFor(100);
    }

  private:
    void Run() {
        window_ = std::make_unique<TestWindow>("Keyloom player target");
        handle_ = window_->handle();
        SetPropA(handle_, "KeyloomOriginalProc",
                 reinterpret_cast<HANDLE>(GetWindowLongPtrA(handle_, GWLP_WNDPROC)));
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TargetProc));
        threadId_ = GetCurrentThreadId();
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists now
        ready_ = true;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (message.message == FOCUS_EDIT) window_->Focus();
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        window_.reset();
    }

    std::thread thread_;
    std::unique_ptr<TestWindow> window_;
    HWND handle_ = nullptr;
    DWORD threadId_ = 0;
    std::atomic<bool> ready_{false};
};

// The main window's part in a play: hidden for it, restored after it.
class WindowView : public PlayView {
  public:
    explicit WindowView(HWND window) : window_(window) {}
    void SetProgressRange(int32_t) override {}
    void SetProgressPosition(int32_t) override {}
    void EnableButton(PlayButton, bool) override {}
    void HideWindow() override { ShowWindow(window_, SW_HIDE); }
    void RestoreWindow() override { ShowWindow(window_, SW_RESTORE); }
    void AwaitInputDelivered() override {}

  private:
    HWND window_;
};

// Answers every message box of this process with OK, as a user would, a moment after it shows;
// `beforeAnswer` is what the user does first while the box is up.
class BoxCloser {
  public:
    explicit BoxCloser(std::function<void(HWND box)> beforeAnswer = [](HWND) {})
        : beforeAnswer_(std::move(beforeAnswer)) {
        thread_ = std::thread([this] {
            while (!stop_) {
                Sleep(300);
                EnumWindows(CloseIfBox, reinterpret_cast<LPARAM>(this));
            }
        });
    }
    ~BoxCloser() {
        stop_ = true;
        thread_.join();
    }
    std::atomic<int> closed{0};

  private:
    static BOOL CALLBACK CloseIfBox(HWND window, LPARAM context) {
        auto* self = reinterpret_cast<BoxCloser*>(context);
        char className[16] = {};
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        GetClassNameA(window, className, sizeof className);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            std::strcmp(className, "#32770") == 0) {
            self->beforeAnswer_(window);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
            self->closed++;
        }
        return TRUE;
    }
    std::function<void(HWND)> beforeAnswer_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
};

class PlayerWin32Test : public ::testing::Test {
  protected:
    void WriteMacro(const std::string& code) {
        CopyText(macro.fileName,
                 dir.Write("play.mro",
                           "//File created by Keyloom v1\r\n\r\nSTART\r\n" + code + "END\r\n"));
    }

    TempDir dir;
    Win32Desktop& desktop = TheDesktop();
    Macro macro = MacroPlayedOnce(10);
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, NO_WINDOW, {}};
    MacroPlayer player{state, desktop, RealFileSystem(), interpreter, NO_WINDOW, nullptr};
};

TEST_F(PlayerWin32Test, MacroPlayedThreeTimesTypesIntoAnEditControl) {
    TargetThread target;
    target.Focus();
    WriteMacro("TYPE \"ab\"\r\n");
    macro.playCount = 3;
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == "ababab"; }, 3000)) << target.Text();
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(state.position, 0);
    StopPlayTimer(state, desktop);
}

TEST_F(PlayerWin32Test, EscapePressedDuringADelayStopsThePlay) {
    TargetThread target;
    target.Focus();
    WriteMacro("TYPE \"x\"\r\nDELAY 800\r\n");
    macro.playStyle = PLAY_STYLE_FOR_SECONDS;  // ends by itself should Escape go unseen
    macro.repeatTime = 20;
    std::thread user([] {
        Sleep(300);
        TapKey(VK_ESCAPE);
    });
    DWORD start = GetTickCount();
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    DWORD took = GetTickCount() - start;
    user.join();
    EXPECT_LT(took, 3000u);
    EXPECT_GE(took, 800u);  // the DELAY ran to its end
    PumpFor(200);
    EXPECT_EQ(target.Text(), "x");
    EXPECT_EQ(state.position, 0);
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(state.timerId, 0u);
}

TEST_F(PlayerWin32Test, ClosedMessageBoxesGiveTheKeyboardBackToTheWindowInFront) {
    TestWindow mainWindow("Keyloom player main window");
    WindowView view(mainWindow.handle());
    MainWindowPlay play(view);
    interpreter.mainWindow = reinterpret_cast<WindowHandle>(mainWindow.handle());
    player.mainWindow = interpreter.mainWindow;
    player.observer = &play;
    TargetThread target;
    target.Focus();
    // A box of the macro, then an error box owned by the hidden main window.
    WriteMacro(
        "TYPE \"a\"\r\nMSG_BOX \"Close me\"\r\nTYPE \"b\"\r\nMOVE_CURSOR 0 5\r\n"
        "TYPE \"c\"\r\n");
    BoxCloser closer;
    PlayMacro(player, macro, ORIGIN_PLAY_BUTTON);
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == "abc"; }, 3000)) << target.Text();
    EXPECT_EQ(closer.closed.load(), 2);
    EXPECT_TRUE(IsWindowVisible(mainWindow.handle()));
}

// A user who brings another window to the front while a box is up, on purpose, keeps it: the
// macro types there after the box.
TEST_F(PlayerWin32Test, WindowChosenWhileABoxIsUpKeepsTheKeyboard) {
    TargetThread first;
    TargetThread second;
    first.Focus();
    WriteMacro("TYPE \"a\"\r\nMSG_BOX \"Open the document, then press OK\"\r\nTYPE \"b\"\r\n");
    BoxCloser closer([&](HWND) { second.Focus(); });
    PlayMacro(player, macro, ORIGIN_TRIGGER);
    EXPECT_TRUE(PumpUntil([&] { return second.Text() == "b"; }, 3000))
        << "second has \"" << second.Text() << "\"";
    EXPECT_EQ(first.Text(), "a");
    EXPECT_EQ(closer.closed.load(), 1);
    StopPlayTimer(state, desktop);
}

}  // namespace
