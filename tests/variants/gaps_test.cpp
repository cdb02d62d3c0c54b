#include "variants/gaps.h"

#include <memory>

#include <gtest/gtest.h>

#include "support/test_table.h"

namespace {

using enum clSuit;

int Gaps(const clGaps& game) {
    int empty = 0;
    for (int i = 0; i < game.TableauCount(); ++i)
        empty += game.Tableau(i)->Count() == 0;
    return empty;
}

TEST(GapsTest, TheDealLeavesTheAcesOutAsFourGaps) {
    for (const std::int32_t deal : {1, 2, 3}) {
        auto game = Dealt<clGaps>(deal);
        EXPECT_EQ(Gaps(*game), 4);
        for (int i = 0; i < game->TableauCount(); ++i) {
            const clCard* card = game->Tableau(i)->Top();
            EXPECT_TRUE(card == nullptr || !card->IsAce());
        }
        EXPECT_EQ(game->Space(2, 5)->Key1(), 'F');
        EXPECT_EQ(game->Space(2, 5)->Key2(), '3');
    }
}

// A hand-laid grid: rows given as text, "--" for a gap.
class GapsGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = Dealt<clGaps>(5);
        for (const auto& pile : game->AllPiles())
            pile->Clear();
    }
    void Put(int row, int column, int rank, clSuit suit) {
        Lay(*game->Space(row, column), {FindCard(game->Deck(), rank, suit)});
    }
    bool Moves(int fromRow, int fromColumn, int toRow, int toColumn) {
        return game->ValidateMove(clMove::CardMove(
            0, clLocation::Pile(clLocationKind::Tableau, fromRow * 13 + fromColumn, 0),
            clLocation::Pile(clLocationKind::Tableau, toRow * 13 + toColumn, 0)));
    }
    std::unique_ptr<clGaps> game;
};

TEST_F(GapsGridTest, AGapTakesTheCardAboveItsLeftNeighbour) {
    Put(0, 4, 13, Hearts);  // a king, with a gap to its right
    Put(1, 2, 9, Clubs);
    Put(2, 7, 2, Diamonds);
    Put(3, 3, 8, Clubs);
    Put(3, 8, 12, Hearts);            // a queen of hearts elsewhere
    EXPECT_FALSE(Moves(3, 8, 0, 5));  // nothing goes right of a king
    EXPECT_TRUE(Moves(2, 7, 0, 0));   // any 2 starts a row
    EXPECT_FALSE(Moves(1, 2, 0, 0));
    EXPECT_TRUE(Moves(1, 2, 3, 4));   // 9C right of 8C
    EXPECT_FALSE(Moves(1, 2, 3, 3));  // not onto a card
}

TEST_F(GapsGridTest, WonWithEachRowTwoToKingAndItsLastSpaceEmpty) {
    const clSuit suits[] = {Spades, Hearts, Diamonds, Clubs};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 12; ++column)
            Put(row, column, column + 2, suits[row]);
    }
    EXPECT_TRUE(game->IsGameWon());
    Put(3, 12, 1, Clubs);
    EXPECT_FALSE(game->IsGameWon());
}

TEST_F(GapsGridTest, RedealKeepsTheRunsAndShufflesTheRest) {
    // Row 0 runs 2S 3S 4S; row 1 starts with a 3 and keeps nothing; the
    // other cards fill the spaces after them, leaving the last four empty.
    Put(0, 0, 2, Spades);
    Put(0, 1, 3, Spades);
    Put(0, 2, 4, Spades);
    Put(1, 0, 3, Hearts);
    int row = 0, column = 3;
    for (const clSuit suit : {Clubs, Diamonds, Hearts, Spades}) {
        for (int rank = 2; rank <= 13; ++rank) {
            if ((suit == Spades && rank <= 4) || (suit == Hearts && rank == 3)) continue;
            if (row == 1 && column == 0) ++column;
            Put(row, column, rank, suit);
            if (++column == 13) {
                ++row;
                column = 0;
            }
        }
    }
    ASSERT_EQ(Gaps(*game), 4);

    game->StockAction(false);
    EXPECT_EQ(Gaps(*game), 4);
    // Row 0 keeps its run and has its gap right after it; row 1 keeps nothing.
    EXPECT_EQ(game->Space(0, 2)->Top()->GetRank(), 4);
    EXPECT_EQ(game->Space(0, 3)->Count(), 0u);
    EXPECT_EQ(game->Space(1, 0)->Count(), 0u);
    EXPECT_EQ(game->Space(2, 0)->Count(), 0u);
    EXPECT_EQ(game->Space(3, 0)->Count(), 0u);
    EXPECT_EQ(game->StockActions(), 1);
}

TEST(MontanaTest, RedealGapsFallAnywhereAfterTheRuns) {
    bool lastSpaceSeen = false;
    for (std::int32_t deal = 1; deal <= 40 && !lastSpaceSeen; ++deal) {
        auto game = Dealt<clMontana>(deal);
        game->StockAction(false);
        ASSERT_EQ(Gaps(*game), 4);
        for (int row = 0; row < 4; ++row)
            lastSpaceSeen |= game->Space(row, 12)->Count() == 0;
    }
    EXPECT_TRUE(lastSpaceSeen);
}

TEST(GapsTest, ThePressedRedealButtonRedeals) {
    auto game = Dealt<clGaps>(9);
    clPile* button = game->AllPiles().back().get();
    game->PressPile(*button, 0);
    EXPECT_EQ(game->StockActions(), 1);
    EXPECT_EQ(game->History().Count(), 1u);
    EXPECT_EQ(Gaps(*game), 4);
}

}  // namespace
