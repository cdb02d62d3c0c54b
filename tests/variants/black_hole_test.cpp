#include "variants/black_hole.h"

#include <memory>

#include <gtest/gtest.h>

#include "support/test_table.h"

namespace {

using enum clSuit;

TEST(BlackHoleTest, TheAceOfSpadesStartsTheHole) {
    auto game = Dealt<clBlackHole>(5);
    ASSERT_EQ(game->Waste()->Count(), 1u);
    EXPECT_EQ(game->Waste()->Top()->Rank(), clRank::Ace);
    EXPECT_EQ(game->Waste()->Top()->Suit(), Spades);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(game->Tableau(i)->Count(), 3u);
    EXPECT_EQ(game->Tableau(13)->Key1(), 'Z');
}

TEST(BlackHoleTest, TheHoleTakesOneRankUpOrDownAroundTheCorner) {
    auto game = Dealt<clBlackHole>(5);
    for (const auto& pile : game->AllPiles())
        pile->Clear();
    const auto C = [&](int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); };
    const auto intoHole = [&](int fan) {
        game->PressPile(*game->Tableau(fan), game->Tableau(fan)->TopIndex());
        return game->Tableau(fan)->Count() == 0;
    };
    Lay(*game->Waste(), {C(1, Spades)});
    Lay(*game->Tableau(0), {C(13, Hearts)});
    Lay(*game->Tableau(1), {C(3, Hearts)});
    Lay(*game->Tableau(2), {C(1, Clubs)});
    EXPECT_FALSE(intoHole(1));
    EXPECT_TRUE(intoHole(0));  // a king on an ace
    EXPECT_TRUE(intoHole(2));  // an ace on a king
    EXPECT_FALSE(game->IsGameWon());
    Lay(*game->Waste(), {C(2, Clubs)});
    EXPECT_TRUE(intoHole(1));
    EXPECT_TRUE(game->IsGameWon());
}

TEST(BinaryStarTest, TwoHolesStartWithTheAceOfSpadesAndTheKingOfHearts) {
    auto game = Dealt<clBinaryStar>(8);
    EXPECT_EQ(game->Foundation(0)->Top()->Rank(), clRank::Ace);
    EXPECT_EQ(game->Foundation(0)->Top()->Suit(), Spades);
    EXPECT_EQ(game->Foundation(1)->Top()->Rank(), clRank::King);
    EXPECT_EQ(game->Foundation(1)->Top()->Suit(), Hearts);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(game->Tableau(i)->Count(), 6u);
}

TEST(BinaryStarTest, ACardThatFitsBothHolesGoesToTheFirst) {
    auto game = Dealt<clBinaryStar>(8);
    for (const auto& pile : game->AllPiles())
        pile->Clear();
    const auto C = [&](int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); };
    Lay(*game->Foundation(0), {C(1, Spades)});
    Lay(*game->Foundation(1), {C(3, Hearts)});
    Lay(*game->Tableau(0), {C(2, Clubs)});
    Lay(*game->Tableau(5), {C(9, Diamonds)});  // so the round goes on
    game->PressPile(*game->Tableau(0), 0);
    EXPECT_EQ(game->Foundation(0)->Count(), 2u);
    EXPECT_EQ(game->Foundation(1)->Count(), 1u);
    // A hole's top card may go to the other hole.
    game->PressPile(*game->Foundation(0), 1);
    EXPECT_EQ(game->Foundation(1)->Count(), 2u);
}

class AcesUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = Dealt<clAcesUp>(3);
        for (const auto& pile : game->AllPiles()) {
            if (pile.get() != game->Stock()) pile->Clear();
        }
    }
    clCard* C(int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); }
    bool Removable(int rank, clSuit suit) {
        const std::int32_t d = C(rank, suit)->dealIndex;
        return game->ValidatePair(d, d);
    }
    std::unique_ptr<clAcesUp> game;
};

TEST_F(AcesUpTest, ACardLeavesBelowAHigherCardOrTheAceOfItsSuit) {
    Lay(*game->Tableau(0), {C(5, Hearts)});
    Lay(*game->Tableau(1), {C(4, Hearts)});
    Lay(*game->Tableau(2), {C(9, Clubs)});
    EXPECT_FALSE(Removable(5, Hearts));
    EXPECT_TRUE(Removable(4, Hearts));
    Lay(*game->Tableau(1), {C(1, Hearts)});
    EXPECT_TRUE(Removable(5, Hearts));
    EXPECT_FALSE(Removable(1, Hearts));  // aces stay
}

TEST_F(AcesUpTest, TheBaseBonusIsPaidOnce) {
    const clSuit suits[] = {Clubs, Diamonds, Hearts, Spades};
    for (int i = 0; i < 4; ++i)
        Lay(*game->Tableau(i), {C(1, suits[i])});
    // The aces already lie at the bases: a deal pays no bonus again.
    EXPECT_EQ(game->ScoreMove(clMove::StockMove()), 0);
    // With the fourth pile empty, the deal that brings its ace completes the
    // bases and pays: the deal gives the stock's fourth card from the top to
    // the fourth pile.
    game->Tableau(3)->Clear();
    Lay(*game->Stock(), {C(1, Spades), C(6, Spades), C(7, Spades), C(8, Spades)});
    EXPECT_EQ(game->ScoreMove(clMove::StockMove()), 20000);
    ASSERT_TRUE(game->CommitPlayedMove(clMove::StockMove(), true));
    EXPECT_TRUE(game->Tableau(3)->Bottom()->IsAce());
}

TEST_F(AcesUpTest, WonWithTheStockEmptyAndAnAceAloneOnEveryPile) {
    const clSuit suits[] = {Clubs, Diamonds, Hearts, Spades};
    for (int i = 0; i < 4; ++i)
        Lay(*game->Tableau(i), {C(1, suits[i])});
    EXPECT_FALSE(game->IsGameWon());  // the stock still holds cards
    EXPECT_TRUE(game->ValidateMove(clMove::StockMove()));
    game->Stock()->Clear();
    EXPECT_TRUE(game->IsGameWon());
    EXPECT_FALSE(game->ValidateMove(clMove::StockMove()));
}

}  // namespace
