#include "online/daily_challenge.h"

#include <gtest/gtest.h>

#include "online/play_record.h"

namespace {

// The formula every game and server must agree on, pinned: FNV-1a's own
// test vectors, and deals worked out apart from this code.
TEST(DailyChallenge, DealsFollowTheStatedFormula) {
    EXPECT_EQ(Fnv1a32(""), 0x811c9dc5u);
    EXPECT_EQ(Fnv1a32("a"), 0xe40c292cu);
    EXPECT_EQ(Fnv1a32("foobar"), 0xbf9cf968u);
    struct clCase {
        clDay day;
        const char* key;
        std::int32_t round;
        std::int32_t deal;
    };
    for (const clCase& row : {clCase{{2026, 12, 11}, "klondike", 1, 1576971993},
                              clCase{{2026, 12, 11}, "klondike", 2, 1627304850},
                              clCase{{2027, 1, 1}, "freecell", 1, 438749414}}) {
        EXPECT_EQ(DailyDeal(row.day, row.key, row.round), row.deal) << row.key;
    }
}

TEST(DailyChallenge, DaysAreUtcCalendarDays) {
    struct clCase {
        std::int64_t seconds;
        const char* day;
    };
    for (const clCase& row :
         {clCase{0, "1970-01-01"}, clCase{86399, "1970-01-01"}, clCase{86400, "1970-01-02"},
          clCase{-1, "1969-12-31"}, clCase{951782400, "2000-02-29"},
          clCase{1735689599, "2024-12-31"}, clCase{4102444800, "2100-01-01"}}) {
        EXPECT_EQ(FormatDay(DayOfUnixTime(row.seconds)), row.day) << row.seconds;
    }
    for (const auto& [day, before] :
         {std::pair{"2024-03-01", "2024-02-29"}, std::pair{"2023-03-01", "2023-02-28"},
          std::pair{"2027-01-01", "2026-12-31"}, std::pair{"2026-05-01", "2026-04-30"}}) {
        ASSERT_TRUE(ParseDay(day)) << day;
        EXPECT_EQ(FormatDay(PreviousDay(*ParseDay(day))), before);
    }
    for (const char* bad : {"", "2026-1-11", "2026-13-01", "2026-02-29", "2026-12-32", "1969-12-31",
                            "2026/12/11", "2026-12-1x", "+026-12-11"})
        EXPECT_FALSE(ParseDay(bad)) << bad;
}

TEST(DailyChallenge, ARecordPlaysADayOnlyWhenEveryRoundIsThatDaysDeal) {
    const clDay today{2026, 12, 11};
    const clDay yesterday = PreviousDay(today);
    const clDay days[] = {today, yesterday};
    const auto record = [](std::vector<std::int32_t> deals) {
        clPlayRecord made{"Klondike", {}};
        for (std::int32_t deal : deals)
            made.rounds.push_back({deal, {}, 0});
        return made;
    };
    const std::int32_t one = DailyDeal(today, "klondike", 1);
    const std::int32_t two = DailyDeal(today, "klondike", 2);
    EXPECT_EQ(DailyDayOf(record({one, two}), "klondike", days), today);
    EXPECT_EQ(DailyDayOf(record({DailyDeal(yesterday, "klondike", 1)}), "klondike", days),
              yesterday);
    EXPECT_FALSE(DailyDayOf(record({one, two + 1}), "klondike", days));
    EXPECT_FALSE(DailyDayOf(record({two}), "klondike", days));
    EXPECT_FALSE(DailyDayOf(record({one}), "freecell", days));
    EXPECT_FALSE(DailyDayOf(record({}), "klondike", days));
}

}  // namespace
