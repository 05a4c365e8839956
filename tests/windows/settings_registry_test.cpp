// The settings store on the real registry, and both programs' settings kept in it.
#include <gtest/gtest.h>

#include "settings/registry_settings_store_win32.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/registry_probe_win32.h"

namespace {

const std::string SCRATCH_KEY = "Software\\Keyloom Registry Test";

class SettingsRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* key : {"Software\\Keyloom", "Software\\Keyloom Scheduler"})
            DeleteRegistryKey(key);
        DeleteRegistryKey(SCRATCH_KEY);
    }
    void ExpectNumber(const std::string& key, const std::string& name, DWORD expected) {
        auto value = ReadRegistryValue(key, name);
        ASSERT_TRUE(value) << name;
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD)) << name;
        EXPECT_EQ(value->bytes.size(), 4u) << name;
        EXPECT_EQ(value->Number(), expected) << name;
    }
    void ExpectText(const std::string& key, const std::string& name, const std::string& expected) {
        auto value = ReadRegistryValue(key, name);
        ASSERT_TRUE(value) << name;
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_EQ(value->Text(), expected) << name;
    }

    RegistrySettingsStore store;
    FakeDesktop desktop;
    Settings settings;
};

TEST_F(SettingsRegistryTest, StoreRoundTripsNumbersAndStrings) {
    SettingsKey key = 0;
    bool newlyCreated = false;
    EXPECT_FALSE(store.OpenKey(SCRATCH_KEY, key));
    ASSERT_TRUE(store.CreateKey(SCRATCH_KEY, key, newlyCreated));
    EXPECT_TRUE(newlyCreated);
    const std::string longText(1000, 'p');
    EXPECT_TRUE(store.SetNumber(key, "Number", 4000000000u));
    EXPECT_TRUE(store.SetString(key, "Text", "C:\\with space\\list.lst"));
    EXPECT_TRUE(store.SetString(key, "Empty", ""));
    EXPECT_TRUE(store.SetString(key, "Long", longText));
    store.CloseKey(key);

    ExpectNumber(SCRATCH_KEY, "Number", 4000000000u);
    ExpectText(SCRATCH_KEY, "Text", "C:\\with space\\list.lst");
    ExpectText(SCRATCH_KEY, "Empty", "");

    ASSERT_TRUE(store.CreateKey(SCRATCH_KEY, key, newlyCreated));
    EXPECT_FALSE(newlyCreated);
    uint32_t number = 0;
    std::string text;
    EXPECT_TRUE(store.QueryNumber(key, "Number", number));
    EXPECT_EQ(number, 4000000000u);
    EXPECT_TRUE(store.QueryString(key, "Text", text));
    EXPECT_EQ(text, "C:\\with space\\list.lst");
    EXPECT_TRUE(store.QueryString(key, "Empty", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(store.QueryString(key, "Long", text));  // longer than the first read buffer
    EXPECT_EQ(text, longText);
    EXPECT_FALSE(store.QueryNumber(key, "Text", number));  // the other type
    EXPECT_FALSE(store.QueryString(key, "Number", text));
    EXPECT_FALSE(store.QueryNumber(key, "Missing", number));
    EXPECT_TRUE(store.HasValue(key, "Number") && store.HasValue(key, "Text"));  // either type
    EXPECT_FALSE(store.HasValue(key, "Missing"));
    EXPECT_TRUE(store.DeleteValue(key, "Text"));
    EXPECT_FALSE(ReadRegistryValue(SCRATCH_KEY, "Text"));
    EXPECT_TRUE(store.DeleteValue(key, "Text"));  // already gone: no error
    store.CloseKey(key);
}

TEST_F(SettingsRegistryTest, StringStoredWithoutItsZeroReadsWhole) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SCRATCH_KEY.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    std::string text = "stale";
    EXPECT_TRUE(store.QueryString(reinterpret_cast<SettingsKey>(key), "Bare", text));
    EXPECT_EQ(text, "abc");
    RegCloseKey(key);
}

TEST_F(SettingsRegistryTest, ProgramPathIsThisProgram) {
    std::string path;
    ASSERT_TRUE(store.ProgramPath(path));
    char expected[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, expected, MAX_PATH);
    EXPECT_EQ(path, expected);
    EXPECT_NE(path.find("settings_registry_test.exe"), std::string::npos);
}

TEST_F(SettingsRegistryTest, KeyloomKeyIsCreatedWithTypedDefaultsAndReadNextTime) {
    SettingsContext context{KEYLOOM_SETTINGS, store, desktop, settings};
    LoadSettings(context);
    ExpectNumber("Software\\Keyloom", "AutoRun", 1);
    ExpectText("Software\\Keyloom", "LastFileName", "");
    ExpectNumber("Software\\Keyloom", "MacroDelay", 20);
    ExpectNumber("Software\\Keyloom", "Version", 100);
    EXPECT_EQ(settings.macroDelay, 10);

    StoreLastFileName(context, "C:\\My Macros\\daily.lst");
    ExpectText("Software\\Keyloom", "LastFileName", "C:\\My Macros\\daily.lst");
    StoreLastFileName(context, "Untitled");
    ExpectText("Software\\Keyloom", "LastFileName", "C:\\My Macros\\daily.lst");

    LoadSettings(context);
    EXPECT_EQ(settings.macroDelay, 20);
    EXPECT_STREQ(settings.lastFileName, "C:\\My Macros\\daily.lst");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(SettingsRegistryTest, SchedulerKeyHasNoDelayAndReadsItsScheduleFile) {
    SettingsContext context{SCHEDULER_SETTINGS, store, desktop, settings};
    LoadSettings(context);
    ExpectNumber("Software\\Keyloom Scheduler", "AutoRun", 1);
    ExpectText("Software\\Keyloom Scheduler", "LastFileName", "");
    ExpectNumber("Software\\Keyloom Scheduler", "Version", 100);
    EXPECT_FALSE(ReadRegistryValue("Software\\Keyloom Scheduler", "MacroDelay"));
    EXPECT_STREQ(settings.lastFileName, "Untitled");

    StoreLastFileName(context, "D:\\night.scl");
    LoadSettings(context);
    EXPECT_STREQ(settings.lastFileName, "D:\\night.scl");
    EXPECT_FALSE(ReadRegistryValue("Software\\Keyloom", "AutoRun"));  // the programs stay apart
    EXPECT_TRUE(desktop.boxes.empty());
}

}  // namespace
