#include "player/file_time.h"

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;

bool IsLeap(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(std::int64_t year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

const std::int64_t kEpochDays = DaysFromCivil(1601, 1, 1);

}  // namespace

std::optional<std::uint64_t> ToFileTime(const clDateTime& when) {
    if (when.year < 1601 || when.month < 1 || when.month > 12 || when.day < 1 ||
        when.day > DaysInMonth(when.year, when.month) || when.hour > 23 || when.minute > 59 ||
        when.second > 59 || when.millisecond > 999)
        return std::nullopt;
    const std::int64_t days = DaysFromCivil(when.year, when.month, when.day) - kEpochDays;
    const std::int64_t seconds =
        days * kSecondsPerDay + when.hour * 3600 + when.minute * 60 + when.second;
    return static_cast<std::uint64_t>(seconds * kTicksPerSecond + when.millisecond * 10'000);
}

clDateTime FromFileTime(std::uint64_t fileTime) {
    const auto ticks = static_cast<std::int64_t>(fileTime / 10'000);  // milliseconds
    const std::int64_t totalSeconds = ticks / 1000;
    std::int64_t days = totalSeconds / kSecondsPerDay;
    const std::int64_t secondOfDay = totalSeconds % kSecondsPerDay;

    // 1601-01-01 was a Monday.
    const auto dayOfWeek = static_cast<std::uint16_t>((days + 1) % 7);
    days += kEpochDays;
    // Civil date from days since 1970-01-01.
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    clDateTime when;
    when.year = static_cast<std::uint16_t>(year);
    when.month = static_cast<std::uint16_t>(month);
    when.dayOfWeek = dayOfWeek;
    when.day = static_cast<std::uint16_t>(day);
    when.hour = static_cast<std::uint16_t>(secondOfDay / 3600);
    when.minute = static_cast<std::uint16_t>(secondOfDay / 60 % 60);
    when.second = static_cast<std::uint16_t>(secondOfDay % 60);
    when.millisecond = static_cast<std::uint16_t>(ticks % 1000);
    return when;
}
