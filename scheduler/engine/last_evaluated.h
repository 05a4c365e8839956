#pragma once
// Per schedule file, the latest local second the Scheduler accounted for, kept in the user's
// settings: at the next start it tells which appointments passed while it was not running.
#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/settings_store.h"

inline constexpr std::string_view LAST_EVALUATED_KEY =
    "Software\\Keyloom Scheduler\\Last evaluated";

// The value named after the schedule's path; none when missing or unreadable.
std::optional<int64_t> ReadLastEvaluated(SettingsStore& store, std::string_view schedulePath);
// Written as local "YYYY-MM-DD HH:MM:SS"; false when the settings refused it.
bool StoreLastEvaluated(SettingsStore& store, std::string_view schedulePath, int64_t second);
