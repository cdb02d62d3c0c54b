#pragma once

#include <cstdint>

// A calendar date and time of the user's time zone.
struct clDateTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;      // 1..12
    std::uint16_t dayOfWeek = 0;  // 0 = Sunday
    std::uint16_t day = 0;        // 1..31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;
    friend bool operator==(const clDateTime&, const clDateTime&) = default;
};

// The platform's clocks. The core never reads the time itself; it asks a
// clock, so tests can drive time.
class clClock {
public:
    virtual ~clClock() = default;
    // Milliseconds since some fixed moment; wraps around like a 32-bit tick count.
    virtual std::uint32_t TickCount() const = 0;
    // The local date and time now.
    virtual clDateTime LocalTime() const = 0;
    // Seconds since 1970-01-01 00:00 UTC now (the daily challenge's day).
    virtual std::int64_t UnixTime() const = 0;
};
