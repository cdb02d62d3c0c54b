#pragma once

#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "toolkit/settings_store.h"

// A settings store held in memory for the run: the store of headless play,
// where nothing is to outlive the process. Numbers are kept as text, as in a
// settings file, so it reads back exactly what the file-backed store does.
class clMemorySettingsStore final : public clSettingsStore {
public:
    bool KeyExists(const clKeyPath& key) const override;
    bool ValueExists(const clKeyPath& key, std::string_view name) const override;
    std::optional<std::int32_t> ReadInteger(const clKeyPath& key,
                                            std::string_view name) const override;
    std::optional<std::string> ReadText(const clKeyPath& key, std::string_view name) const override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(const clKeyPath& key,
                                                        std::string_view name) const override;
    bool WriteInteger(const clKeyPath& key, std::string_view name, std::int32_t value) override;
    bool WriteText(const clKeyPath& key, std::string_view name, std::string_view value) override;
    bool WriteBinary(const clKeyPath& key, std::string_view name,
                     std::span<const std::uint8_t> value) override;
    std::vector<std::string> SubKeys(const clKeyPath& key) const override;
    std::vector<std::string> ValueNames(const clKeyPath& key) const override;
    bool DeleteKey(const clKeyPath& key) override;
    bool DeleteValue(const clKeyPath& key, std::string_view name) override;
    bool Flush() override { return true; }

private:
    using clValue = std::variant<std::string, std::vector<std::uint8_t>>;
    using clSlot = std::pair<clKeyPath, std::string>;

    const clValue* Find(const clKeyPath& key, std::string_view name) const;

    std::map<clSlot, clValue> values;
};
