#pragma once
// An in-memory settings store. Every call is logged in order; any single operation can be
// made to fail, for one key or value name or for all.
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "settings/settings_store.h"

// The two programs' keys under HKEY_CURRENT_USER, as the registry holds them.
inline const std::string KEYLOOM_KEY = "Software\\Keyloom";
inline const std::string SCHEDULER_KEY = "Software\\Keyloom Scheduler";

class FakeSettingsStore : public SettingsStore {
  public:
    enum class Operation {
        CreateKey,
        OpenKey,
        QueryNumber,
        QueryString,
        SetNumber,
        SetString,
        DeleteValue,
        ProgramPath
    };
    using Value = std::variant<uint32_t, std::string>;
    using Key = std::map<std::string, Value>;

    FakeSettingsStore();  // starts with the system's start-up entry key, as a real user has

    // ---- The log and the contents ----
    std::vector<std::string> calls;   // e.g. "CreateKey Software\Keyloom", "SetNumber AutoRun 1"
    std::map<std::string, Key> keys;  // by path
    std::string programPath = "C:\\Program Files\\Keyloom\\Keyloom.exe";
    int OpenKeyCount() const { return static_cast<int>(open_.size()); }

    // ---- Scripted failures: `target` is a key path or a value name; empty matches all ----
    void Fail(Operation operation, std::string target = "");

    // Reading back: a missing value, or one of the other type, is nullopt.
    std::optional<uint32_t> Number(const std::string& path, const std::string& name) const;
    std::optional<std::string> Text(const std::string& path, const std::string& name) const;

    // ---- SettingsStore ----
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

  private:
    bool Fails(Operation operation, std::string_view target) const;
    Key* Opened(SettingsKey key);  // null for a key that is not open
    SettingsKey Open(std::string_view path);

    std::vector<std::pair<Operation, std::string>> failures_;
    std::map<SettingsKey, std::string> open_;  // handle -> path
    SettingsKey nextKey_ = 1;
};
