#include "toolkit/memory_settings_store.h"

#include <algorithm>

const clMemorySettingsStore::clValue* clMemorySettingsStore::Find(const clKeyPath& key,
                                                                  std::string_view name) const {
    const auto it = values.find(clSlot{key, std::string(name)});
    return it == values.end() ? nullptr : &it->second;
}

bool clMemorySettingsStore::KeyExists(const clKeyPath& key) const {
    return std::any_of(values.begin(), values.end(),
                       [&](const auto& entry) { return key.Contains(entry.first.first); });
}

bool clMemorySettingsStore::ValueExists(const clKeyPath& key, std::string_view name) const {
    return Find(key, name) != nullptr;
}

std::optional<std::int32_t> clMemorySettingsStore::ReadInteger(const clKeyPath& key,
                                                               std::string_view name) const {
    const clValue* value = Find(key, name);
    if (value == nullptr || !std::holds_alternative<std::string>(*value)) return std::nullopt;
    return ParseStoredInteger(std::get<std::string>(*value));
}

std::optional<std::string> clMemorySettingsStore::ReadText(const clKeyPath& key,
                                                           std::string_view name) const {
    const clValue* value = Find(key, name);
    if (value == nullptr || !std::holds_alternative<std::string>(*value)) return std::nullopt;
    return std::get<std::string>(*value);
}

std::optional<std::vector<std::uint8_t>> clMemorySettingsStore::ReadBinary(
    const clKeyPath& key, std::string_view name) const {
    const clValue* value = Find(key, name);
    if (value == nullptr || !std::holds_alternative<std::vector<std::uint8_t>>(*value))
        return std::nullopt;
    return std::get<std::vector<std::uint8_t>>(*value);
}

bool clMemorySettingsStore::WriteInteger(const clKeyPath& key, std::string_view name,
                                         std::int32_t value) {
    values[clSlot{key, std::string(name)}] = std::to_string(value);
    return true;
}

bool clMemorySettingsStore::WriteText(const clKeyPath& key, std::string_view name,
                                      std::string_view value) {
    values[clSlot{key, std::string(name)}] = std::string(value);
    return true;
}

bool clMemorySettingsStore::WriteBinary(const clKeyPath& key, std::string_view name,
                                        std::span<const std::uint8_t> value) {
    values[clSlot{key, std::string(name)}] = std::vector<std::uint8_t>(value.begin(), value.end());
    return true;
}

std::vector<std::string> clMemorySettingsStore::SubKeys(const clKeyPath& key) const {
    std::vector<std::string> names;
    const std::size_t depth = key.Names().size();
    for (const auto& [slot, value] : values) {
        const clKeyPath& at = slot.first;
        if (at.Names().size() <= depth || !key.Contains(at)) continue;
        const std::string& name = at.Names()[depth];
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

std::vector<std::string> clMemorySettingsStore::ValueNames(const clKeyPath& key) const {
    std::vector<std::string> names;
    for (const auto& [slot, value] : values)
        if (slot.first == key) names.push_back(slot.second);
    return names;
}

bool clMemorySettingsStore::DeleteKey(const clKeyPath& key) {
    if (key.IsRoot()) return false;
    std::erase_if(values, [&](const auto& entry) { return key.Contains(entry.first.first); });
    return true;
}

bool clMemorySettingsStore::DeleteValue(const clKeyPath& key, std::string_view name) {
    values.erase(clSlot{key, std::string(name)});
    return true;
}
