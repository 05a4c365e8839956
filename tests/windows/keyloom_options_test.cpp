// Keyloom's Options dialog on the real registry, driven as a user would.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/keyloom_ids.h"
#include "settings/options_dialog_win32.h"
#include "settings/registry_settings_store_win32.h"
#include "tests/support/dialog_probe_win32.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/registry_probe_win32.h"

namespace {

const std::string KEY = "Software\\Keyloom";
const std::string RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// What the start-up entry must hold for this program.
std::string ExpectedEntry() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string entry = "\"";
    entry += path;
    entry += "\" /m";
    return entry;
}

class KeyloomOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteRegistryKey(KEY);
        DeleteRegistryValue(RUN_KEY, "Keyloom");
        LoadSettings(context);  // the first start: the key with its defaults
        ASSERT_TRUE(desktop.boxes.empty());
    }
    // Opens the dialog and runs `script` on it; expects it to end by itself with 1.
    void Run(const std::function<void(HWND)>& script) {
        ModalRun run = RunModalDialog(
            "Options", [&] { return ShowOptionsDialog(nullptr, context); }, script);
        EXPECT_TRUE(run.found) << "the dialog did not appear";
        EXPECT_TRUE(run.ended) << "the dialog stayed open";
        EXPECT_EQ(run.result, 1);
    }
    static void SetDelay(HWND dialog, const char* text) {
        SendDlgItemMessageA(dialog, IDC_OPTIONS_DELAY, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(text));
    }
    static void SetSpeed(HWND dialog, const char* text) {
        SendDlgItemMessageA(dialog, IDC_OPTIONS_SPEED, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(text));
    }
    static void SetChecked(HWND dialog, bool checked) {
        SendDlgItemMessageA(dialog, IDC_OPTIONS_AUTORUN, BM_SETCHECK,
                            checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    RegistrySettingsStore store;
    FakeDesktop desktop;
    Settings settings;
    SettingsContext context{KEYLOOM_SETTINGS, store, desktop, settings};
};

TEST_F(KeyloomOptionsTest, DialogHasTheSpecifiedTextsControlsAndLayout) {
    std::vector<ControlInfo> controls;
    std::vector<std::string> problems;
    std::string font;
    LRESULT limit = 0;
    LRESULT speedLimit = 0;
    Run([&](HWND dialog) {
        controls = ReadControls(dialog);
        problems = LayoutProblems(dialog);
        font = DialogFontName(dialog);
        limit = SendDlgItemMessageA(dialog, IDC_OPTIONS_DELAY, EM_GETLIMITTEXT, 0, 0);
        speedLimit = SendDlgItemMessageA(dialog, IDC_OPTIONS_SPEED, EM_GETLIMITTEXT, 0, 0);
        PressButton(dialog, IDCANCEL);
    });
    auto find = [&](const std::string& text) {
        auto found = std::find_if(controls.begin(), controls.end(),
                                  [&](const ControlInfo& c) { return c.text == text; });
        return found == controls.end() ? ControlInfo{0, "missing", text, 0, {}, nullptr} : *found;
    };
    EXPECT_EQ(find("Macro Delay Time").className, "Button");
    EXPECT_EQ(find("Auto Start-up").className, "Button");
    EXPECT_EQ(find("This value specifies the time interval between events when playing and "
                   "recording a macro. A smaller time interval produces smoother macros, but "
                   "requires more processor power.")
                  .className,
              "Static");
    EXPECT_EQ(find("Macro time interval:").className, "Static");
    EXPECT_EQ(find("milliseconds.").className, "Static");
    EXPECT_EQ(find("Playback speed").className, "Button");
    EXPECT_EQ(find("Playback speed:").className, "Static");
    EXPECT_EQ(find("percent (25 to 400).").className, "Static");
    EXPECT_EQ(find("If this box is checked,  Keyloom will automatically run when Windows first "
                   "starts up.")
                  .className,
              "Static");
    ControlInfo box = find("Run Keyloom when Windows starts");
    EXPECT_EQ(box.id, IDC_OPTIONS_AUTORUN);
    EXPECT_EQ(box.style & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(find("OK").id, IDOK);
    EXPECT_EQ(find("Cancel").id, IDCANCEL);
    std::vector<int> edits;
    for (const ControlInfo& c : controls) {
        if (c.className != "Edit") continue;
        edits.push_back(c.id);
        EXPECT_NE(c.style & ES_NUMBER, 0);
    }
    EXPECT_EQ(edits, (std::vector<int>{IDC_OPTIONS_DELAY, IDC_OPTIONS_SPEED}));  // in tab order
    EXPECT_EQ(limit, 3);
    EXPECT_EQ(speedLimit, 3);
    EXPECT_EQ(controls.size(), 15u);
    EXPECT_EQ(font, "MS Sans Serif");
    EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST_F(KeyloomOptionsTest, OpensWithTheStoredValues) {
    bool checked = false;
    std::string delay;
    std::string speed;
    auto read = [&](HWND dialog) {
        checked = IsDlgButtonChecked(dialog, IDC_OPTIONS_AUTORUN) == BST_CHECKED;
        delay = WindowText(GetDlgItem(dialog, IDC_OPTIONS_DELAY));
        speed = WindowText(GetDlgItem(dialog, IDC_OPTIONS_SPEED));
        PressButton(dialog, IDCANCEL);
    };
    Run(read);
    EXPECT_TRUE(checked);  // first start: checked, though no start-up entry exists yet
    EXPECT_EQ(delay, "20");
    EXPECT_EQ(speed, "100");  // no PlaySpeed yet
    EXPECT_FALSE(ReadRegistryValue(RUN_KEY, "Keyloom"));

    WriteRegistryNumber(KEY, "AutoRun", 0);
    WriteRegistryNumber(KEY, "MacroDelay", 55);
    WriteRegistryNumber(KEY, "PlaySpeed", 250);
    Run(read);
    EXPECT_FALSE(checked);
    EXPECT_EQ(delay, "55");
    EXPECT_EQ(speed, "250");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(KeyloomOptionsTest, OkWritesOrRemovesTheStartupEntry) {
    Run([](HWND dialog) {
        SetDelay(dialog, "5");
        SetChecked(dialog, true);
        PressButton(dialog, IDOK);
    });
    auto entry = ReadRegistryValue(RUN_KEY, "Keyloom");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(entry->Text(), ExpectedEntry());
    auto autoRun = ReadRegistryValue(KEY, "AutoRun");
    auto delay = ReadRegistryValue(KEY, "MacroDelay");
    ASSERT_TRUE(autoRun && delay);
    EXPECT_EQ(autoRun->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(autoRun->Number(), 1u);
    EXPECT_EQ(delay->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(delay->Number(), 10u);
    EXPECT_EQ(settings.macroDelay, 10);

    auto uncheck = [](HWND dialog) {
        SetDelay(dialog, "250");
        SetChecked(dialog, false);
        PressButton(dialog, IDOK);
    };
    Run(uncheck);
    EXPECT_FALSE(ReadRegistryValue(RUN_KEY, "Keyloom"));
    EXPECT_EQ(ReadRegistryValue(KEY, "AutoRun").value().Number(), 0u);
    EXPECT_EQ(ReadRegistryValue(KEY, "MacroDelay").value().Number(), 100u);
    EXPECT_EQ(settings.macroDelay, 100);
    Run(uncheck);  // no entry to remove: no error
    EXPECT_TRUE(desktop.boxes.empty());
}

// OK stores the speed as a 32-bit number and puts it in effect; a speed out of range keeps the
// dialog open with nothing stored, until Cancel.
TEST_F(KeyloomOptionsTest, OkStoresThePlaybackSpeedOrSaysWhatItMustBe) {
    Run([](HWND dialog) {
        SetSpeed(dialog, "200");
        PressButton(dialog, IDOK);
    });
    auto speed = ReadRegistryValue(KEY, "PlaySpeed");
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(speed->Number(), 200u);
    EXPECT_EQ(settings.playSpeed, 200);
    EXPECT_TRUE(desktop.boxes.empty());

    Run([](HWND dialog) {
        SetSpeed(dialog, "401");
        SetDelay(dialog, "77");
        PressButton(dialog, IDOK);
        PressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(desktop.BoxTexts(),
              std::vector<std::string>{"Playback speed must be a number from 25 to 400."});
    EXPECT_EQ(ReadRegistryValue(KEY, "PlaySpeed").value().Number(), 200u);
    EXPECT_EQ(ReadRegistryValue(KEY, "MacroDelay").value().Number(), 20u);
    EXPECT_EQ(settings.playSpeed, 200);
}

TEST_F(KeyloomOptionsTest, CancelAndTheCloseBoxChangeNothing) {
    Run([](HWND dialog) {
        SetDelay(dialog, "77");
        SetChecked(dialog, false);
        PressButton(dialog, IDCANCEL);
    });
    Run([](HWND dialog) {
        SetDelay(dialog, "77");
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(ReadRegistryValue(KEY, "MacroDelay").value().Number(), 20u);
    EXPECT_EQ(ReadRegistryValue(KEY, "AutoRun").value().Number(), 1u);
    EXPECT_FALSE(ReadRegistryValue(RUN_KEY, "Keyloom"));
    EXPECT_EQ(settings.macroDelay, 10);
}

}  // namespace
