// The goal and bonus tables of the removal and FreeCell games, round by round,
// and the point values of the Towers games.
#include <gtest/gtest.h>

#include "support/variant_fixture.h"

namespace {

struct clRoundsCase {
    const char* name;
    std::int32_t goals[4];    // rounds 1 to 4
    std::int32_t bonuses[3];  // rounds 1, 4 and 7
};

class RoundsTest : public VariantTest, public ::testing::WithParamInterface<clRoundsCase> {};

TEST_P(RoundsTest, FollowsTheGoalAndBonusTables) {
    const clRoundsCase& c = GetParam();
    Start(c.name);
    const clPointSystem& points = game->Points();
    for (int round = 1; round <= 4; ++round)
        EXPECT_EQ(points.Goal(round), c.goals[round - 1]) << "goal of round " << round;
    const int bonusRounds[] = {1, 4, 7};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(points.Bonus(bonusRounds[i]), c.bonuses[i])
            << "bonus of round " << bonusRounds[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    RemovalAndFreeCellGames, RoundsTest,
    ::testing::Values(
        clRoundsCase{"Pyramid", {10000, 30000, 60000, 90000}, {1200, 1180, 1120}},
        clRoundsCase{"Hidden Pyramid", {10000, 30000, 60000, 90000}, {1200, 1180, 1120}},
        clRoundsCase{"Cheops", {10000, 30000, 60000, 90000}, {1200, 1180, 1120}},
        clRoundsCase{"Double Pyramid", {15000, 45000, 90000, 135000}, {1800, 1780, 1720}},
        clRoundsCase{"Twin Peaks", {15000, 45000, 90000, 135000}, {1800, 1780, 1720}},
        clRoundsCase{"King Tut", {10000, 20000, 40000, 60000}, {1200, 1180, 1120}},
        clRoundsCase{"Picking Pairs", {40000, 80000, 120000, 160000}, {600, 590, 560}},
        clRoundsCase{"Golf", {10000, 20000, 30000, 45000}, {900, 880, 820}},
        clRoundsCase{"Putt Putt", {10000, 30000, 50000, 70000}, {900, 880, 820}},
        clRoundsCase{"Driving Range", {10000, 20000, 30000, 45000}, {900, 880, 820}},
        clRoundsCase{"Night Golf", {10000, 20000, 30000, 45000}, {900, 880, 820}},
        clRoundsCase{"Triple Towers", {20000, 45000, 75000, 95000}, {900, 750, 650}},
        clRoundsCase{"Triple Peaks", {20000, 45000, 75000, 95000}, {900, 750, 650}},
        clRoundsCase{"Crown Peaks", {20000, 60000, 120000, 180000}, {2400, 2380, 2320}},
        clRoundsCase{"Rapunzel", {10000, 30000, 50000, 100000}, {2400, 2380, 2320}},
        clRoundsCase{"FreeCell", {10000, 20000, 40000, 60000}, {2400, 2400, 2350}},
        clRoundsCase{"Four By Ten", {10000, 20000, 40000, 60000}, {2400, 2400, 2350}},
        clRoundsCase{"Sea Towers", {10000, 20000, 40000, 80000}, {2400, 1150, 1000}},
        clRoundsCase{"Baker's Game", {10000, 20000, 40000, 80000}, {2400, 1150, 1000}},
        clRoundsCase{"Double SeaTowers", {10000, 20000, 40000, 80000}, {2400, 1150, 1000}},
        clRoundsCase{"Eight Off", {10000, 20000, 40000, 80000}, {1500, 1450, 1300}},
        clRoundsCase{"Eight On", {10000, 20000, 40000, 80000}, {1500, 1450, 1300}},
        clRoundsCase{"Penguin", {10000, 20000, 40000, 60000}, {1200, 1200, 1150}},
        clRoundsCase{"Tuxedo", {10000, 20000, 40000, 60000}, {1200, 1200, 1150}},
        clRoundsCase{"Beleaguered Castle", {10000, 30000, 60000, 120000}, {2400, 2300, 2000}}),
    [](const auto& info) { return Identifier(info.param.name); });

// The Towers games score only through these values.
struct clTowersPoints {
    const char* name;
    std::int32_t waste, streak, stockCard, first, second, third, cleared;
};

class TowersPointsTest : public VariantTest,
                         public ::testing::WithParamInterface<clTowersPoints> {};

TEST_P(TowersPointsTest, SetsThePointValues) {
    const clTowersPoints& c = GetParam();
    Start(c.name);
    const clPointValues& v = game->Points().values;
    EXPECT_EQ(v.wastePoints, c.waste);
    EXPECT_EQ(v.streakPoints, c.streak);
    EXPECT_EQ(v.stockCardCost, c.stockCard);
    EXPECT_EQ(v.firstPileClearedBonus, c.first);
    EXPECT_EQ(v.secondPileClearedBonus, c.second);
    EXPECT_EQ(v.thirdPileClearedBonus, c.third);
    EXPECT_EQ(v.tableauClearedBonus, c.cleared);
}

INSTANTIATE_TEST_SUITE_P(
    TowersGames, TowersPointsTest,
    ::testing::Values(clTowersPoints{"Triple Towers", 100, 100, 200, 5000, 10000, 0, 15000},
                      clTowersPoints{"Triple Peaks", 1000, 1000, 6000, 15000, 15000, 0, 30000},
                      clTowersPoints{"Twin Peaks", 100, 100, 200, 10000, 0, 0, 20000},
                      clTowersPoints{"Crown Peaks", 100, 100, 200, 5000, 10000, 15000, 30000},
                      clTowersPoints{"Rapunzel", 100, 100, 100, 20000, 0, 0, 40000}),
    [](const auto& info) { return Identifier(info.param.name); });

}  // namespace
