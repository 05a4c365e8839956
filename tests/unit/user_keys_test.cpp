// The user's keys followed event by event: Keyloom's own keys are not the user's, the repeats
// of a key Keyloom let go of stay out of a play, and a press given back after the play arrives
// too late when the user let go first.
#include <gtest/gtest.h>

#include "macro/desktop/desktop_port.h"
#include "macro/desktop/user_keys.h"

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

}  // namespace
