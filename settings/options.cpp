#include "settings/options.h"

#include <algorithm>
#include <optional>

#include "macro/desktop/error_report.h"
#include "macro/file/decimal.h"
#include "settings/play_speed.h"

namespace {

// AutoRun, and MacroDelay and PlaySpeed where the program has them; false, reported, when a
// step fails.
bool StoreOptions(SettingsContext& context, WindowHandle dialog, uint32_t autoRun, uint32_t delay,
                  int32_t speed) {
    ScopedKey key(context.store);
    bool stored =
        key.Open(context.program.key) &&
        context.store.SetNumber(key.get(), AUTO_RUN_VALUE, autoRun) &&
        (!context.program.hasMacroDelay ||
         context.store.SetNumber(key.get(), MACRO_DELAY_VALUE, delay)) &&
        (!context.program.hasPlaySpeed ||
         context.store.SetNumber(key.get(), PLAY_SPEED_VALUE, static_cast<uint32_t>(speed)));
    if (!stored) ReportError(context.desktop, dialog, REGISTRY_ERROR, ERROR_CAPTION);
    return stored;
}

bool WriteStartupEntry(SettingsContext& context, WindowHandle dialog, SettingsKey key) {
    std::string path;
    if (!context.store.ProgramPath(path)) {
        ReportError(context.desktop, dialog, context.program.pathFailureText, ERROR_CAPTION);
        return true;
    }
    if (context.store.SetString(key, context.program.startupValueName, StartupEntryData(path)))
        return true;
    ReportError(context.desktop, dialog, REGISTRY_ERROR, ERROR_CAPTION);
    return false;
}

// Adds or removes the start-up entry; true when the dialog should end. A failure while the
// user asked for the entry keeps the dialog open so that OK can be tried again.
bool UpdateStartupEntry(SettingsContext& context, WindowHandle dialog, bool autoRun) {
    ScopedKey key(context.store);
    if (!key.Open(STARTUP_KEY)) {
        ReportError(context.desktop, dialog, REGISTRY_ERROR, ERROR_CAPTION);
        return !autoRun;
    }
    if (autoRun) return WriteStartupEntry(context, dialog, key.get());
    if (!context.store.DeleteValue(key.get(), context.program.startupValueName))
        ReportError(context.desktop, dialog, REGISTRY_ERROR, ERROR_CAPTION);
    return true;
}

}  // namespace

OptionsShown ReadOptions(SettingsContext& context, WindowHandle dialog) {
    OptionsShown shown;
    ScopedKey key(context.store);
    bool newlyCreated = false;
    if (!key.Create(context.program.key, newlyCreated)) {
        ReportError(context.desktop, dialog, REGISTRY_ERROR, ERROR_CAPTION);
        return shown;
    }
    if (context.program.hasPlaySpeed) shown.playSpeedText = std::to_string(NOMINAL_PLAY_SPEED);
    if (newlyCreated) return shown;
    uint32_t autoRun = 0;
    bool read = context.store.QueryNumber(key.get(), AUTO_RUN_VALUE, autoRun);
    shown.autoRun = read && autoRun == 1;
    if (context.program.hasMacroDelay) {
        uint32_t delay = 0;
        if (context.store.QueryNumber(key.get(), MACRO_DELAY_VALUE, delay))
            shown.macroDelayText = std::to_string(static_cast<int32_t>(delay));
        else
            read = false;
    }
    if (context.program.hasPlaySpeed) {
        int32_t speed = NOMINAL_PLAY_SPEED;
        read = ReadPlaySpeed(context.store, key.get(), speed) && read;
        shown.playSpeedText = std::to_string(speed);
    }
    if (!read) ReportError(context.desktop, dialog, REGISTRY_READ_ERROR, ERROR_CAPTION);
    return shown;
}

bool ApplyOptions(SettingsContext& context, WindowHandle dialog, const OptionsChosen& chosen) {
    std::optional<int32_t> speed = NOMINAL_PLAY_SPEED;
    if (context.program.hasPlaySpeed) speed = ParsePlaySpeed(chosen.playSpeedText);
    if (!speed) {
        ReportError(context.desktop, dialog, PLAY_SPEED_ERROR, ERROR_CAPTION);
        return false;
    }
    uint32_t delay = ClampMacroDelay(chosen.macroDelayText);
    if (context.program.hasMacroDelay) context.settings.macroDelay = static_cast<int32_t>(delay);
    if (context.program.hasPlaySpeed) context.settings.playSpeed = *speed;
    if (!StoreOptions(context, dialog, chosen.autoRun ? 1 : 0, delay, *speed)) return false;
    return UpdateStartupEntry(context, dialog, chosen.autoRun);
}

uint32_t ClampMacroDelay(std::string_view text) {
    uint32_t value = static_cast<uint32_t>(ParseDecimal(text));
    return std::clamp(value, MACRO_DELAY_MIN, MACRO_DELAY_MAX);
}

std::string StartupEntryData(std::string_view programPath) {
    std::string data = "\"";
    data += programPath;
    data += "\" /m";
    return data;
}
