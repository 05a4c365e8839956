#include "settings/play_speed.h"

#include "macro/language/interpreter.h"

namespace {

bool InRange(int64_t speed) {
    return speed >= PLAY_SPEED_MIN && speed <= PLAY_SPEED_MAX;
}

}  // namespace

bool ReadPlaySpeed(SettingsStore& store, SettingsKey key, int32_t& speed) {
    speed = NOMINAL_PLAY_SPEED;
    if (!store.HasValue(key, PLAY_SPEED_VALUE)) return true;
    uint32_t stored = 0;
    if (!store.QueryNumber(key, PLAY_SPEED_VALUE, stored) || !InRange(stored)) return false;
    speed = static_cast<int32_t>(stored);
    return true;
}

std::optional<int32_t> ParsePlaySpeed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.size() > PLAY_SPEED_DIGITS) return std::nullopt;
    int64_t speed = 0;
    for (char digit : text) {
        if (digit < '0' || digit > '9') return std::nullopt;
        speed = speed * 10 + (digit - '0');
    }
    if (!InRange(speed)) return std::nullopt;
    return static_cast<int32_t>(speed);
}
