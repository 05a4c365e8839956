#pragma once
// Keyloom's Playback speed: the percent every play runs at, kept as PlaySpeed.
#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/settings_store.h"

constexpr std::string_view PLAY_SPEED_VALUE = "PlaySpeed";
constexpr int32_t PLAY_SPEED_MIN = 25;
constexpr int32_t PLAY_SPEED_MAX = 400;
constexpr int PLAY_SPEED_DIGITS = 3;  // the speed field's limit
constexpr std::string_view PLAY_SPEED_ERROR = "Playback speed must be a number from 25 to 400.";

// The stored speed; a missing value is the nominal speed. False, with the nominal speed, when
// the value is not a 32-bit number from 25 to 400.
bool ReadPlaySpeed(SettingsStore& store, SettingsKey key, int32_t& speed);

// The speed field's text as a speed: decimal digits, white space around them allowed, 25 to 400.
std::optional<int32_t> ParsePlaySpeed(std::string_view text);
