// Keyloom.exe started as a user starts it: the last macro list, the details pane, the single
// instance, the playback buttons and the list commands through the real dialogs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>

#include <string>
#include <vector>

#include "resources/keyloom_ids.h"
#include "tests/support/dpi_probe_win32.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr int EXIT_TIMEOUT_MS = 15000;

// Where the process loaded the common controls from.
std::string CommonControlsPath(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    HMODULE modules[512];
    DWORD size = 0;
    std::string found;
    if (process && EnumProcessModules(process, modules, sizeof modules, &size)) {
        for (DWORD i = 0; i < size / sizeof(HMODULE); ++i) {
            char path[MAX_PATH] = "";
            GetModuleFileNameExA(process, modules[i], path, sizeof path);
            std::string lower = path;
            std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
            if (lower.size() >= 12 && lower.compare(lower.size() - 12, 12, "comctl32.dll") == 0)
                found = lower;
        }
    }
    if (process) CloseHandle(process);
    return found;
}

class KeyloomMainWindowTest : public ::testing::Test {
  protected:
    // Macro files "Alpha" (Ctrl+Shift+F5, enabled) and "Beta" (no trigger, disabled), and a
    // list of both that the previous run left as LastFileName.
    void SetUp() override {
        alpha = dir.Write("alpha.mro", MacroFileText("Alpha", "", "116 1 1 0", "First macro"));
        beta = dir.Write("beta.mro", MacroFileText("Beta", "", "0 0 0 0", "Second", false));
        list = dir.Write("library.lst", alpha + "\r\n" + beta + "\r\n");
        WriteKeyloomSettings(list);
    }
    // Starts the program and waits until its window is up with its list.
    void Start(KeyloomDriver& keyloom) {
        ASSERT_NE(keyloom.WaitForMainWindow(), nullptr) << "no main window";
        ASSERT_TRUE(keyloom.WaitUntilVisible(true)) << "main window never shown";
    }
    void Exit(KeyloomDriver& keyloom) {
        keyloom.Command(IDM_EXIT);
        DWORD exitCode = 99;
        ASSERT_TRUE(keyloom.WaitForExit(EXIT_TIMEOUT_MS, &exitCode)) << "Exit did not end it";
        EXPECT_EQ(exitCode, 0u);
    }

    TempDir dir;
    std::string alpha;
    std::string beta;
    std::string list;
};

