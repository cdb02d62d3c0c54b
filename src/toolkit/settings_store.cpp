#include "toolkit/settings_store.h"

#include <algorithm>
#include <charconv>

clKeyPath::clKeyPath(std::initializer_list<std::string_view> list) {
    for (std::string_view name : list)
        names.emplace_back(name);
}

clKeyPath clKeyPath::operator/(std::string_view name) const {
    clKeyPath sub = *this;
    sub.names.emplace_back(name);
    return sub;
}

bool clKeyPath::Contains(const clKeyPath& other) const {
    return other.names.size() >= names.size() &&
           std::equal(names.begin(), names.end(), other.names.begin());
}

std::string clKeyPath::Text() const {
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty()) text += '/';
        text += name;
    }
    return text;
}

std::optional<std::int32_t> ParseStoredInteger(std::string_view text) {
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    if (text.empty() || (plus && text.front() == '-')) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}
