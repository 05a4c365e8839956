// The schedule file reader on any bytes: at most 100 items, numbered by position, every slot
// past them empty, no text field overrun, and a saved schedule reads back the same.
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/fuzz_check.h"
#include "macro/file/text_field.h"
#include "scheduler/schedule/schedule_file.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_scheduler_window.h"
#include "tests/support/memory_file_system.h"

namespace {

constexpr char PATH[] = "C:\\fuzz.scl";

// Every field that the file stores; the day of the month only where a month is the period.
bool SameStoredFields(const ScheduleItem& a, const ScheduleItem& b) {
    return a.id == b.id && (a.runEvery != PERIOD_MONTH || a.runDayOfMonth == b.runDayOfMonth) && FieldText(a.name) == FieldText(b.name) &&
           FieldText(a.macroFileName) == FieldText(b.macroFileName) &&
           FieldText(a.listedMacroFileName) == FieldText(b.listedMacroFileName) &&
           a.runStyle == b.runStyle && a.onceDay == b.onceDay && a.onceMonth == b.onceMonth &&
           a.onceYear == b.onceYear && a.onceHour == b.onceHour && a.onceMinute == b.onceMinute &&
           a.onceSecond == b.onceSecond && a.runEvery == b.runEvery &&
           a.runDayOfWeek == b.runDayOfWeek && a.runHour == b.runHour &&
           a.runMinute == b.runMinute && a.runSecond == b.runSecond &&
           a.everyHours == b.everyHours && a.everyMinutes == b.everyMinutes &&
           a.everySeconds == b.everySeconds && a.active == b.active;
}

bool IsEmpty(const ScheduleItem& item) {
    return SameStoredFields(item, ScheduleItem{}) && item.runDayOfMonth == 0 &&
           item.elapsedHours == 0 && item.elapsedMinutes == 0 && item.elapsedSeconds == 0;
}

void CheckTable(const ScheduleTable& table, const FakeScheduleList& list) {
    FUZZ_CHECK(table.count >= 0 && table.count <= SCHEDULE_CAPACITY);
    FUZZ_CHECK(list.entries.size() == static_cast<std::size_t>(table.count));
    for (int slot = 0; slot < table.count; ++slot) {
        const ScheduleItem& item = table.items[slot];
        FUZZ_CHECK(item.id == slot);
        FUZZ_CHECK(FieldLength(item.name) < ITEM_NAME_CAPACITY);
        FUZZ_CHECK(FieldLength(item.macroFileName) < ITEM_PATH_CAPACITY);
        FUZZ_CHECK(list.entries[slot] == FieldText(item.name));
    }
    for (int slot = table.count; slot < SCHEDULE_CAPACITY; ++slot)
        FUZZ_CHECK(IsEmpty(table.items[slot]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    MemoryFileSystem files;
    files.files[PATH] = std::string(reinterpret_cast<const char*>(data), size);
    FakeDesktop desktop;
    const ScheduleFiles io{files, desktop, 55};

    auto first = std::make_unique<ScheduleTable>();
    FakeScheduleList firstList;
    FUZZ_CHECK(LoadSchedule(io, PATH, *first, firstList));
    CheckTable(*first, firstList);

    FUZZ_CHECK(SaveSchedule(files, PATH, *first, firstList));
    auto second = std::make_unique<ScheduleTable>();
    FakeScheduleList secondList;
    FUZZ_CHECK(LoadSchedule(io, PATH, *second, secondList));
    CheckTable(*second, secondList);
    FUZZ_CHECK(second->count == first->count);
    for (int slot = 0; slot < first->count; ++slot)
        FUZZ_CHECK(SameStoredFields(first->items[slot], second->items[slot]));
    return 0;
}
