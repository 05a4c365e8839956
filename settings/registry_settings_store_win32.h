#pragma once
// The settings store on the registry of the current user.
#include "settings/settings_store.h"

class RegistrySettingsStore : public SettingsStore {
  public:
    bool CreateKey(std::string_view path, SettingsKey& key, bool& newlyCreated) override;
    bool OpenKey(std::string_view path, SettingsKey& key) override;
    bool QueryNumber(SettingsKey key, std::string_view name, uint32_t& value) override;
    bool QueryString(SettingsKey key, std::string_view name, std::string& text) override;
    bool HasValue(SettingsKey key, std::string_view name) override;
    bool SetNumber(SettingsKey key, std::string_view name, uint32_t value) override;
    bool SetString(SettingsKey key, std::string_view name, std::string_view text) override;
    bool DeleteValue(SettingsKey key, std::string_view name) override;
    void CloseKey(SettingsKey key) override;
    bool ProgramPath(std::string& path) override;
};
