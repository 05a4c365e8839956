#include <optional>
#include <string>

#include "macro/desktop/error_report.h"
#include "macro/file/decimal.h"
#include "macro/file/listed_path.h"
#include "macro/file/property_line.h"
#include "macro/file/read_file_line.h"
#include "macro/file/text_field.h"
#include "macro/language/upper_case.h"
#include "scheduler/schedule/schedule_file.h"
#include "scheduler/schedule/schedule_text.h"

namespace {

// The item being read, and whether one of its texts did not fit its field.
struct ItemReading {
    ScheduleItem item;
    bool tooLong = false;
};

void ReadThreeNumbers(std::string_view value, int32_t& first, int32_t& second, int32_t& third) {
    std::string_view rest = PlainValue(value);
    for (int32_t* number : {&first, &second, &third})
        *number = ParseDecimal(NextWord(rest));
}

template <std::size_t N>
void ReadText(std::string_view value, bool lineCut, char (&field)[N], bool& tooLong) {
    if (lineCut || !CopyText(field, ScheduleQuotedValue(value))) tooLong = true;
}

void ApplyItemLine(std::string_view keyword, std::string_view value, bool lineCut,
                   ItemReading& reading) {
    ScheduleItem& item = reading.item;
    if (keyword == "NAME") {
        ReadText(value, lineCut, item.name, reading.tooLong);
    } else if (keyword == "MACRO_FILENAME") {
        ReadText(value, lineCut, item.listedMacroFileName, reading.tooLong);
    } else if (keyword == "RUN_STYLE") {
        item.runStyle = ParseDecimal(PlainValue(value));
    } else if (keyword == "RUN_EVERY") {
        item.runEvery = ParseDecimal(PlainValue(value));
    } else if (keyword == "RUN_DOW") {
        item.runDayOfWeek = ParseDecimal(PlainValue(value));
    } else if (keyword == "RUN_DOM") {
        item.runDayOfMonth = ParseDecimal(PlainValue(value));
    } else if (keyword == "EVERY_HOURS") {
        item.everyHours = ParseDecimal(PlainValue(value));
    } else if (keyword == "EVERY_MINS") {
        item.everyMinutes = ParseDecimal(PlainValue(value));
    } else if (keyword == "EVERY_SECS") {
        item.everySeconds = ParseDecimal(PlainValue(value));
    } else if (keyword == "ONCE_DATE") {
        ReadThreeNumbers(value, item.onceDay, item.onceMonth, item.onceYear);
    } else if (keyword == "ONCE_TIME") {
        ReadThreeNumbers(value, item.onceHour, item.onceMinute, item.onceSecond);
    } else if (keyword == "RUN_TIME") {
        ReadThreeNumbers(value, item.runHour, item.runMinute, item.runSecond);
    } else if (keyword == "ACTIVE") {
        item.active = PlainValue(value).find("TRUE") != std::string_view::npos;
    } else if (keyword == "CATCH_UP") {
        item.catchUp = ParseDecimal(PlainValue(value)) != 0;
    }
}

bool StartsItem(std::string_view line) {
    std::string upper(line);
    UpperCaseInPlace(upper);
    std::string_view rest = upper;
    return NextWord(rest).find("NEW_ITEM") != std::string_view::npos;
}

// The macro path of an item of the schedule file at `schedulePath`, taken from its folder;
// false when it does not fit.
bool ResolveMacroFileName(const std::string& schedulePath, ScheduleItem& item) {
    return CopyText(item.macroFileName,
                    ResolveListedPath(schedulePath, FieldText(item.listedMacroFileName)));
}

// Reads the file's items into the table; the counts of what could not be taken in.
class ScheduleReader {
  public:
    ScheduleReader(const std::string& path, ScheduleTable& table, ScheduleListView& list)
        : path_(path), table_(table), list_(list) {}

    // False once the table is full and a further item begins.
    bool Take(std::string_view line, bool lineCut) {
        if (!reading_) {
            if (!StartsItem(line)) return true;
            if (table_.count == SCHEDULE_CAPACITY) return false;
            reading_ = ItemReading{};
            return true;
        }
        PropertyLine property = SplitPropertyLine(line);
        if (property.keyword.find("END_ITEM") != std::string_view::npos)
            Finish();
        else if (!property.keyword.empty())
            ApplyItemLine(property.keyword, property.value, lineCut, *reading_);
        return true;
    }

    // An item that the file leaves open at its end is kept.
    void Finish() {
        if (!reading_) return;
        if (reading_->tooLong || !ResolveMacroFileName(path_, reading_->item)) {
            ++refused_;
        } else {
            ScheduleItem& slot = table_.items[table_.count];
            slot = reading_->item;
            slot.id = list_.Append(std::string(FieldText(slot.name)));
            ++table_.count;
        }
        reading_.reset();
    }

    int refused() const { return refused_; }

  private:
    const std::string& path_;
    ScheduleTable& table_;
    ScheduleListView& list_;
    std::optional<ItemReading> reading_;
    int refused_ = 0;
};

void ReportLeftOut(const ScheduleFiles& io, const std::string& path, int refused, bool full) {
    if (full)
        ReportWarning(io.desktop, io.owner,
                      path + " holds more than 100 schedule items; only the first 100 were loaded.",
                      SCHEDULER_CAPTION);
    if (refused > 0)
        ReportWarning(io.desktop, io.owner,
                      std::to_string(refused) + " schedule item(s) of " + path +
                          " were not loaded: a name is longer than 99 characters or a macro "
                          "file path longer than 259.",
                      SCHEDULER_CAPTION);
}

}  // namespace

bool LoadSchedule(const ScheduleFiles& io, const std::string& path, ScheduleTable& table,
                  ScheduleListView& list) {
    std::unique_ptr<LineReader> lines = OpenLineReader(io.files, path);
    if (!lines) {
        ReportOpenError(io.desktop, io.owner, path);
        return false;
    }
    table.count = 0;
    ScheduleReader reader(path, table, list);
    char line[LINE_CAPACITY];
    bool full = false;
    while (!full && lines->ReadFileLine(line))
        full = !reader.Take(line, lines->LastLineCut());
    reader.Finish();
    ReportLeftOut(io, path, reader.refused(), full);
    return true;
}
