#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/desktop/wall_clock.h"
#include "macro/file/text_field.h"
#include "scheduler/schedule/schedule_file.h"
#include "scheduler/window/schedule_file_commands.h"
#include "scheduler/window/schedule_item_commands.h"
#include "scheduler/window/schedule_window.h"
#include "tests/support/scheduler_rig.h"
#include "ui/program_start.h"

namespace {

class ScheduleWindowTest : public SchedulerRig {
  protected:
    void Select(int entry) {
        view.list.Select(entry);
        OnSelectionChanged(window);
    }
};

TEST_F(ScheduleWindowTest, OpeningLoadsTheLastNamedScheduleAndShowsItemZero) {
    ScheduleItem first;
    CopyText(first.name, "first");
    first.runStyle = RUN_STYLE_INTERVAL;
    first.everyMinutes = 30;
    table.items[0] = first;
    table.count = 1;
    view.list.Append("first");
    const std::string path = disk.Path("last.scl");
    ASSERT_TRUE(SaveSchedule(files, path, table, view.list));
    EmptySlotsInUse(table);
    view.list.Clear();

    CopyText(table.scheduleFileName, path);
    Open();
    EXPECT_EQ(view.list.entries, std::vector<std::string>{"first"});
    EXPECT_EQ(view.list.selection, 0);
    EXPECT_EQ(table.currentItem, &table.items[0]);
    EXPECT_EQ(view.pane.everyMinutes, 30);
    EXPECT_TRUE(view.runStylesEnabled);
    EXPECT_FALSE(view.saveEnabled);
    EXPECT_FALSE(table.modified);
}

TEST_F(ScheduleWindowTest, UntitledOrEmptyNameLoadsNothingAndDisablesTheRunStyles) {
    for (const char* name : {"Untitled", ""}) {
        CopyText(table.scheduleFileName, name);
        window.refreshPane = true;
        Open();
        EXPECT_EQ(table.count, 0);
        EXPECT_FALSE(view.runStylesEnabled);
    }
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ScheduleWindowTest, AddItemAppendsAStartupItemAndShowsIt) {
    Open();
    view.macroFileAnswers.push_back(disk.Write("plain.mro", "START\r\nEND\r\n"));
    AddItem(window);
    AddMacro("Greeter");
    EXPECT_EQ(view.dialogsShown,
              (std::vector<std::string>{"Select a macro to run", "Select a macro to run"}));
    EXPECT_EQ(view.list.entries, (std::vector<std::string>{"New item", "Greeter"}));
    ASSERT_EQ(table.count, 2);
    const ScheduleItem& item = table.items[0];
    EXPECT_EQ(item.id, 0);
    EXPECT_EQ(item.runStyle, RUN_STYLE_STARTUP);
    EXPECT_EQ(item.runEvery, PERIOD_MONTH);
    EXPECT_TRUE(item.active);
    EXPECT_EQ(FieldText(item.macroFileName), disk.Path("plain.mro"));
    EXPECT_EQ(table.items[1].id, 1);
    EXPECT_EQ(view.list.selection, 1);
    EXPECT_EQ(table.currentItem, &table.items[1]);
    EXPECT_TRUE(view.runStylesEnabled);
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(view.saveEnabled);
}

TEST_F(ScheduleWindowTest, NewItemHasTodaysDateAndWeekdaySoEveryRuleCanPlay) {
    desktop.localTime = [] { return LocalTimeAt(At(2027, 2, 28, 10, 0, 0)); };  // a Sunday
    Open();
    AddMacro("a");
    const ScheduleItem& item = table.items[0];
    EXPECT_EQ(item.onceDay * 1000000 + item.onceMonth * 10000 + item.onceYear, 28022027);
    EXPECT_EQ(item.runDayOfWeek, 1);  // "Sunday", the first of the list
    EXPECT_EQ(view.pane.onceYear, 2027);
    EXPECT_EQ(view.pane.runDayOfWeek, 1);

    view.pane.runStyle = RUN_STYLE_ONCE;  // "Once", and only the time set
    view.pane.onceHour = 18;
    const std::string path = disk.Path("once.scl");
    view.saveAnswers.push_back(path);
    SaveCurrentSchedule(window);
    EXPECT_NE(disk.Read(path).find("ONCE_DATE 28 2 2027\r\nONCE_TIME 18 0 0\r\n"),
              std::string::npos);
}

TEST_F(ScheduleWindowTest, AddItemKeepsThePaneEditsOfTheItemShownBefore) {
    Open();
    AddMacro("one");
    view.pane.runStyle = RUN_STYLE_INTERVAL;
    view.pane.everySeconds = 9;
    AddMacro("two");
    EXPECT_EQ(table.items[0].everySeconds, 9);
    EXPECT_EQ(table.items[1].runStyle, RUN_STYLE_STARTUP);
    EXPECT_EQ(view.pane.runStyle, RUN_STYLE_STARTUP);
}

TEST_F(ScheduleWindowTest, CancelledOrFullAddChangesNothing) {
    Open();
    AddItem(window);  // the dialog is cancelled
    EXPECT_EQ(table.count, 0);
    EXPECT_FALSE(table.modified);
    table.count = SCHEDULE_CAPACITY;
    view.dialogsShown.clear();
    AddItem(window);
    EXPECT_TRUE(view.dialogsShown.empty());
    EXPECT_EQ(desktop.BoxTexts(),
              std::vector<std::string>{"The schedule is full: it holds 100 items, the most it "
                                       "can hold."});
}

TEST_F(ScheduleWindowTest, DeleteRenumbersTheItemsAfterTheSelectedOne) {
    Open();
    for (const char* name : {"a", "b", "c", "d"})
        AddMacro(name);
    view.list.selection = NO_SELECTION;
    DeleteItem(window);
    EXPECT_EQ(desktop.boxes.back().text, "Please select an item");
    EXPECT_EQ(desktop.boxes.back().caption, "Keyloom Scheduler");
    EXPECT_EQ(desktop.boxes.back().style, desk::BOX_ICON_WARNING);

    Select(1);
    desktop.boxAnswers.push_back(desk::ANSWER_NO);
    DeleteItem(window);
    EXPECT_EQ(table.count, 4);
    table.modified = false;
    DeleteItem(window);
    EXPECT_EQ(desktop.boxes.back().text, "Remove the selected schedule item?");
    EXPECT_EQ(desktop.boxes.back().caption, "Confirm");
    EXPECT_EQ(desktop.boxes.back().style, desk::BOX_YESNO | desk::BOX_ICON_QUESTION);
    EXPECT_EQ(view.list.entries, (std::vector<std::string>{"a", "c", "d"}));
    ASSERT_EQ(table.count, 3);
    for (int id = 0; id < 3; ++id) {
        EXPECT_EQ(table.items[id].id, id);
        EXPECT_EQ(FieldText(table.items[id].name), view.list.entries[id]);
    }
    EXPECT_EQ(FieldLength(table.items[3].name), 0u);
    EXPECT_EQ(table.items[3].id, 0);
    EXPECT_EQ(table.currentItem, nullptr);
    EXPECT_TRUE(table.modified);
}

TEST_F(ScheduleWindowTest, ClearEmptiesTheScheduleOnlyOnYes) {
    Open();
    AddMacro("a"), AddMacro("b");
    desktop.boxAnswers.push_back(desk::ANSWER_NO);
    ClearSchedule(window);
    EXPECT_EQ(table.count, 2);
    ClearSchedule(window);
    EXPECT_EQ(desktop.boxes.back().text, "Clear the current schedule?");
    EXPECT_EQ(desktop.boxes.back().caption, "Confirm");
    EXPECT_EQ(table.count, 0);
    EXPECT_TRUE(view.list.entries.empty());
    EXPECT_EQ(FieldLength(table.items[1].name), 0u);
    EXPECT_EQ(table.currentItem, nullptr);
}

TEST_F(ScheduleWindowTest, RunMacroNowPlaysHiddenWithThePlayingIcon) {
    Open();
    AddMacro("a"), AddMacro("b");
    bool hiddenDuringPlay = false;
    playback.onPlay = [&](const Macro&) {
        hiddenDuringPlay = !view.visible && view.trayIconPresent;
    };
    Select(1);
    RunMacroNow(window);
    EXPECT_EQ(Played(), std::vector<std::string>{"b"});
    EXPECT_TRUE(hiddenDuringPlay);
    EXPECT_EQ(view.trayStates, (std::vector<TrayState>{TRAY_IDLE, TRAY_PLAYING}));
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.trayIconPresent);
    EXPECT_EQ(state.schedulerTimer, 0u);

