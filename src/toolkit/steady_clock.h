#pragma once

#include "toolkit/clock.h"

// The real monotonic clock, used by the game and by headless tools.
class clSteadyClock final : public clClock {
public:
    std::uint32_t TickCount() const override;
};
