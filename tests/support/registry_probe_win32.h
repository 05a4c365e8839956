#pragma once
// Direct access to the test prefix's registry (current user), to check what the programs store.
#include <windows.h>

#include <optional>
#include <string>

struct RegistryValue {
    DWORD type;
    std::string bytes;  // as stored
    DWORD Number() const;
    std::string Text() const;  // up to the first zero
};

std::optional<RegistryValue> ReadRegistryValue(const std::string& key, const std::string& name);
void WriteRegistryNumber(const std::string& key, const std::string& name, DWORD value);
void DeleteRegistryKey(const std::string& key);  // with everything under it
void DeleteRegistryValue(const std::string& key, const std::string& name);
