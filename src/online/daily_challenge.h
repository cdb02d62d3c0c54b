#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct clPlayRecord;

// The daily challenge: every player plays the same deals of a game on the
// same day (UTC), wherever and on whatever machine.
//
// The deal of round r of game `key` on day D is
//
//     1 + FNV-1a("YYYY-MM-DD:key:r") mod 2147483646
//
// with the 32-bit FNV-1a hash (offset basis 2166136261, prime 16777619) over
// the bytes of the text: the day, the game's short key ("klondike") and the
// round in decimal, joined by colons. Deal numbers are 1 to 2147483646, as
// any deal of the game.

// A day of the calendar, UTC.
struct clDay {
    std::int32_t year = 1970;
    std::int32_t month = 1;  // 1..12
    std::int32_t day = 1;    // 1..31
    friend auto operator<=>(const clDay&, const clDay&) = default;
};

// The day of a moment, in seconds since 1970-01-01 00:00 UTC.
clDay DayOfUnixTime(std::int64_t seconds);
// The day before.
clDay PreviousDay(clDay day);
// "2026-12-11".
std::string FormatDay(clDay day);
// A day written as FormatDay writes it, years 1970 to 9999; nothing otherwise.
std::optional<clDay> ParseDay(std::string_view text);

std::uint32_t Fnv1a32(std::string_view bytes);
std::int32_t DailyDeal(clDay day, std::string_view key, std::int32_t round);

// The day whose challenge the record plays (every round dealt that day's
// deal of the game), among `days`; nothing when it plays none of them.
std::optional<clDay> DailyDayOf(const clPlayRecord& record, std::string_view key,
                                std::span<const clDay> days);
