// Keyloom Scheduler started as a user starts it: from the start-up list with "/m", a second
// copy, and a schedule edited and saved through the real dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "resources/scheduler_ids.h"
#include "tests/support/scheduler_driver_win32.h"
#include "tests/support/temp_files.h"

namespace {

constexpr char TARGET_TITLE[] = "Scheduler target";

struct ItemText {
    std::string name;
    std::string macroFileName;
    int runStyle = 1;
    std::string onceDate = "0 0 0";
    std::string onceTime = "0 0 0";
    int runEvery = 1;
    int runDayOfWeek = 0;
    std::string runTime = "0 0 0";
    int everyHours = 0, everyMinutes = 0, everySeconds = 0;
    bool active = true;
};

// A schedule file as the scheduler writes it.
std::string ScheduleText(const std::vector<ItemText>& items) {
    std::string text = "//Created by Keyloom Scheduler\r\n//\r\n";
    for (const ItemText& item : items)
        text += "\r\nNEW_ITEM\r\nNAME \"" + item.name + "\"\r\nMACRO_FILENAME \"" +
                item.macroFileName + "\"\r\nRUN_STYLE " + std::to_string(item.runStyle) +
                "\r\nONCE_DATE " + item.onceDate + "\r\nONCE_TIME " + item.onceTime +
                "\r\nRUN_EVERY " + std::to_string(item.runEvery) + "\r\nRUN_DOW " +
                std::to_string(item.runDayOfWeek) + "\r\nRUN_TIME " + item.runTime +
                "\r\nEVERY_HOURS " + std::to_string(item.everyHours) + "\r\nEVERY_MINS " +
                std::to_string(item.everyMinutes) + "\r\nEVERY_SECS " +
                std::to_string(item.everySeconds) + "\r\nACTIVE " +
                (item.active ? "TRUE" : "FALSE") + "\r\nEND_ITEM\r\n";
    return text;
}

std::string Typist(const std::string& text) {
    return "FOCUS_WINDOW \"" + std::string(TARGET_TITLE) + "\"\r\nTYPE \"" + text + "\"\r\n";
}

class SchedulerProgramTest : public ::testing::Test {
  protected:
    std::string Macro(const std::string& file, const std::string& name, const std::string& code) {
        return dir.Write(file, MacroFileText(name, code));
    }

    TempDir dir;
};

// The scheduler started from here keeps its history in a folder of the test's.
class SchedulerHistoryTest : public SchedulerProgramTest {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(dir.Path("appdata"));
        SetEnvironmentVariableA("LOCALAPPDATA", dir.Path("appdata").c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("LOCALAPPDATA", nullptr); }
    std::string HistoryPath() const { return dir.Path("appdata\\Keyloom\\Scheduler history.txt"); }
};

// The fields of each line of the history; every line must end CR LF.
std::vector<std::vector<std::string>> HistoryLines(const std::string& path) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream text(ReadWholeFile(path));
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line.back() != '\r') {
            ADD_FAILURE() << "a line without CR LF: " << line;
            continue;
        }
        line.pop_back();
        std::vector<std::string>& fields = lines.emplace_back();
        std::istringstream tabbed(line);
        for (std::string field; std::getline(tabbed, field, '\t');)
            fields.push_back(field);
    }
    return lines;
}

TEST_F(SchedulerProgramTest, StartUpPlaysSessionStartItemsThenTheIntervalItemFiresEveryTwoSeconds) {
    ItemText first{"first", Macro("first.mro", "First", Typist("a"))};
    ItemText inactive{"inactive", Macro("second.mro", "Second", Typist("b"))};
    inactive.active = false;
    ItemText interval{"interval", Macro("tick.mro", "Tick", Typist("i"))};
    interval.runStyle = 4;
    interval.everySeconds = 2;
    WriteSchedulerSettings(dir.Write("start.scl", ScheduleText({first, interval, inactive})));
    TypingTarget target(TARGET_TITLE);

    SchedulerDriver scheduler("/m");
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(target.WaitForText("ab", 15000)) << "typed: " << target.Text();
    const DWORD listening = GetTickCount();
    EXPECT_TRUE(scheduler.WaitUntilVisible(false));
    EXPECT_TRUE(scheduler.TrayIconPresent());
    ASSERT_TRUE(target.WaitForText("abii", 8000)) << "typed: " << target.Text();
    EXPECT_LE(GetTickCount() - listening, 6000u);
    EXPECT_GE(GetTickCount() - listening, 3000u);  // two full intervals
}

