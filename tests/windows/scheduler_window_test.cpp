// The scheduler window on the real desktop, run in this process and driven from a second
// thread as a user would: its controls, pane, menus, clock, notification-area icon and boxes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "macro/desktop/wall_clock.h"
#include "macro/desktop/win32_desktop.h"
#include "macro/file/text_field.h"
#include "resources/scheduler_ids.h"
#include "scheduler/window/pane_text.h"
#include "scheduler/window/scheduler_program_win32.h"
#include "tests/support/dialog_probe_win32.h"
#include "tests/support/fake_settings_store.h"
#include "tests/support/keyloom_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr UINT TRAY_CALLBACK = WM_USER + 376;

const std::string SCHEDULE_HEADER = "//Created by Keyloom Scheduler\r\n//\r\n";

// A one-time item's block as the scheduler writes it.
std::string OnceItem(const std::string& name, const std::string& date) {
    return "\r\nNEW_ITEM\r\nNAME \"" + name +
           "\"\r\nMACRO_FILENAME \"C:\\missing.mro\"\r\nRUN_STYLE 2\r\nONCE_DATE " + date +
           "\r\nONCE_TIME 16 11 25\r\nRUN_EVERY 1\r\nRUN_DOW 1\r\nRUN_TIME 8 0 0\r\n"
           "EVERY_HOURS 1\r\nEVERY_MINS 30\r\nEVERY_SECS 0\r\nACTIVE TRUE\r\nEND_ITEM\r\n";
}

const std::string ONE_ITEM = SCHEDULE_HEADER + OnceItem("Once", "7 12 2030");

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        Sleep(20);
    }
    return true;
}

struct BoxSearch {
    HWND exclude;
    std::string caption;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (window == search->exclude || !IsWindowVisible(window) ||
        std::strcmp(className, "#32770") != 0 || WindowText(window) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A visible dialog or message box of the window's thread captioned `caption`.
HWND WaitForBox(HWND dialog, const std::string& caption, int timeoutMs = 5000) {
    BoxSearch search{dialog, caption, nullptr};
    WaitFor(
        [&] {
            EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), FindBox,
                              reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

bool Enabled(HWND dialog, int control) {
    return IsWindowEnabled(GetDlgItem(dialog, control));
}

bool MenuEnabled(HWND dialog, int command) {
    return (GetMenuState(GetMenu(dialog), command, MF_BYCOMMAND) & MF_GRAYED) == 0;
}

void Click(HWND dialog, int control) {
    SendMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0);
}

bool TrayIconPresent(HWND dialog) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = dialog;
    icon.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

// Exit from the menu, declining to save when asked.
void Exit(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, IDM_SCHEDULER_EXIT, 0);
    if (HWND question = WaitForBox(dialog, "Keyloom Scheduler", 1500)) PressButton(question, IDNO);
}

std::vector<std::pair<std::string, UINT>> MenuItems(HMENU menu) {
    std::vector<std::pair<std::string, UINT>> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        items.emplace_back(text, GetMenuItemID(menu, i));
    }
    return items;
}

class SchedulerWindowTest : public ::testing::Test {
  protected:
    void UseSchedule(const std::string& text) {
        CopyText(program.table.scheduleFileName, dir.Write("window.scl", text));
    }
    void Run(const std::function<void(HWND)>& script) {
        ModalRun run = RunModalDialog(
            "Keyloom Scheduler", [&] { return RunSchedulerWindow(program); },
            [&](HWND dialog) {
                script(dialog);
                if (IsWindow(dialog)) Exit(dialog);
            },
            10000);
        EXPECT_TRUE(run.found) << "the window did not appear";
        EXPECT_TRUE(run.ended) << "the window stayed open";
    }

