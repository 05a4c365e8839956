// Both Play buttons of Keyloom.exe type a 200-character line into another program's window and
// bring Keyloom back only once every character has arrived there. Prints, for each button,
// how many of its runs delivered the whole line and the fewest characters that arrived.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr char TARGET_TITLE[] = "Delivery target";
constexpr int RUNS = 10;
constexpr int SETTLE_MS = 1500;  // how long the target is watched for late characters

std::string Line() {
    std::string line;
    while (line.size() < 200)
        line += "Hello from Keyloom, ";
    return line;
}

class KeyloomPlayDeliveryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string code =
            "FOCUS_WINDOW \"" + std::string(TARGET_TITLE) + "\"\r\nTYPE \"" + Line() + "\"\r\n";
        std::string typist = dir.Write("typist.mro", MacroFileText("Typist", code));
        WriteKeyloomSettings(dir.Write("typing.lst", typist + "\r\n"));
        ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(keyloom.WaitUntilVisible(true));
        keyloom.Select(0);
    }

    // What the target holds once nothing more arrives; the window that played is back.
    std::size_t Arrived(HWND playedFrom) {
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(playedFrom) != FALSE; }, 20000));
        std::string text;
        PumpUntil(
            [&] {
                text = target.Text();
                return text.size() >= Line().size();
            },
            SETTLE_MS);
        EXPECT_EQ(text, Line().substr(0, text.size())) << "characters out of order";
        return text.size();
    }

    // Plays RUNS times through `play` and reports the figure.
    void Measure(const char* button, HWND playedFrom, const std::function<void()>& play) {
        int whole = 0;
        std::size_t fewest = Line().size();
        for (int run = 0; run < RUNS; ++run) {
            target.Clear();
            play();
            std::size_t arrived = Arrived(playedFrom);
            fewest = std::min(fewest, arrived);
            if (arrived == Line().size()) ++whole;
        }
        std::printf("%s: all %zu characters arrived in %d of %d runs; fewest %zu\n", button,
                    Line().size(), whole, RUNS, fewest);
        EXPECT_EQ(whole, RUNS) << button << ": fewest characters " << fewest;
    }

    TempDir dir;
    TypingTarget target{TARGET_TITLE};
    KeyloomDriver keyloom;
};

TEST_F(KeyloomPlayDeliveryTest, TheMainWindowsPlayButtonDeliversTheWholeLine) {
    Measure("main window Play", keyloom.main(), [&] {
        ASSERT_TRUE(keyloom.Run(IDC_PLAY));  // returns once the play has ended
    });
}

TEST_F(KeyloomPlayDeliveryTest, TheEditorsPlayButtonDeliversTheWholeLine) {
    keyloom.Command(IDC_EDIT_MACRO);
    ProgramBox editor = keyloom.WaitForBox("Keyloom");
    ASSERT_NE(editor.window, nullptr);
    Measure("editor Play", editor.window, [&] {
        DWORD_PTR ignored = 0;
        ASSERT_NE(
            SendMessageTimeoutA(editor.window, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_PLAY, BN_CLICKED),
                                0, SMTO_NORMAL, 30000, &ignored),
            0);
    });
    keyloom.Press(editor.window, IDC_EDITOR_CANCEL);
    EXPECT_TRUE(keyloom.WaitForClosed(editor.window));
}

}  // namespace