    CopyText(table.items[0].macroFileName, disk.Path("gone.mro"));
    Select(0);
    RunMacroNow(window);
    EXPECT_EQ(playback.plays.size(), 1u);
    EXPECT_EQ(desktop.boxes.back().text, "Error opening file: " + disk.Path("gone.mro"));
}

TEST_F(ScheduleWindowTest, RunMacroNowKeepsThePaneEditsAndTheSelection) {
    Open();
    AddMacro("a"), AddMacro("b"), AddMacro("c");
    Select(1);
    RunMacroNow(window);
    EXPECT_EQ(view.list.selection, 1);
    Select(2);
    view.pane.runStyle = RUN_STYLE_INTERVAL;
    view.pane.everySeconds = 7;
    RunMacroNow(window);
    EXPECT_EQ(Played(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(table.items[2].everySeconds, 7);
    EXPECT_EQ(view.list.selection, 2);
    EXPECT_EQ(table.currentItem, &table.items[2]);
    EXPECT_EQ(view.pane.everySeconds, 7);

    desktop.boxAnswers.push_back(desk::ANSWER_YES);
    DeleteItem(window);
    EXPECT_EQ(view.list.entries, (std::vector<std::string>{"a", "b"}));
}

TEST_F(ScheduleWindowTest, DateLineFollowsTheClockPastMidnight) {
    int64_t now = At(2026, 12, 7, 23, 59, 59);
    desktop.localTime = [&] { return LocalTimeAt(now); };
    Open();
    EXPECT_EQ(view.dateLine + " " + view.timeLine, "7 December, 2026 23:59:59");
    ++now;
    OnClockTimer(window);
    EXPECT_EQ(view.dateLine + " " + view.timeLine, "8 December, 2026 0:0:0");
}

TEST_F(ScheduleWindowTest, NewScheduleOffersToSaveChanges) {
    Open();
    AddMacro("a");
    desktop.boxAnswers.push_back(desk::ANSWER_CANCEL);
    NewSchedule(window);
    EXPECT_EQ(table.count, 1);
    EXPECT_EQ(desktop.boxes.back().text, "Save changes to current schedule?");
    EXPECT_EQ(desktop.boxes.back().style, desk::BOX_YESNOCANCEL | desk::BOX_ICON_QUESTION);

    desktop.boxAnswers.push_back(desk::ANSWER_YES);  // then the save dialog is cancelled
    NewSchedule(window);
    EXPECT_EQ(table.count, 1);

    desktop.boxAnswers.push_back(desk::ANSWER_YES);
    view.saveAnswers.push_back(disk.Path("kept.scl"));
    NewSchedule(window);
    EXPECT_NE(disk.Read(disk.Path("kept.scl")).find("NAME \"a\""), std::string::npos);
    EXPECT_EQ(table.count, 0);
    EXPECT_TRUE(IsUntitled(table));
    EXPECT_FALSE(table.modified);
    EXPECT_FALSE(view.saveEnabled);
}

TEST_F(ScheduleWindowTest, SaveStoresThePaneAndWritesTheFile) {
    Open();
    AddMacro("a");
    view.pane.runStyle = RUN_STYLE_ONCE;
    view.pane.onceYear = 2030;
    const std::string path = disk.Path("saved.scl");
    view.saveAnswers.push_back(path);
    SaveCurrentSchedule(window);
    EXPECT_EQ(view.dialogsShown.back(), "Save current schedule");
    EXPECT_NE(disk.Read(path).find("RUN_STYLE 2\r\nONCE_DATE 7 12 2030\r\n"), std::string::npos);
    EXPECT_EQ(FieldText(table.scheduleFileName), path);
    EXPECT_FALSE(table.modified);
    EXPECT_FALSE(view.saveEnabled);

    view.pane.everyHours = 123;  // a named schedule saves without asking
    MarkModified(window);
    view.dialogsShown.clear();
    SaveCurrentSchedule(window);
    EXPECT_TRUE(view.dialogsShown.empty());
    EXPECT_NE(disk.Read(path).find("EVERY_HOURS 123\r\n"), std::string::npos);
}

TEST_F(ScheduleWindowTest, FailedSaveIsReportedAndStaysModified) {
    Open();
    AddMacro("a");
    files.Arm(Fault{FaultPoint::Create});
    view.saveAnswers.push_back(disk.Path("x.scl"));
    SaveScheduleAs(window);
    EXPECT_EQ(desktop.boxes.back().text, "Error writing file");
    EXPECT_EQ(desktop.boxes.back().caption, "Error");
    EXPECT_EQ(desktop.boxes.back().style, desk::BOX_ICON_ERROR);
    EXPECT_TRUE(table.modified);
    EXPECT_TRUE(view.saveEnabled);
    EXPECT_TRUE(IsUntitled(table));
}

TEST_F(ScheduleWindowTest, SaveAsStoresThePaneFirst) {
    Open();
    AddMacro("a");
    view.pane.everySeconds = 42;
    view.saveAnswers.push_back(disk.Path("as.scl"));
    SaveScheduleAs(window);
    EXPECT_NE(disk.Read(disk.Path("as.scl")).find("EVERY_SECS 42\r\n"), std::string::npos);
    EXPECT_EQ(FieldText(table.scheduleFileName), disk.Path("as.scl"));
}

TEST_F(ScheduleWindowTest, LoadAsksToSaveFirstThenReplacesTheSchedule) {
    Open();
    AddMacro("old");
    ScheduleTable other;
    FakeScheduleList otherList;
    CopyText(other.items[0].name, "loaded");
    other.items[0].id = otherList.Append("loaded");
    other.count = 1;
    const std::string path = disk.Path("other.scl");
    ASSERT_TRUE(SaveSchedule(files, path, other, otherList));

    desktop.boxAnswers.push_back(desk::ANSWER_CANCEL);
    LoadScheduleFile(window);
    EXPECT_TRUE(view.openAnswers.empty());
    EXPECT_EQ(view.list.entries, std::vector<std::string>{"old"});

    desktop.boxAnswers.push_back(desk::ANSWER_NO);
    view.openAnswers.push_back(path);
    LoadScheduleFile(window);
    EXPECT_EQ(view.dialogsShown.back(), "Open existing schedule");
    EXPECT_EQ(view.list.entries, std::vector<std::string>{"loaded"});
    EXPECT_EQ(FieldText(table.scheduleFileName), path);
    EXPECT_FALSE(table.modified);
    EXPECT_EQ(table.currentItem, nullptr);
}

TEST_F(ScheduleWindowTest, ExitAsksForAnUntitledScheduleEvenWhenEmpty) {
    Open();
    desktop.boxAnswers.push_back(desk::ANSWER_CANCEL);
    EXPECT_FALSE(ExitScheduler(window));
    EXPECT_EQ(desktop.boxes.back().text, "Save changes to current schedule?");
    desktop.boxAnswers.push_back(desk::ANSWER_NO);
    EXPECT_TRUE(ExitScheduler(window));

    const std::string path = disk.Path("named.scl");
    view.saveAnswers.push_back(path);
    SaveScheduleAs(window);
    const size_t boxes = desktop.boxes.size();
    EXPECT_TRUE(ExitScheduler(window));  // named and saved: no question
    EXPECT_EQ(desktop.boxes.size(), boxes);
}

TEST_F(ScheduleWindowTest, ClosingHidesIntoTheTrayAndListens) {
    Open();
    AddMacro("a");
    view.pane.everyMinutes = 7;
    OnCloseBox(window);
    EXPECT_EQ(table.items[0].everyMinutes, 7);
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.trayIconPresent);
    EXPECT_EQ(view.trayStates, std::vector<TrayState>{TRAY_IDLE});
    EXPECT_TRUE(desktop.HasThreadTimer(state.schedulerTimer));

    RestoreFromTray(window);
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.trayIconPresent);
    EXPECT_EQ(state.schedulerTimer, 0u);
    EXPECT_EQ(view.list.selection, 0);
    EXPECT_EQ(table.currentItem, &table.items[0]);

    DisableAllItems(window, false);
    HideInTrayAndListen(window);
    EXPECT_EQ(view.trayStates.back(), TRAY_SUSPENDED);
}

