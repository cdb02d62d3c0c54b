#include "player/statistics.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "player/player_folders.h"
#include "player/settings.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/user_account.h"

namespace {

// Statistics of player "Ann" filled by adding results directly.
class StatisticsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settings.WritePlayerDefaults("Ann"));
        ASSERT_TRUE(settings.SetPlayer("Ann"));
    }

    void Add(std::int32_t score, std::int32_t round = 1) {
        ASSERT_TRUE(stats.AddRecord({clResultKind::Completed, score, round, 0, clock.now}));
    }

    std::vector<std::int32_t> RankedScores() const {
        std::vector<std::int32_t> scores;
        for (std::int32_t i = 0; i < stats.Count(); ++i)
            scores.push_back(stats.Ranked(i)->score);
        return scores;
    }

    // Every ranked record knows its own place.
    void ExpectRanksConsistent() const {
        for (std::int32_t i = 0; i < stats.Count(); ++i)
            ASSERT_EQ(stats.Ranked(i)->rank, i + 1) << i;
        for (std::int32_t i = 1; i < stats.Count(); ++i)
            ASSERT_GE(stats.Ranked(i - 1)->score, stats.Ranked(i)->score) << i;
    }

    clTempFolder temp;
    clMemorySettingsStore store;
    clSettings settings{store};
    clFixedUserAccount account{temp.Path(), "ann"};
    clPlayerFolders folders{account};
    clFixedClock clock;
    clStatistics stats{settings, folders, clock};
};

TEST_F(StatisticsTest, ElevenResultsFromHundredDownToZero) {
    for (std::int32_t score = 100; score >= 0; score -= 10)
        Add(score, score / 10);
    EXPECT_EQ(stats.Best(), 100);
    EXPECT_EQ(stats.TenthBest(), 10);
    EXPECT_EQ(stats.Worst(), 0);
    EXPECT_EQ(stats.Average(), 50);
    EXPECT_EQ(stats.Total(), 550);
    EXPECT_EQ(stats.HighestRound(), 10);
    EXPECT_EQ(stats.SummaryLines(),
              (std::vector<std::string>{"Games Played: 11", "Best Score: 100", "Average Score: 50",
                                        "Highest Round: 10", "Last 10 Games - Average: 45",
                                        "Last 100 Games - Average: 50"}));
    ExpectRanksConsistent();
}

TEST_F(StatisticsTest, FiguresFollowEveryResultFromTheFirst) {
    EXPECT_EQ(stats.SummaryLines(), std::vector<std::string>{"Games Played: 0"});
    EXPECT_EQ(stats.Latest(), nullptr);
    EXPECT_EQ(stats.LatestRankText(), "");
    Add(500);
    EXPECT_EQ(stats.Worst(), 500);
    EXPECT_EQ(stats.Best(), 500);
    EXPECT_EQ(stats.TenthBest(), 500);
    Add(700);
    EXPECT_EQ(stats.Worst(), 500);
    EXPECT_EQ(stats.TenthBest(), 500);
    Add(-20);
    EXPECT_EQ(stats.Worst(), -20);
    EXPECT_EQ(stats.Average(), 393);
    EXPECT_EQ(stats.RecordAt(2)->score, -20);
    EXPECT_EQ(stats.RecordAt(3), nullptr);
    EXPECT_EQ(stats.RecordAt(-1), nullptr);
    EXPECT_EQ(stats.LatestRankText(), "3rd of 3");
}

TEST_F(StatisticsTest, TheLaterOfEqualScoresRanksHigher) {
    Add(60, 1);
    Add(50, 1);
    Add(50, 2);
    EXPECT_EQ(stats.Ranked(1)->round, 2);
    EXPECT_EQ(stats.Ranked(2)->round, 1);
    EXPECT_EQ(stats.Latest()->rank, 2);
    ExpectRanksConsistent();
}

