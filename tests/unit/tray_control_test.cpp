#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "library/program/tray_control.h"
#include "resources/keyloom_ids.h"
#include "tests/support/main_window_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int16_t KEY_F6 = 0x75;
constexpr int16_t KEY_F7 = 0x76;

class TrayControlTest : public MainWindowTest {
  protected:
    // Two macros with hot keys (ids 0 and 2) around one without.
    void PopulateWithTriggers() {
        ASSERT_TRUE(ImportMacro(library, WriteMacro("a.mro", "A", Trigger{KEY_F6, 0, 1, 0})));
        ASSERT_TRUE(ImportMacro(library, WriteMacro("b.mro", "B")));
        ASSERT_TRUE(ImportMacro(library, WriteMacro("c.mro", "C", Trigger{KEY_F7, 1, 0, 0})));
        table.modified = false;
    }
};

TEST_F(TrayControlTest, HidingAddsTheIconThenHidesTheWindowThenRegistersTheHotKeys) {
    PopulateWithTriggers();
    HideInTray(context);
    EXPECT_THAT(log, ElementsAre("add icon enabled", "hide window", "RegisterHotKey 77 0 2 117",
                                 "RegisterHotKey 77 2 4 118"));
    EXPECT_TRUE(tray.present);

    log.clear();
    HideInTray(context);  // a second close request while in the notification area
    EXPECT_THAT(log, IsEmpty());

    RestoreFromTray(context);
    EXPECT_THAT(log, ElementsAre("restore window", "UnregisterHotKey 77 0", "UnregisterHotKey 77 2",
                                 "delete icon"));
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(TrayControlTest, ARefusedIconIsAddedAgainAfterAShortPause) {
    tray.refusedAdds = 2;
    HideInTray(context);
    std::string wait = "Wait " + std::to_string(TRAY_ADD_PAUSE_MS);
    EXPECT_THAT(log, ElementsAre("add icon enabled", wait, "add icon enabled", wait,
                                 "add icon enabled", "hide window"));
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(TrayControlTest, AnIconNeverAcceptedLeavesTheWindowVisibleAndSaysSo) {
    PopulateWithTriggers();
    tray.refusedAdds = TRAY_ADD_ATTEMPTS + 5;
    view.visible = false;  // a "/m" start has hidden the window before its close request
    HideInTray(context);
    EXPECT_EQ(tray.addAttempts, TRAY_ADD_ATTEMPTS);
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(tray.present);
    EXPECT_TRUE(desktop.registeredHotKeys.empty());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Failed to add tray icon");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
}

TEST_F(TrayControlTest, AnIconThatCannotBeDeletedIsReportedAndTheRestoreGoesOn) {
    PopulateWithTriggers();
    HideInTray(context);
    tray.deletes = false;
    RestoreFromTray(context);
    EXPECT_TRUE(view.visible);
    EXPECT_TRUE(desktop.registeredHotKeys.empty());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Failed to delete tray icon");
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
}

TEST_F(TrayControlTest, DisableAndEnableSwitchThePictureAndTheHotKeysAndSurviveHidingAgain) {
    PopulateWithTriggers();
    HideInTray(context);
    log.clear();
    OnTrayCommand(context, IDM_TRAY_DISABLE);
    EXPECT_THAT(
        log, ElementsAre("change icon disabled", "UnregisterHotKey 77 0", "UnregisterHotKey 77 2"));
    EXPECT_TRUE(hotKeys.macrosDisabled);

    log.clear();
    RestoreFromTray(context);
    HideInTray(context);  // still disabled: the disabled picture, no hot keys
    EXPECT_THAT(log,
                ElementsAre("restore window", "delete icon", "add icon disabled", "hide window"));

    log.clear();
    OnTrayCommand(context, IDM_TRAY_ENABLE);
    EXPECT_THAT(log, ElementsAre("change icon enabled", "RegisterHotKey 77 0 2 117",
                                 "RegisterHotKey 77 2 4 118"));
    EXPECT_FALSE(hotKeys.macrosDisabled);

    log.clear();
    OnTrayCommand(context, 0);  // the menu was dismissed
    EXPECT_THAT(log, IsEmpty());
    OnTrayCommand(context, IDM_TRAY_RESTORE);
    EXPECT_THAT(log, ElementsAre("restore window", "UnregisterHotKey 77 0", "UnregisterHotKey 77 2",
                                 "delete icon"));
}

TEST_F(TrayControlTest, CloseOffersToSaveAndCancelStaysInTheNotificationAreaWithHotKeysLive) {
    PopulateWithTriggers();
    table.modified = true;
    HideInTray(context);
    log.clear();
    desktop.boxAnswers.push_back(desk::ANSWER_CANCEL);
    OnTrayCommand(context, IDM_TRAY_CLOSE);
    EXPECT_THAT(log, ElementsAre("MessageBoxA Keyloom: Save changes to current macro list?"));
    EXPECT_FALSE(view.ended);
    EXPECT_TRUE(tray.present);
    EXPECT_EQ(desktop.registeredHotKeys.size(), 2u);

    log.clear();
    desktop.boxAnswers.push_back(desk::ANSWER_NO);
    OnTrayCommand(context, IDM_TRAY_CLOSE);
    EXPECT_THAT(
        log, ElementsAre("MessageBoxA Keyloom: Save changes to current macro list?", "end window",
                         "UnregisterHotKey 77 0", "UnregisterHotKey 77 2", "delete icon"));
    EXPECT_FALSE(tray.present);
}

TEST_F(TrayControlTest, TheMenuOffersRestoreAndCloseOnlyWhileNoPlayRuns) {
    struct Case {
        bool disabled, playing;
        bool restore, disable, enable, close;
    };
    for (const Case& c :
         {Case{false, false, true, true, false, true}, Case{true, false, true, false, true, true},
          Case{false, true, false, true, false, false},
          Case{true, true, false, false, true, false}}) {
        SCOPED_TRACE(std::string(c.disabled ? "disabled" : "enabled") +
                     (c.playing ? ", playing" : ""));
        hotKeys.macrosDisabled = c.disabled;
        playState.playing = c.playing;
        EXPECT_EQ(TrayCommandOffered(context, IDM_TRAY_RESTORE), c.restore);
        EXPECT_EQ(TrayCommandOffered(context, IDM_TRAY_DISABLE), c.disable);
        EXPECT_EQ(TrayCommandOffered(context, IDM_TRAY_ENABLE), c.enable);
        EXPECT_EQ(TrayCommandOffered(context, IDM_TRAY_CLOSE), c.close);
    }
    EXPECT_FALSE(TrayCommandOffered(context, 0));
}

TEST_F(TrayControlTest, CloseWhileDisabledWithdrawsNothing) {
    PopulateWithTriggers();
    HideInTray(context);
    OnTrayCommand(context, IDM_TRAY_DISABLE);
    log.clear();
    OnTrayCommand(context, IDM_TRAY_CLOSE);
    EXPECT_THAT(log, ElementsAre("end window", "delete icon"));
}

}  // namespace
