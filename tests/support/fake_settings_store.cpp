#include "tests/support/fake_settings_store.h"

FakeSettingsStore::FakeSettingsStore() {
    keys["Software\\Microsoft\\Windows\\CurrentVersion\\Run"];
}

void FakeSettingsStore::Fail(Operation operation, std::string target) {
    failures_.emplace_back(operation, std::move(target));
}

bool FakeSettingsStore::Fails(Operation operation, std::string_view target) const {
    for (const auto& [failing, failingTarget] : failures_)
        if (failing == operation && (failingTarget.empty() || failingTarget == target)) return true;
    return false;
}

std::optional<uint32_t> FakeSettingsStore::Number(const std::string& path,
                                                  const std::string& name) const {
    auto key = keys.find(path);
    if (key == keys.end()) return std::nullopt;
    auto value = key->second.find(name);
    if (value == key->second.end() || !std::holds_alternative<uint32_t>(value->second))
        return std::nullopt;
    return std::get<uint32_t>(value->second);
}

std::optional<std::string> FakeSettingsStore::Text(const std::string& path,
                                                   const std::string& name) const {
    auto key = keys.find(path);
    if (key == keys.end()) return std::nullopt;
    auto value = key->second.find(name);
    if (value == key->second.end() || !std::holds_alternative<std::string>(value->second))
        return std::nullopt;
    return std::get<std::string>(value->second);
}

FakeSettingsStore::Key* FakeSettingsStore::Opened(SettingsKey key) {
    auto found = open_.find(key);
    return found == open_.end() ? nullptr : &keys[found->second];
}

SettingsKey FakeSettingsStore::Open(std::string_view path) {
    open_[nextKey_] = std::string(path);
    return nextKey_++;
}

bool FakeSettingsStore::CreateKey(std::string_view path, SettingsKey& key, bool& newlyCreated) {
    calls.push_back("CreateKey " + std::string(path));
    if (Fails(Operation::CreateKey, path)) return false;
    newlyCreated = keys.emplace(std::string(path), Key{}).second;
    key = Open(path);
    return true;
}

bool FakeSettingsStore::OpenKey(std::string_view path, SettingsKey& key) {
    calls.push_back("OpenKey " + std::string(path));
    if (Fails(Operation::OpenKey, path) || !keys.count(std::string(path))) return false;
    key = Open(path);
    return true;
}

bool FakeSettingsStore::QueryNumber(SettingsKey key, std::string_view name, uint32_t& value) {
    calls.push_back("QueryNumber " + std::string(name));
    Key* opened = Opened(key);
    if (!opened || Fails(Operation::QueryNumber, name)) return false;
    auto found = opened->find(std::string(name));
    if (found == opened->end() || !std::holds_alternative<uint32_t>(found->second)) return false;
    value = std::get<uint32_t>(found->second);
    return true;
}

bool FakeSettingsStore::HasValue(SettingsKey key, std::string_view name) {
    calls.push_back("HasValue " + std::string(name));
    Key* opened = Opened(key);
    return opened && opened->count(std::string(name)) != 0;
}

bool FakeSettingsStore::QueryString(SettingsKey key, std::string_view name, std::string& text) {
    calls.push_back("QueryString " + std::string(name));
    Key* opened = Opened(key);
    if (!opened || Fails(Operation::QueryString, name)) return false;
    auto found = opened->find(std::string(name));
    if (found == opened->end() || !std::holds_alternative<std::string>(found->second)) return false;
    text = std::get<std::string>(found->second);
    return true;
}

bool FakeSettingsStore::SetNumber(SettingsKey key, std::string_view name, uint32_t value) {
    calls.push_back("SetNumber " + std::string(name) + " " + std::to_string(value));
    Key* opened = Opened(key);
    if (!opened || Fails(Operation::SetNumber, name)) return false;
    (*opened)[std::string(name)] = value;
    return true;
}

bool FakeSettingsStore::SetString(SettingsKey key, std::string_view name, std::string_view text) {
    calls.push_back("SetString " + std::string(name) + " " + std::string(text));
    Key* opened = Opened(key);
    if (!opened || Fails(Operation::SetString, name)) return false;
    (*opened)[std::string(name)] = std::string(text);
    return true;
}

bool FakeSettingsStore::DeleteValue(SettingsKey key, std::string_view name) {
    calls.push_back("DeleteValue " + std::string(name));
    Key* opened = Opened(key);
    if (!opened || Fails(Operation::DeleteValue, name)) return false;
    opened->erase(std::string(name));
    return true;
}

void FakeSettingsStore::CloseKey(SettingsKey key) {
    auto found = open_.find(key);
    calls.push_back("CloseKey " + (found == open_.end() ? "(not open)" : found->second));
    if (found != open_.end()) open_.erase(found);
}

bool FakeSettingsStore::ProgramPath(std::string& path) {
    calls.push_back("ProgramPath");
    if (Fails(Operation::ProgramPath, "")) return false;
    path = programPath;
    return true;
}
