// The user's keys followed event by event: Keyloom's own keys are not the user's, the repeats
// of a key Keyloom let go of stay out of a play, and a press given back after the play arrives
// too late when the user let go first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/program/user_modifiers.h"
#include "macro/desktop/desktop_port.h"
#include "macro/desktop/user_keys.h"
#include "tests/support/fake_desktop.h"

namespace {

constexpr int CTRL = desk::KEY_LEFT_CONTROL;
constexpr int SHIFT = desk::KEY_LEFT_SHIFT;
constexpr bool DOWN = true;
constexpr bool UP = false;

TEST(UserKeysTest, KeysDownAtTheStartAreTheUsersAndKeyloomsOwnAreNot) {
    UserKeys keys;
    keys.Start(CTRL, DOWN);
    EXPECT_TRUE(keys.IsHeld(CTRL));
    EXPECT_FALSE(keys.IsHeld(desk::KEY_RIGHT_CONTROL));  // left and right apart

    EXPECT_TRUE(keys.OnKey(SHIFT, DOWN, KeySource::Keyloom));
    EXPECT_FALSE(keys.IsHeld(SHIFT));
    EXPECT_TRUE(keys.OnKey(SHIFT, DOWN, KeySource::User));
    EXPECT_TRUE(keys.IsHeld(SHIFT));
    EXPECT_TRUE(keys.OnKey(SHIFT, UP, KeySource::Keyloom));  // a play's SHIFT_UP
    EXPECT_TRUE(keys.IsHeld(SHIFT));
}

TEST(UserKeysTest, TheRepeatsOfAKeyKeyloomLetGoOfAreKeptBackUntilTheUserLetsGo) {
    UserKeys keys;
    keys.Start(CTRL, DOWN);
    EXPECT_TRUE(keys.OnKey(CTRL, UP, KeySource::Keyloom));
    EXPECT_FALSE(keys.OnKey(CTRL, DOWN, KeySource::User));
    EXPECT_FALSE(keys.OnKey(CTRL, DOWN, KeySource::User));
    EXPECT_TRUE(keys.IsHeld(CTRL));

    EXPECT_TRUE(keys.OnKey(CTRL, UP, KeySource::User));
    EXPECT_FALSE(keys.IsHeld(CTRL));
    EXPECT_TRUE(keys.OnKey(CTRL, DOWN, KeySource::User));  // pressed anew
    EXPECT_TRUE(keys.IsHeld(CTRL));
}

TEST(UserKeysTest, APressGivenBackPassesOnlyWhileTheUserStillHoldsTheKey) {
    UserKeys keys;
    keys.Start(CTRL, DOWN);
    keys.Start(SHIFT, DOWN);
    keys.OnKey(CTRL, UP, KeySource::Keyloom);
    keys.OnKey(SHIFT, UP, KeySource::Keyloom);

    EXPECT_TRUE(keys.OnKey(CTRL, DOWN, KeySource::KeyloomForUser));
    EXPECT_TRUE(keys.OnKey(CTRL, DOWN, KeySource::User)) << "repeats pass again";

    keys.OnKey(SHIFT, UP, KeySource::User);  // the release was on its way as the play ended
    EXPECT_FALSE(keys.OnKey(SHIFT, DOWN, KeySource::KeyloomForUser));
    EXPECT_FALSE(keys.IsHeld(SHIFT));
}

// A keystroke of a key that means nothing, while Alt or the Windows key is down, keeps their
// release from opening a menu: before Keyloom lets go of them, and after it presses them again.
TEST(UserModifiersTest, TheReleaseOfAnAltOrWindowsKeySetAsideIsMaskedAndOfOthersNot) {
    const std::vector<std::string> mask{"keybd_event 255 0", "keybd_event 255 2"};
    struct Case {
        int key;
        bool masked;
    };
    for (Case held :
         {Case{desk::KEY_LEFT_ALT, true}, Case{desk::KEY_RIGHT_WINDOWS, true}, Case{CTRL, false}}) {
        FakeDesktop desktop;
        desktop.Press(held.key);
        RestoreUserModifiers(desktop, SetAsideUserModifiers(desktop));
        const std::string key = std::to_string(held.key);
        std::vector<std::string> expected{"keybd_event " + key + " 2", "keybd_event " + key + " 0"};
        if (held.masked) {
            expected.insert(expected.begin(), mask.begin(), mask.end());
            expected.insert(expected.end(), mask.begin(), mask.end());
        }
        EXPECT_EQ(desktop.Actions(), expected) << held.key;
    }
}

}  // namespace