TEST_F(ScheduleWindowTest, HideInTrayStoresThePaneFirst) {
    Open();
    AddMacro("a");
    AddMacro("b");
    RunMacroNow(window);  // leaves the pane to be refreshed at the next show or hide
    Select(1);
    view.pane.everySeconds = 33;
    HideInTrayAndListen(window);
    EXPECT_EQ(table.items[1].everySeconds, 33);
}

TEST_F(ScheduleWindowTest, UnsavedChangesSurviveATripToTheTray) {
    Open();
    CopyText(table.scheduleFileName, disk.Path("named.scl"));
    AddMacro("a");
    OnCloseBox(window);
    RestoreFromTray(window);
    EXPECT_TRUE(view.saveEnabled);
    desktop.boxAnswers.push_back(desk::ANSWER_CANCEL);
    ASSERT_FALSE(ExitScheduler(window));
    EXPECT_EQ(desktop.boxes.back().text, "Save changes to current schedule?");
}

TEST_F(ScheduleWindowTest, RefusedTrayIconKeepsTheWindowOpen) {
    Open();
    view.refusedAdds = 1000;
    OnCloseBox(window);
    EXPECT_EQ(view.addAttempts, TRAY_ADD_ATTEMPTS);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(state.schedulerTimer, 0u);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].caption, "Error");

    view.refusedAdds = 3;  // the notification area comes up a moment later
    view.addAttempts = 0;
    OnCloseBox(window);
    EXPECT_EQ(view.addAttempts, 4);
    EXPECT_FALSE(view.visible);
}

