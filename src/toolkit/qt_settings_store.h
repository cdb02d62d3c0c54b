#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "toolkit/settings_store.h"

class QSettings;
class QString;

// The settings store kept in an INI file through QSettings. Key and value
// names are escaped so that any name, '/' and '\' included, stays one key and
// reads back exactly. Writes reach the file on Flush and when the store ends.
//
// QSettings opens the file, and the lock file "<file>.lock" it writes under,
// as they come: a FIFO there stops the program for good, a device feeds it
// without end. So a file that is not a regular one, or a settings file
// larger than kMaxFile, is refused: the store then keeps its values in
// memory for the run and never touches the files (Refusal() says why).
class clQtSettingsStore final : public clSettingsStore {
public:
    // The program's keys lie below this group of the file.
    static constexpr std::string_view kRootGroup = "1.0";
    // The largest settings file read: far more than any number of players
    // and games write.
    static constexpr std::uint64_t kMaxFile = std::uint64_t{16} << 20;

    // The store in `file` (created on the first flush that has something to
    // write), its keys below `rootGroup`.
    explicit clQtSettingsStore(const std::filesystem::path& file,
                               std::string_view rootGroup = kRootGroup);
    ~clQtSettingsStore() override;

    // The program's settings file: $XDG_CONFIG_HOME/Ternwick/Qarvel.conf
    // (normally ~/.config/Ternwick/Qarvel.conf).
    static std::filesystem::path DefaultFile();

    // Why the file is not used, in words for the player; empty when it is.
    const std::string& Refusal() const { return refusal; }

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
    bool Flush() override;

private:
    QString KeyPath(const clKeyPath& key) const;
    QString ValuePath(const clKeyPath& key, std::string_view name) const;

    std::unique_ptr<QSettings> settings;
    std::string root;
    std::string refusal;
    // The values of the run while the file is refused.
    std::unique_ptr<clSettingsStore> memory;
};
