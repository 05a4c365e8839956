// LoadSettings and StoreLastFileName of both programs against the in-memory store.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_settings_store.h"

namespace {

using Operation = FakeSettingsStore::Operation;
const uint32_t ERROR_BOX = desk::BOX_OK | desk::BOX_ICON_ERROR;

class SettingsTest : public ::testing::Test {
  protected:
    void Load(const SettingsProgram& program) {
        SettingsContext context{program, store, desktop, settings};
        LoadSettings(context);
    }
    void Store(const SettingsProgram& program, std::string_view fileName) {
        SettingsContext context{program, store, desktop, settings};
        StoreLastFileName(context, fileName);
    }
    // A key as an earlier run of the program left it.
    void Existing(const std::string& key, const std::string& lastFileName, uint32_t delay = 35) {
        store.keys[key] = {{"AutoRun", 1u}, {"LastFileName", lastFileName}, {"Version", 100u}};
        if (key == KEYLOOM_KEY) store.keys[key]["MacroDelay"] = delay;
    }
    void ExpectOneBox(const std::string& text) {
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text, text);
        EXPECT_EQ(desktop.boxes[0].caption, "Error");
        EXPECT_EQ(desktop.boxes[0].style, ERROR_BOX);
        EXPECT_EQ(desktop.boxes[0].owner, NO_WINDOW);
    }

    FakeSettingsStore store;
    FakeDesktop desktop;
    Settings settings;
};

TEST_F(SettingsTest, FirstStartWritesTheDefaultsAndKeepsTheBuiltInDelay) {
    Load(KEYLOOM_SETTINGS);
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "AutoRun"), 1u);
    EXPECT_EQ(store.Text(KEYLOOM_KEY, "LastFileName"), "");
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "MacroDelay"), 20u);
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "Version"), 100u);
    EXPECT_EQ(settings.macroDelay, 10);
    EXPECT_STREQ(settings.lastFileName, "");
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(store.OpenKeyCount(), 0);

    Load(KEYLOOM_SETTINGS);  // the next start
    EXPECT_EQ(settings.macroDelay, 20);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SettingsTest, SchedulerFirstStartHasNoDelayAndStaysUntitled) {
    Load(SCHEDULER_SETTINGS);
    EXPECT_EQ(store.keys[SCHEDULER_KEY],
              (FakeSettingsStore::Key{
                  {"AutoRun", 1u}, {"LastFileName", std::string()}, {"Version", 100u}}));
    EXPECT_STREQ(settings.lastFileName, "Untitled");
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(store.OpenKeyCount(), 0);

    Load(SCHEDULER_SETTINGS);  // an empty LastFileName also means untitled
    EXPECT_STREQ(settings.lastFileName, "Untitled");
    EXPECT_TRUE(desktop.boxes.empty());  // its key has no delay, and none was looked for
}

TEST_F(SettingsTest, LaterStartReadsTheStoredValuesAndClosesTheKey) {
    Existing(KEYLOOM_KEY, "C:\\Macros\\work list.lst", 35);
    Load(KEYLOOM_SETTINGS);
    EXPECT_STREQ(settings.lastFileName, "C:\\Macros\\work list.lst");
    EXPECT_EQ(settings.macroDelay, 35);
    EXPECT_EQ(store.OpenKeyCount(), 0);
    EXPECT_TRUE(desktop.boxes.empty());

    Existing(SCHEDULER_KEY, "D:\\nightly.scl");
    Load(SCHEDULER_SETTINGS);
    EXPECT_STREQ(settings.lastFileName, "D:\\nightly.scl");
}

