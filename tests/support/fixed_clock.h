#pragma once

#include "toolkit/clock.h"

// A clock that reads what the test sets.
class clFixedClock final : public clClock {
public:
    std::uint32_t ticks = 0;
    clDateTime now{2017, 8, 1, 14, 21, 5, 33, 0};
    std::int64_t unixTime = 1501597265;  // 2017-08-01 14:21:05 UTC

    std::uint32_t TickCount() const override { return ticks; }
    clDateTime LocalTime() const override { return now; }
    std::int64_t UnixTime() const override { return unixTime; }
};