    TempDir dir;
    FakeSettingsStore store;
    Settings settings;
    SettingsContext context{SCHEDULER_SETTINGS, store, TheDesktop(), settings};
    SchedulerProgram program{TheDesktop(), RealFileSystem(), context};
};

TEST_F(SchedulerWindowTest, WindowHasItsControlsMenusAndLayout) {
    UseSchedule(ONE_ITEM);
    std::vector<ControlInfo> controls;
    std::vector<std::string> problems;
    std::string font;
    std::vector<std::pair<std::string, UINT>> file, help;
    Run([&](HWND dialog) {
        controls = ReadControls(dialog);
        problems = LayoutProblems(dialog);
        font = DialogFontName(dialog);
        file = MenuItems(GetSubMenu(GetMenu(dialog), 0));
        help = MenuItems(GetSubMenu(GetMenu(dialog), 1));
    });
    std::vector<std::tuple<int, std::string, std::string>> seen;
    for (const ControlInfo& c : controls)
        if (c.id != -1 && c.id != 0xFFFF) seen.emplace_back(c.id, c.className, c.text);
    const std::vector<std::tuple<int, std::string, std::string>> expected = {
        {IDC_SCHEDULE_LIST, "ListBox", ""},
        {IDC_ADD_ITEM, "Button", "Add Item"},
        {IDC_DELETE_ITEM, "Button", "Delete Item"},
        {IDC_CLEAR_SCHEDULE, "Button", "Clear Schedule"},
        {IDC_RUN_NOW, "Button", "Run Macro Now"},
        {IDC_CURRENT_DATE, "Static", DateLineText(TheDesktop().GetLocalTime())},
        {IDC_CURRENT_TIME, "Static", std::get<2>(seen.at(6))},
        {IDC_RUN_AT_STARTUP, "Button", "When Windows starts"},
        {IDC_RUN_ONCE, "Button", "Once"},
        {IDC_ONCE_DATE, DATETIMEPICK_CLASSA, "12/7/2030"},
        {IDC_ONCE_TIME, DATETIMEPICK_CLASSA, "4:11:25 PM"},
        {IDC_RUN_PERIODIC, "Button", "Every"},
        {IDC_PERIOD_MONTH, "Button", "Month"},
        {IDC_PERIOD_WEEK, "Button", "Week"},
        {IDC_PERIOD_DAY, "Button", "Day"},
        {IDC_DAY_OF_WEEK, "ComboBox", "Sunday"},
        {IDC_DAY_OF_MONTH, "ComboBox", "1"},
        {IDC_RUN_TIME, DATETIMEPICK_CLASSA, "8:00:00 AM"},
        {IDC_RUN_INTERVAL, "Button", "Every"},
        {IDC_EVERY_HOURS, "Edit", "1"},
        {IDC_EVERY_MINUTES, "Edit", "30"},
        {IDC_EVERY_SECONDS, "Edit", "0"},
        {IDC_ITEM_ACTIVE, "Button", "Active"},
        {IDC_ITEM_CATCH_UP, "Button", "Play if missed"},
        {IDC_MACRO_PATH, "Edit", "C:\\missing.mro"},
        {IDC_LAST_PLAYED, "Static", "Last played: never"},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
    EXPECT_EQ(font, "MS Shell Dlg");
    const std::vector<std::pair<std::string, UINT>> expectedFile = {
        {"&New Schedule", IDM_NEW_SCHEDULE},
        {"&Save Schedule", IDM_SAVE_SCHEDULE},
        {"S&ave Schedule As", IDM_SAVE_SCHEDULE_AS},
        {"&Load Schedule", IDM_LOAD_SCHEDULE},
        {"", 0},
        {"&Options ...", IDM_SCHEDULER_OPTIONS},
        {"&View History", IDM_VIEW_HISTORY},
        {"", 0},
        {"&Enable All Schedule Items", IDM_ENABLE_ALL},
        {"&Disable All Schedule Items", IDM_DISABLE_ALL},
        {"&Hide in Tray and Listen", IDM_SCHEDULER_HIDE_IN_TRAY},
        {"E&xit", IDM_SCHEDULER_EXIT}};
    EXPECT_EQ(file, expectedFile);
    const std::vector<std::pair<std::string, UINT>> expectedHelp = {
        {"&About Keyloom Scheduler", IDM_SCHEDULER_ABOUT},
        {"&Visit Keyloom Web Site", IDM_SCHEDULER_VISIT_WEB_SITE}};
    EXPECT_EQ(help, expectedHelp);
}

TEST_F(SchedulerWindowTest, PaneEnablesTheControlsOfTheChosenRuleAndMarksTheScheduleModified) {
    UseSchedule(ONE_ITEM);
    Run([&](HWND dialog) {
        EXPECT_TRUE(Enabled(dialog, IDC_ONCE_DATE));  // item 0 is a one-time item
        EXPECT_TRUE(Enabled(dialog, IDC_ONCE_TIME));
        EXPECT_FALSE(Enabled(dialog, IDC_RUN_TIME));
        EXPECT_FALSE(Enabled(dialog, IDC_EVERY_HOURS));
        EXPECT_FALSE(MenuEnabled(dialog, IDM_SAVE_SCHEDULE));

        Click(dialog, IDC_RUN_PERIODIC);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RUN_ONCE), BST_UNCHECKED);
        EXPECT_FALSE(Enabled(dialog, IDC_ONCE_DATE));
        EXPECT_TRUE(Enabled(dialog, IDC_PERIOD_WEEK));
        EXPECT_TRUE(Enabled(dialog, IDC_DAY_OF_MONTH));  // "Month" is the item's period
        EXPECT_FALSE(Enabled(dialog, IDC_DAY_OF_WEEK));
        EXPECT_TRUE(Enabled(dialog, IDC_RUN_TIME));
        EXPECT_TRUE(MenuEnabled(dialog, IDM_SAVE_SCHEDULE));

        Click(dialog, IDC_PERIOD_WEEK);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PERIOD_MONTH), BST_UNCHECKED);
        EXPECT_TRUE(Enabled(dialog, IDC_DAY_OF_WEEK));
        EXPECT_FALSE(Enabled(dialog, IDC_DAY_OF_MONTH));
        Click(dialog, IDC_PERIOD_DAY);
        EXPECT_FALSE(Enabled(dialog, IDC_DAY_OF_WEEK));
        EXPECT_TRUE(Enabled(dialog, IDC_RUN_TIME));

