#pragma once
// The per-user settings store: the few registry operations the settings need, under the
// current user, plus the program's own path for the start-up entry.
#include <cstdint>
#include <string>
#include <string_view>

// An open key; only meaningful to the store that opened it.
using SettingsKey = std::uintptr_t;

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // RegCreateKeyExA with all access: opens the key, creating it when missing.
    virtual bool CreateKey(std::string_view path, SettingsKey& key, bool& newlyCreated) = 0;
    // RegOpenKeyExA: an existing key only.
    virtual bool OpenKey(std::string_view path, SettingsKey& key) = 0;
    // RegQueryValueExA of a 32-bit number; false when missing or of another type.
    virtual bool QueryNumber(SettingsKey key, std::string_view name, uint32_t& value) = 0;
    // RegQueryValueExA of a string, whatever its length; false when missing or of another type.
    virtual bool QueryString(SettingsKey key, std::string_view name, std::string& text) = 0;
    // RegQueryValueExA without the data: whether the value exists, of whatever type.
    virtual bool HasValue(SettingsKey key, std::string_view name) = 0;
    // RegSetValueExA as a 4-byte number / as a string.
    virtual bool SetNumber(SettingsKey key, std::string_view name, uint32_t value) = 0;
    virtual bool SetString(SettingsKey key, std::string_view name, std::string_view text) = 0;
    // RegDeleteValueA; a value that does not exist counts as deleted.
    virtual bool DeleteValue(SettingsKey key, std::string_view name) = 0;
    // RegCloseKey.
    virtual void CloseKey(SettingsKey key) = 0;

    // GetModuleFileNameA with room for 260 characters; false when it fails or the path is cut.
    virtual bool ProgramPath(std::string& path) = 0;
};

// A key held open for one step and closed on every way out of it.
class ScopedKey {
  public:
    explicit ScopedKey(SettingsStore& store) : store_(store) {}
    ~ScopedKey() {
        if (open_) store_.CloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    bool Create(std::string_view path, bool& newlyCreated) {
        open_ = store_.CreateKey(path, key_, newlyCreated);
        return open_;
    }
    bool Open(std::string_view path) {
        open_ = store_.OpenKey(path, key_);
        return open_;
    }
    SettingsKey get() const { return key_; }

  private:
    SettingsStore& store_;
    SettingsKey key_ = 0;
    bool open_ = false;
};
