#include "variants/black_hole.h"

#include <memory>

#include <gtest/gtest.h>

#include "support/test_table.h"

namespace {

enum { kClubs = 1, kDiamonds, kHearts, kSpades };

TEST(BlackHoleTest, TheAceOfSpadesStartsTheHole) {
    auto game = Dealt<clBlackHole>(5);
    ASSERT_EQ(game->Waste()->Count(), 1u);
    EXPECT_EQ(game->Waste()->Top()->GetRank(), 1);
    EXPECT_EQ(game->Waste()->Top()->GetSuit(), kSpades);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(game->Tableau(i)->Count(), 3u);
    EXPECT_EQ(game->Tableau(13)->Key1(), 'Z');
}

TEST(BlackHoleTest, TheHoleTakesOneRankUpOrDownAroundTheCorner) {
    auto game = Dealt<clBlackHole>(5);
    for (const auto& pile : game->AllPiles())
        pile->Clear();
    const auto C = [&](int rank, int suit) { return FindCard(game->Deck(), rank, suit); };
    const auto intoHole = [&](int fan) {
        game->PressPile(*game->Tableau(fan), game->Tableau(fan)->TopIndex());
        return game->Tableau(fan)->Count() == 0;
    };
    Lay(*game->Waste(), {C(1, kSpades)});
    Lay(*game->Tableau(0), {C(13, kHearts)});
    Lay(*game->Tableau(1), {C(3, kHearts)});
    Lay(*game->Tableau(2), {C(1, kClubs)});
    EXPECT_FALSE(intoHole(1));
    EXPECT_TRUE(intoHole(0));  // a king on an ace
    EXPECT_TRUE(intoHole(2));  // an ace on a king
    EXPECT_FALSE(game->IsGameWon());
    Lay(*game->Waste(), {C(2, kClubs)});
    EXPECT_TRUE(intoHole(1));
    EXPECT_TRUE(game->IsGameWon());
}

TEST(BinaryStarTest, TwoHolesStartWithTheAceOfSpadesAndTheKingOfHearts) {
    auto game = Dealt<clBinaryStar>(8);
    EXPECT_EQ(game->Foundation(0)->Top()->GetRank(), 1);
    EXPECT_EQ(game->Foundation(0)->Top()->GetSuit(), kSpades);
    EXPECT_EQ(game->Foundation(1)->Top()->GetRank(), 13);
    EXPECT_EQ(game->Foundation(1)->Top()->GetSuit(), kHearts);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(game->Tableau(i)->Count(), 6u);
}

TEST(BinaryStarTest, ACardThatFitsBothHolesGoesToTheFirst) {
    auto game = Dealt<clBinaryStar>(8);
    for (const auto& pile : game->AllPiles())
        pile->Clear();
    const auto C = [&](int rank, int suit) { return FindCard(game->Deck(), rank, suit); };
    Lay(*game->Foundation(0), {C(1, kSpades)});
    Lay(*game->Foundation(1), {C(3, kHearts)});
    Lay(*game->Tableau(0), {C(2, kClubs)});
    Lay(*game->Tableau(5), {C(9, kDiamonds)});  // so the round goes on
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
    clCard* C(int rank, int suit) { return FindCard(game->Deck(), rank, suit); }
    bool Removable(int rank, int suit) {
        const std::int32_t d = C(rank, suit)->dealIndex;
        return game->ValidatePair(d, d);
    }
    std::unique_ptr<clAcesUp> game;
};

TEST_F(AcesUpTest, ACardLeavesBelowAHigherCardOrTheAceOfItsSuit) {
    Lay(*game->Tableau(0), {C(5, kHearts)});
    Lay(*game->Tableau(1), {C(4, kHearts)});
    Lay(*game->Tableau(2), {C(9, kClubs)});
    EXPECT_FALSE(Removable(5, kHearts));
    EXPECT_TRUE(Removable(4, kHearts));
    Lay(*game->Tableau(1), {C(1, kHearts)});
    EXPECT_TRUE(Removable(5, kHearts));
    EXPECT_FALSE(Removable(1, kHearts));  // aces stay
}

TEST_F(AcesUpTest, TheBaseBonusIsPaidOnce) {
    const int suits[] = {kClubs, kDiamonds, kHearts, kSpades};
    for (int i = 0; i < 4; ++i)
        Lay(*game->Tableau(i), {C(1, suits[i])});
    // The aces already lie at the bases: a deal pays no bonus again.
    EXPECT_EQ(game->ScoreMove(clMove::StockMove()), 0);
    // With the fourth pile empty, the deal that brings its ace completes the
    // bases and pays: the deal gives the stock's fourth card from the top to
    // the fourth pile.
    game->Tableau(3)->Clear();
    Lay(*game->Stock(), {C(1, kSpades), C(6, kSpades), C(7, kSpades), C(8, kSpades)});
    EXPECT_EQ(game->ScoreMove(clMove::StockMove()), 20000);
    ASSERT_TRUE(game->CommitPlayedMove(clMove::StockMove(), true));
    EXPECT_TRUE(game->Tableau(3)->Bottom()->IsAce());
}

TEST_F(AcesUpTest, WonWithTheStockEmptyAndAnAceAloneOnEveryPile) {
    const int suits[] = {kClubs, kDiamonds, kHearts, kSpades};
    for (int i = 0; i < 4; ++i)
        Lay(*game->Tableau(i), {C(1, suits[i])});
    EXPECT_FALSE(game->IsGameWon());  // the stock still holds cards
    EXPECT_TRUE(game->ValidateMove(clMove::StockMove()));
    game->Stock()->Clear();
    EXPECT_TRUE(game->IsGameWon());
    EXPECT_FALSE(game->ValidateMove(clMove::StockMove()));
}

}  // namespace