        Click(dialog, IDC_RUN_INTERVAL);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RUN_PERIODIC), BST_UNCHECKED);
        EXPECT_TRUE(Enabled(dialog, IDC_EVERY_SECONDS));
        EXPECT_FALSE(Enabled(dialog, IDC_PERIOD_DAY));
        EXPECT_FALSE(Enabled(dialog, IDC_RUN_TIME));
        // Digits only, and no more than the field takes.
        SendDlgItemMessageA(dialog, IDC_EVERY_HOURS, WM_CHAR, 'x', 0);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_EVERY_HOURS)), "1");
        SetDlgItemTextA(dialog, IDC_EVERY_HOURS, "");
        for (char digit : std::string("12345"))
            SendDlgItemMessageA(dialog, IDC_EVERY_HOURS, WM_CHAR, digit, 0);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_EVERY_HOURS)), "123");

        Click(dialog, IDC_RUN_AT_STARTUP);
        EXPECT_FALSE(Enabled(dialog, IDC_EVERY_SECONDS));
        EXPECT_FALSE(Enabled(dialog, IDC_ONCE_DATE));
    });
}

// What the date picker shows: a date, or unticked (no date) as GDT_NONE.
std::string PickerDate(HWND dialog) {
    SYSTEMTIME date{};
    if (DateTime_GetSystemtime(GetDlgItem(dialog, IDC_ONCE_DATE), &date) != GDT_VALID)
        return "no date";
    return std::to_string(date.wDay) + " " + std::to_string(date.wMonth) + " " +
           std::to_string(date.wYear);
}

TEST_F(SchedulerWindowTest, DatesThatDoNotExistShowAsNoDateAndStayAsTheFileHasThem) {
    const std::string schedule = SCHEDULE_HEADER + OnceItem("December", "7 12 2030") +
                                 OnceItem("31 April", "31 4 2030") +
                                 OnceItem("29 February", "29 2 2027") +
                                 OnceItem("Leap day", "29 2 2028") + OnceItem("Never", "0 0 0");
    UseSchedule(schedule);
    std::vector<std::string> shown;
    Run([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_SCHEDULE_LIST);
        shown.push_back(PickerDate(dialog));
        // Down through the list and back up, as the keyboard moves its selection.
        for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_UP}) {
            SendMessageA(list, WM_KEYDOWN, key, 1);
            shown.push_back(PickerDate(dialog));
        }
        EXPECT_TRUE(Enabled(dialog, IDC_ONCE_DATE));  // the user can still give it a date
        EXPECT_FALSE(MenuEnabled(dialog, IDM_SAVE_SCHEDULE));
        SendMessageA(dialog, WM_COMMAND, IDM_SAVE_SCHEDULE, 0);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"7 12 2030", "no date", "no date", "29 2 2028",
                                               "no date", "29 2 2028", "no date", "no date"}));
    EXPECT_EQ(ReadWholeFile(dir.Path("window.scl")), schedule);
}

// An item of the given block, its other lines as OnceItem has them.
std::string ItemWith(const std::string& name, const std::string& macro, const std::string& rule) {
    std::string item = OnceItem(name, "7 12 2030");
    item.replace(item.find("C:\\missing.mro"), std::strlen("C:\\missing.mro"), macro);
    item.replace(item.find("RUN_STYLE 2\r\n"), std::strlen("RUN_STYLE 2\r\n"), "");
    item.insert(item.find("END_ITEM"), rule);
    return item;
}