TEST_F(KeyloomMainWindowTest, StartReopensTheLastListAndSelectingShowsTheDetails) {
    KeyloomDriver keyloom;
    Start(keyloom);
    EXPECT_EQ(keyloom.ListEntries(), (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_EQ(keyloom.Selection(), -1);
    EXPECT_TRUE(keyloom.ControlEnabled(IDC_PLAY));
    EXPECT_FALSE(keyloom.ControlEnabled(IDC_PAUSE));
    EXPECT_FALSE(keyloom.ControlEnabled(IDC_STOP));
    EXPECT_FALSE(keyloom.ControlEnabled(IDC_TRIGGER_DISPLAY));  // display only

    keyloom.Select(0);
    EXPECT_EQ(keyloom.ControlText(IDC_DESCRIPTION), "First macro");
    EXPECT_EQ(SendDlgItemMessageW(keyloom.main(), IDC_TRIGGER_DISPLAY, HKM_GETHOTKEY, 0, 0),
              MAKEWORD(VK_F5, HOTKEYF_SHIFT | HOTKEYF_CONTROL));
    EXPECT_EQ(keyloom.ControlText(IDC_ENABLED_TEXT), "YES");
    keyloom.Select(1);
    EXPECT_EQ(keyloom.ControlText(IDC_DESCRIPTION), "Second");
    EXPECT_EQ(SendDlgItemMessageW(keyloom.main(), IDC_TRIGGER_DISPLAY, HKM_GETHOTKEY, 0, 0), 0);
    EXPECT_EQ(keyloom.ControlText(IDC_ENABLED_TEXT), "NO");

    keyloom.Command(IDM_EXIT);  // nothing changed: no question
    DWORD exitCode = 99;
    ASSERT_TRUE(keyloom.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ReadKeyloomLastFileName(), list);
}

TEST_F(KeyloomMainWindowTest, EditorAboutAndOptionsOpenOverTheWindowAndGiveItBack) {
    KeyloomDriver keyloom;
    Start(keyloom);
    HWND list = GetDlgItem(keyloom.main(), IDC_MACRO_LIST);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ProgramBox editor = keyloom.WaitForBox("Keyloom");
    ASSERT_NE(editor.window, nullptr) << "a double-click opens no editor";
    EXPECT_NE(GetDlgItem(editor.window, IDC_CODE), nullptr);
    EXPECT_FALSE(keyloom.Visible());
    ASSERT_TRUE(keyloom.Click(editor.window, IDC_EDITOR_CANCEL));
    EXPECT_TRUE(keyloom.WaitUntilVisible(true));

    keyloom.Command(IDM_ABOUT);
    ProgramBox about = keyloom.WaitForBox("");
    ASSERT_NE(about.window, nullptr) << "no About box";
    EXPECT_NE(GetWindowLongA(about.window, GWL_STYLE) & WS_CAPTION, WS_CAPTION);  // no title bar
    EXPECT_NE(GetWindowLongA(about.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(keyloom.Click(about.window, IDOK));

    keyloom.Command(IDM_OPTIONS);
    ProgramBox options = keyloom.WaitForBox("Options");
    ASSERT_NE(options.window, nullptr) << "no Options dialog";
    EXPECT_TRUE(keyloom.Click(options.window, IDCANCEL));

    ASSERT_TRUE(keyloom.Run(IDCANCEL));  // the Escape key does not close the window
    EXPECT_TRUE(keyloom.Visible());
    Exit(keyloom);
}

TEST_F(KeyloomMainWindowTest, AfterApplyTheEditedMacroStaysSelectedWithFreshDetails) {
    KeyloomDriver keyloom;
    Start(keyloom);
    keyloom.Select(1);
    keyloom.Command(IDC_EDIT_MACRO);
    ProgramBox editor = keyloom.WaitForBox("Keyloom");
    ASSERT_NE(editor.window, nullptr);
    // Typed as the user types: the whole text replaced, which tells the editor.
    SendDlgItemMessageA(editor.window, IDC_EDITOR_DESCRIPTION, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(editor.window, IDC_EDITOR_DESCRIPTION, EM_REPLACESEL, TRUE,
                        reinterpret_cast<LPARAM>("Edited"));
    const WORD ctrlF6 = MAKEWORD(VK_F6, HOTKEYF_CONTROL);
    SendDlgItemMessageA(editor.window, IDC_EDITOR_TRIGGER, HKM_SETHOTKEY, ctrlF6, 0);
    HWND apply = GetDlgItem(editor.window, IDC_APPLY);
    ASSERT_TRUE(IsWindowEnabled(apply));
    DWORD_PTR ignored = 0;
    ASSERT_NE(SendMessageTimeoutA(apply, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored), 0);
    ASSERT_TRUE(keyloom.Click(editor.window, IDC_EDITOR_OK));
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    EXPECT_EQ(keyloom.ListEntries(), (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_EQ(keyloom.Selection(), 1);
    EXPECT_EQ(keyloom.ControlText(IDC_DESCRIPTION), "Edited");
    EXPECT_EQ(SendDlgItemMessageW(keyloom.main(), IDC_TRIGGER_DISPLAY, HKM_GETHOTKEY, 0, 0),
              ctrlF6);
    EXPECT_EQ(keyloom.ControlText(IDC_ENABLED_TEXT), "NO");
    Exit(keyloom);
}

TEST_F(KeyloomMainWindowTest, TheManifestBringsCommonControlsSixAndPerMonitorDpi) {
    KeyloomDriver keyloom;
    Start(keyloom);
    EXPECT_NE(CommonControlsPath(keyloom.processId()).find("common-controls_6595b64144ccf1df_6."),
              std::string::npos)
        << CommonControlsPath(keyloom.processId());
    EXPECT_EQ(DpiAwareness(keyloom.main()), PER_MONITOR_AWARE);
    Exit(keyloom);
}

TEST_F(KeyloomMainWindowTest, ASecondStartIsRefusedWhileAWindowIsTitledExactlyKeyloom) {
    KeyloomDriver first;
    Start(first);
    KeyloomDriver second;
    ProgramBox box = second.WaitForBox("Error");
    ASSERT_NE(box.window, nullptr) << "no refusal";
    EXPECT_EQ(box.text, "An instance of Keyloom is already running");
    second.Click(box.window, IDOK);
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 1u);
    Exit(first);

    TestWindow impostor("Keyloom");  // any top-level window of that exact title
    KeyloomDriver third;
    ProgramBox refused = third.WaitForBox("Error");
    ASSERT_NE(refused.window, nullptr);
    third.Click(refused.window, IDOK);
    ASSERT_TRUE(third.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(KeyloomMainWindowTest, WindowsTitledAlmostKeyloomDoNotBlockTheStart) {
    TestWindow scheduler("Keyloom Scheduler");
    TestWindow lower("keyloom");
    KeyloomDriver keyloom;
    Start(keyloom);
    Exit(keyloom);
}

}  // namespace
