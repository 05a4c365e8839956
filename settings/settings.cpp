#include "settings/settings.h"

#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "settings/play_speed.h"

namespace {

// The values a new key starts with; false at the first write that fails.
bool WriteDefaults(SettingsContext& context, SettingsKey key) {
    SettingsStore& store = context.store;
    return store.SetNumber(key, AUTO_RUN_VALUE, 1) &&
           store.SetString(key, LAST_FILE_NAME_VALUE, "") &&
           (!context.program.hasMacroDelay ||
            store.SetNumber(key, MACRO_DELAY_VALUE, FIRST_RUN_MACRO_DELAY)) &&
           store.SetNumber(key, VERSION_VALUE, SETTINGS_VERSION);
}

// An empty name, or a path too long for the field, leaves the program without a last file:
// a cut path would name the wrong file.
bool ReadLastFileName(SettingsContext& context, SettingsKey key) {
    std::string text;
    if (!context.store.QueryString(key, LAST_FILE_NAME_VALUE, text)) return false;
    if (!text.empty() && text.size() < MACRO_PATH_CAPACITY)
        CopyText(context.settings.lastFileName, text);
    return true;
}

bool ReadMacroDelay(SettingsContext& context, SettingsKey key) {
    if (!context.program.hasMacroDelay) return true;
    uint32_t value = 0;
    if (!context.store.QueryNumber(key, MACRO_DELAY_VALUE, value)) return false;
    context.settings.macroDelay = static_cast<int32_t>(value);
    return true;
}

// In the stored order; the first read that fails ends the step. PlaySpeed came later and is
// read last.
bool ReadStoredSettings(SettingsContext& context, SettingsKey key) {
    uint32_t version = 0;
    return ReadLastFileName(context, key) && ReadMacroDelay(context, key) &&
           context.store.QueryNumber(key, VERSION_VALUE, version) &&
           (!context.program.hasPlaySpeed ||
            ReadPlaySpeed(context.store, key, context.settings.playSpeed));
}

}  // namespace

void LoadSettings(SettingsContext& context) {
    context.settings = Settings{};
    CopyText(context.settings.lastFileName, context.program.noFileName);
    ScopedKey key(context.store);
    bool newlyCreated = false;
    if (!key.Create(context.program.key, newlyCreated)) {
        ReportError(context.desktop, NO_WINDOW, REGISTRY_ERROR, ERROR_CAPTION);
    } else if (newlyCreated) {
        if (!WriteDefaults(context, key.get()))
            ReportError(context.desktop, NO_WINDOW, REGISTRY_ERROR, ERROR_CAPTION);
    } else if (!ReadStoredSettings(context, key.get())) {
        ReportError(context.desktop, NO_WINDOW, REGISTRY_READ_ERROR, ERROR_CAPTION);
    }
}

void StoreLastFileName(SettingsContext& context, std::string_view currentFileName) {
    ScopedKey key(context.store);
    bool newlyCreated = false;
    if (!key.Create(context.program.key, newlyCreated)) {
        ReportError(context.desktop, NO_WINDOW, REGISTRY_ERROR, ERROR_CAPTION);
    } else if (currentFileName != UNTITLED_FILE_NAME &&
               !context.store.SetString(key.get(), LAST_FILE_NAME_VALUE, currentFileName)) {
        ReportError(context.desktop, NO_WINDOW, REGISTRY_ERROR, ERROR_CAPTION);
    }
}
