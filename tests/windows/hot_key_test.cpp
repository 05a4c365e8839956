// Hot keys of a loaded macro list on the real desktop: registered, fired by injected keys,
// played into a real edit control.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "library/program/hot_keys.h"
#include "library/table/macro_list_file.h"
#include "macro/desktop/win32_desktop.h"
#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"
#include "macro/player/macro_player.h"
#include "resources/keyloom_ids.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/macro_played_once.h"
#include "tests/support/temp_files.h"
#include "tests/support/win32_test_helpers.h"
#include "ui/file_dialogs.h"

namespace {

constexpr int PLAY_TIMEOUT_MS = 8000;

// Closes every message box this process opens, so that a fault fails the test instead of
// hanging it, and keeps the texts seen.
class BoxWatcher {
  public:
    BoxWatcher() : watcher_([this] { Watch(); }) {}
    ~BoxWatcher() {
        stop_ = true;
        watcher_.join();
    }
    std::vector<std::string> texts() {
        std::lock_guard<std::mutex> lock(lock_);
        return texts_;
    }

  private:
    void Watch() {
        while (!stop_) {
            EnumWindows(CloseIfBox, reinterpret_cast<LPARAM>(this));
            Sleep(50);
        }
    }
    static BOOL CALLBACK CloseIfBox(HWND window, LPARAM context) {
        auto* self = reinterpret_cast<BoxWatcher*>(context);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (processId != GetCurrentProcessId() || std::strcmp(className, "#32770") != 0 ||
            !IsWindowVisible(window) || GetPropA(window, "KeyloomSeen"))
            return TRUE;
        SetPropA(window, "KeyloomSeen", reinterpret_cast<HANDLE>(1));
        char text[256] = "";
        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
        {
            std::lock_guard<std::mutex> lock(self->lock_);
            self->texts_.emplace_back(text);
        }
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    std::vector<std::string> texts_;
    std::thread watcher_;
};

// The macro list control, which these tests do not look at.
class QuietList : public MacroListView {
  public:
    int AppendEntry(const std::string&) override { return entries++; }
    void InsertEntry(int, const std::string&) override { entries++; }
    void DeleteEntry(int) override { entries--; }
    int EntryCount() override { return entries; }
    int entries = 0;
};

class QuietSaveItem : public SaveMenuItem {
  public:
    bool EnableSave(bool) override { return true; }
};

class NoDialogs : public FileDialogs {
  public:
    std::optional<std::string> GetOpenFileNameA(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> GetSaveFileNameA(const FileDialogRequest&) override { return {}; }
};

// The program's engine behind the hot keys.
class EnginePlayer : public TriggerPlayer {
  public:
    explicit EnginePlayer(MacroPlayer& player) : player_(player) {}
    bool Playing() override { return player_.state.playing; }
    void PlayTriggered(const Macro& macro) override { PlayMacro(player_, macro, ORIGIN_TRIGGER); }

  private:
    MacroPlayer& player_;
};

// The hidden main window of a program in the notification area: the hot keys' target.
class HotKeyTarget {
  public:
    HotKeyTarget() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KeyloomHotKeyTarget";
        RegisterClassA(&windowClass);
        window_ =
            CreateWindowExA(0, "KeyloomHotKeyTarget", "Hot key target", WS_OVERLAPPEDWINDOW, 0, 0,
                            100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~HotKeyTarget() { DestroyWindow(window_); }
    WindowHandle handle() const { return reinterpret_cast<WindowHandle>(window_); }
    void Deliver(HotKeys* hotKeys) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hotKeys));
    }

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* hotKeys = reinterpret_cast<HotKeys*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_HOTKEY && hotKeys) OnHotKey(*hotKeys, static_cast<int>(wParam));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_;
};

class HotKeyPlayTest : public ::testing::Test {
  protected:
    HotKeyPlayTest() { target.Deliver(&hotKeys); }
    ~HotKeyPlayTest() override {
        for (int id = 0; id < table.count; ++id)
            UnregisterHotKey(reinterpret_cast<HWND>(target.handle()), id);
    }

    // A macro file that types `text` on the trigger Ctrl+Shift+`key`.
    std::string WriteMacro(const std::string& file, WORD key, const std::string& text,
                           const std::string& window = "") {
        Macro macro = MacroPlayedOnce(10);
        CopyText(macro.name, file);
        macro.trigger = Trigger{static_cast<int16_t>(key), 1, 1, 0};
        macro.active = 1;
        macro.isPrivate = window.empty() ? 0 : 1;
        CopyText(macro.window, window);
        return dir.Write(file, FormatMacroFile("TYPE \"" + text + "\"", macro));
    }
    void LoadList(const std::vector<std::string>& macroFiles) {
        std::string bytes;
        for (const std::string& path : macroFiles)
            bytes += path + "\r\n";
        LoadMacroList(library, dir.Write("library.lst", bytes));
        ShowMacroList(library);
    }

    BoxWatcher boxes;
    TempDir dir;
    Win32Desktop& desktop = TheDesktop();
    HotKeyTarget target;
    MacroTable table;
    QuietList list;
    QuietSaveItem saveItem;
    NoDialogs dialogs;
    MacroLibrary library{table,
                         list,
                         saveItem,
                         dialogs,
                         RealFileSystem(),
                         desktop,
                         target.handle(),
                         [] { return 10; }};
    PlayState state;
    MacroInterpreter interpreter{desktop, InterpreterMode::Strict, 0, target.handle(), ""};
    MacroPlayer player{state, desktop, RealFileSystem(), interpreter, target.handle(), nullptr};
    EnginePlayer enginePlayer{player};
    HotKeys hotKeys{table, desktop, enginePlayer, target.handle()};
};

