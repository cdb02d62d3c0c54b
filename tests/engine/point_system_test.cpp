#include "engine/point_system.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::int32_t> Goals(const clPointSystem& points, int rounds) {
    std::vector<std::int32_t> goals;
    for (int r = 1; r <= rounds; ++r)
        goals.push_back(points.Goal(r));
    return goals;
}

TEST(PointSystemTest, StepsGrowTheGoalFromRoundToRound) {
    clPointSystem points;
    points.Apply({.goalBase = 10000,
                  .goalStep = 10000,
                  .bonusBase = 2400,
                  .goalSteps = {{.from = 2, .step = 20000},
                                {.from = 4, .step = 30000},
                                {.from = 6, .step = 40000}},
                  .bonusSteps = {{.from = 6, .step = 50}}});

    EXPECT_EQ(Goals(points, 9), (std::vector<std::int32_t>{10000, 20000, 40000, 60000, 90000,
                                                           120000, 160000, 200000, 240000}));
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(points.Bonus(r), 2400) << "round " << r;
    EXPECT_EQ(points.Bonus(7), 2350);
    EXPECT_EQ(points.Bonus(8), 2300);
    EXPECT_EQ(points.Bonus(9), 2250);
    EXPECT_EQ(points.Bonus(51), 150);
    EXPECT_EQ(points.Bonus(52), 100);  // 2400 - 46 * 50
    EXPECT_EQ(points.Bonus(53), 100);  // never below the minimum bonus
    EXPECT_EQ(points.Bonus(500), 100);
}

TEST(PointSystemTest, PatternsAndPeriodsRepeat) {
    clPointSystem points;
    points.Apply(
        {.goalBase = 20000,
         .goalStep = 25000,
         .bonusBase = 1800,
         .bonusStep = 300,
         .bonusPeriod = 3,
         .goalSteps = {{.from = 2, .step = 30000}, {.from = 3, .pattern = {20000, 25000, 30000}}},
         .bonusSteps = {{.from = 7, .step = 0, .period = 3},
                        {.from = 10, .step = 40, .period = 3},
                        {.from = 40, .step = 20, .period = 3}}});

    EXPECT_EQ(Goals(points, 11),
              (std::vector<std::int32_t>{20000, 45000, 75000, 95000, 120000, 150000, 170000, 195000,
                                         225000, 245000, 270000}));
    struct Row {
        int round;
        std::int32_t bonus;
    };
    const Row rows[] = {{1, 1800},  {3, 1800},  {4, 1500},  {6, 1500}, {7, 1200},
                        {12, 1200}, {13, 1160}, {15, 1160}, {60, 680}, {89, 480},
                        {144, 120}, {145, 100}, {1000, 100}};
    for (const Row& row : rows)
        EXPECT_EQ(points.Bonus(row.round), row.bonus) << "round " << row.round;
}

TEST(PointSystemTest, FlatTablesAndDefaults) {
    clPointSystem points;
    points.Apply({.goalBase = 5000, .bonusBase = 50, .bonusPeriod = 0});
    EXPECT_EQ(Goals(points, 3), (std::vector<std::int32_t>{5000, 5000, 5000}));
    EXPECT_EQ(points.Bonus(1), 100);  // raised to the minimum bonus
    points.SetMinimumBonus(10);
    EXPECT_EQ(points.Bonus(1), 50);
    EXPECT_EQ(points.UndoCost(), 500);
    EXPECT_FALSE(points.Initialize(""));
    EXPECT_TRUE(points.Initialize("Klondike"));
    EXPECT_EQ(points.Name(), "Klondike");
}

TEST(PointSystemTest, MalformedTablesStayHarmless) {
    clPointSystem points;
    points.Apply({.goalBase = 1000,
                  .goalStep = 1000,
                  .bonusBase = 600,
                  .bonusStep = 10,
                  // out of order
                  .goalSteps = {{.from = 5, .step = 2000}, {.from = 3, .step = 5000}},
                  .bonusSteps = {{.from = 100, .step = 1, .period = 0},
                                 {.from = 50, .step = 1, .period = -3}}});
    for (int r = -2; r < 200; ++r) {
        points.Goal(r);
        points.Bonus(r);
    }
    EXPECT_EQ(points.Goal(1), 1000);
    EXPECT_EQ(points.Goal(0), 1000);
}

}  // namespace