TEST_F(SchedulerProgramTest, SecondCopyIsRefusedWhileTheFirstListensInTheTray) {
    WriteSchedulerSettings("");
    SchedulerDriver first("/m");
    ASSERT_NE(first.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(first.WaitUntilVisible(false));

    SchedulerDriver second;
    ProgramBox box = second.WaitForBox("Error");
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "An instance of Keyloom Scheduler is already running");
    second.Press(box.window, IDOK);
    DWORD exitCode = 0;
    ASSERT_TRUE(second.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(SchedulerProgramTest, WalkingThroughTheListLeavesNothingToSave) {
    std::vector<ItemText> items;
    for (int hours : {1, 2, 3}) {
        ItemText item{"item " + std::to_string(hours), Macro("walk.mro", "Walk", "")};
        item.runStyle = 4;
        item.everyHours = hours;
        items.push_back(item);
    }
    const std::string text = ScheduleText(items);
    const std::string path = dir.Write("walk.scl", text);
    WriteSchedulerSettings(path);

    SchedulerDriver scheduler;
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(scheduler.WaitUntilVisible(true));
    ASSERT_TRUE(scheduler.RoundTrip());
    ASSERT_EQ(scheduler.Selection(), 0);
    for (int entry : {1, 2, 1, 0}) {
        scheduler.PressListKey(entry > scheduler.Selection() ? VK_DOWN : VK_UP);
        ASSERT_TRUE(scheduler.RoundTrip());
        EXPECT_EQ(scheduler.Selection(), entry);
        // The pane followed the list: the window handled the list's notification.
        EXPECT_EQ(scheduler.ControlText(IDC_EVERY_HOURS), std::to_string(entry + 1));
    }

    scheduler.Command(IDM_SCHEDULER_EXIT);  // nothing changed: no question
    DWORD exitCode = 99;
    ASSERT_TRUE(scheduler.WaitForExit(10000, &exitCode))
        << "Exit asked: " << scheduler.WaitForBox("Keyloom Scheduler", 1000).text;
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ReadSchedulerLastFileName(), path);
    EXPECT_EQ(ReadWholeFile(path), text);
}

TEST_F(SchedulerProgramTest, ItemsAddedDeletedAndSavedThroughTheDialogsGiveTheExactFile) {
    ItemText base{"Base", Macro("base.mro", "Base", "")};
    base.runStyle = 2;
    base.onceDate = "7 12 2002";
    base.onceTime = "16 11 25";
    base.runTime = "16 11 25";
    base.runDayOfWeek = 1;
    const std::string basePath = dir.Write("base.scl", ScheduleText({base}));
    const std::string alpha = Macro("alpha.mro", "Alpha", "");
    const std::string nameless = dir.Write("nameless.mro", "START\r\nEND\r\n");
    const std::string gamma = Macro("gamma.mro", "Gamma", "");
    WriteSchedulerSettings("");

    SchedulerDriver scheduler;
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(scheduler.WaitUntilVisible(true));
    scheduler.Command(IDM_LOAD_SCHEDULE);
    ProgramBox open = scheduler.WaitForBox("Open existing schedule");
    ASSERT_NE(open.window, nullptr);
    scheduler.ChooseFile(open.window, basePath);
    ASSERT_TRUE(PumpUntil([&] { return scheduler.ListEntries().size() == 1; }, 10000));
    scheduler.Select(0);  // the pane shows the base item's date and times

    for (const std::string& macro : {alpha, nameless, gamma}) {
        const size_t before = scheduler.ListEntries().size();
        scheduler.Command(IDC_ADD_ITEM);
        ProgramBox pick = scheduler.WaitForBox("Select a macro to run");
        ASSERT_NE(pick.window, nullptr);
        scheduler.ChooseFile(pick.window, macro);
        ASSERT_TRUE(PumpUntil([&] { return scheduler.ListEntries().size() == before + 1; }));
    }
    EXPECT_EQ(scheduler.ListEntries(),
              (std::vector<std::wstring>{L"Base", L"Alpha", L"New item", L"Gamma"}));

    scheduler.Select(1);
    scheduler.Command(IDC_DELETE_ITEM);
    ProgramBox confirm = scheduler.WaitForBox("Confirm");
    ASSERT_NE(confirm.window, nullptr);
    EXPECT_EQ(confirm.text, "Remove the selected schedule item?");
    scheduler.Press(confirm.window, IDYES);
    ASSERT_TRUE(PumpUntil([&] { return scheduler.ListEntries().size() == 3; }));
    EXPECT_EQ(scheduler.ListEntries(), (std::vector<std::wstring>{L"Base", L"New item", L"Gamma"}));

    scheduler.Select(2);
    scheduler.Click(IDC_RUN_INTERVAL);
    ASSERT_TRUE(scheduler.RoundTrip());
    scheduler.SetText(IDC_EVERY_HOURS, "100");
    scheduler.SetText(IDC_EVERY_MINUTES, "75");  // stored as 59
    scheduler.Command(IDM_SAVE_SCHEDULE_AS);
    ProgramBox save = scheduler.WaitForBox("Save current schedule");
    ASSERT_NE(save.window, nullptr);
    const std::string savedPath = dir.Path("saved.scl");
    scheduler.ChooseFile(save.window, savedPath);
    ASSERT_TRUE(PumpUntil([&] { return FileExists(savedPath); }, 10000));
    ASSERT_TRUE(scheduler.RoundTrip());

    // An added item starts on today's date and weekday, its times 0:0:0.
    SYSTEMTIME today;
    GetLocalTime(&today);
    ItemText newItem{"New item", nameless};
    newItem.onceDate = std::to_string(today.wDay) + " " + std::to_string(today.wMonth) + " " +
                       std::to_string(today.wYear);
    newItem.runDayOfWeek = today.wDayOfWeek + 1;
    ItemText gammaItem = newItem;
    gammaItem.name = "Gamma";
    gammaItem.macroFileName = gamma;
    gammaItem.runStyle = 4;
    gammaItem.everyHours = 100;
    gammaItem.everyMinutes = 59;
    EXPECT_EQ(ReadWholeFile(savedPath), ScheduleText({base, newItem, gammaItem}));

    scheduler.Command(IDM_SCHEDULER_EXIT);  // saved: no question
    DWORD exitCode = 99;
    ASSERT_TRUE(scheduler.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ReadSchedulerLastFileName(), savedPath);
}

TEST_F(SchedulerHistoryTest,
       ScheduledPlaysLeaveTheirLinesThePaneShowsTheLastAndViewHistoryOpensIt) {
    ItemText first{"first", Macro("first.mro", "First", Typist("a"))};
    ItemText interval{"interval", Macro("tick.mro", "Tick", Typist("i"))};
    interval.runStyle = 4;
    interval.everySeconds = 2;
    WriteSchedulerSettings(dir.Write("start.scl", ScheduleText({first, interval})));
    TypingTarget target(TARGET_TITLE);

    SchedulerDriver scheduler("/m");
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(target.WaitForText("ai", 15000)) << "typed: " << target.Text();
    ASSERT_TRUE(PumpUntil(
        [&] { return ReadWholeFile(HistoryPath()).find("interval") != std::string::npos; }, 10000));
    const std::vector<std::vector<std::string>> lines = HistoryLines(HistoryPath());
    ASSERT_GE(lines.size(), 2u);
    const std::regex time(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
    for (const auto& line : lines)
        EXPECT_TRUE(std::regex_match(line[0], time)) << line[0];
    EXPECT_EQ(lines[0],
              (std::vector<std::string>{lines[0][0], "first", first.macroFileName, "played"}));
    EXPECT_EQ(lines[1], (std::vector<std::string>{lines[1][0], "interval", interval.macroFileName,
                                                  "played"}));
    const std::string history = ReadWholeFile(HistoryPath());

    scheduler.TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(scheduler.WaitUntilVisible(true));
    ASSERT_TRUE(scheduler.RoundTrip());
    EXPECT_EQ(scheduler.ControlText(IDC_LAST_PLAYED), "Last played: " + lines[0][0] + ", played");

    // Text files open in Notepad, as on Windows; the test prefix does not say so by itself.
    RegSetKeyValueA(HKEY_CLASSES_ROOT, ".txt", nullptr, REG_SZ, "txtfile", 8);
    scheduler.Command(IDM_VIEW_HISTORY);
    HWND viewer = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] { return (viewer = FirstWindowContaining("Scheduler history")) != nullptr; }, 15000))
        << scheduler.WaitForBox("Error!", 1000).text;
    if (viewer) PostMessageA(viewer, WM_CLOSE, 0, 0);
    scheduler.Command(IDM_SCHEDULER_EXIT);
    DWORD exitCode = 99;
    EXPECT_TRUE(scheduler.WaitForExit(10000, &exitCode));
    EXPECT_EQ(ReadWholeFile(HistoryPath()).substr(0, history.size()), history);
}