void SelectEntry(HWND dialog, int entry) {
    HWND list = GetDlgItem(dialog, IDC_SCHEDULE_LIST);
    SendMessageA(list, LB_SETCURSEL, entry, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SCHEDULE_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

TEST_F(SchedulerWindowTest, MonthlyDayIsShownAndSavedWithTheMacroPath) {
    UseSchedule(SCHEDULE_HEADER + ItemWith("Monthly", "C:\\monthly.mro", "RUN_STYLE 3\r\nRUN_DOM 14\r\n"));
    Run([&](HWND dialog) {
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_DAY_OF_MONTH)), "15");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_MACRO_PATH)), "C:\\monthly.mro");
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_MACRO_PATH), GWL_STYLE) & ES_READONLY);
        HWND days = GetDlgItem(dialog, IDC_DAY_OF_MONTH);
        SendMessageA(days, CB_SETCURSEL, 19, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DAY_OF_MONTH, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(days));
        SendMessageA(dialog, WM_COMMAND, IDM_SAVE_SCHEDULE, 0);
    });
    EXPECT_NE(ReadWholeFile(dir.Path("window.scl")).find("RUN_DOW 1\r\nRUN_DOM 19\r\nRUN_TIME"),
              std::string::npos);
}

TEST_F(SchedulerWindowTest, RunMacroNowKeepsTheSelectionAndThePaneEdits) {
    const std::string macro = dir.Write("wait.mro", MacroFileText("Wait", "DELAY 400\r\n"));
    std::string schedule = SCHEDULE_HEADER;
    for (const char* name : {"a", "b", "c"})
        schedule += ItemWith(name, macro, "RUN_STYLE 4\r\n");
    UseSchedule(schedule);
    Run([&](HWND dialog) {
        auto runNow = [&] {
            PostMessageA(dialog, WM_COMMAND, IDC_RUN_NOW, 0);
            EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
            EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) && !TrayIconPresent(dialog); }));
        };
        SelectEntry(dialog, 1);
        runNow();
        SelectEntry(dialog, 2);
        SetDlgItemTextA(dialog, IDC_EVERY_HOURS, "42");
        runNow();
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SCHEDULE_LIST, LB_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_EVERY_HOURS)), "42");
        SendMessageA(dialog, WM_COMMAND, IDM_SAVE_SCHEDULE, 0);
    });
    const std::string saved = ReadWholeFile(dir.Path("window.scl"));
    const size_t c = saved.find("NAME \"c\"");
    ASSERT_NE(c, std::string::npos);
    EXPECT_NE(saved.find("EVERY_HOURS 42\r\n", c), std::string::npos);
    EXPECT_EQ(saved.find("EVERY_HOURS 42"), saved.find("EVERY_HOURS 42", c));  // c's alone
}

TEST_F(SchedulerWindowTest, EmptyScheduleStartsWithTheRunStylesDisabled) {
    Run([&](HWND dialog) {
        for (int control : {IDC_RUN_AT_STARTUP, IDC_RUN_ONCE, IDC_RUN_PERIODIC, IDC_RUN_INTERVAL,
                            IDC_ITEM_ACTIVE, IDC_ITEM_CATCH_UP})
            EXPECT_FALSE(Enabled(dialog, control)) << control;
        EXPECT_FALSE(MenuEnabled(dialog, IDM_ENABLE_ALL));
        EXPECT_TRUE(MenuEnabled(dialog, IDM_DISABLE_ALL));
        PostMessageA(dialog, WM_COMMAND, IDM_SCHEDULER_EXIT, 0);
        HWND question = WaitForBox(dialog, "Keyloom Scheduler");  // untitled counts as changed
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(WindowText(GetDlgItem(question, 0xFFFF)), "Save changes to current schedule?");
        PressButton(question, IDNO);
    });
}

TEST_F(SchedulerWindowTest, PlayIfMissedIsAnEditStoredAsALineOfItsOwn) {
    UseSchedule(ONE_ITEM);
    Run([&](HWND dialog) {
        EXPECT_TRUE(Enabled(dialog, IDC_ITEM_CATCH_UP));
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ITEM_CATCH_UP, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        Click(dialog, IDC_ITEM_CATCH_UP);
        EXPECT_TRUE(MenuEnabled(dialog, IDM_SAVE_SCHEDULE));
        SendMessageA(dialog, WM_COMMAND, IDM_SAVE_SCHEDULE, 0);
    });
    const std::string saved = ReadWholeFile(dir.Path("window.scl"));
    EXPECT_NE(saved.find("ACTIVE TRUE\r\nCATCH_UP 1\r\nEND_ITEM\r\n"), std::string::npos) << saved;
}

