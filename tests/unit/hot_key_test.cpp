#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "library/program/hot_keys.h"
#include "library/table/trigger_encoding.h"
#include "macro/file/text_field.h"
#include "tests/support/macro_library_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records the plays; `duringPlay` runs while a play is in progress, as a modal box would.
class FakeTriggerPlayer : public TriggerPlayer {
  public:
    std::vector<std::string> played;
    bool playing = false;
    std::function<void(const Macro&)> duringPlay;

    bool Playing() override { return playing; }
    void PlayTriggered(const Macro& macro) override {
        played.emplace_back(FieldText(macro.name));
        playing = true;
        if (duringPlay) duringPlay(macro);
        playing = false;
    }
};

class HotKeyTest : public MacroLibraryTest {
  protected:
    // Adds a macro named `name` with a trigger to the table.
    Macro& Add(const std::string& name, Trigger trigger) {
        EXPECT_TRUE(ImportMacro(library, WriteMacro(name + ".mro", name, trigger)));
        return table.macros[table.count - 1];
    }
    void Restrict(Macro& macro, const std::string& window) {
        macro.isPrivate = 1;
        CopyText(macro.window, window);
    }
    void InFront(const std::string& title) {
        desktop.windows = {FakeDesktop::Window{500, title}};
        desktop.foreground = 500;
    }
    std::vector<std::string> HotKeyCalls() const {
        std::vector<std::string> hotKeyCalls;
        for (const std::string& call : desktop.calls)
            if (call.find("HotKey") != std::string::npos) hotKeyCalls.push_back(call);
        return hotKeyCalls;
    }

    FakeTriggerPlayer player;
    HotKeys hotKeys{table, desktop, player, MAIN_WINDOW};
};

TEST(TriggerEncodingTest, SystemHotKeyModifiersAddShiftFourControlTwoAltOne) {
    EXPECT_EQ(HotKeyModifiers(Trigger{'A', 0, 0, 0}), 0u);
    EXPECT_EQ(HotKeyModifiers(Trigger{'A', 1, 0, 0}), 4u);
    EXPECT_EQ(HotKeyModifiers(Trigger{'A', 0, 1, 0}), 2u);
    EXPECT_EQ(HotKeyModifiers(Trigger{'A', 0, 0, 1}), 1u);
    EXPECT_EQ(HotKeyModifiers(Trigger{'A', 7, -1, 2}), 7u);  // any value other than 0 is set
}

TEST(TriggerEncodingTest, HotKeyControlValueHoldsTheKeyLowAndTheFlagsHigh) {
    const uint16_t F5 = 0x74;
    EXPECT_EQ(HotKeyControlValue(Trigger{F5, 1, 1, 0}), 0x0374);  // Ctrl+Shift+F5
    EXPECT_EQ(HotKeyControlValue(Trigger{F5, 0, 0, 3}), 0x0474);
    EXPECT_EQ(HotKeyControlValue(Trigger{0x1FF, 0, 0, 0}), 0x00FF);  // low byte only
}

TEST(TriggerEncodingTest, AHotKeyControlValueReadsBackAsTheSameTrigger) {
    Trigger trigger = TriggerFromHotKeyControl(0x0674);  // Ctrl+Alt+F5
    EXPECT_EQ(trigger.virtualKey, 0x74);
    EXPECT_EQ(trigger.shift, 0);
    EXPECT_EQ(trigger.control, 1);
    EXPECT_EQ(trigger.alt, 1);
    for (uint16_t value : {0x0000, 0x0141, 0x0241, 0x0441, 0x0741})
        EXPECT_EQ(HotKeyControlValue(TriggerFromHotKeyControl(value)), value);
}

