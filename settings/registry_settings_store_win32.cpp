#include "settings/registry_settings_store_win32.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

constexpr DWORD FIRST_READ_SIZE = 299;  // holds every value the programs write
constexpr int READ_ATTEMPTS = 3;        // a value may grow between two reads

HKEY Handle(SettingsKey key) {
    return reinterpret_cast<HKEY>(key);
}
SettingsKey Key(HKEY handle) {
    return reinterpret_cast<SettingsKey>(handle);
}

}  // namespace

bool RegistrySettingsStore::CreateKey(std::string_view path, SettingsKey& key, bool& newlyCreated) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, std::string(path).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle,
                        &disposition) != ERROR_SUCCESS)
        return false;
    key = Key(handle);
    newlyCreated = disposition == REG_CREATED_NEW_KEY;
    return true;
}

bool RegistrySettingsStore::OpenKey(std::string_view path, SettingsKey& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, std::string(path).c_str(), 0, KEY_READ | KEY_WRITE,
                      &handle) != ERROR_SUCCESS)
        return false;
    key = Key(handle);
    return true;
}

bool RegistrySettingsStore::QueryNumber(SettingsKey key, std::string_view name, uint32_t& value) {
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExA(Handle(key), std::string(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number)
        return false;
    value = number;
    return true;
}

bool RegistrySettingsStore::HasValue(SettingsKey key, std::string_view name) {
    return RegQueryValueExA(Handle(key), std::string(name).c_str(), nullptr, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
}

bool RegistrySettingsStore::QueryString(SettingsKey key, std::string_view name, std::string& text) {
    const std::string valueName(name);
    std::vector<char> buffer(FIRST_READ_SIZE);
    for (int attempt = 0; attempt < READ_ATTEMPTS; ++attempt) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size());
        LONG result = RegQueryValueExA(Handle(key), valueName.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_MORE_DATA) {
            buffer.resize(size);
            continue;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ) return false;
        // The stored bytes need not end with a zero; the text ends at the first one.
        text.assign(buffer.data(), strnlen(buffer.data(), size));
        return true;
    }
    return false;
}

bool RegistrySettingsStore::SetNumber(SettingsKey key, std::string_view name, uint32_t value) {
    DWORD number = value;
    return RegSetValueExA(Handle(key), std::string(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&number), sizeof number) == ERROR_SUCCESS;
}

// The terminating zero is stored too, so that every reader of the value gets ended text.
bool RegistrySettingsStore::SetString(SettingsKey key, std::string_view name,
                                      std::string_view text) {
    const std::string data(text);
    return RegSetValueExA(Handle(key), std::string(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool RegistrySettingsStore::DeleteValue(SettingsKey key, std::string_view name) {
    LONG result = RegDeleteValueA(Handle(key), std::string(name).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

void RegistrySettingsStore::CloseKey(SettingsKey key) {
    RegCloseKey(Handle(key));
}

// A path cut to fit the buffer would start another program, so it counts as a failure.
bool RegistrySettingsStore::ProgramPath(std::string& path) {
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    path.assign(buffer, length);
    return true;
}
