#include "player/file_time.h"

#include "toolkit/civil_date.h"

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;

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
    const std::int64_t days = totalSeconds / kSecondsPerDay;
    const std::int64_t secondOfDay = totalSeconds % kSecondsPerDay;

    // 1601-01-01 was a Monday.
    const auto dayOfWeek = static_cast<std::uint16_t>((days + 1) % 7);
    const clCivilDate date = CivilFromDays(days + kEpochDays);

    clDateTime when;
    when.year = static_cast<std::uint16_t>(date.year);
    when.month = static_cast<std::uint16_t>(date.month);
    when.dayOfWeek = dayOfWeek;
    when.day = static_cast<std::uint16_t>(date.day);
    when.hour = static_cast<std::uint16_t>(secondOfDay / 3600);
    when.minute = static_cast<std::uint16_t>(secondOfDay / 60 % 60);
    when.second = static_cast<std::uint16_t>(secondOfDay % 60);
    when.millisecond = static_cast<std::uint16_t>(ticks % 1000);
    return when;
}
