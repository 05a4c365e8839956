#pragma once
// The Options dialogs' logic: what they show when they open and what OK stores.
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings.h"

constexpr uint32_t MACRO_DELAY_MIN = 10;
constexpr uint32_t MACRO_DELAY_MAX = 100;
constexpr int MACRO_DELAY_DIGITS = 3;  // the delay field's limit

// What the dialog shows when it opens.
struct OptionsShown {
    bool autoRun = false;
    std::string macroDelayText;  // empty when there is nothing to show
    std::string playSpeedText;   // likewise
};

// What the user chose when pressing OK.
struct OptionsChosen {
    std::string_view macroDelayText;  // ignored by a program without a MacroDelay
    bool autoRun;
    std::string_view playSpeedText{};  // ignored by a program without a PlaySpeed
};

// Reads the stored options for the dialog `dialog`; reports failures over it.
OptionsShown ReadOptions(SettingsContext& context, WindowHandle dialog);

// OK: puts the delay and the speed in effect, stores the options and adds or removes the
// start-up entry. Reports failures over `dialog`; true when the dialog should end. A speed that
// is not a number from 25 to 400 is reported and changes nothing.
bool ApplyOptions(SettingsContext& context, WindowHandle dialog, const OptionsChosen& chosen);

// The delay field's decimal value, taken as unsigned and held to 10..100.
uint32_t ClampMacroDelay(std::string_view text);

// The start-up entry's data: the quoted path and the switch that starts the program hidden.
std::string StartupEntryData(std::string_view programPath);
