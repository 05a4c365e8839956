// Window lines aimed at another program's window whose thread never answers: CLOSE_WINDOW,
// MINIMIZE_WINDOW and FOCUS_WINDOW each return within a bound and the macro goes on.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "macro/desktop/win32_desktop.h"
#include "macro/language/interpreter.h"
#include "tests/support/win32_test_helpers.h"

namespace {

// Given on the command line when this executable is started as the hung program.
constexpr char HUNG_SWITCH[] = "--keyloom-hung-target";
// A window line asks a window that does not answer for at most a few seconds.
constexpr auto LINE_BOUND = std::chrono::seconds(8);

std::string HungTitle(DWORD processId) {
    return "Keyloom hung target " + std::to_string(processId);
}

// The hung program: its window is created and shown, then its thread stops reading messages.
TEST(HungTargetProcess, HoldsAWindowThatNeverAnswers) {
    if (!std::strstr(GetCommandLineA(), HUNG_SWITCH))
        GTEST_SKIP() << "runs only as the hung program of the window line tests";
    TestWindow window(HungTitle(GetCurrentProcessId()));
    PumpFor(300);
    Sleep(INFINITE);
}

// A Strict line may report a window it could not focus in a modal box: the user's click on OK.
void CloseOwnMessageBoxes() {
    EnumWindows(
        [](HWND box, LPARAM) -> BOOL {
            DWORD processId = 0;
            GetWindowThreadProcessId(box, &processId);
            char className[16] = "";
            GetClassNameA(box, className, sizeof className);
            if (processId == GetCurrentProcessId() && std::strcmp(className, "#32770") == 0 &&
                IsWindowVisible(box))
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            return TRUE;
        },
        0);
}

class HungWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        hung_ = std::make_unique<RunningProgram>(
            path, std::string("--gtest_filter=HungTargetProcess.* ") + HUNG_SWITCH);
        title = HungTitle(hung_->id());
        window = WaitForWindow(title, 20000);
        ASSERT_NE(window, nullptr) << "the hung program showed no window";
        // Past the time after which the system takes a silent window for hung.
        Sleep(6000);
        DWORD_PTR answer = 0;
        ASSERT_EQ(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 500, &answer), 0)
            << "the target window still answers";
    }

    // Runs the lines one after the other as a play does, each on a watch; the time each took, or
    // nothing for a line that had not returned within the bound (the hung program is then ended,
    // which frees it).
    std::vector<std::chrono::milliseconds> Play(InterpreterMode mode,
                                                const std::vector<std::string>& lines) {
        std::vector<std::chrono::milliseconds> times;
        MacroInterpreter interpreter{desktop_, mode, 0, NO_WINDOW, {}};
        for (const std::string& line : lines) {
            std::atomic<bool> done{false};
            const auto start = std::chrono::steady_clock::now();
            std::thread player([&] {
                ExecuteMacroLine(interpreter, line);
                done = true;
            });
            while (!done && std::chrono::steady_clock::now() - start < LINE_BOUND) {
                CloseOwnMessageBoxes();
                Sleep(20);
            }
            if (!done) {
                ADD_FAILURE() << "\"" << line << "\" did not return within the bound";
                hung_.reset();
            }
            player.join();
            times.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start));
            if (!done) break;
        }
        return times;
    }

    std::string title;
    HWND window = nullptr;

  private:
    Win32Desktop desktop_;
    std::unique_ptr<RunningProgram> hung_;
};

TEST_F(HungWindowTest, WindowLinesReturnAndTheMacroGoesOn) {
    for (InterpreterMode mode : {InterpreterMode::Lenient, InterpreterMode::Strict}) {
        SCOPED_TRACE(mode == InterpreterMode::Strict ? "Strict" : "Lenient");
        SetCursorPos(10, 10);
        const std::vector<std::string> lines = {
            "CLOSE_WINDOW \"" + title + "\"", "MINIMIZE_WINDOW \"" + title + "\"",
            "FOCUS_WINDOW \"" + title + "\"", "MOVE_CURSOR 123 45"};
        const std::vector<std::chrono::milliseconds> times = Play(mode, lines);
        ASSERT_EQ(times.size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            std::printf("%s: %s took %lld ms\n",
                        mode == InterpreterMode::Strict ? "Strict" : "Lenient", lines[i].c_str(),
                        static_cast<long long>(times[i].count()));
        POINT cursor{};
        GetCursorPos(&cursor);
        EXPECT_EQ(cursor.x, 123) << "the line after the window lines did not run";
        EXPECT_EQ(cursor.y, 45);
        EXPECT_TRUE(IsWindow(window)) << "a hung window was destroyed instead of asked to close";
    }
}

}  // namespace
