// Keyloom Scheduler's Options dialog on the real registry, driven as a user would.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/scheduler_ids.h"
#include "settings/options_dialog_win32.h"
#include "settings/registry_settings_store_win32.h"
#include "tests/support/dialog_probe_win32.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/registry_probe_win32.h"

namespace {

const std::string KEY = "Software\\Keyloom Scheduler";
const std::string RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class SchedulerOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteRegistryKey(KEY);
        DeleteRegistryValue(RUN_KEY, "Keyloom Scheduler");
        LoadSettings(context);
        ASSERT_TRUE(desktop.boxes.empty());
    }
    void Run(const std::function<void(HWND)>& script) {
        ModalRun run = RunModalDialog(
            "Options", [&] { return ShowOptionsDialog(nullptr, context); }, script);
        EXPECT_TRUE(run.found) << "the dialog did not appear";
        EXPECT_TRUE(run.ended) << "the dialog stayed open";
        EXPECT_EQ(run.result, 1);
    }
    static void CheckAndPress(HWND dialog, bool checked, int button) {
        SendDlgItemMessageA(dialog, IDC_OPTIONS_AUTORUN, BM_SETCHECK,
                            checked ? BST_CHECKED : BST_UNCHECKED, 0);
        PressButton(dialog, button);
    }

    RegistrySettingsStore store;
    FakeDesktop desktop;
    Settings settings;
    SettingsContext context{SCHEDULER_SETTINGS, store, desktop, settings};
};

TEST_F(SchedulerOptionsTest, DialogHasTheSpecifiedTextsControlsAndLayout) {
    std::vector<ControlInfo> controls;
    std::vector<std::string> problems;
    std::string font;
    bool checked = false;
    Run([&](HWND dialog) {
        controls = ReadControls(dialog);
        problems = LayoutProblems(dialog);
        font = DialogFontName(dialog);
        checked = IsDlgButtonChecked(dialog, IDC_OPTIONS_AUTORUN) == BST_CHECKED;
        PressButton(dialog, IDCANCEL);
    });
    std::vector<std::tuple<int, std::string, std::string>> seen;
    for (const ControlInfo& c : controls)
        seen.emplace_back(c.id, c.className, c.text);
    std::vector<std::tuple<int, std::string, std::string>> expected = {
        {-1, "Button", "Auto Start-up"},
        {-1, "Static",
         "If this box is checked,  Keyloom Scheduler will automatically run when Windows first "
         "starts up."},
        {IDC_OPTIONS_AUTORUN, "Button", "Run Keyloom Scheduler when Windows starts"},
        {IDOK, "Button", "OK"},
        {IDCANCEL, "Button", "Cancel"},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(checked);
    EXPECT_EQ(font, "MS Shell Dlg");
    EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST_F(SchedulerOptionsTest, OkWritesOrRemovesTheStartupEntry) {
    Run([](HWND dialog) { CheckAndPress(dialog, true, IDOK); });
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string expected = "\"";
    expected += path;
    expected += "\" /m";
    auto entry = ReadRegistryValue(RUN_KEY, "Keyloom Scheduler");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(entry->Text(), expected);
    EXPECT_EQ(ReadRegistryValue(KEY, "AutoRun").value().Number(), 1u);
    EXPECT_FALSE(ReadRegistryValue(KEY, "MacroDelay"));

    Run([](HWND dialog) { CheckAndPress(dialog, false, IDCANCEL); });
    EXPECT_TRUE(ReadRegistryValue(RUN_KEY, "Keyloom Scheduler"));

    bool checked = false;
    Run([&](HWND dialog) {
        checked = IsDlgButtonChecked(dialog, IDC_OPTIONS_AUTORUN) == BST_CHECKED;
        CheckAndPress(dialog, false, IDOK);
    });
    EXPECT_TRUE(checked);
    EXPECT_FALSE(ReadRegistryValue(RUN_KEY, "Keyloom Scheduler"));
    auto autoRun = ReadRegistryValue(KEY, "AutoRun");
    ASSERT_TRUE(autoRun);
    EXPECT_EQ(autoRun->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(autoRun->Number(), 0u);
    Run([](HWND dialog) { CheckAndPress(dialog, false, IDOK); });
    EXPECT_TRUE(desktop.boxes.empty());
}

}  // namespace