TEST_F(StatisticsTest, PastAThousandTheBestTenAreNeverPushedOut) {
    for (std::int32_t i = 0; i < 10; ++i)
        Add(5000 + i);
    for (std::int32_t i = 0; i < 990; ++i)
        Add(i % 300);
    ASSERT_EQ(stats.Count(), 1000);
    std::vector<std::int32_t> bestTen = RankedScores();
    bestTen.resize(10);

    // The ring has come round to the best ten: the new result goes into the
    // first slot after them, the oldest one that may go.
    Add(7);
    EXPECT_EQ(stats.RecordAt(10)->score, 7);
    for (std::int32_t i = 0; i < 10; ++i)
        EXPECT_EQ(stats.RecordAt(i)->score, 5000 + i);

    for (std::int32_t i = 1001; i < 1234; ++i)
        Add(i % 500);
    EXPECT_EQ(stats.GamesPlayed(), 1234);
    EXPECT_EQ(stats.Count(), 1000);
    EXPECT_NE(stats.RecordAt(999), nullptr);
    EXPECT_EQ(stats.RecordAt(1000), nullptr);
    std::vector<std::int32_t> nowBest = RankedScores();
    nowBest.resize(10);
    EXPECT_EQ(nowBest, bestTen);
    EXPECT_EQ(stats.HistoryRows().size(), 1000u);
    EXPECT_EQ(stats.LatestRankText(), clStatistics::Ordinal(stats.Latest()->rank) + " of 1234");
    ExpectRanksConsistent();
}

TEST_F(StatisticsTest, BestIsKeptWhenTheTenthBestTiesWithTheWorst) {
    Add(900);
    for (std::int32_t i = 0; i < 2100; ++i)
        Add(0);
    EXPECT_EQ(stats.Best(), 900);
    EXPECT_EQ(stats.Ranked(0)->score, 900);
    EXPECT_EQ(stats.Worst(), 0);
    ExpectRanksConsistent();
}

TEST_F(StatisticsTest, AGameInProgressTakesThePlaceItsScoreEarns) {
    for (std::int32_t score : {60, 90, 70, 80})
        Add(score);
    const auto rows = [&](std::int32_t score) {
        clScoreRecord progress{clResultKind::Interrupted, score, 2, 0, clock.now};
        std::vector<std::string> shown;
        for (const clScoreRow& row : stats.HighScoreRows(&progress))
            shown.push_back(std::to_string(row.rank) + ":" + std::to_string(row.score) +
                            (row.inProgress ? "*" : ""));
        shown.push_back("rank " + std::to_string(progress.rank) + ", " + stats.RankText(progress));
        return shown;
    };
    EXPECT_EQ(rows(70), (std::vector<std::string>{"1:90", "2:80", "3:70*", "3:70", "4:60",
                                                  "rank 3, 3rd of 5"}));
    EXPECT_EQ(rows(75), (std::vector<std::string>{"1:90", "2:80", "3:75*", "4:70", "5:60",
                                                  "rank 3, 3rd of 5"}));
    EXPECT_EQ(rows(10), (std::vector<std::string>{"1:90", "2:80", "3:70", "4:60", "5:10*",
                                                  "rank 5, 5th of 5"}));
    EXPECT_EQ(rows(95), (std::vector<std::string>{"1:95*", "2:90", "3:80", "4:70", "5:60",
                                                  "rank 1, 1st of 5"}));
}

TEST_F(StatisticsTest, AListNeverShowsARankPastAThousand) {
    for (std::int32_t i = 0; i < 1000; ++i)
        Add(i);
    clScoreRecord progress{clResultKind::Interrupted, 5000, 1, 0, clock.now};
    const auto rows = stats.HighScoreRows(&progress);
    EXPECT_EQ(rows.size(), 1000u);
    EXPECT_EQ(rows.back().rank, 1000);
    EXPECT_EQ(stats.RankText(progress), "1st of 1000");
}

