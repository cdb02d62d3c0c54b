#include "cards/random.h"

#include <cstdlib>

#include "toolkit/steady_clock.h"

namespace {

constexpr std::int32_t kMultiplier = 48271;
constexpr std::int32_t kQuotient = 44488;  // kModulus / kMultiplier
constexpr std::int32_t kRemainder = 3399;  // kModulus % kMultiplier
constexpr std::int32_t kFallbackSeed = 1;

}  // namespace

clRandom::clRandom(const clClock* clock) : clock(clock ? clock : &clSteadyClock::Program()) {}

clRandom& clRandom::Program() {
    static clRandom generator;
    return generator;
}

void clRandom::Seed(std::int32_t s) {
    if (s == -1) {
        state = seed;
        if (seed == 0) TakeTimeSeed();
        return;
    }
    if (s == 0) {
        TakeTimeSeed();
        return;
    }
    // |INT32_MIN| does not fit; treat it like the largest seed.
    const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(s));
    state = seed = static_cast<std::int32_t>(magnitude > kModulus ? kModulus : magnitude);
}

std::int32_t clRandom::Next(std::int32_t low, std::int32_t high) {
    if (high == 0) high = kModulus;
    if (state == 0) {
        state = seed;
        if (state == 0) TakeTimeSeed();
    }
    // Schrage's decomposition keeps 48271 * state inside 32 bits.
    std::int32_t t = kMultiplier * (state % kQuotient) - kRemainder * (state / kQuotient);
    state = t > 0 ? t : t + kModulus;

    if (low == 0 && high == kModulus) return state;
    const std::int64_t span = static_cast<std::int64_t>(high) - low;
    if (span <= 0) return low;  // callers always pass high > low
    return static_cast<std::int32_t>(low + state % span);
}

// A second, linear congruential generator started from the tick count gives
// one value 0..32767, scaled to the seed range. Its two ends would give seed 0
// (no seed at all) or 2^31 - 1, the fixed point of the step that makes every
// deal of the run the same; both are replaced by a fixed ordinary seed.
void clRandom::TakeTimeSeed() {
    std::uint32_t w = clock->TickCount();
    w = w * 214013u + 2531011u;
    const std::uint32_t v = (w >> 16) & 32767u;
    auto s = static_cast<std::int32_t>(v / 32767.0 * 2147483647.0);
    if (s == 0 || s == kModulus) s = kFallbackSeed;
    state = seed = s;
}
