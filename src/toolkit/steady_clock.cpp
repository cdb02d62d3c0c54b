#include "toolkit/steady_clock.h"

#include <chrono>

std::uint32_t clSteadyClock::TickCount() const {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}