TEST_F(StatisticsTest, RowIconsAndHistoryOrder) {
    for (std::int32_t score : {50, 10, 90, 30, 20, 40, 60, 70, 80, 55, 65, 35})
        Add(score);
    // Best 90, tenth best 30, worst 10; 35 was added last.
    std::vector<std::pair<std::int32_t, clScoreIcon>> history;
    for (const clScoreRow& row : stats.HistoryRows())
        history.emplace_back(row.score, row.icon);
    using enum clScoreIcon;
    EXPECT_EQ(history, (std::vector<std::pair<std::int32_t, clScoreIcon>>{{35, Latest},
                                                                          {65, High},
                                                                          {55, High},
                                                                          {80, High},
                                                                          {70, High},
                                                                          {60, High},
                                                                          {40, High},
                                                                          {20, None},
                                                                          {30, High},
                                                                          {90, Best},
                                                                          {10, Worst},
                                                                          {50, High}}));
    const auto ranked = stats.HighScoreRows(nullptr);
    ASSERT_EQ(ranked.size(), 12u);
    EXPECT_EQ(ranked.front().icon, Best);
    EXPECT_EQ(ranked.back().icon, Worst);
    EXPECT_EQ(clStatistics::HighScoreColumns(false).size(), 3u);
    EXPECT_EQ(clStatistics::HighScoreColumns(true).back().header, "Date Played");
}

TEST(ScoreRowSortTest, EachColumnSortsItsWayAndASecondClickReverses) {
    const auto at = [](std::uint16_t day, std::uint16_t hour) {
        return clDateTime{2017, 8, 0, day, hour, 0, 0, 0};
    };
    // An in-progress row shares rank 3 with the result whose score it equals.
    const std::vector<clScoreRow> rows = {
        {clScoreIcon::None, 2, 700, 2, at(3, 9), false},
        {clScoreIcon::Latest, 3, 500, 4, at(9, 1), true},
        {clScoreIcon::Best, 1, 900, 3, at(1, 20), false},
        {clScoreIcon::Worst, 3, 500, 1, at(1, 8), false},
        {clScoreIcon::High, 4, 480, 4, at(2, 7), false},
    };
    struct clCase {
        clScoreSort column;
        bool reversed;
        std::vector<std::int32_t> rounds;  // the rows, named by their rounds
    };
    const clCase cases[] = {
        {clScoreSort::Rank, false, {3, 2, 4, 1, 4}},
        {clScoreSort::Rank, true, {4, 4, 1, 2, 3}},
        {clScoreSort::Score, false, {3, 2, 4, 1, 4}},
        {clScoreSort::Round, false, {4, 4, 3, 2, 1}},
        {clScoreSort::Round, true, {1, 2, 3, 4, 4}},
        {clScoreSort::DatePlayed, false, {1, 3, 4, 2, 4}},
        {clScoreSort::DatePlayed, true, {4, 2, 4, 3, 1}},
    };
    for (const clCase& c : cases) {
        std::vector<clScoreRow> sorted = rows;
        clStatistics::SortRows(sorted, c.column, c.reversed);
        std::vector<std::int32_t> rounds;
        for (const clScoreRow& row : sorted)
            rounds.push_back(row.round);
        EXPECT_EQ(rounds, c.rounds) << static_cast<int>(c.column) << " " << c.reversed;
    }
    // Equal rows keep the order they had.
    std::vector<clScoreRow> sorted = rows;
    clStatistics::SortRows(sorted, clScoreSort::Score, false);
    EXPECT_TRUE(sorted[2].inProgress);
    EXPECT_FALSE(sorted[3].inProgress);
}

TEST(OrdinalTest, Suffixes) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {1, "1st"},     {2, "2nd"},     {3, "3rd"},     {4, "4th"},       {11, "11th"},
        {12, "12th"},   {13, "13th"},   {21, "21st"},   {22, "22nd"},     {23, "23rd"},
        {101, "101st"}, {111, "111th"}, {112, "112th"}, {1000, "1000th"}, {0, "0th"},
    };
    for (const auto& [n, text] : cases)
        EXPECT_EQ(clStatistics::Ordinal(n), text);
}

}  // namespace
