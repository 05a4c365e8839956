#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/file/text_field.h"
#include "scheduler/schedule/macro_name.h"
#include "scheduler/schedule/schedule_file.h"
#include "tests/support/scheduler_rig.h"

namespace {

const std::string EXAMPLE =
    "//Created by Keyloom Scheduler\r\n"
    "//\r\n"
    "\r\n"
    "NEW_ITEM\r\n"
    "NAME \"New item\"\r\n"
    "MACRO_FILENAME \"C:\\mymacro.mro\"\r\n"
    "RUN_STYLE 4\r\n"
    "ONCE_DATE 7 12 2002\r\n"
    "ONCE_TIME 16 11 25\r\n"
    "RUN_EVERY 1\r\n"
    "RUN_DOW 1\r\n"
    "RUN_TIME 16 11 25\r\n"
    "EVERY_HOURS 1\r\n"
    "EVERY_MINS 30\r\n"
    "EVERY_SECS 0\r\n"
    "ACTIVE TRUE\r\n"
    "END_ITEM\r\n";

ScheduleItem ExampleItem() {
    ScheduleItem item;
    CopyText(item.name, "New item");
    CopyText(item.macroFileName, "C:\\mymacro.mro");
    item.runStyle = RUN_STYLE_INTERVAL;
    item.onceDay = 7, item.onceMonth = 12, item.onceYear = 2002;
    item.onceHour = 16, item.onceMinute = 11, item.onceSecond = 25;
    item.runEvery = PERIOD_MONTH;
    item.runDayOfWeek = 1;
    item.runHour = 16, item.runMinute = 11, item.runSecond = 25;
    item.everyHours = 1, item.everyMinutes = 30, item.everySeconds = 0;
    item.active = true;
    return item;
}

std::string Item(const std::string& lines) {
    return "\r\nNEW_ITEM\r\n" + lines + "END_ITEM\r\n";
}

class ScheduleFileTest : public SchedulerRig {
  protected:
    void Add(const ScheduleItem& item) {
        table.items[table.count] = item;
        table.items[table.count].id = list.Append(std::string(FieldText(item.name)));
        ++table.count;
    }
    bool Load(const std::string& bytes) {
        return LoadSchedule(Io(), disk.Write("s.scl", bytes), table, list);
    }
    ScheduleFiles Io() { return ScheduleFiles{files, desktop, MAIN_WINDOW}; }

