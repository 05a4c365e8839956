#include "scheduler/engine/last_evaluated.h"

#include <cstdio>
#include <string>

#include "macro/desktop/wall_clock.h"

std::optional<int64_t> ReadLastEvaluated(SettingsStore& store, std::string_view schedulePath) {
    ScopedKey key(store);
    std::string text;
    if (!key.Open(LAST_EVALUATED_KEY) || !store.QueryString(key.get(), schedulePath, text))
        return std::nullopt;
    LocalTime time{};
    int year, month, day, hour, minute, second;
    char rest;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &year, &month, &day, &hour, &minute,
                    &second, &rest) != 6)
        return std::nullopt;
    time.year = year, time.month = month, time.day = day;
    time.hour = hour, time.minute = minute, time.second = second;
    const int64_t counted = SecondOf(time);
    // A date that does not exist (30 February) is no reading.
    const LocalTime back = LocalTimeAt(counted);
    if (back.year != year || back.month != month || back.day != day || back.hour != hour ||
        back.minute != minute || back.second != second)
        return std::nullopt;
    return counted;
}

bool StoreLastEvaluated(SettingsStore& store, std::string_view schedulePath, int64_t second) {
    ScopedKey key(store);
    bool created = false;
    return key.Create(LAST_EVALUATED_KEY, created) &&
           store.SetString(key.get(), schedulePath, TimestampText(LocalTimeAt(second)));
}
