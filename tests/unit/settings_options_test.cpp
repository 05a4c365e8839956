// The Options dialogs' logic: what they show on opening and what OK stores.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/options.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_settings_store.h"

namespace {

using Operation = FakeSettingsStore::Operation;
const std::string RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr WindowHandle DIALOG = 4242;

class SettingsOptionsTest : public ::testing::Test {
  protected:
    SettingsContext Context(const SettingsProgram& program) {
        return SettingsContext{program, store, desktop, settings};
    }
    OptionsShown Read(const SettingsProgram& program) {
        SettingsContext context = Context(program);
        return ReadOptions(context, DIALOG);
    }
    bool Apply(const SettingsProgram& program, std::string_view delayText, bool autoRun,
               std::string_view speedText = "100") {
        SettingsContext context = Context(program);
        return ApplyOptions(context, DIALOG, OptionsChosen{delayText, autoRun, speedText});
    }
    // Both programs as their first start leaves them.
    void FirstStart() {
        Settings scratch;
        SettingsContext keyloom{KEYLOOM_SETTINGS, store, desktop, scratch};
        LoadSettings(keyloom);
        SettingsContext scheduler{SCHEDULER_SETTINGS, store, desktop, scratch};
        LoadSettings(scheduler);
        store.calls.clear();
    }
    // The texts of the boxes shown, each an error box of the dialog.
    std::vector<std::string> BoxTexts() const {
        for (const FakeDesktop::Box& box : desktop.boxes) {
            EXPECT_EQ(box.owner, DIALOG);
            EXPECT_EQ(box.caption, "Error");
            EXPECT_EQ(box.style, desk::BOX_OK | desk::BOX_ICON_ERROR);
        }
        return desktop.BoxTexts();
    }
    bool RunEntryExists(const std::string& name) { return store.keys[RUN_KEY].count(name) != 0; }

