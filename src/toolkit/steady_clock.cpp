#include "toolkit/steady_clock.h"

#include <chrono>
#include <ctime>

std::uint32_t clSteadyClock::TickCount() const {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}

clDateTime clSteadyClock::LocalTime() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return {};
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return {static_cast<std::uint16_t>(local.tm_year + 1900),
            static_cast<std::uint16_t>(local.tm_mon + 1),
            static_cast<std::uint16_t>(local.tm_wday),
            static_cast<std::uint16_t>(local.tm_mday),
            static_cast<std::uint16_t>(local.tm_hour),
            static_cast<std::uint16_t>(local.tm_min),
            static_cast<std::uint16_t>(local.tm_sec),
            static_cast<std::uint16_t>(ms)};
}

std::int64_t clSteadyClock::UnixTime() const {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

const clSteadyClock& clSteadyClock::Program() {
    static const clSteadyClock clock;
    return clock;
}
