#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_table.h"

namespace {

clLocation Tableau(int pile, int position) {
    return clLocation::Pile(clLocationKind::Tableau, pile, position);
}

// Four tableau piles of one card, a waste, and the rest in the stock. Goals
// are 1000, 2000, ...; every round has 60 seconds (count 600).
class RoundsTest : public ::testing::Test {
protected:
    static clTestLayout Shape() {
        clTestLayout layout;
        layout.tableauDeal = 4;
        layout.waste = true;
        layout.refillFromStock = true;
        return layout;
    }
    void SetUp() override {
        table.Initialize();
        table.StartRound();
    }
    // Runs the countdown for `ticks` tenths of a second.
    void Run(int ticks) {
        for (int i = 0; i < ticks; ++i)
            table.TimerTick();
    }
    // A tableau pile's top card to the waste (chained with a refill from the stock).
    clMove ToWaste(int pile) {
        const clPile* source = table.Tableau(pile);
        return MoveBetween(table, Tableau(pile, source->TopIndex()),
                           clLocation::Single(clLocationKind::Waste, 0));
    }
    bool Played(clSound sound) const {
        return std::find(table.sounds.begin(), table.sounds.end(), sound) != table.sounds.end();
    }

    clTestTable table{Shape()};
};

TEST_F(RoundsTest, ARoundStartsWithItsGoalBonusAndDeal) {
    EXPECT_EQ(table.Round(), 1);
    EXPECT_EQ(table.Goal(), 1000);
    EXPECT_EQ(table.Timer().Count(), 600);
    EXPECT_FALSE(table.Timer().IsRunning());  // until the first action
    EXPECT_GT(table.DealNumber(), 0);
    Run(50);
    EXPECT_EQ(table.Timer().Count(), 600);
    table.StartTimer();
    Run(50);
    EXPECT_EQ(table.Timer().Count(), 550);
}

TEST_F(RoundsTest, ASolvedRoundAddsTheRemainingBonus) {
    table.StartTimer();
    Run(225);  // 37.5 seconds left
    table.won = true;
    ASSERT_TRUE(table.CommitDraggedMove(ToWaste(0)));
    EXPECT_EQ(table.Score(), 3750);
    EXPECT_TRUE(table.RoundEnded());
    EXPECT_FALSE(table.Timer().IsRunning());
    EXPECT_EQ(table.DealNumber(), 0);
    EXPECT_EQ(table.History().Count(), 0u);
    EXPECT_TRUE(Played(clSound::Complete));
    EXPECT_EQ(table.events, (std::vector<std::string>{"save", "round over 3750 1"}));

    // Continuing deals round 2 with the score carried over.
    table.events.clear();
    table.won = false;
    table.continueRounds = true;
    table.StartRound();
    EXPECT_EQ(table.Round(), 2);
    EXPECT_EQ(table.Goal(), 2000);
    EXPECT_EQ(table.Score(), 3750);
    EXPECT_FALSE(table.RoundEnded());
}

TEST_F(RoundsTest, ARoundBelowItsGoalEndsTheGame) {
    table.StartTimer();
    Run(550);  // 5 seconds left: 500 points, below the goal of 1000
    table.TakeScore();
    EXPECT_EQ(table.events,
              (std::vector<std::string>{"log C 500 1", "delete save", "game over 500 1"}));
    EXPECT_EQ(table.Score(), 0);
    EXPECT_EQ(table.Round(), 0);
    EXPECT_TRUE(Played(clSound::Loss));
}

TEST_F(RoundsTest, NothingCountsOnceTheRoundHasEnded) {
    table.SetScore(2000);
    table.TakeScore();  // won: 2000 + 6000
    ASSERT_TRUE(table.RoundEnded());
    const std::int32_t after = table.Score();
    table.events.clear();

    table.TakeScore();
    table.StartTimer();
    EXPECT_FALSE(table.CommitDraggedMove(ToWaste(1)));
    EXPECT_EQ(table.Score(), after);
    EXPECT_FALSE(table.Timer().IsRunning());
    EXPECT_TRUE(table.events.empty());
}

TEST_F(RoundsTest, TheLastTenSecondsTickAndTurnRed) {
    table.StartTimer();
    Run(449);  // count 151
    std::vector<int> ticks;
    bool lowAt101 = true, lowAt100 = false;
    while (table.Timer().Count() > 1) {
        table.sounds.clear();
        table.TimerTick();
        const int count = table.Timer().Count();
        if (Played(clSound::Tick)) ticks.push_back(count);
        if (count == 101) lowAt101 = table.IsBonusLow();
        if (count == 100) lowAt100 = table.IsBonusLow();
    }
    EXPECT_EQ(ticks,
              (std::vector<int>{100, 90, 80, 70, 60, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5}));
    EXPECT_FALSE(lowAt101);
    EXPECT_TRUE(lowAt100);

    table.sounds.clear();
    table.TimerTick();  // 0: the alarm, then the score is taken
    EXPECT_TRUE(Played(clSound::Alarm));
    EXPECT_TRUE(table.RoundEnded());
}

TEST_F(RoundsTest, PracticeModePlaysOnWithoutABonus) {
    table.SetOptions({.practice = true});
    table.StartTimer();
    Run(600);
    EXPECT_EQ(std::count(table.sounds.begin(), table.sounds.end(), clSound::Alarm), 1);
    EXPECT_TRUE(table.IsTimeUp());
    EXPECT_FALSE(table.Timer().IsRunning());
    EXPECT_FALSE(table.RoundEnded());
    Run(100);
    EXPECT_EQ(std::count(table.sounds.begin(), table.sounds.end(), clSound::Alarm), 1);

    ASSERT_TRUE(table.CommitDraggedMove(ToWaste(0)));  // play goes on
    table.SetScore(1500);
    table.TakeScore();
    EXPECT_EQ(table.events, (std::vector<std::string>{"save", "round over 1500 1"}));  // no bonus
}

TEST_F(RoundsTest, PracticeGamesAreNotLogged) {
    table.SetOptions({.practice = true});
    ASSERT_TRUE(table.CommitDraggedMove(ToWaste(0)));
    table.SetScore(500);
    table.NewGame();  // resigned
    EXPECT_EQ(table.events, (std::vector<std::string>{"ask", "delete save"}));

    table.events.clear();
    table.PointSystem().Apply({.goalBase = 1000000, .bonusBase = 600});
    table.NewGame();  // a fresh game with a goal out of reach
    table.TakeScore();
    EXPECT_EQ(table.events, (std::vector<std::string>{"delete save", "game over 6000 1"}));
}

// The caller's deals (the daily challenge's): every round, a new game and
// the next round after a won one deal the round's; a number given still wins.
TEST_F(RoundsTest, TheOptionsDealEveryRoundWhenTheyChooseTheDeals) {
    table.SetOptions({.promptBeforeResign = false,
                      .roundDeal = [](std::int32_t round) { return 1000 + round; }});
    table.NewGame();
    EXPECT_EQ(table.DealNumber(), 1001);
    table.SetScore(2000);
    table.TakeScore();  // won
    ASSERT_TRUE(table.RoundEnded());
    table.StartRound();
    EXPECT_EQ(table.Round(), 2);
    EXPECT_EQ(table.DealNumber(), 1002);
    table.NewGame();
    EXPECT_EQ(table.Round(), 1);
    EXPECT_EQ(table.DealNumber(), 1001);
    table.StartRound(77);
    EXPECT_EQ(table.DealNumber(), 77);
}

TEST_F(RoundsTest, UndoCostsPointsAndNeedsAPositiveScore) {
    table.PointSystem().values.wastePoints = 100;
    table.sounds.clear();
    table.Undo();  // nothing to undo
    EXPECT_TRUE(table.sounds.empty());

    ASSERT_TRUE(table.CommitDraggedMove(ToWaste(2)));  // with its refill from the stock
    table.SetScore(0);
    table.sounds.clear();
    table.Undo();
    EXPECT_EQ(table.sounds, std::vector<clSound>{clSound::Error});
    EXPECT_EQ(table.History().Position(), 1u);

    table.SetScore(300);
    table.Undo();
    EXPECT_EQ(table.Score(), 300 - 500 - 100);
    EXPECT_TRUE(Played(clSound::Undo));
    EXPECT_EQ(table.History().Position(), 0u);
}

// The Undo command is enabled exactly when an undo would be done.
TEST_F(RoundsTest, UndoIsOfferedExactlyWhenItWouldBeDone) {
    struct clCase {
        const char* name;
        bool moved;
        std::int32_t score;
        bool paused;
    };
    const clCase cases[] = {
        {"nothing to undo", false, 1000, false},
        {"a score of 0", true, 0, false},
        {"a negative score", true, -400, false},
        {"a positive score", true, 1, false},
        {"paused", true, 1000, true},
    };
    for (const clCase& c : cases) {
        SCOPED_TRACE(c.name);
        table.NewGame();
        if (c.moved) {
            ASSERT_TRUE(table.CommitDraggedMove(ToWaste(1)));
        }
        table.SetScore(c.score);
        if (c.paused) table.Pause();
        const bool offered = table.MenuState().undoEnabled;
        const std::size_t before = table.History().Position();
        // A paused table takes no input; the command is what is checked there.
        if (!c.paused) table.Undo();
        EXPECT_EQ(offered, !c.paused && table.History().Position() != before);
        if (c.paused) table.Pause();
    }
}

TEST_F(RoundsTest, UndoingAChainedMoveTakesBackEveryPart) {
    clPointValues& v = table.PointSystem().values;
    v.wastePoints = 100;
    v.stockCardCost = 30;
    table.PointSystem().SetUndoCost(0);
    table.SetScore(1);

    ASSERT_TRUE(table.CommitDraggedMove(ToWaste(3)));  // empties the pile: the stock refills it
    ASSERT_EQ(table.History().At(0).type, clMoveType::Compound);
    EXPECT_EQ(table.Score(), 1 + 100 - 30);
    table.Undo();
    EXPECT_EQ(table.Score(), 1);
}

TEST_F(RoundsTest, CrossingTheGoalSounds) {
    table.PointSystem().values.wastePoints = 100;
    table.SetScore(950);
    table.sounds.clear();
    ASSERT_TRUE(table.CommitPlayedMove(ToWaste(0)));
    EXPECT_TRUE(Played(clSound::Grow));
}

TEST_F(RoundsTest, PauseStopsTheClockAndHidesTheTable) {
    table.StartTimer();
    Run(10);
    table.Pause();
    EXPECT_TRUE(table.IsPaused());
    EXPECT_FALSE(table.Timer().IsRunning());
    table.TakeScore();  // ignored while paused
    EXPECT_FALSE(table.RoundEnded());
    table.StartTimer();
    EXPECT_FALSE(table.Timer().IsRunning());

    table.Pause();  // no move yet: the clock waits for the first action
    EXPECT_FALSE(table.IsPaused());
    EXPECT_FALSE(table.Timer().IsRunning());

    table.CommitDraggedMove(ToWaste(0));
    table.Pause();
    table.Pause();
    EXPECT_TRUE(table.Timer().IsRunning());
}

TEST_F(RoundsTest, LosingFocusPausesOnlyARunningRound) {
    table.OnFocusLost();  // the clock has not moved yet
    EXPECT_FALSE(table.IsPaused());
    table.StartTimer();
    Run(1);
    table.SetOptions({.pauseOnFocusLoss = false});
    table.OnFocusLost();
    EXPECT_FALSE(table.IsPaused());
    table.SetOptions({});
    table.OnFocusLost();
    EXPECT_TRUE(table.IsPaused());
    table.OnFocusLost();  // already paused: stays paused
    EXPECT_TRUE(table.IsPaused());
}

TEST_F(RoundsTest, ResigningAFreshDealAsksNothing) {
    const std::int32_t first = table.DealNumber();
    table.NewGame();
    EXPECT_TRUE(table.events.empty());
    EXPECT_EQ(table.Round(), 1);
    EXPECT_NE(table.DealNumber(), first);
}

TEST_F(RoundsTest, ResigningAGameInProgressAsksAndLogsIt) {
    table.PointSystem().values.wastePoints = 100;
    ASSERT_TRUE(table.CommitDraggedMove(ToWaste(0)));
    table.agreeToResign = false;
    table.NewGame();
    EXPECT_EQ(table.events, std::vector<std::string>{"ask"});
    EXPECT_EQ(table.History().Count(), 1u);

    table.events.clear();
    table.agreeToResign = true;
    table.NewGame();
    EXPECT_EQ(table.events, (std::vector<std::string>{"ask", "log I 100 1", "delete save"}));
    EXPECT_EQ(table.Score(), 0);
    EXPECT_EQ(table.Round(), 1);
    EXPECT_EQ(table.History().Count(), 0u);
}

}  // namespace