    FakeScheduleList& list = view.list;
};

TEST_F(ScheduleFileTest, SavedExampleHasTheExactBytes) {
    Add(ExampleItem());
    const std::string path = disk.Path("example.scl");
    ASSERT_TRUE(SaveSchedule(files, path, table, list));
    EXPECT_EQ(disk.Read(path), EXAMPLE);
}

TEST_F(ScheduleFileTest, EmptyScheduleIsTheHeaderAndLoadsEmpty) {
    const std::string path = disk.Path("empty.scl");
    ASSERT_TRUE(SaveSchedule(files, path, table, list));
    EXPECT_EQ(disk.Read(path), "//Created by Keyloom Scheduler\r\n//\r\n");
    table.count = 7;  // the reader starts the count afresh
    EXPECT_TRUE(LoadSchedule(Io(), path, table, list));
    EXPECT_EQ(table.count, 0);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ScheduleFileTest, RoundTripGivesTheSameItemsInOrder) {
    ScheduleItem first = ExampleItem();
    first.runDayOfMonth = 30;
    first.elapsedSeconds = 12;
    ScheduleItem second;
    CopyText(second.name, "");
    CopyText(second.macroFileName, "D:\\macros\\with space.mro");
    second.runStyle = RUN_STYLE_PERIODIC;
    second.runEvery = PERIOD_WEEK;
    second.runDayOfWeek = 7;
    second.runHour = 23, second.runMinute = 59, second.runSecond = 58;
    ScheduleItem third = ExampleItem();
    CopyText(third.name, "Third");
    third.everyHours = 999;
    third.active = false;
    Add(first), Add(second), Add(third);
    const std::string path = disk.Path("trip.scl");
    ASSERT_TRUE(SaveSchedule(files, path, table, list));

    ScheduleTable loaded;
    FakeScheduleList loadedList;
    ASSERT_TRUE(LoadSchedule(Io(), path, loaded, loadedList));
    ASSERT_EQ(loaded.count, 3);
    EXPECT_EQ(loadedList.entries, (std::vector<std::string>{"New item", "", "Third"}));
    EXPECT_EQ(FormatSchedule(loaded, 3, path), FormatSchedule(table, 3, path));
    for (int id = 0; id < 3; ++id) {
        EXPECT_EQ(loaded.items[id].id, id);
        EXPECT_EQ(loaded.items[id].runDayOfWeek, table.items[id].runDayOfWeek);
    }
    // The day of a month's period is stored; the interval clock is not.
    EXPECT_EQ(loaded.items[0].runDayOfMonth, 30);
    EXPECT_EQ(loaded.items[0].elapsedSeconds, 0);
}

TEST_F(ScheduleFileTest, DayOfMonthIsWrittenAfterTheDayOfWeekOnlyWhereAMonthIsThePeriod) {
    struct Case {
        int32_t runStyle, runEvery, dayOfMonth;
        const char* written;  // the line after RUN_DOW, or none
    };
    const Case cases[] = {{RUN_STYLE_PERIODIC, PERIOD_MONTH, 14, "RUN_DOM 14"},
                          {RUN_STYLE_PERIODIC, PERIOD_MONTH, 0, "RUN_DOM 0"},
                          {RUN_STYLE_ONCE, PERIOD_MONTH, 14, "RUN_DOM 14"},
                          {RUN_STYLE_INTERVAL, PERIOD_MONTH, 0, nullptr},
                          {RUN_STYLE_PERIODIC, PERIOD_WEEK, 14, nullptr},
                          {RUN_STYLE_PERIODIC, PERIOD_DAY, 14, nullptr}};
    const std::string path = disk.Path("month.scl");
    for (const Case& c : cases) {
        ScheduleTable one;
        FakeScheduleList oneList;
        ScheduleItem item = ExampleItem();
        item.runStyle = c.runStyle, item.runEvery = c.runEvery, item.runDayOfMonth = c.dayOfMonth;
        one.items[0] = item;
        one.count = 1;
        oneList.Append("New item");
        ASSERT_TRUE(SaveSchedule(files, path, one, oneList));
        std::string expected = EXAMPLE;
        expected.replace(expected.find("RUN_STYLE 4"), 11,
                         "RUN_STYLE " + std::to_string(c.runStyle));
        expected.replace(expected.find("RUN_EVERY 1"), 11,
                         "RUN_EVERY " + std::to_string(c.runEvery));
        if (c.written) expected.insert(expected.find("RUN_TIME"), std::string(c.written) + "\r\n");
        EXPECT_EQ(disk.Read(path), expected) << c.runStyle << " " << c.runEvery;
        ScheduleTable loaded;
        FakeScheduleList loadedList;
        ASSERT_TRUE(LoadSchedule(Io(), path, loaded, loadedList));
        EXPECT_EQ(loaded.items[0].runDayOfMonth, c.written ? c.dayOfMonth : 0);
    }
}

TEST_F(ScheduleFileTest, DayOfMonthIsReadWhereverItStandsInTheItem) {
    ASSERT_TRUE(Load(Item("RUN_DOM 14\r\nRUN_STYLE 3\r\nRUN_EVERY 1\r\n") +
                     Item("RUN_STYLE 3\r\nRUN_EVERY 1\r\nACTIVE TRUE\r\nRUN_DOM 30;\r\n") +
                     Item("RUN_DOM 5\r\n")));
    ASSERT_EQ(table.count, 3);
    EXPECT_EQ(table.items[0].runDayOfMonth, 14);
    EXPECT_EQ(table.items[1].runDayOfMonth, 30);
    EXPECT_EQ(table.items[2].runDayOfMonth, 5);
}

TEST_F(ScheduleFileTest, FileWithoutMonthlyItemsKeepsItsBytes) {
    std::string weekly = EXAMPLE.substr(EXAMPLE.find("\r\n\r\nNEW_ITEM") + 2);
    weekly.replace(weekly.find("RUN_STYLE 4"), 11, "RUN_STYLE 3");
    weekly.replace(weekly.find("RUN_EVERY 1"), 11, "RUN_EVERY 2");
    const std::string bytes = EXAMPLE + weekly;
    ASSERT_TRUE(Load(bytes));
    ASSERT_EQ(table.count, 2);
    const std::string path = disk.Path("again.scl");
    ASSERT_TRUE(SaveSchedule(files, path, table, list));
    EXPECT_EQ(disk.Read(path), bytes);
}

TEST_F(ScheduleFileTest, ValuesAreReadByTheirRules) {
    ASSERT_TRUE(
        Load("//Created by Keyloom Scheduler\n//\n" + Item("NAME \"\"Quoted twice\"\" trailing\r\n"
                                                           "MACRO_FILENAME C:\\no quotes.mro\r\n"
                                                           "RUN_STYLE   3;comment\r\n"
                                                           "ONCE_DATE 7 12 2002\r\n"
                                                           "ONCE_TIME 1 2 3;\r\n"
                                                           "RUN_TIME 4 5\r\n"
                                                           "RUN_EVERY none\r\n"
                                                           "RUN_DOW 5\r\n"
                                                           "RUN_DOW 6\r\n")));
    ASSERT_EQ(table.count, 1);
    const ScheduleItem& item = table.items[0];
    EXPECT_STREQ(item.name, "Quoted twice");
    EXPECT_STREQ(item.macroFileName, "C:\\no quotes.mro");  // the line's CR is not kept
    EXPECT_EQ(item.runStyle, 3);
    EXPECT_EQ(item.onceDay, 7);  // the day comes first
    EXPECT_EQ(item.onceMonth, 12);
    EXPECT_EQ(item.onceYear, 2002);
    EXPECT_EQ(item.onceHour * 10000 + item.onceMinute * 100 + item.onceSecond, 10203);
    EXPECT_EQ(item.runHour * 10000 + item.runMinute * 100 + item.runSecond, 40500);
    EXPECT_EQ(item.runEvery, 0);      // no digits
    EXPECT_EQ(item.runDayOfWeek, 6);  // a repeated keyword overwrites
    EXPECT_EQ(item.everyHours, 0);    // missing keywords leave zero
    EXPECT_FALSE(item.active);
}

TEST_F(ScheduleFileTest, NewItemIgnoresCaseOutsideItemsAndKeywordsInsideDoNot) {
    ASSERT_TRUE(
        Load("new_item\r\nNAME \"lower\"\r\nname \"ignored\"\r\nRun_Style 4\r\nEND_ITEM\r\n"
             "//NEW_ITEM starts an item too\r\nNAME \"comment\"\r\nxxEND_ITEMxx\r\n"
             "NAME \"outside items\"\r\n"));
    ASSERT_EQ(table.count, 2);
    EXPECT_STREQ(table.items[0].name, "lower");
    EXPECT_EQ(table.items[0].runStyle, 0);
    EXPECT_STREQ(table.items[1].name, "comment");
    EXPECT_EQ(table.items[1].id, 1);
    EXPECT_EQ(list.entries, (std::vector<std::string>{"lower", "comment"}));
}

TEST_F(ScheduleFileTest, ActiveWhenTheValueContainsTrue) {
    ASSERT_TRUE(Load(Item("ACTIVE TRUE\r\n") + Item("ACTIVE xxTRUEyy;\r\n") +
                     Item("ACTIVE FALSE\r\n") + Item("ACTIVE\r\n") + Item("ACTIVE true\r\n") +
                     Item("ACTIVE ;TRUE\r\n")));
    ASSERT_EQ(table.count, 6);
    const bool expected[] = {true, true, false, false, false, false};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(table.items[i].active, expected[i]) << "item " << i;
}

TEST_F(ScheduleFileTest, PlayIfMissedIsALineOfItsOwnWrittenOnlyWhenTicked) {
    ScheduleItem ticked = ExampleItem();
    ticked.catchUp = true;
    Add(ticked);
    const std::string path = disk.Path("catch-up.scl");
    ASSERT_TRUE(SaveSchedule(files, path, table, list));
    const std::string active = "ACTIVE TRUE\r\n";
    std::string expected = EXAMPLE;
    expected.insert(expected.find(active) + active.size(), "CATCH_UP 1\r\n");
    EXPECT_EQ(disk.Read(path), expected);
    list.Clear();
    ASSERT_TRUE(Load(disk.Read(path) + Item("CATCH_UP 0\r\n") + Item("RUN_STYLE 2\r\n") +
                     Item("CATCH_UP 1;\r\nACTIVE TRUE\r\n")));
    ASSERT_EQ(table.count, 4);
    const bool expectedCatchUp[] = {true, false, false, true};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(table.items[i].catchUp, expectedCatchUp[i]) << "item " << i;
    EXPECT_TRUE(table.items[3].active) << "read wherever it stands";
}

TEST_F(ScheduleFileTest, FileEndingInsideAnItemKeepsIt) {
    ASSERT_TRUE(Load(Item("NAME \"one\"\r\n") + "NEW_ITEM\r\nNAME \"open\"\r\nRUN_STYLE 2"));
    ASSERT_EQ(table.count, 2);
    EXPECT_STREQ(table.items[1].name, "open");
    EXPECT_EQ(table.items[1].runStyle, 2);
}

TEST_F(ScheduleFileTest, MoreThanCapacityLoadsTheFirstHundredAndSaysSo) {
    std::string bytes;
    for (int i = 0; i < SCHEDULE_CAPACITY + 5; ++i)
        bytes += Item("NAME \"item " + std::to_string(i) + "\"\r\n");
    ASSERT_TRUE(Load(bytes));
    EXPECT_EQ(table.count, SCHEDULE_CAPACITY);
    EXPECT_EQ(list.Count(), SCHEDULE_CAPACITY);
    EXPECT_STREQ(table.items[99].name, "item 99");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_NE(desktop.boxes[0].text.find("only the first 100"), std::string::npos);
    EXPECT_EQ(desktop.boxes[0].owner, MAIN_WINDOW);
}

TEST_F(ScheduleFileTest, OverlongNamesAndPathsAreRefusedNotCut) {
    const std::string longest = "C:\\" + std::string(ITEM_PATH_CAPACITY - 4, 'p');
    ASSERT_TRUE(Load(Item("NAME \"" + std::string(ITEM_NAME_CAPACITY, 'n') + "\"\r\n") +
                     Item("NAME \"fits\"\r\nMACRO_FILENAME \"" + longest + "\"\r\n") +
                     Item("MACRO_FILENAME \"" + longest + "p\"\r\n") +
                     Item("MACRO_FILENAME \"" + std::string(400, 'q') + "\"\r\n")));
    ASSERT_EQ(table.count, 1);
    EXPECT_STREQ(table.items[0].name, "fits");
    EXPECT_EQ(FieldText(table.items[0].macroFileName), longest);
    EXPECT_EQ(table.items[0].id, 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text.rfind("3 schedule item(s)", 0), 0u);
}

TEST_F(ScheduleFileTest, UnopenableFileIsReportedAndTouchesNothing) {
    table.count = 2;
    const std::string path = disk.Path("missing.scl");
    EXPECT_FALSE(LoadSchedule(Io(), path, table, list));
    EXPECT_EQ(table.count, 2);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: " + path);
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_EQ(desktop.boxes[0].style, desk::BOX_ICON_ERROR);
}

TEST_F(ScheduleFileTest, UnwritableFileFailsAndKeepsTheOldOne) {
    Add(ExampleItem());
    const std::string path = disk.Write("old.scl", "old bytes");
    files.Arm(Fault{FaultPoint::Create});
    EXPECT_FALSE(SaveSchedule(files, path, table, list));
    EXPECT_EQ(disk.Read(path), "old bytes");
    files.Arm(Fault{});
    ASSERT_TRUE(SaveSchedule(files, path, table, list));
    EXPECT_EQ(disk.Read(path), EXAMPLE);
    EXPECT_EQ(disk.NamesBeside(path), std::vector<std::string>{"old.scl"});
}

TEST_F(ScheduleFileTest, FindItemByIdScansUpToTheFirstFreeSlot) {
    EXPECT_EQ(FindItemByID(table, 0), &table.items[0]);  // the empty slot 0
    EXPECT_EQ(FindItemByID(table, 1), nullptr);
    Add(ExampleItem()), Add(ExampleItem());
    EXPECT_EQ(FindItemByID(table, 1), &table.items[1]);
    table.items[3].id = 3;  // beyond the first free slot
    EXPECT_EQ(FindItemByID(table, 3), nullptr);
    table.items[2].id = 3;
    EXPECT_EQ(FindItemByID(table, 3), &table.items[2]);
}

TEST_F(ScheduleFileTest, ReadMacroNameTakesTheNameLineInAnyCase) {
    char name[ITEM_NAME_CAPACITY] = "unchanged";
    EXPECT_TRUE(ReadMacroName(Io(), disk.Write("a.mro", "//header\r\nname \"Greet\";\r\n"), name));
    EXPECT_STREQ(name, "Greet");
    EXPECT_TRUE(ReadMacroName(Io(), disk.Write("b.mro", "  NAME \"\"\r\n"), name));
    EXPECT_STREQ(name, "");
    CopyText(name, "unchanged");
    EXPECT_FALSE(ReadMacroName(Io(), disk.Write("c.mro", "NAMES \"x\"\r\nSTART\r\nEND\r\n"), name));
    EXPECT_STREQ(name, "unchanged");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ScheduleFileTest, ReadMacroNameReportsMissingFilesAndOverlongNames) {
    char name[ITEM_NAME_CAPACITY] = "unchanged";
    const std::string missing = disk.Path("missing.mro");
    EXPECT_FALSE(ReadMacroName(Io(), missing, name));
    EXPECT_FALSE(ReadMacroName(
        Io(), disk.Write("long.mro", "NAME \"" + std::string(ITEM_NAME_CAPACITY, 'x') + "\"\r\n"),
        name));
    EXPECT_STREQ(name, "unchanged");
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[0].text, "Error opening file: " + missing);
    EXPECT_EQ(desktop.boxes[0].caption, "Error!");
    EXPECT_NE(desktop.boxes[1].text.find("longer than 99"), std::string::npos);
}

}  // namespace
