#include "cards/random.h"

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "engine/deck.h"
#include "toolkit/clock.h"

namespace {

class clFakeClock : public clClock {
public:
    std::uint32_t ticks = 0;
    std::uint32_t TickCount() const override { return ticks; }
    clDateTime LocalTime() const override { return {}; }
    std::int64_t UnixTime() const override { return 0; }
};

// The value the time seed's auxiliary generator draws from a tick count.
std::uint32_t AuxiliaryValue(std::uint32_t ticks) {
    return ((ticks * 214013u + 2531011u) >> 16) & 32767u;
}

std::uint32_t TicksGiving(std::uint32_t wanted) {
    for (std::uint32_t t = 0;; ++t) {
        if (AuxiliaryValue(t) == wanted) return t;
    }
}

std::vector<std::int32_t> Draw(clRandom& random, int n) {
    std::vector<std::int32_t> values;
    for (int i = 0; i < n; ++i)
        values.push_back(random.Next(0, 0));
    return values;
}

TEST(RandomTest, IsTheMinimalStandardGenerator) {
    clRandom random;
    random.Seed(1);
    EXPECT_EQ(Draw(random, 3), (std::vector<std::int32_t>{48271, 182605794, 1291394886}));
}

TEST(RandomTest, NextZeroOneIsAlwaysZeroButAdvances) {
    clRandom random;
    random.Seed(42);
    const std::int32_t before = random.State();
    EXPECT_EQ(random.Next(0, 1), 0);
    EXPECT_NE(random.State(), before);
    EXPECT_EQ(random.Next(0, 1), 0);
}

TEST(RandomTest, NegativeSeedStoresItsMagnitudeAndMinusOneRestarts) {
    clRandom random;
    random.Seed(7);
    const auto fromSeven = Draw(random, 5);

    random.Seed(-7);
    EXPECT_EQ(random.StoredSeed(), 7);
    Draw(random, 3);
    random.Seed(-1);
    EXPECT_EQ(Draw(random, 5), fromSeven);
}

TEST(RandomTest, RangesStayInsideTheirBounds) {
    clRandom random;
    random.Seed(99);
    for (int i = 0; i < 1000; ++i) {
        const std::int32_t v = random.Next(-5, 6);
        ASSERT_GE(v, -5);
        ASSERT_LT(v, 6);
    }
    EXPECT_EQ(random.Next(3, 3), 3);  // an empty range yields its low end, never a division by zero
}

TEST(RandomTest, StateNeverBecomesZero) {
    clRandom random;
    // 2^31 - 1 is the step's fixed point: the step that would yield 0 yields it again.
    random.Seed(2147483647);
    EXPECT_EQ(random.Next(0, 0), 2147483647);
    EXPECT_EQ(random.State(), 2147483647);
    // The most negative seed has no magnitude in 32 bits and must not overflow.
    random.Seed(INT32_MIN);
    EXPECT_NE(random.State(), 0);
    random.Seed(123456789);
    for (int i = 0; i < 100000; ++i)
        ASSERT_NE(random.Next(0, 0), 0);
}

TEST(RandomTest, TimeSeedComesFromTheClock) {
    clFakeClock clock;
    clRandom random(&clock);
    clock.ticks = TicksGiving(16384);
    random.Seed(0);
    EXPECT_EQ(random.StoredSeed(), static_cast<std::int32_t>(16384 / 32767.0 * 2147483647.0));

    // Unseeded, the first draw takes a time seed.
    clRandom unseeded(&clock);
    EXPECT_EQ(unseeded.Next(0, 0), [&] {
        clRandom seeded;
        seeded.Seed(static_cast<std::int32_t>(16384 / 32767.0 * 2147483647.0));
        return seeded.Next(0, 0);
    }());
}

// The two ends of the auxiliary generator would seed with 0 (no seed) or with
// the fixed point (every deal of the run identical); both take another seed.
TEST(RandomTest, TimeSeedAvoidsZeroAndTheFixedPoint) {
    for (const std::uint32_t wanted : {0u, 32767u}) {
        SCOPED_TRACE(wanted);
        clFakeClock clock;
        clock.ticks = TicksGiving(wanted);
        clRandom random(&clock);
        random.Seed(0);
        EXPECT_NE(random.StoredSeed(), 0);
        EXPECT_NE(random.StoredSeed(), 2147483647);

        std::set<std::int32_t> dealNumbers;
        for (int i = 0; i < 5; ++i)
            dealNumbers.insert(random.Next(0, 0));
        EXPECT_EQ(dealNumbers.size(), 5u);
    }
}

TEST(RandomTest, ShuffleDrawsOncePerCard) {
    clRandom random;
    clDeck deck;
    ASSERT_TRUE(deck.Build(1, 0));
    random.Seed(5);
    deck.Shuffle(random);
    const std::int32_t afterShuffle = random.State();

    random.Seed(5);
    for (int i = 52; i > 0; --i)
        random.Next(0, i);
    EXPECT_EQ(random.State(), afterShuffle);
}

}  // namespace
