#pragma once

#include "toolkit/clock.h"

// The real clocks: a monotonic tick count and the system's local time. Used
// by the game and by headless tools.
class clSteadyClock final : public clClock {
public:
    std::uint32_t TickCount() const override;
    clDateTime LocalTime() const override;
    std::int64_t UnixTime() const override;

    // The program's clock.
    static const clSteadyClock& Program();
};
