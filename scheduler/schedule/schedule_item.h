#pragma once
// The schedule: a fixed table of items, each naming a macro file and the rule that plays it.
#include <cstdint>
#include <string_view>

constexpr int SCHEDULE_CAPACITY = 100;
constexpr int ITEM_NAME_CAPACITY = 100;
// A full path as the open-file dialog gives it, so a chosen macro is never cut to a wrong path.
constexpr int ITEM_PATH_CAPACITY = 260;
constexpr int SCHEDULE_PATH_CAPACITY = 260;
constexpr std::string_view UNTITLED_SCHEDULE = "Untitled";

enum RunStyle : int32_t {
    RUN_STYLE_STARTUP = 1,
    RUN_STYLE_ONCE = 2,
    RUN_STYLE_PERIODIC = 3,
    RUN_STYLE_INTERVAL = 4,
};

enum Period : int32_t {
    PERIOD_MONTH = 1,
    PERIOD_WEEK = 2,
    PERIOD_DAY = 3,
};

struct ScheduleItem {
    int32_t id = 0;
    char name[ITEM_NAME_CAPACITY] = {};
    char macroFileName[ITEM_PATH_CAPACITY] = {};
    // MACRO_FILENAME as the schedule file holds it; macroFileName is that path taken against
    // the schedule's folder. Empty for an item added by Add Item.
    char listedMacroFileName[ITEM_PATH_CAPACITY] = {};
    int32_t runStyle = 0;
    int32_t onceMonth = 0;
    int32_t onceDay = 0;
    int32_t onceYear = 0;
    int32_t onceHour = 0;
    int32_t onceMinute = 0;
    int32_t onceSecond = 0;
    int32_t runEvery = 0;
    int32_t runDayOfWeek = 0;   // 1 = Sunday ... 7 = Saturday
    int32_t runDayOfMonth = 0;  // 0 = the 1st ... 30 = the 31st
    int32_t runHour = 0;
    int32_t runMinute = 0;
    int32_t runSecond = 0;
    int32_t everyHours = 0;
    int32_t everyMinutes = 0;
    int32_t everySeconds = 0;
    bool active = false;
    // "Play if missed": an appointment that passed unplayed (asleep, not running, locked) plays
    // once as soon as the Scheduler listens again.
    bool catchUp = false;
    int32_t elapsedHours = 0;  // the interval clock
    int32_t elapsedMinutes = 0;
    int32_t elapsedSeconds = 0;
};

struct ScheduleTable {
    ScheduleItem items[SCHEDULE_CAPACITY];
    int count = 0;
    char scheduleFileName[SCHEDULE_PATH_CAPACITY] = "Untitled";
    bool modified = false;
    ScheduleItem* currentItem = nullptr;  // the item the properties pane shows
};

// Slots 0 to `count` (the first free slot included); the first whose id matches, or null.
ScheduleItem* FindItemByID(ScheduleTable& table, int32_t id);

// Empties the slots in use; no item is left and none is current.
void EmptySlotsInUse(ScheduleTable& table);

bool IsUntitled(const ScheduleTable& table);
