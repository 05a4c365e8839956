// Keyloom in the notification area: the icon and its menu on the real platform, and the
// program started hidden with "/m" playing its hot keys into a test window.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "library/program/main_window_tray_win32.h"
#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr int EXIT_TIMEOUT_MS = 15000;
constexpr int SILENCE_MS = 1500;  // how long a hot key that should do nothing is watched

// Items of the icon's menu as the Down key reaches them.
constexpr int RESTORE_ITEM = 1;
constexpr int DISABLE_ITEM = 2;
constexpr int ENABLE_ITEM = 3;
constexpr int CLOSE_ITEM = 4;

bool IconExists(HWND owner) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = owner;
    icon.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

TEST(KeyloomTrayIconTest, IconIsAddedChangedAndDeletedOnTheRealNotificationArea) {
    TestWindow owner("Tray icon owner", false);
    MainWindowTray icon(GetModuleHandleA(nullptr), owner.handle());
    EXPECT_FALSE(icon.Present());
    ASSERT_TRUE(icon.Add(false));
    EXPECT_TRUE(icon.Present());
    EXPECT_TRUE(IconExists(owner.handle()));
    EXPECT_TRUE(icon.Change(true));
    EXPECT_TRUE(icon.Change(false));
    EXPECT_TRUE(icon.Delete());
    EXPECT_FALSE(icon.Present());
    EXPECT_FALSE(IconExists(owner.handle()));
    EXPECT_FALSE(icon.Delete());  // nothing left to delete
}

// What the menu showed when it opened, then the keys that pick an item of it.
struct MenuProbe {
    std::vector<std::string> texts;
    UINT disableState = 0;
    UINT enableState = 0;
    UINT restoreState = 0;
    UINT closeState = 0;
    UINT defaultItem = 0;
    std::vector<WPARAM> keys;  // posted to the menu once it is idle
    bool keysSent = false;
};
MenuProbe* probe = nullptr;