    FakeSettingsStore store;
    FakeDesktop desktop;
    Settings settings;
};

TEST_F(SettingsOptionsTest, OpeningShowsTheStoredValues) {
    FirstStart();
    OptionsShown shown = Read(KEYLOOM_SETTINGS);
    EXPECT_TRUE(shown.autoRun);  // checked although no start-up entry exists yet
    EXPECT_EQ(shown.macroDelayText, "20");
    EXPECT_FALSE(RunEntryExists("Keyloom"));

    store.keys[KEYLOOM_KEY]["AutoRun"] = 2u;  // only 1 checks the box
    store.keys[KEYLOOM_KEY]["MacroDelay"] = 100u;
    shown = Read(KEYLOOM_SETTINGS);
    EXPECT_FALSE(shown.autoRun);
    EXPECT_EQ(shown.macroDelayText, "100");
    EXPECT_EQ(shown.playSpeedText, "100");  // missing: the nominal speed

    store.calls.clear();
    shown = Read(SCHEDULER_SETTINGS);
    EXPECT_TRUE(shown.autoRun);
    EXPECT_EQ(shown.macroDelayText, "");
    EXPECT_EQ(store.calls,
              (std::vector<std::string>{"CreateKey " + SCHEDULER_KEY, "QueryNumber AutoRun",
                                        "CloseKey " + SCHEDULER_KEY}));
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SettingsOptionsTest, OpeningReportsFailuresOverTheDialog) {
    FirstStart();
    store.Fail(Operation::QueryNumber, "AutoRun");
    OptionsShown shown = Read(KEYLOOM_SETTINGS);
    EXPECT_FALSE(shown.autoRun);
    EXPECT_EQ(shown.macroDelayText, "20");  // the other value is still shown
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Error reading from registry"}));

    desktop = FakeDesktop{};
    store.Fail(Operation::QueryNumber, "MacroDelay");
    Read(KEYLOOM_SETTINGS);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Error reading from registry"}));

    desktop = FakeDesktop{};
    store.Fail(Operation::CreateKey);
    shown = Read(SCHEDULER_SETTINGS);
    EXPECT_FALSE(shown.autoRun);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Registry error"}));
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

TEST_F(SettingsOptionsTest, OpeningWithANewKeyReadsNothing) {
    OptionsShown shown = Read(KEYLOOM_SETTINGS);
    EXPECT_FALSE(shown.autoRun);
    EXPECT_EQ(shown.macroDelayText, "");
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(store.calls,
              (std::vector<std::string>{"CreateKey " + KEYLOOM_KEY, "CloseKey " + KEYLOOM_KEY}));
}

TEST_F(SettingsOptionsTest, DelayIsHeldBetweenTenAndAHundredAsAnUnsignedNumber) {
    const std::vector<std::pair<std::string, uint32_t>> cases = {
        {"5", 10},    {"250", 100}, {"", 10},   {"0", 10},   {"10", 10},
        {"100", 100}, {"101", 100}, {"55", 55}, {"-5", 100}, {"x7", 10}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ClampMacroDelay(text), expected) << text;
}

TEST_F(SettingsOptionsTest, OkStoresTheClampedDelayAndUsesIt) {
    FirstStart();
    for (const auto& [text, expected] :
         std::vector<std::pair<std::string, uint32_t>>{{"5", 10}, {"250", 100}, {"", 10}}) {
        EXPECT_TRUE(Apply(KEYLOOM_SETTINGS, text, false)) << text;
        EXPECT_EQ(store.Number(KEYLOOM_KEY, "MacroDelay"), expected) << text;
        EXPECT_EQ(settings.macroDelay, static_cast<int32_t>(expected)) << text;
        EXPECT_EQ(store.Number(KEYLOOM_KEY, "AutoRun"), 0u);
    }
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

// OK takes a number from 25 to 400 and stores it as PlaySpeed with the other values; anything
// else is reported over the dialog, which stays open with nothing stored or changed.
TEST_F(SettingsOptionsTest, OkStoresAPlaySpeedFrom25To400AndRefusesAnyOther) {
    const std::vector<std::pair<std::string, std::optional<uint32_t>>> cases = {
        {"25", 25u},        {"400", 400u},         {"200", 200u},         {" 50 ", 50u},
        {"100", 100u},      {"24", std::nullopt},  {"401", std::nullopt}, {"0", std::nullopt},
        {"", std::nullopt}, {"1e2", std::nullopt}, {"-50", std::nullopt}, {"0400", std::nullopt},
    };
    for (const auto& [text, speed] : cases) {
        SCOPED_TRACE(text);
        store = FakeSettingsStore{};
        desktop = FakeDesktop{};
        settings = Settings{};
        FirstStart();
        store.keys[KEYLOOM_KEY]["PlaySpeed"] = 300u;
        EXPECT_EQ(Apply(KEYLOOM_SETTINGS, "30", false, text), speed.has_value());
        EXPECT_EQ(store.Number(KEYLOOM_KEY, "PlaySpeed"), speed.value_or(300u));
        EXPECT_EQ(settings.playSpeed, static_cast<int32_t>(speed.value_or(100u)));
        EXPECT_EQ(store.Number(KEYLOOM_KEY, "MacroDelay"), speed ? 30u : 20u);
        if (speed)
            EXPECT_TRUE(desktop.boxes.empty());
        else
            EXPECT_EQ(
                BoxTexts(),
                (std::vector<std::string>{"Playback speed must be a number from 25 to 400."}));
        EXPECT_EQ(Read(KEYLOOM_SETTINGS).playSpeedText, std::to_string(speed.value_or(300u)));
    }
    EXPECT_TRUE(Apply(SCHEDULER_SETTINGS, "", false, ""));  // the scheduler has no speed
    EXPECT_FALSE(store.Number(SCHEDULER_KEY, "PlaySpeed"));
}

TEST_F(SettingsOptionsTest, CheckedBoxWritesTheQuotedStartupEntry) {
    FirstStart();
    store.programPath = "C:\\Program Files\\Keyloom\\Keyloom.exe";
    EXPECT_TRUE(Apply(KEYLOOM_SETTINGS, "30", true));
    EXPECT_EQ(store.Text(RUN_KEY, "Keyloom"), "\"C:\\Program Files\\Keyloom\\Keyloom.exe\" /m");
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "AutoRun"), 1u);
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "MacroDelay"), 30u);

    store.programPath = "C:\\Program Files\\Keyloom\\Keyloom Scheduler.exe";
    EXPECT_TRUE(Apply(SCHEDULER_SETTINGS, "", true));
    EXPECT_EQ(store.Text(RUN_KEY, "Keyloom Scheduler"),
              "\"C:\\Program Files\\Keyloom\\Keyloom Scheduler.exe\" /m");
    EXPECT_EQ(store.Number(SCHEDULER_KEY, "AutoRun"), 1u);
    EXPECT_FALSE(store.Number(SCHEDULER_KEY, "MacroDelay"));
    EXPECT_EQ(settings.macroDelay, 30);  // the scheduler has no delay to change
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