TEST_F(HotKeyTest, EveryMacroWithAKeyIsRegisteredUnderItsIdActiveOrNot) {
    Add("none", Trigger{0, 1, 1, 1});  // no key: never registered, whatever its flags
    Macro& inactive = Add("inactive", Trigger{'I', 1, 0, 1});
    inactive.active = 0;
    Add("plain", Trigger{'P', 0, 1, 0});
    RegisterTriggers(hotKeys);
    EXPECT_THAT(HotKeyCalls(), ElementsAre("RegisterHotKey 77 1 5 73", "RegisterHotKey 77 2 2 80"));
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(HotKeyTest, ARefusedCombinationIsNamedOnceAndTheOthersAreRegisteredAndWithdrawn) {
    Add("first", Trigger{'D', 0, 1, 0});
    Add("clash", Trigger{'E', 0, 1, 0});
    Add("after", Trigger{'F', 0, 1, 0});
    Add("keyless", Trigger{0, 0, 0, 0});
    Add("last", Trigger{'G', 0, 1, 0});
    table.macros[1].trigger = table.macros[0].trigger;  // a duplicate that reached the table
    desktop.refusedHotKeys = {{2, 'G'}};                // held by another program
    RegisterTriggers(hotKeys);
    EXPECT_THAT(HotKeyCalls(), ElementsAre("RegisterHotKey 77 0 2 68", "RegisterHotKey 77 1 2 68",
                                           "RegisterHotKey 77 2 2 70", "RegisterHotKey 77 4 2 71"));
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Failed to register hotkey for these macros: another program or macro already uses "
              "their combinations\nclash\nlast");
    EXPECT_EQ(desktop.boxes[0].caption, "Keyloom");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_OK | desk::BOX_ICON_ERROR);
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);

    desktop.boxes.clear();
    desktop.calls.clear();
    UnregisterTriggers(hotKeys);
    EXPECT_THAT(HotKeyCalls(), ElementsAre("UnregisterHotKey 77 0", "UnregisterHotKey 77 2"));
    EXPECT_THAT(desktop.boxes, IsEmpty());
    EXPECT_TRUE(desktop.registeredHotKeys.empty());
}

TEST_F(HotKeyTest, AnActiveMacroPlaysAndBecomesTheCurrentMacro) {
    Add("zero", Trigger{'Z', 0, 1, 0});
    Add("one", Trigger{'O', 0, 1, 0});
    OnHotKey(hotKeys, 1);
    EXPECT_THAT(player.played, ElementsAre("one"));
    EXPECT_EQ(table.currentMacro, &table.macros[1]);
}

TEST_F(HotKeyTest, AnInactiveMacroIsCurrentButPlaysNothing) {
    Macro& inactive = Add("inactive", Trigger{'I', 0, 1, 0});
    inactive.active = 0;
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(player.played, IsEmpty());
    EXPECT_EQ(table.currentMacro, &inactive);
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(HotKeyTest, ARestrictedMacroNeedsItsTextAnywhereInTheFrontTitleInAnyCase) {
    Macro& macro = Add("notes", Trigger{'N', 0, 1, 0});
    Restrict(macro, "notepad");
    InFront("Untitled - NOTEPAD (2)");
    OnHotKey(hotKeys, 0);
    InFront("Notes - WordPad");
    OnHotKey(hotKeys, 0);
    InFront("My nOtEpAd");
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(player.played, ElementsAre("notes", "notes"));
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(HotKeyTest, OnlyTheFirst298CharactersOfTheFrontTitleCount) {
    Macro& macro = Add("long", Trigger{'L', 0, 1, 0});
    Restrict(macro, "tail");
    InFront(std::string(294, '-') + "tail");  // 298 characters
    OnHotKey(hotKeys, 0);
    InFront(std::string(295, '-') + "tail");  // the last character is cut off
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(player.played, ElementsAre("long"));
}

TEST_F(HotKeyTest, ARestrictionWithoutTextPlaysInFrontOfAnyWindow) {
    Macro& macro = Add("any", Trigger{'A', 0, 1, 0});
    Restrict(macro, "");
    InFront("");
    OnHotKey(hotKeys, 0);
    desktop.foreground = NO_WINDOW;
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(player.played, ElementsAre("any", "any"));
}

TEST_F(HotKeyTest, TheWindowTextIsIgnoredWhileTheMacroIsNotRestricted) {
    Macro& macro = Add("free", Trigger{'F', 0, 1, 0});
    CopyText(macro.window, "Elsewhere");
    InFront("Calculator");
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(player.played, ElementsAre("free"));
}

TEST_F(HotKeyTest, AnIdThatIsNoMacroInUseDoesNothing) {
    Add("only", Trigger{'O', 0, 1, 0});
    Add("removed", Trigger{'R', 0, 1, 0});
    RemoveMacro(library, 1);  // its slot keeps its contents past the end
    for (int id : {-1, 1, MACRO_CAPACITY, 1 << 30})
        OnHotKey(hotKeys, id);
    EXPECT_THAT(player.played, IsEmpty());
    EXPECT_EQ(table.currentMacro, nullptr);
}

TEST_F(HotKeyTest, AHotKeyDuringAPlayWaitsUntilThePlayHasEnded) {
    Add("outer", Trigger{'O', 0, 1, 0});
    Add("second", Trigger{'S', 0, 1, 0});
    Add("third", Trigger{'T', 0, 1, 0});
    std::vector<std::string> seenDuringPlay;
    player.duringPlay = [&](const Macro& playing) {
        if (FieldText(playing.name) != "outer") return;
        OnHotKey(hotKeys, 1);  // delivered by a box of the running play
        OnHotKey(hotKeys, 2);
        seenDuringPlay = player.played;
        EXPECT_EQ(table.currentMacro, &table.macros[0]);  // its pace stays the outer's
    };
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(seenDuringPlay, ElementsAre("outer"));
    EXPECT_THAT(player.played, ElementsAre("outer", "second", "third"));
    EXPECT_EQ(table.currentMacro, &table.macros[2]);
}

TEST_F(HotKeyTest, TheModifiersStillHeldAreKeptOutOfThePlayAndBackOnlyIfStillHeld) {
    Add("typist", Trigger{'N', 1, 1, 0});
    desktop.Press(desk::KEY_LEFT_CONTROL);
    desktop.Press(desk::KEY_RIGHT_SHIFT);
    desktop.Press(desk::KEY_LEFT_WINDOWS);
    std::vector<int> downDuringPlay{-1};
    player.duringPlay = [&](const Macro&) {
        downDuringPlay = desktop.KeysDown();
        desktop.Release(desk::KEY_RIGHT_SHIFT);  // let go while the macro plays
    };
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(downDuringPlay, IsEmpty());
    EXPECT_THAT(desktop.KeysDown(), ElementsAre(desk::KEY_LEFT_WINDOWS, desk::KEY_LEFT_CONTROL));
    EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "keybd_event 161 0"), 0);

    desktop.calls.clear();  // nothing held: nothing to set aside or press again
    desktop.Release(desk::KEY_LEFT_CONTROL);
    desktop.Release(desk::KEY_LEFT_WINDOWS);
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(desktop.Actions(), IsEmpty());
}