TEST_F(ScheduleWindowTest, StartedHiddenPlaysTheSessionStartItemsThenListens) {
    Open();
    AddMacro("startup");
    table.items[0].active = false;
    AddMacro("interval");
    table.items[1].runStyle = RUN_STYLE_INTERVAL;
    table.items[1].everySeconds = 1;
    StartHiddenIfAsked(window);
    EXPECT_TRUE(playback.plays.empty());

    int addsBeforeHiding = -1;
    view.onShowWindow = [&] {
        if (!view.visible && addsBeforeHiding < 0) addsBeforeHiding = view.addAttempts;
        OnShownOrHidden(window);
    };
    window.startHidden = true;
    StartHiddenIfAsked(window);
    EXPECT_EQ(addsBeforeHiding, 0);  // hidden first: a slow notification area shows no window
    EXPECT_FALSE(window.startHidden);
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(Played(), std::vector<std::string>{"startup"});
    EXPECT_EQ(view.trayStates, (std::vector<TrayState>{TRAY_IDLE, TRAY_PLAYING, TRAY_IDLE}));
    ASSERT_TRUE(desktop.HasThreadTimer(state.schedulerTimer));
    desktop.localTime = [] { return LocalTimeAt(SecondOf(LocalTime{2026, 1, 0, 2, 0, 0, 1, 0})); };
    desktop.FireThreadTimer(state.schedulerTimer);
    EXPECT_EQ(Played(), (std::vector<std::string>{"startup", "interval"}));
}

