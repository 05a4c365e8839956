#include "tests/support/registry_probe_win32.h"

#include <cstring>

DWORD RegistryValue::Number() const {
    DWORD number = 0;
    std::memcpy(&number, bytes.data(), bytes.size() < sizeof number ? bytes.size() : sizeof number);
    return number;
}

std::string RegistryValue::Text() const {
    return std::string(bytes.c_str());
}

std::optional<RegistryValue> ReadRegistryValue(const std::string& key, const std::string& name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::optional<RegistryValue> value;
    if (RegQueryValueExA(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(bytes.data()), &size) == ERROR_SUCCESS) {
            bytes.resize(size);
            value = RegistryValue{type, bytes};
        }
    }
    RegCloseKey(handle);
    return value;
}

void WriteRegistryNumber(const std::string& key, const std::string& name, DWORD value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_DWORD, &value, sizeof value);
}

void DeleteRegistryKey(const std::string& key) {
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}

void DeleteRegistryValue(const std::string& key, const std::string& name) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str());
}