TEST_F(HotKeyTest, AHotKeySetAsideIsDroppedWhenTheHotKeysAreWithdrawn) {
    Add("outer", Trigger{'O', 0, 1, 0});
    Add("waiting", Trigger{'W', 0, 1, 0});
    HotKeysOnHideInTray(hotKeys);
    player.duringPlay = [&](const Macro&) {
        OnHotKey(hotKeys, 1);
        DisableAllMacros(hotKeys);  // chosen from the tray menu while the play's box is up
    };
    OnHotKey(hotKeys, 0);
    EXPECT_THAT(player.played, ElementsAre("outer"));
}

TEST_F(HotKeyTest, HidingRegistersAndLeavingWithdrawsUnlessMacrosAreDisabled) {
    Add("one", Trigger{'O', 0, 1, 0});
    HotKeysOnHideInTray(hotKeys);
    EXPECT_EQ(desktop.registeredHotKeys.size(), 1u);
    HotKeysOnLeaveTray(hotKeys);
    EXPECT_TRUE(desktop.registeredHotKeys.empty());

    hotKeys.macrosDisabled = true;
    desktop.calls.clear();
    HotKeysOnHideInTray(hotKeys);
    HotKeysOnLeaveTray(hotKeys);
    EXPECT_THAT(HotKeyCalls(), IsEmpty());
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

TEST_F(HotKeyTest, DisableThenEnableWithdrawsAndRegistersTheWholeSetAgain) {
    Add("one", Trigger{'O', 0, 1, 0});
    Add("two", Trigger{'T', 1, 0, 0});
    HotKeysOnHideInTray(hotKeys);
    desktop.calls.clear();
    DisableAllMacros(hotKeys);
    EXPECT_TRUE(hotKeys.macrosDisabled);
    EXPECT_TRUE(desktop.registeredHotKeys.empty());
    EnableAllMacros(hotKeys);
    EXPECT_FALSE(hotKeys.macrosDisabled);
    EXPECT_THAT(HotKeyCalls(), ElementsAre("UnregisterHotKey 77 0", "UnregisterHotKey 77 1",
                                           "RegisterHotKey 77 0 2 79", "RegisterHotKey 77 1 4 84"));
    EXPECT_THAT(desktop.boxes, IsEmpty());
}

}  // namespace
