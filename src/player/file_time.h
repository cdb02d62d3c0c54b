#pragma once

#include <cstdint>
#include <optional>

#include "toolkit/clock.h"

// A date and time as a count of 100-nanosecond units since 1601-01-01 00:00,
// the form in which the store keeps the time a game was last played. The
// date is taken as it is (local time, no zone). Nothing for a date or time
// that does not exist or lies before 1601.
std::optional<std::uint64_t> ToFileTime(const clDateTime& when);

// The date and time of such a count, with its day of the week.
clDateTime FromFileTime(std::uint64_t fileTime);
