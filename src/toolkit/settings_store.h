#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A key of the settings store, named from the program's root key down
// ("players" / "Ann" / "Triple Towers"). Each name is taken whole: it may hold
// any text, '/' and '\' included, and the store keeps it as one key.
class clKeyPath {
public:
    clKeyPath() = default;  // the root key
    clKeyPath(std::initializer_list<std::string_view> names);

    // This key's subkey `name`.
    clKeyPath operator/(std::string_view name) const;

    const std::vector<std::string>& Names() const { return names; }
    bool IsRoot() const { return names.empty(); }
    // Whether `other` is this key or lies below it.
    bool Contains(const clKeyPath& other) const;
    // The names joined with '/', for messages only (it does not round-trip).
    std::string Text() const;

    friend bool operator==(const clKeyPath&, const clKeyPath&) = default;
    friend auto operator<=>(const clKeyPath&, const clKeyPath&) = default;

private:
    std::vector<std::string> names;
};

// The per-user settings store: a tree of keys holding named values of three
// kinds (32-bit integers, texts, byte strings; flags are integers 0 and 1).
//
// Writing a value creates its key and the missing keys above it. A key exists
// while it or a key below it holds a value. Reading a missing value, or one
// stored as another kind that cannot be taken as the asked one, gives nothing:
// the caller's default stands. A text that reads as a decimal number within
// 32 bits is also an integer, since a settings file keeps every number as text.
class clSettingsStore {
public:
    virtual ~clSettingsStore() = default;

    virtual bool KeyExists(const clKeyPath& key) const = 0;
    // Whether the key holds a value of that name, of whatever kind.
    virtual bool ValueExists(const clKeyPath& key, std::string_view name) const = 0;
    virtual std::optional<std::int32_t> ReadInteger(const clKeyPath& key,
                                                    std::string_view name) const = 0;
    virtual std::optional<std::string> ReadText(const clKeyPath& key,
                                                std::string_view name) const = 0;
    virtual std::optional<std::vector<std::uint8_t>> ReadBinary(const clKeyPath& key,
                                                                std::string_view name) const = 0;

    // False when the store refused the write.
    virtual bool WriteInteger(const clKeyPath& key, std::string_view name, std::int32_t value) = 0;
    virtual bool WriteText(const clKeyPath& key, std::string_view name, std::string_view value) = 0;
    virtual bool WriteBinary(const clKeyPath& key, std::string_view name,
                             std::span<const std::uint8_t> value) = 0;

    // The names of the keys directly below `key`, in the store's order.
    virtual std::vector<std::string> SubKeys(const clKeyPath& key) const = 0;
    // The names of the values `key` holds itself.
    virtual std::vector<std::string> ValueNames(const clKeyPath& key) const = 0;

    // Removes the key with its values and every key below it. A missing key
    // is not an error. The root key cannot be deleted.
    virtual bool DeleteKey(const clKeyPath& key) = 0;
    // Removes one value; a subkey of the same name stays. A missing value is
    // not an error.
    virtual bool DeleteValue(const clKeyPath& key, std::string_view name) = 0;

    // Makes the writes so far lasting; false when they could not be kept.
    virtual bool Flush() = 0;
};

// A stored number as an integer: optional sign and decimal digits, nothing
// else, within 32 bits.
std::optional<std::int32_t> ParseStoredInteger(std::string_view text);