TEST_F(SettingsTest, FirstFailingReadIsReportedAndEndsTheStep) {
    struct Case {
        Operation operation;
        std::string name;
        const char* fileName;  // in effect afterwards
        int32_t delay;
    };
    const std::vector<Case> cases = {
        {Operation::QueryString, "LastFileName", "", 10},
        {Operation::QueryNumber, "MacroDelay", "C:\\a.lst", 10},
        {Operation::QueryNumber, "Version", "C:\\a.lst", 35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store = FakeSettingsStore{};
        desktop = FakeDesktop{};
        Existing(KEYLOOM_KEY, "C:\\a.lst", 35);
        store.Fail(c.operation, c.name);
        store.Fail(Operation::QueryNumber, "Version");  // a read after the failure: a second box
        Load(KEYLOOM_SETTINGS);
        ExpectOneBox("Error reading from registry");
        EXPECT_STREQ(settings.lastFileName, c.fileName);
        EXPECT_EQ(settings.macroDelay, c.delay);
        EXPECT_EQ(store.OpenKeyCount(), 0);
    }
}

// Missing is the nominal speed; anything but a number from 25 to 400 is reported as unreadable
// and leaves the nominal speed, while the values before it are in effect.
TEST_F(SettingsTest, PlaySpeedIsANumberFrom25To400AndMissingMeans100) {
    struct Case {
        std::optional<FakeSettingsStore::Value> stored;
        int32_t speed;
        bool reported;
    };
    const std::vector<Case> cases = {
        {std::nullopt, 100, false},
        {25u, 25, false},
        {400u, 400, false},
        {250u, 250, false},
        {24u, 100, true},
        {401u, 100, true},
        {0u, 100, true},
        {0xFFFFFFFFu, 100, true},
        {std::string("200"), 100, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        desktop = FakeDesktop{};
        Existing(KEYLOOM_KEY, "C:\\a.lst", 35);
        if (c.stored) store.keys[KEYLOOM_KEY]["PlaySpeed"] = *c.stored;
        Load(KEYLOOM_SETTINGS);
        EXPECT_EQ(settings.playSpeed, c.speed);
        EXPECT_EQ(settings.macroDelay, 35);
        if (c.reported)
            ExpectOneBox("Error reading from registry");
        else
            EXPECT_TRUE(desktop.boxes.empty());
    }
    Existing(SCHEDULER_KEY, "D:\\nightly.scl");
    store.keys[SCHEDULER_KEY]["PlaySpeed"] = 50u;  // not the scheduler's: it plays at 100
    Load(SCHEDULER_SETTINGS);
    EXPECT_EQ(settings.playSpeed, 100);
}

TEST_F(SettingsTest, SchedulerKeepsUntitledWhenItsFileNameCannotBeRead) {
    Existing(SCHEDULER_KEY, "D:\\nightly.scl");
    store.Fail(Operation::QueryString, "LastFileName");
    store.Fail(Operation::QueryNumber, "Version");
    Load(SCHEDULER_SETTINGS);
    ExpectOneBox("Error reading from registry");
    EXPECT_STREQ(settings.lastFileName, "Untitled");

    store = FakeSettingsStore{};
    desktop = FakeDesktop{};
    Existing(SCHEDULER_KEY, "D:\\nightly.scl");
    store.Fail(Operation::QueryNumber, "Version");  // read after the name, and reported
    Load(SCHEDULER_SETTINGS);
    ExpectOneBox("Error reading from registry");
    EXPECT_STREQ(settings.lastFileName, "D:\\nightly.scl");
}

TEST_F(SettingsTest, KeyThatCannotBeOpenedLeavesTheBuiltInValues) {
    settings.macroDelay = 77;
    Existing(KEYLOOM_KEY, "C:\\a.lst", 35);
    store.Fail(Operation::CreateKey);
    Load(KEYLOOM_SETTINGS);
    ExpectOneBox("Registry error");
    EXPECT_EQ(settings.macroDelay, 10);
    EXPECT_STREQ(settings.lastFileName, "");

    desktop = FakeDesktop{};
    Load(SCHEDULER_SETTINGS);
    ExpectOneBox("Registry error");
    EXPECT_STREQ(settings.lastFileName, "Untitled");
}

TEST_F(SettingsTest, FailedFirstRunWriteIsReported) {
    store.Fail(Operation::SetString, "LastFileName");
    Load(KEYLOOM_SETTINGS);
    ExpectOneBox("Registry error");
    EXPECT_EQ(store.Number(KEYLOOM_KEY, "AutoRun"), 1u);
    EXPECT_FALSE(store.Number(KEYLOOM_KEY, "MacroDelay"));  // writing stopped at the failure
    EXPECT_EQ(settings.macroDelay, 10);
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

TEST_F(SettingsTest, OverlongLastFileNameMeansNoLastFile) {
    const std::string longest = "C:\\" + std::string(252, 'a') + ".lst";  // 259 characters
    ASSERT_EQ(longest.size(), 259u);
    Existing(KEYLOOM_KEY, longest, 35);
    Load(KEYLOOM_SETTINGS);
    EXPECT_EQ(settings.lastFileName, longest);

    Existing(KEYLOOM_KEY, longest + "x", 40);
    Load(KEYLOOM_SETTINGS);
    EXPECT_STREQ(settings.lastFileName, "");
    EXPECT_EQ(settings.macroDelay, 40);  // the reads go on
    Existing(SCHEDULER_KEY, std::string(400, 'b'));
    Load(SCHEDULER_SETTINGS);
    EXPECT_STREQ(settings.lastFileName, "Untitled");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SettingsTest, StoreLastFileNameNeverStoresUntitled) {
    Existing(KEYLOOM_KEY, "C:\\old.lst");
    Store(KEYLOOM_SETTINGS, "Untitled");
    EXPECT_EQ(store.Text(KEYLOOM_KEY, "LastFileName"), "C:\\old.lst");
    Store(KEYLOOM_SETTINGS, "C:\\new list.lst");
    EXPECT_EQ(store.Text(KEYLOOM_KEY, "LastFileName"), "C:\\new list.lst");

    Existing(SCHEDULER_KEY, "D:\\old.scl");
    Store(SCHEDULER_SETTINGS, "Untitled");
    EXPECT_EQ(store.Text(SCHEDULER_KEY, "LastFileName"), "D:\\old.scl");
    Store(SCHEDULER_SETTINGS, "D:\\new.scl");
    EXPECT_EQ(store.Text(SCHEDULER_KEY, "LastFileName"), "D:\\new.scl");
    EXPECT_EQ(store.Text(KEYLOOM_KEY, "LastFileName"), "C:\\new list.lst");
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

TEST_F(SettingsTest, StoreLastFileNameReportsEveryFailure) {
    Existing(KEYLOOM_KEY, "C:\\old.lst");
    store.Fail(Operation::CreateKey);
    Store(KEYLOOM_SETTINGS, "C:\\new.lst");
    ExpectOneBox("Registry error");

    store = FakeSettingsStore{};
    desktop = FakeDesktop{};
    Existing(KEYLOOM_KEY, "C:\\old.lst");
    store.Fail(Operation::SetString, "LastFileName");
    Store(KEYLOOM_SETTINGS, "C:\\new.lst");
    ExpectOneBox("Registry error");
    EXPECT_EQ(store.Text(KEYLOOM_KEY, "LastFileName"), "C:\\old.lst");
    EXPECT_EQ(store.OpenKeyCount(), 0);
}

}  // namespace