TEST_F(SchedulerWindowTest, ClockLineKeepsTheTime) {
    UseSchedule(ONE_ITEM);
    Run([&](HWND dialog) {
        const std::string first = WindowText(GetDlgItem(dialog, IDC_CURRENT_TIME));
        EXPECT_TRUE(WaitFor(
            [&] { return WindowText(GetDlgItem(dialog, IDC_CURRENT_TIME)) != first; }, 3000));
        // The line follows a one-second timer, so it may trail the clock by up to a second.
        std::string shown;
        auto showsTheTime = [&] {
            const LocalTime before = TheDesktop().GetLocalTime();
            shown = WindowText(GetDlgItem(dialog, IDC_CURRENT_TIME));
            const LocalTime after = TheDesktop().GetLocalTime();
            return shown == ClockLineText(before) || shown == ClockLineText(after) ||
                   shown == ClockLineText(LocalTimeAt(SecondOf(before) - 1));
        };
        EXPECT_TRUE(WaitFor(showsTheTime, 2000)) << shown;
    });
}

TEST_F(SchedulerWindowTest, TrayTripAndTrayMenu) {
    UseSchedule(ONE_ITEM);
    Run([&](HWND dialog) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
        EXPECT_TRUE(WaitFor([&] { return TrayIconPresent(dialog); }));

        PostMessageA(dialog, TRAY_CALLBACK, 1, WM_RBUTTONDOWN);
        HWND popup = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (popup = FindWindowA("#32768", nullptr)) != nullptr; }));
        auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        EXPECT_EQ(MenuItems(menu), (std::vector<std::pair<std::string, UINT>>{
                                       {"&Restore Main Window", IDM_TRAY_RESTORE_SCHEDULER},
                                       {"", 0},
                                       {"&Enable All Schedule Items", IDM_TRAY_ENABLE_ALL},
                                       {"&Disable All Schedule Items", IDM_TRAY_DISABLE_ALL},
                                       {"&Close Keyloom Scheduler", IDM_TRAY_CLOSE_SCHEDULER}}));
        EXPECT_TRUE(GetMenuState(menu, IDM_TRAY_ENABLE_ALL, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_FALSE(GetMenuState(menu, IDM_TRAY_DISABLE_ALL, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(IDM_TRAY_CLOSE_SCHEDULER));
        PostMessageA(popup, WM_CHAR, 'd', 0);  // "&Disable All Schedule Items"
        EXPECT_TRUE(WaitFor([&] { return MenuEnabled(dialog, IDM_ENABLE_ALL); }));
        EXPECT_FALSE(MenuEnabled(dialog, IDM_DISABLE_ALL));

        PostMessageA(dialog, TRAY_CALLBACK, 1, WM_LBUTTONDBLCLK);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
        EXPECT_TRUE(WaitFor([&] { return !TrayIconPresent(dialog); }));
        EXPECT_TRUE(MenuEnabled(dialog, IDM_ENABLE_ALL));  // still suspended
    });
}

TEST_F(SchedulerWindowTest, AboutAndOptionsOpenFromTheMenu) {
    UseSchedule(ONE_ITEM);
    Run([&](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, IDM_SCHEDULER_ABOUT, 0);
        HWND about = WaitForBox(dialog, "");
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_CAPTION, WS_BORDER);
        EXPECT_EQ(WindowText(GetDlgItem(about, IDOK)), "OK");
        PressButton(about, IDOK);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));

        PostMessageA(dialog, WM_COMMAND, IDM_SCHEDULER_OPTIONS, 0);
        HWND options = WaitForBox(dialog, "Options");
        ASSERT_NE(options, nullptr);
        EXPECT_NE(GetDlgItem(options, IDC_OPTIONS_AUTORUN), nullptr);
        PressButton(options, IDCANCEL);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(options); }));
    });
}

TEST_F(SchedulerWindowTest, RunMacroNowPlaysWithTheWindowHiddenAndRestoresIt) {
    const std::string macro = dir.Write(
        "typist.mro", MacroFileText("Typist", "FOCUS_WINDOW \"Run now target\"\r\nTYPE \"r\"\r\n"));
    std::string schedule = ONE_ITEM;
    schedule.replace(schedule.find("C:\\missing.mro"), std::strlen("C:\\missing.mro"), macro);
    UseSchedule(schedule);
    TypingTarget target("Run now target");
    bool hidden = false;
    Run([&](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, IDC_RUN_NOW, 0);
        hidden = WaitFor([&] { return !IsWindowVisible(dialog); });
        EXPECT_TRUE(WaitFor([&] { return target.Text() == "r"; })) << target.Text();
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
        EXPECT_TRUE(WaitFor([&] { return !TrayIconPresent(dialog); }));
    });
    EXPECT_TRUE(hidden);
}

}  // namespace