TEST_F(SettingsOptionsTest, UncheckedBoxRemovesTheEntryAndAMissingOneIsNoError) {
    FirstStart();
    ASSERT_TRUE(Apply(KEYLOOM_SETTINGS, "20", true));
    ASSERT_TRUE(Apply(SCHEDULER_SETTINGS, "", true));
    EXPECT_TRUE(Apply(KEYLOOM_SETTINGS, "20", false));
    EXPECT_FALSE(RunEntryExists("Keyloom"));
    EXPECT_TRUE(RunEntryExists("Keyloom Scheduler"));  // each program has its own entry
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "AutoRun"), 0u);
    EXPECT_TRUE(Apply(KEYLOOM_SETTINGS, "20", false));
    EXPECT_FALSE(RunEntryExists("Keyloom"));
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SettingsOptionsTest, ProgramKeyFailureKeepsTheDialogOpen) {
    FirstStart();
    store.Fail(Operation::OpenKey, KEYLOOM_KEY);
    EXPECT_FALSE(Apply(KEYLOOM_SETTINGS, "40", true));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Registry error"}));
    EXPECT_EQ(settings.macroDelay, 40);  // in effect before the store is reached
    EXPECT_FALSE(RunEntryExists("Keyloom"));
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "MacroDelay"), 20u);

    store = FakeSettingsStore{};
    desktop = FakeDesktop{};
    FirstStart();
    store.Fail(Operation::SetNumber, "AutoRun");
    EXPECT_FALSE(Apply(SCHEDULER_SETTINGS, "", false));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Registry error"}));
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

TEST_F(SettingsOptionsTest, StartupKeyFailureEndsTheDialogOnlyWhenTheBoxIsUnchecked) {
    FirstStart();
    store.Fail(Operation::OpenKey, RUN_KEY);
    EXPECT_FALSE(Apply(KEYLOOM_SETTINGS, "50", true));
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "MacroDelay"), 50u);  // already stored
    EXPECT_TRUE(Apply(KEYLOOM_SETTINGS, "60", false));
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "AutoRun"), 0u);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Registry error", "Registry error"}));
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

TEST_F(SettingsOptionsTest, MissingProgramPathEndsTheDialogWithoutAnEntry) {
    FirstStart();
    store.Fail(Operation::ProgramPath);
    EXPECT_TRUE(Apply(KEYLOOM_SETTINGS, "20", true));
    EXPECT_TRUE(Apply(SCHEDULER_SETTINGS, "", true));
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Failed to retrieve Keyloom's filename",
                                        "Failed to retrieve Keyloom Scheduler's filename"}));
    EXPECT_TRUE(store.keys[RUN_KEY].empty());
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "AutoRun"), 1u);
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

TEST_F(SettingsOptionsTest, FailedStartupEntryChangeIsReported) {
    FirstStart();
    store.Fail(Operation::SetString, "Keyloom");
    EXPECT_FALSE(Apply(KEYLOOM_SETTINGS, "20", true));  // OK can be tried again
    store.Fail(Operation::DeleteValue, "Keyloom");
    EXPECT_TRUE(Apply(KEYLOOM_SETTINGS, "20", false));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Registry error", "Registry error"}));
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

}  // namespace