TEST_F(ScheduleWindowTest, StartedHiddenWithoutANotificationAreaStillPlaysTheSessionStartItems) {
    Open();
    AddMacro("startup");
    view.refusedAdds = 1000;  // a logon whose notification area never comes up
    bool hiddenWhilePlaying = false;
    size_t boxesWhilePlaying = 99;
    playback.onPlay = [&](const Macro&) {
        hiddenWhilePlaying = !view.visible;
        boxesWhilePlaying = desktop.boxes.size();
    };
    window.startHidden = true;
    const uint32_t start = desktop.now;
    StartHiddenIfAsked(window);
    // As patient as Keyloom's start: the icon was tried for about ten seconds.
    EXPECT_EQ(view.addAttempts, TRAY_ADD_ATTEMPTS);
    EXPECT_GE(desktop.now - start, 9000u);
    EXPECT_EQ(Played(), std::vector<std::string>{"startup"});
    EXPECT_TRUE(hiddenWhilePlaying);
    EXPECT_EQ(boxesWhilePlaying, 0u);  // nobody has to answer a box before the items play
    EXPECT_TRUE(view.visible);         // no icon to come back from: the window stays
    EXPECT_EQ(state.schedulerTimer, 0u);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].caption, "Error");
    EXPECT_EQ(desktop.boxes[0].text,
              "The notification area refused the Keyloom Scheduler icon, so the window stays "
              "open and the schedule is not listening.");
}

TEST_F(ScheduleWindowTest, EnableAndDisableAllAreNeverBothEnabled) {
    Open();
    EXPECT_FALSE(view.suspendedShown);
    DisableAllItems(window, false);
    EXPECT_TRUE(state.suspended);
    EXPECT_TRUE(view.suspendedShown);
    EXPECT_TRUE(view.trayStates.empty());
    OnCloseBox(window);
    EnableAllItems(window, true);
    EXPECT_FALSE(state.suspended);
    EXPECT_FALSE(view.suspendedShown);
    EXPECT_EQ(view.trayStates, (std::vector<TrayState>{TRAY_SUSPENDED, TRAY_IDLE}));
    DisableAllItems(window, true);
    EXPECT_EQ(view.trayStates.back(), TRAY_SUSPENDED);
}

}  // namespace
