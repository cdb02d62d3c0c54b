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
    points.Setup(10000, 10000, 2400, 0, 1);
    points.AddGoalStep(2, 20000);
    points.AddGoalStep(4, 30000);
    points.AddGoalStep(6, 40000);
    points.AddBonusStep(6, 50, 1);

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
    points.Setup(20000, 25000, 1800, 300, 3);
    points.AddGoalStep(2, 30000);
    const std::int32_t steps[] = {20000, 25000, 30000};
    points.AddGoalPattern(3, 3, steps);
    points.AddBonusStep(7, 0, 3);
    points.AddBonusStep(10, 40, 3);
    points.AddBonusStep(40, 20, 3);

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
    points.Setup(5000, 0, 50, 0, 0);
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
    points.Setup(1000, 1000, 600, 10, 1);
    points.AddGoalStep(5, 2000);
    points.AddGoalStep(3, 5000);  // out of order
    const std::int32_t steps[] = {1, 2, 3, 4, 5};
    points.AddGoalPattern(6, 5, steps);  // too long a pattern: ignored
    for (int i = 0; i < 40; ++i)
        points.AddBonusStep(100 + i, 1, 1);  // past the table's room
    for (int r = -2; r < 200; ++r) {
        points.Goal(r);
        points.Bonus(r);
    }
    EXPECT_EQ(points.Goal(1), 1000);
    EXPECT_EQ(points.Goal(0), 1000);
}

}  // namespace