TEST_F(SchedulerHistoryTest, ViewHistorySaysSoWhenThereIsNoneYet) {
    WriteSchedulerSettings("");
    SchedulerDriver scheduler;
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(scheduler.WaitUntilVisible(true));
    scheduler.Command(IDM_VIEW_HISTORY);
    ProgramBox box = scheduler.WaitForBox("Keyloom Scheduler");
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text,
              "There is no Scheduler history yet: it begins with the first scheduled play.");
    scheduler.Press(box.window, IDOK);
    ASSERT_TRUE(scheduler.WaitForClosed(box.window));
    EXPECT_TRUE(FileExists(dir.Path("appdata\\Keyloom"))) << "the folder is made at start";
    scheduler.Command(IDM_SCHEDULER_EXIT);
    ProgramBox save = scheduler.WaitForBox("Keyloom Scheduler");  // an untitled schedule
    if (save.window) scheduler.Press(save.window, IDNO);
    DWORD exitCode = 99;
    EXPECT_TRUE(scheduler.WaitForExit(10000, &exitCode));
}

TEST_F(SchedulerProgramTest, TheIconComesBackWhenTheNotificationAreaRestarts) {
    WriteSchedulerSettings("");
    SchedulerDriver scheduler("/m");
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(scheduler.WaitForTrayIcon(true));
    scheduler.RestartNotificationArea();
    EXPECT_TRUE(scheduler.WaitForTrayIcon(true));
    scheduler.TrayMouse(WM_LBUTTONDBLCLK);  // the icon restores the window as before
    EXPECT_TRUE(scheduler.WaitUntilVisible(true));
    scheduler.Command(IDM_SCHEDULER_EXIT);
    ProgramBox box = scheduler.WaitForBox("Keyloom Scheduler", 2000);  // untitled: asked
    if (box.window) scheduler.Press(box.window, IDNO);
    EXPECT_TRUE(scheduler.WaitForExit(10000, nullptr));
}

