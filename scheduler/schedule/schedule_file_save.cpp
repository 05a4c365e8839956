#include <cstdio>

#include "macro/file/listed_path.h"
#include "macro/file/text_field.h"
#include "scheduler/schedule/schedule_file.h"

namespace {

constexpr const char* LINE_END = "\r\n";

void AppendLine(std::string& bytes, const char* format, auto... values) {
    char line[64];
    std::snprintf(line, sizeof line, format, values...);
    bytes += line;
    bytes += LINE_END;
}

void AppendText(std::string& bytes, std::string_view text) {
    bytes += text;
    bytes += LINE_END;
}

void AppendQuoted(std::string& bytes, const char* keyword, std::string_view value) {
    AppendText(bytes, std::string(keyword) + " \"" + std::string(value) + "\"");
}

// The day of the month is written only where a month is the period, so that a file without
// monthly items keeps the bytes that earlier versions wrote; an item that does not play
// monthly keeps it only when a day other than the 1st was chosen.
bool StoresDayOfMonth(const ScheduleItem& item) {
    return item.runEvery == PERIOD_MONTH &&
           (item.runStyle == RUN_STYLE_PERIODIC || item.runDayOfMonth != 0);
}

void AppendItem(std::string& bytes, const ScheduleItem& item, const std::string& path) {
    bytes += LINE_END;
    AppendText(bytes, "NEW_ITEM");
    AppendQuoted(bytes, "NAME", FieldText(item.name));
    AppendQuoted(
        bytes, "MACRO_FILENAME",
        ListedPathFor(path, FieldText(item.listedMacroFileName), FieldText(item.macroFileName)));
    AppendLine(bytes, "RUN_STYLE %d", item.runStyle);
    AppendLine(bytes, "ONCE_DATE %d %d %d", item.onceDay, item.onceMonth, item.onceYear);
    AppendLine(bytes, "ONCE_TIME %d %d %d", item.onceHour, item.onceMinute, item.onceSecond);
    AppendLine(bytes, "RUN_EVERY %d", item.runEvery);
    AppendLine(bytes, "RUN_DOW %d", item.runDayOfWeek);
    if (StoresDayOfMonth(item)) AppendLine(bytes, "RUN_DOM %d", item.runDayOfMonth);
    AppendLine(bytes, "RUN_TIME %d %d %d", item.runHour, item.runMinute, item.runSecond);
    AppendLine(bytes, "EVERY_HOURS %d", item.everyHours);
    AppendLine(bytes, "EVERY_MINS %d", item.everyMinutes);
    AppendLine(bytes, "EVERY_SECS %d", item.everySeconds);
    AppendText(bytes, item.active ? "ACTIVE TRUE" : "ACTIVE FALSE");
    // Only when ticked, so that schedules without it keep their bytes.
    if (item.catchUp) AppendText(bytes, "CATCH_UP 1");
    AppendText(bytes, "END_ITEM");
}

}  // namespace

std::string FormatSchedule(ScheduleTable& table, int listCount, const std::string& path) {
    std::string bytes = "//Created by Keyloom Scheduler\r\n//\r\n";
    for (int id = 0; id < listCount; ++id)
        if (const ScheduleItem* item = FindItemByID(table, id)) AppendItem(bytes, *item, path);
    return bytes;
}

bool SaveSchedule(FileSystem& files, const std::string& path, ScheduleTable& table,
                  ScheduleListView& list) {
    return SaveFileAtomically(files, path, FormatSchedule(table, list.Count(), path));
}
