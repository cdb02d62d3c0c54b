#include "online/daily_challenge.h"

#include <charconv>
#include <cstdio>

#include "online/play_record.h"
#include "toolkit/civil_date.h"

namespace {

constexpr std::int32_t kDealRange = 2147483646;

std::optional<std::int32_t> Digits(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

clDay DayOfUnixTime(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    if (seconds % 86400 < 0) --days;
    const clCivilDate date = CivilFromDays(days);
    return {static_cast<std::int32_t>(date.year), date.month, date.day};
}

clDay PreviousDay(clDay day) {
    if (day.day > 1) return {day.year, day.month, day.day - 1};
    if (day.month > 1) return {day.year, day.month - 1, DaysInMonth(day.year, day.month - 1)};
    return {day.year - 1, 12, 31};
}

std::string FormatDay(clDay day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(day.year),
                  static_cast<int>(day.month), static_cast<int>(day.day));
    return text;
}

std::optional<clDay> ParseDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.substr(5, 2));
    const auto day = Digits(text.substr(8, 2));
    if (!year || !month || !day || *year < 1970 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month))
        return std::nullopt;
    return clDay{*year, *month, *day};
}

std::uint32_t Fnv1a32(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::int32_t DailyDeal(clDay day, std::string_view key, std::int32_t round) {
    std::string text = FormatDay(day);
    text += ':';
    text += key;
    text += ':';
    text += std::to_string(round);
    return static_cast<std::int32_t>(Fnv1a32(text) % kDealRange) + 1;
}

std::optional<clDay> DailyDayOf(const clPlayRecord& record, std::string_view key,
                                std::span<const clDay> days) {
    if (record.rounds.empty()) return std::nullopt;
    for (const clDay& day : days) {
        bool all = true;
        for (std::size_t r = 0; r < record.rounds.size() && all; ++r) {
            all = record.rounds[r].dealNumber ==
                  DailyDeal(day, key, static_cast<std::int32_t>(r + 1));
        }
        if (all) return day;
    }
    return std::nullopt;
}
