#pragma once
// A program's settings for its whole run: read from its registry key at the start, the last
// file remembered there at the end.
#include <string_view>

#include "settings/registry_settings_store_win32.h"
#include "settings/settings.h"

class ProgramSettings {
  public:
    // Loads the settings of `program`; failures are reported to the user through `desktop`.
    ProgramSettings(const SettingsProgram& program, DesktopPort& desktop);
    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;

    SettingsContext& Context() { return context_; }
    void StoreLastFile(std::string_view fileName) { StoreLastFileName(context_, fileName); }

  private:
    RegistrySettingsStore store_;
    Settings settings_;
    SettingsContext context_;
};
