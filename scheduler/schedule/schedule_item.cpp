#include "scheduler/schedule/schedule_item.h"

#include "macro/file/text_field.h"

ScheduleItem* FindItemByID(ScheduleTable& table, int32_t id) {
    for (int slot = 0; slot <= table.count && slot < SCHEDULE_CAPACITY; ++slot)
        if (table.items[slot].id == id) return &table.items[slot];
    return nullptr;
}

void EmptySlotsInUse(ScheduleTable& table) {
    for (int slot = 0; slot < table.count; ++slot)
        table.items[slot] = ScheduleItem{};
    table.count = 0;
    table.currentItem = nullptr;
}

bool IsUntitled(const ScheduleTable& table) {
    return FieldText(table.scheduleFileName) == UNTITLED_SCHEDULE;
}