LRESULT CALLBACK MenuOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITMENUPOPUP && probe) {
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = "";
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            probe->texts.emplace_back(text);
        }
        probe->disableState = GetMenuState(menu, IDM_TRAY_DISABLE, MF_BYCOMMAND);
        probe->enableState = GetMenuState(menu, IDM_TRAY_ENABLE, MF_BYCOMMAND);
        probe->restoreState = GetMenuState(menu, IDM_TRAY_RESTORE, MF_BYCOMMAND);
        probe->closeState = GetMenuState(menu, IDM_TRAY_CLOSE, MF_BYCOMMAND);
        probe->defaultItem = GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED);
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && probe && !probe->keysSent) {
        probe->keysSent = true;
        for (WPARAM key : probe->keys)
            PostMessageA(reinterpret_cast<HWND>(lParam), WM_KEYDOWN, key, 0);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class KeyloomTrayMenuTest : public ::testing::Test {
  protected:
    KeyloomTrayMenuTest() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = MenuOwnerProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KeyloomMenuOwner";
        RegisterClassA(&windowClass);
        owner = CreateWindowExA(0, "KeyloomMenuOwner", "Menu owner", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        probe = &seen;
    }
    ~KeyloomTrayMenuTest() override {
        probe = nullptr;
        DestroyWindow(owner);
    }
    HWND owner;
    MenuProbe seen;
};

TEST_F(KeyloomTrayMenuTest, GreysWhatIsNotOfferedWithCloseAsTheDefaultItem) {
    seen.keys = {VK_ESCAPE};
    // As while a play runs with the macros enabled: only Disable all macros.
    auto onlyDisable = [](int command) { return command == IDM_TRAY_DISABLE; };
    EXPECT_EQ(TrackTrayMenu(GetModuleHandleA(nullptr), owner, onlyDisable), 0);  // dismissed
    EXPECT_EQ(seen.texts, (std::vector<std::string>{"Restore main window", "Disable all macros",
                                                    "Enable all macros", "", "Close Keyloom"}));
    EXPECT_EQ(seen.disableState & MF_GRAYED, 0u);
    for (UINT state : {seen.enableState, seen.restoreState, seen.closeState})
        EXPECT_EQ(state & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(seen.defaultItem, static_cast<UINT>(IDM_TRAY_CLOSE));
}

TEST_F(KeyloomTrayMenuTest, OffersEnableWhileDisabledAndReturnsTheChosenCommand) {
    seen.keys = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
    auto allButDisable = [](int command) { return command != IDM_TRAY_DISABLE; };
    EXPECT_EQ(TrackTrayMenu(GetModuleHandleA(nullptr), owner, allButDisable), IDM_TRAY_ENABLE);
    EXPECT_EQ(seen.disableState & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    for (UINT state : {seen.enableState, seen.restoreState, seen.closeState})
        EXPECT_EQ(state & MF_GRAYED, 0u);
}

// A macro with the hot key Ctrl+Shift+F7 that types "hi", in the list of the previous run.
class KeyloomHiddenStartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string hello =
            dir.Write("hello.mro", MacroFileText("Hello", "TYPE \"hi\"\r\n", "118 1 1 0"));
        WriteKeyloomSettings(dir.Write("tray.lst", hello + "\r\n"));
    }
    // Presses the hot key with the target in front; true when the macro typed into it.
    bool HotKeyTypes() {
        target.Clear();
        target.Focus();
        TapCombination({VK_CONTROL, VK_SHIFT}, VK_F7);
        return target.WaitForText("hi", SILENCE_MS + 3000);
    }
    bool HotKeySilent() {
        target.Clear();
        target.Focus();
        TapCombination({VK_CONTROL, VK_SHIFT}, VK_F7);
        PumpFor(SILENCE_MS);
        return target.Text().empty();
    }

    TempDir dir;
    TypingTarget target{"Hot key target"};
};

TEST_F(KeyloomHiddenStartTest, SlashMLeavesOnlyTheIconWithTheHotKeysLive) {
    KeyloomDriver keyloom("/m");
    ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(keyloom.WaitForTrayIcon(true)) << "no icon";
    EXPECT_FALSE(keyloom.Visible());
    EXPECT_TRUE(HotKeyTypes()) << "typed: " << target.Text();

    ASSERT_TRUE(keyloom.ChooseTrayMenuItem(DISABLE_ITEM));
    EXPECT_TRUE(HotKeySilent()) << "typed: " << target.Text();
    EXPECT_TRUE(keyloom.TrayIconPresent());
    ASSERT_TRUE(keyloom.ChooseTrayMenuItem(ENABLE_ITEM));
    EXPECT_TRUE(HotKeyTypes()) << "typed: " << target.Text();

    keyloom.TrayMouse(WM_LBUTTONDBLCLK);  // restore
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    EXPECT_TRUE(keyloom.WaitForTrayIcon(false));
    EXPECT_TRUE(HotKeySilent()) << "typed: " << target.Text();

    keyloom.Command(IDM_HIDE_IN_TRAY);
    ASSERT_TRUE(keyloom.WaitUntilVisible(false));
    EXPECT_TRUE(keyloom.WaitForTrayIcon(true));
    EXPECT_TRUE(HotKeyTypes()) << "typed: " << target.Text();

    ASSERT_TRUE(keyloom.ChooseTrayMenuItem(RESTORE_ITEM));
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    EXPECT_TRUE(keyloom.WaitForTrayIcon(false));
    PostMessageA(keyloom.main(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    ASSERT_TRUE(keyloom.WaitUntilVisible(false));
    EXPECT_TRUE(keyloom.WaitForTrayIcon(true));

    ASSERT_TRUE(keyloom.ChooseTrayMenuItem(CLOSE_ITEM));
    DWORD exitCode = 99;
    ASSERT_TRUE(keyloom.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(HotKeySilent());
}

TEST_F(KeyloomHiddenStartTest, OnlyExactlySlashMStartsHidden) {
    for (const char* arguments : {"/M", "-m", "/m "}) {
        KeyloomDriver keyloom(arguments);
        ASSERT_NE(keyloom.WaitForMainWindow(), nullptr) << arguments;
        EXPECT_TRUE(keyloom.WaitUntilVisible(true)) << arguments;
        EXPECT_FALSE(keyloom.TrayIconPresent()) << arguments;
        keyloom.Command(IDM_EXIT);
        DWORD exitCode = 99;
        ASSERT_TRUE(keyloom.WaitForExit(EXIT_TIMEOUT_MS, &exitCode)) << arguments;
    }
}

TEST_F(KeyloomHiddenStartTest, ASecondStartIsRefusedWhileTheFirstIsHidden) {
    KeyloomDriver first("/m");
    ASSERT_NE(first.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(first.WaitForTrayIcon(true));
    KeyloomDriver second;
    ProgramBox box = second.WaitForBox("Error");
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "An instance of Keyloom is already running");
    second.Click(box.window, IDOK);
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 1u);
    ASSERT_TRUE(first.ChooseTrayMenuItem(CLOSE_ITEM));
    ASSERT_TRUE(first.WaitForExit(EXIT_TIMEOUT_MS, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// A restarted shell brings back an empty notification area: the hidden program's icon returns.
TEST_F(KeyloomHiddenStartTest, TheIconComesBackWhenTheNotificationAreaRestarts) {
    KeyloomDriver keyloom("/m");
    ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(keyloom.WaitForTrayIcon(true));
    for (int restart = 0; restart < 2; ++restart) {
        keyloom.RestartNotificationArea();
        EXPECT_TRUE(keyloom.WaitForTrayIcon(true)) << "restart " << restart;
    }
    EXPECT_FALSE(keyloom.Visible());
    EXPECT_TRUE(HotKeyTypes()) << "typed: " << target.Text();
    ASSERT_TRUE(keyloom.ChooseTrayMenuItem(RESTORE_ITEM));  // the icon works as before
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    keyloom.RestartNotificationArea();  // a visible window has no icon to bring back
    ASSERT_TRUE(keyloom.RoundTrip());
    EXPECT_FALSE(keyloom.TrayIconPresent());
    keyloom.Command(IDM_EXIT);
    EXPECT_TRUE(keyloom.WaitForExit(EXIT_TIMEOUT_MS, nullptr));
}

}  // namespace