TEST_F(HotKeyPlayTest, AnInjectedCombinationPlaysItsMacroIntoTheFrontWindow) {
    LoadList({WriteMacro("first.mro", VK_F6, "no"), WriteMacro("typing.mro", VK_F7, "hot")});
    ASSERT_EQ(table.count, 2);
    HotKeysOnHideInTray(hotKeys);
    TestWindow front("Hot key typing test");
    front.Focus();
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F7);
    EXPECT_TRUE(PumpUntil([&] { return front.Text() == "hot"; }, PLAY_TIMEOUT_MS))
        << "typed: \"" << front.Text() << "\"";
    EXPECT_EQ(table.currentMacro, &table.macros[1]);

    HotKeysOnLeaveTray(hotKeys);  // withdrawn: the combination no longer plays
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F7);
    PumpFor(500);
    EXPECT_EQ(front.Text(), "hot");
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(HotKeyPlayTest, ARestrictedMacroPlaysOnlyBeforeAWindowWhoseTitleHoldsItsText) {
    LoadList({WriteMacro("restricted.mro", VK_F8, "r", "front window")});
    HotKeysOnHideInTray(hotKeys);
    TestWindow other("Another program");
    TestWindow front("The FRONT WINDOW of a test");
    other.Focus();
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F8);
    PumpFor(1000);
    EXPECT_EQ(other.Text(), "");
    EXPECT_EQ(table.currentMacro, &table.macros[0]);

    front.Focus();
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F8);
    EXPECT_TRUE(PumpUntil([&] { return front.Text() == "r"; }, PLAY_TIMEOUT_MS))
        << "typed: \"" << front.Text() << "\"";
    EXPECT_EQ(other.Text(), "");
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(HotKeyPlayTest, ACombinationThePlatformRefusesIsNamedAndTheOthersStayLive) {
    LoadList({WriteMacro("held.mro", VK_F9, "a"), WriteMacro("twin.mro", VK_F10, "b"),
              WriteMacro("after.mro", VK_F11, "c")});
    table.macros[1].trigger = table.macros[0].trigger;  // a duplicate that reached the table
    HotKeysOnHideInTray(hotKeys);
    ASSERT_TRUE(PumpUntil([&] { return !boxes.texts().empty(); }, 3000));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{
                                 "Failed to register hotkey for these macros: another program or "
                                 "macro already uses their combinations\ntwin.mro"});
    TestWindow front("Hot key after a refusal");
    front.Focus();
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F11);
    EXPECT_TRUE(PumpUntil([&] { return front.Text() == "c"; }, PLAY_TIMEOUT_MS))
        << "typed: \"" << front.Text() << "\"";
    HotKeysOnLeaveTray(hotKeys);
    PumpFor(500);
    EXPECT_EQ(boxes.texts().size(), 1u);  // only what was registered is withdrawn
}

// Keyloom in the notification area while this test process holds one macro's combination.
TEST(KeyloomHotKeyHeldTest, ACombinationHeldByAnotherProgramIsNamedOnceAndTheRestWork) {
    TempDir dir;
    const std::string held =
        dir.Write("held.mro", MacroFileText("Held by another", "TYPE \"x\"\r\n", "120 1 1 0"));
    const std::string free =
        dir.Write("free.mro", MacroFileText("Free", "TYPE \"free\"\r\n", "121 1 1 0"));
    WriteKeyloomSettings(dir.Write("held.lst", held + "\r\n" + free + "\r\n"));
    TestWindow holder("Holder of Ctrl+Shift+F9", false);
    ASSERT_TRUE(RegisterHotKey(holder.handle(), 1, MOD_CONTROL | MOD_SHIFT, VK_F9));

    KeyloomDriver keyloom("/m");
    ASSERT_NE(keyloom.WaitForMainWindow(), nullptr);
    const ProgramBox box = keyloom.WaitForBox("Keyloom");
    ASSERT_NE(box.window, nullptr) << "no word of the refused combination";
    EXPECT_EQ(box.text,
              "Failed to register hotkey for these macros: another program or macro already uses "
              "their combinations\nHeld by another");
    ASSERT_TRUE(keyloom.Click(box.window, IDOK));
    EXPECT_EQ(keyloom.WaitForBox("Keyloom", 1000).window, nullptr);

    TypingTarget target("Typed by the free macro");
    target.Focus();
    TapCombination({VK_CONTROL, VK_SHIFT}, VK_F10);
    EXPECT_TRUE(target.WaitForText("free")) << "typed: " << target.Text();

    keyloom.TrayMouse(WM_LBUTTONDBLCLK);  // restore: only the registered hot key is withdrawn
    ASSERT_TRUE(keyloom.WaitUntilVisible(true));
    ASSERT_TRUE(keyloom.RoundTrip());
    EXPECT_EQ(keyloom.WaitForBox("Keyloom", 1000).window, nullptr);
    EXPECT_EQ(keyloom.WaitForBox("Error", 500).window, nullptr);
    keyloom.Command(IDM_EXIT);
    EXPECT_TRUE(keyloom.WaitForExit(15000, nullptr));
    UnregisterHotKey(holder.handle(), 1);
}

}  // namespace
