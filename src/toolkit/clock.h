#pragma once

#include <cstdint>

// The platform's monotonic millisecond clock. The core never reads the time
// itself; it asks a clock, so tests can drive time.
class clClock {
public:
    virtual ~clClock() = default;
    // Milliseconds since some fixed moment; wraps around like a 32-bit tick count.
    virtual std::uint32_t TickCount() const = 0;
};
