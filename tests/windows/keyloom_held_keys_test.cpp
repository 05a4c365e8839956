// Keyloom leaves no key held after a play, on the real desktop: a hot-key play stopped by Escape
// or ending with Shift down lets go of what its macro held, the modifiers of the hot key that
// the user still holds stay out of the play and work again after it, and a paused play resumes
// with the modifiers its macro held.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr int PLAY_TIMEOUT_MS = 8000;

bool Down(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool WaitUntilUp(int virtualKey) {
    return PumpUntil([virtualKey] { return !Down(virtualKey); }, PLAY_TIMEOUT_MS);
}

// The user holds Ctrl and Shift, presses the key of the combination and keeps holding the two
// for `holdMs`, the keyboard repeating them meanwhile as it does for a held key.
void HoldCombination(WORD key, int holdMs) {
    SendKey(VK_CONTROL, false);
    SendKey(VK_SHIFT, false);
    TapKey(key);
    for (int held = 0; held < holdMs; held += 100) {
        PumpFor(100);
        SendKey(VK_CONTROL, false);
        SendKey(VK_SHIFT, false);
    }
}

void LetGoOfCombination() {
    SendKey(VK_SHIFT, true);
    SendKey(VK_CONTROL, true);
}

// Keyloom started hidden with its hot keys live, typing into a test window.
class HeldKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string list =
            Macro("holder.mro", "SHIFT_DOWN\r\nCTRL_DOWN\r\nDELAY 3000\r\nCTRL_UP\r\nSHIFT_UP\r\n",
                  VK_F7) +
            Macro("shifter.mro", "SHIFT_DOWN\r\nTYPE \"a\"\r\n", VK_F8) +
            Macro("typist.mro",
                  "TYPE \"a\"\r\nDELAY 300\r\nTYPE \"b\"\r\nDELAY 300\r\nTYPE \"c\"\r\n", VK_F9) +
            Macro("alt.mro", "TYPE \"a\"\r\nTYPE \"b\"\r\n", VK_F6, " 0 0 1");
        WriteKeyloomSettings(dir.Write("held.lst", list));
        keyloom.emplace("/m");
        ASSERT_NE(keyloom->WaitForMainWindow(), nullptr);
        ASSERT_TRUE(keyloom->WaitForTrayIcon(true));
        target.Focus();
    }
    void TearDown() override { LetGoOfCombination(); }
    // A list line for a macro file played by Ctrl+Shift+`key`, or other `modifiers`.
    std::string Macro(const std::string& file, const std::string& code, WORD key,
                      const std::string& modifiers = " 1 1 0") {
        const std::string trigger = std::to_string(key) + modifiers;
        return dir.Write(file, MacroFileText(file, code, trigger)) + "\r\n";
    }

    TempDir dir;
    TypingTarget target{"Held keys target"};
    std::optional<KeyloomDriver> keyloom;
};

TEST_F(HeldKeysTest, EscapeLetsGoOfWhatTheMacroHeld) {
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F7);
    ASSERT_TRUE(PumpUntil([] { return Down(VK_SHIFT) && Down(VK_CONTROL); }, PLAY_TIMEOUT_MS));
    TapKey(VK_ESCAPE);  // during the DELAY, before CTRL_UP and SHIFT_UP
    EXPECT_TRUE(WaitUntilUp(VK_SHIFT));
    EXPECT_TRUE(WaitUntilUp(VK_CONTROL));
}

TEST_F(HeldKeysTest, AMacroEndingWithShiftDownTypesWithItAndLeavesItUp) {
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F8);
    ASSERT_TRUE(target.WaitForText("A")) << "typed: " << target.Text();
    EXPECT_TRUE(WaitUntilUp(VK_SHIFT));
    // The key state reads up as soon as the release is sent; under a loaded Wine the release
    // can reach the window after a key typed at that very moment, which no user types.
    PumpFor(200);
    TapKey('B');
    EXPECT_TRUE(target.WaitForText("Ab"))
        << "typed: " << target.Text() << ", Shift down now: " << Down(VK_SHIFT);
}

TEST_F(HeldKeysTest, TheHotKeysModifiersStayOutOfThePlayAndWorkAgainAfterIt) {
    HoldCombination(VK_F9, 1500);
    EXPECT_EQ(target.Text(), "abc");
    EXPECT_TRUE(Down(VK_CONTROL)) << "still held, so pressed again after the play";
    EXPECT_TRUE(Down(VK_SHIFT));
    LetGoOfCombination();
    EXPECT_FALSE(Down(VK_CONTROL));
}

TEST_F(HeldKeysTest, AModifierLetGoDuringThePlayIsNotPressedAgain) {
    HoldCombination(VK_F9, 200);
    LetGoOfCombination();
    ASSERT_TRUE(target.WaitForText("abc")) << "typed: " << target.Text();
    PumpFor(300);
    EXPECT_FALSE(Down(VK_CONTROL));
    EXPECT_FALSE(Down(VK_SHIFT));
}

// The hot key swallowed its own key, so Alt down and up with nothing between would reach the
// window and open its menu: when Keyloom sets Alt aside, and when the user lets go after the
// play. The user holds Alt without repeats, so that each release is the first one after a press.
TEST_F(HeldKeysTest, AnAltHotKeyOpensNoMenuBeforeOrAfterItsPlay) {
    SendKey(VK_MENU, false);
    TapKey(VK_F6);
    EXPECT_TRUE(target.WaitForText("ab")) << "typed: " << target.Text();
    PumpFor(300);
    EXPECT_EQ(target.MenuKeys(), 0) << "when Keyloom set Alt aside";
    SendKey(VK_MENU, true);
    PumpFor(300);
    EXPECT_EQ(target.MenuKeys(), 0) << "when the user let go";
    EXPECT_FALSE(Down(VK_MENU));
}

// The Play button's play of a macro that holds Shift, paused in the middle. Under Wine a window
// brought to the front takes the modifiers as the X server has them (none), so each part of the
// play starts with the target settled in front before Shift goes down.
TEST(HeldKeysPauseTest, APausedPlayLetsGoAndResumesWithTheModifierHeld) {
    TempDir dir;
    TypingTarget target{"Pause target"};
    const std::string code =
        "FOCUS_WINDOW \"Pause target\"\r\nDELAY 500\r\nSHIFT_DOWN\r\nTYPE \"a\"\r\n"
        "DELAY 2000\r\nTYPE \"b\"\r\nSHIFT_UP\r\n";
    WriteKeyloomSettings(
        dir.Write("pause.lst", dir.Write("p.mro", MacroFileText("p", code)) + "\r\n"));
    KeyloomDriver keyloom;
    ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    keyloom.Select(0);
    keyloom.Command(IDC_PLAY);
    ASSERT_TRUE(target.WaitForText("A")) << "typed: " << target.Text();
    TapKey(VK_PAUSE);
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    EXPECT_FALSE(Down(VK_SHIFT)) << "let go while paused";

    target.Focus();
    PumpFor(500);
    keyloom.Command(IDC_PLAY);
    EXPECT_TRUE(target.WaitForText("AB")) << "typed: " << target.Text();
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    EXPECT_FALSE(Down(VK_SHIFT));
}

}  // namespace
