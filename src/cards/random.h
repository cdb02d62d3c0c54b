#pragma once

#include <cstdint>

class clClock;

// The minimal-standard Park-Miller generator (multiplier 48271, modulus
// 2^31 - 1). One program-wide instance serves the deals and the chooser's
// random pick, so a deal number reproduces its deal exactly.
class clRandom {
public:
    static constexpr std::int32_t kModulus = 2147483647;

    // Without a clock, time seeds come from the program's steady clock.
    explicit clRandom(const clClock* clock = nullptr);

    // The program-wide generator.
    static clRandom& Program();

    // -1 restarts the sequence from the stored seed (or takes a time seed when
    // there is none); 0 takes a time seed; any other value seeds with |s|.
    void Seed(std::int32_t s);

    // The next number: the raw state (1 .. 2^31 - 2, or the fixed point) when
    // low is 0 and high is 0 or 2^31 - 1, else a number in [low, high[.
    std::int32_t Next(std::int32_t low, std::int32_t high);

    std::int32_t State() const { return state; }
    std::int32_t StoredSeed() const { return seed; }
    // Takes back a seed and state read from State() and StoredSeed(), so the
    // sequence goes on from there.
    void Restore(std::int32_t storedSeed, std::int32_t savedState) {
        seed = storedSeed;
        state = savedState;
    }

private:
    void TakeTimeSeed();

    std::int32_t state = 0;
    std::int32_t seed = 0;
    const clClock* clock;
};