// Signing out: with unsaved changes the scheduler asks, and Cancel keeps the session; when the
// session ends anyway, the changes are saved and the schedule's name is remembered.
TEST_F(SchedulerProgramTest, TheEndOfTheSessionAsksAboutChangesAndNeverLosesThem) {
    ItemText item{"kept", Macro("kept.mro", "Kept", "")};
    const std::string path = dir.Write("session.scl", ScheduleText({item}));
    WriteSchedulerSettings(path);
    SchedulerDriver scheduler;
    ASSERT_NE(scheduler.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(scheduler.WaitUntilVisible(true));
    scheduler.Click(IDC_ITEM_ACTIVE);  // an edit: the item is no longer active
    ASSERT_TRUE(scheduler.RoundTrip());

    LRESULT answer = -1;
    scheduler.SendSessionEnd(WM_QUERYENDSESSION, 0, &answer);
    ProgramBox box = scheduler.WaitForBox("Keyloom Scheduler");
    ASSERT_NE(box.window, nullptr) << "no question at the end of the session";
    EXPECT_EQ(box.text, "Save changes to current schedule?");
    scheduler.Press(box.window, IDCANCEL);
    ASSERT_TRUE(PumpUntil([&] { return answer != -1; }, 10000));
    EXPECT_EQ(answer, FALSE);
    EXPECT_EQ(ReadWholeFile(path), ScheduleText({item}));

    scheduler.SendSessionEnd(WM_ENDSESSION, TRUE, &answer);
    DWORD exitCode = 99;
    ASSERT_TRUE(scheduler.WaitForExit(10000, &exitCode))
        << "asked: " << scheduler.WaitForBox("Keyloom Scheduler", 1000).text;
    EXPECT_EQ(exitCode, 0u);
    EXPECT_NE(ReadWholeFile(path).find("\r\nACTIVE FALSE\r\n"), std::string::npos);
    EXPECT_EQ(ReadSchedulerLastFileName(), path);
}

}  // namespace
