#pragma once
// The settings of both programs: where they are kept, reading them at start and storing the
// last file name at exit.
#include <cstdint>
#include <string_view>

#include "macro/desktop/desktop_port.h"
#include "macro/file/macro.h"
#include "macro/language/interpreter.h"
#include "settings/settings_store.h"

constexpr int32_t BUILT_IN_MACRO_DELAY = 10;   // in effect until the settings are read
constexpr int32_t FIRST_RUN_MACRO_DELAY = 20;  // stored when the key is created
constexpr uint32_t SETTINGS_VERSION = 100;
constexpr std::string_view UNTITLED_FILE_NAME = "Untitled";
constexpr std::string_view STARTUP_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Value names under a program's key.
constexpr std::string_view AUTO_RUN_VALUE = "AutoRun";
constexpr std::string_view LAST_FILE_NAME_VALUE = "LastFileName";
constexpr std::string_view MACRO_DELAY_VALUE = "MacroDelay";
constexpr std::string_view VERSION_VALUE = "Version";

constexpr std::string_view REGISTRY_ERROR = "Registry error";
constexpr std::string_view REGISTRY_READ_ERROR = "Error reading from registry";

// What differs between the two programs' settings.
struct SettingsProgram {
    std::string_view key;               // the program's key under the current user
    std::string_view startupValueName;  // its value in the start-up entry list
    std::string_view pathFailureText;   // shown when the program's own path cannot be had
    std::string_view noFileName;        // the file name in effect when there is no last file
    bool hasMacroDelay;
    bool hasPlaySpeed;
    int optionsDialog;  // resource id of the Options dialog template
};

extern const SettingsProgram KEYLOOM_SETTINGS;
extern const SettingsProgram SCHEDULER_SETTINGS;

// The settings a program runs with; owned by its entry.
struct Settings {
    int32_t macroDelay = BUILT_IN_MACRO_DELAY;  // Keyloom only; the scheduler plays at 10
    int32_t playSpeed = NOMINAL_PLAY_SPEED;     // Keyloom only, in percent
    // LastFileName as read at start: Keyloom's macro list, the scheduler's schedule file.
    char lastFileName[MACRO_PATH_CAPACITY] = "";
};

// Everything the settings functions work with, wired up by the program entry.
struct SettingsContext {
    const SettingsProgram& program;
    SettingsStore& store;
    DesktopPort& desktop;
    Settings& settings;
};

// At program start, before the main window exists: puts the stored settings in effect, or
// writes the first-run defaults when the key is new. Reports its own failures.
void LoadSettings(SettingsContext& context);

// After the main window has ended: keeps `currentFileName` as LastFileName unless it is
// "Untitled". Reports its own failures.
void StoreLastFileName(SettingsContext& context, std::string_view currentFileName);
