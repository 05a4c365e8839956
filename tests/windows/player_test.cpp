// The playback engine on the real desktop: macro files typed into a real edit control of
// another thread, as into another program, and stopped by a real Escape key.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
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
    explicit TargetThread(const std::string& title = "Keyloom player target") {
        thread_ = std::thread([this, title] { Run(title); });
        PumpUntil([this] { return ready_.load(); }, 5000);
    }
    ~TargetThread() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND handle() const { return handle_; }
    std::string Text() const { return window_->Text(); }
    void Clear() const {
        SendMessageA(window_->edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    }
    void Focus() {
        PostThreadMessageA(threadId_, FOCUS_EDIT, 0, 0);
        PumpUntil([this] { return GetForegroundWindow() == handle_; }, 2000);
        PumpFor(100);
    }

  private:
    void Run(const std::string& title) {
        window_ = std::make_unique<TestWindow>(title);
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

    // Plays the macro as a hot key does while the user taps `key` after `afterMs`; returns the
    // milliseconds the play took.
    DWORD PlayWhileTheUserPresses(WORD key, DWORD afterMs) {
        std::thread user([key, afterMs] {
            Sleep(afterMs);
            TapKey(key);
        });
        const DWORD start = GetTickCount();
        PlayMacro(player, macro, ORIGIN_TRIGGER);
        const DWORD took = GetTickCount() - start;
        user.join();
        return took;
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

// A real key press, injected from another thread as a user's, ends the play in the middle of a
// DELAY or of a wait for a window that would each hold it for twenty seconds.
TEST_F(PlayerWin32Test, EscapeOrPausePressedDuringALongDelayOrWindowWaitEndsThePlayAtOnce) {
    TargetThread target;
    constexpr DWORD PRESSED_AFTER_MS = 500;
    for (const char* wait : {"DELAY 20000", "WAIT_WINDOW \"Keyloom window that never comes\" 20"}) {
        WriteMacro("TYPE \"x\"\r\n" + std::string(wait) + "\r\nTYPE \"y\"\r\n");
        for (WORD key : {VK_ESCAPE, VK_PAUSE}) {
            target.Focus();
            const DWORD took = PlayWhileTheUserPresses(key, PRESSED_AFTER_MS);
            std::printf("%s during %s: the play ended %lu ms after the press\n",
                        key == VK_ESCAPE ? "Escape" : "Pause", wait,
                        static_cast<unsigned long>(took - std::min(took, PRESSED_AFTER_MS)));
            EXPECT_LT(took, 10000u) << wait << " " << key;
            PumpFor(200);
            EXPECT_EQ(target.Text(), "x") << wait << " " << key;
            EXPECT_EQ(state.position > 0, key == VK_PAUSE) << wait;
            EXPECT_FALSE(state.playing);
            EXPECT_EQ(state.timerId, 0u);
            RewindPlay(state);
            target.Clear();
        }
    }
}

// The Playback speed shortens or lengthens a whole play: its paces and its DELAYs.
TEST_F(PlayerWin32Test, APlayAtHalfNormalAndDoubleSpeedTakesTwiceOnceAndHalfItsTime) {
    std::string code;
    for (int line = 0; line < 20; ++line)
        code += line % 2 ? "DELAY 60\r\n" : "MOVE_CURSOR 301 201\r\n";
    WriteMacro(code);
    const double nominalMs = 10 + 10 * 10 + 10 * 60;  // START and the cursor lines pace 10 ms
    for (int32_t speed : {50, 100, 200}) {
        player.speed = [speed] { return speed; };
        LARGE_INTEGER start, end, frequency;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        PlayMacro(player, macro, ORIGIN_TRIGGER);
        QueryPerformanceCounter(&end);
        StopPlayTimer(state, desktop);
        const double tookMs = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart);
        const double expectedMs = nominalMs * 100 / speed;
        std::printf("play at %d %%: %.1f ms for %.1f ms expected (%+.1f %%)\n", speed, tookMs,
                    expectedMs, 100.0 * (tookMs - expectedMs) / expectedMs);
        EXPECT_GT(tookMs, expectedMs * 0.85) << speed;
        EXPECT_LT(tookMs, expectedMs * 1.15) << speed;
    }
}

// A wave file of `seconds` of silence: 8 kHz, 8 bits, one channel.
std::string SilentWave(int seconds) {
    auto number = [](uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char>((value >> (8 * i)) & 0xFF);
        return text;
    };
    const uint32_t samples = 8000u * static_cast<uint32_t>(seconds);
    return "RIFF" + number(36 + samples, 4) + "WAVEfmt " + number(16, 4) + number(1, 2) +
           number(1, 2) + number(8000, 4) + number(8000, 4) + number(1, 2) + number(8, 2) + "data" +
           number(samples, 4) + std::string(samples, '\x80');
}

TEST_F(PlayerWin32Test, EscapeStopsASoundThatIsPlaying) {
    TargetThread target;
    target.Focus();
    const std::string wave = dir.Write("long.wav", SilentWave(6));
    WriteMacro("PLAY_SOUND \"" + wave + "\"\r\nTYPE \"z\"\r\n");
    const DWORD took = PlayWhileTheUserPresses(VK_ESCAPE, 500);
    EXPECT_LT(took, 4000u);
    EXPECT_GE(took, 400u) << "the sound played until the key";
    PumpFor(200);
    EXPECT_EQ(target.Text(), "");
    StopPlayTimer(state, desktop);
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
        "TYPE \"a\"\r\nMSG_BOX \"Close me\"\r\nTYPE \"b\"\r\nMOVE_CURSOR a 5\r\n"
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

// Keys still on their way when a box or another window comes to the front reach the window they
// were typed into: a long text before a MSG_BOX or a FOCUS_WINDOW arrives whole.
TEST_F(PlayerWin32Test, TextTypedBeforeABoxOrAnotherWindowComesToTheFrontArrivesWhole) {
    const std::string text = "the quick brown fox jumps over the lazy dog, then runs home again";
    TargetThread first;
    TargetThread second("Keyloom second target");
    struct Case {
        const char* next;
        const char* secondGets;
    };
    for (const Case& c : {Case{"MSG_BOX \"Typed\"", ""},
                          Case{"FOCUS_WINDOW \"Keyloom second target\"\r\nTYPE \"!\"", "!"}}) {
        first.Focus();
        WriteMacro("TYPE \"" + text + "\"\r\n" + c.next + "\r\n");
        BoxCloser closer;
        PlayMacro(player, macro, ORIGIN_TRIGGER);
        StopPlayTimer(state, desktop);
        EXPECT_TRUE(PumpUntil([&] { return second.Text() == c.secondGets; }, 3000)) << c.next;
        EXPECT_EQ(first.Text(), text) << c.next;
        first.Clear();
        second.Clear();
    }
}

}  // namespace
