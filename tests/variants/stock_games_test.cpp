#include "variants/stock_games.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/table_text.h"
#include "support/test_table.h"
#include "variants/registry.h"

namespace {

using enum clSuit;

clLocation T(int i, int position = 0) {
    return clLocation::Pile(clLocationKind::Tableau, i, position);
}

int CardsIn(const clSolitaireRules& game, clPile* (clSolitaireRules::*pile)(int) const, int count) {
    int n = 0;
    for (int i = 0; i < count; ++i)
        n += static_cast<int>((game.*pile)(i)->Count());
    return n;
}

TEST(StockGamesTest, LayoutsAndDeals) {
    struct Row {
        const char* name;
        int foundations, tableau, reserves;
        int onFoundations, onTableau, onReserves, inStock, inWaste;
    };
    const Row rows[] = {
        {"BlackJack Best", 0, 5, 1, 0, 0, 0, 51, 1},  {"BlackJack Speed", 0, 4, 1, 0, 0, 0, 51, 1},
        {"Aces and Kings", 8, 4, 2, 0, 4, 26, 73, 1}, {"Osmosis", 4, 4, 0, 1, 16, 0, 34, 1},
        {"Fifteen Rush", 0, 7, 0, 0, 28, 0, 21, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto screen = CreateVariant(row.name);
        ASSERT_NE(screen, nullptr);
        auto& game = dynamic_cast<clSolitaireRules&>(*screen);
        game.StartRound(606);
        EXPECT_EQ(game.FoundationCount(), row.foundations);
        EXPECT_EQ(game.TableauCount(), row.tableau);
        EXPECT_EQ(game.ReserveCount(), row.reserves);
        EXPECT_EQ(CardsIn(game, &clSolitaireRules::Foundation, row.foundations), row.onFoundations);
        EXPECT_EQ(CardsIn(game, &clSolitaireRules::Tableau, row.tableau), row.onTableau);
        EXPECT_EQ(CardsIn(game, &clSolitaireRules::Reserve, row.reserves), row.onReserves);
        EXPECT_EQ(static_cast<int>(game.Stock()->Count()), row.inStock);
        EXPECT_EQ(static_cast<int>(game.Waste()->Count()), row.inWaste);
    }
}

class BlackJackTest : public ::testing::Test {
protected:
    template <class Variant>
    void Load() {
        game = Dealt<Variant>(12);
        for (const auto& pile : game->AllPiles()) {
            if (pile.get() != game->Stock()) pile->Clear();
        }
    }
    clCard* C(int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); }
    // Puts a card on the waste and plays it onto tableau pile i by a click.
    bool PlayOnto(int i, clCard* card) {
        Lay(*game->Waste(), {card});
        const std::size_t before = game->History().Count();
        game->PressPile(*game->Tableau(i), game->Tableau(i)->TopIndex());
        return game->History().Count() == before + 1;
    }
    std::unique_ptr<clBlackJackBest> game;
};

TEST_F(BlackJackTest, TotalsCountAcesHighWhenTheyFit) {
    Load<clBlackJackBest>();
    ASSERT_TRUE(PlayOnto(0, C(1, Spades)));
    ASSERT_TRUE(PlayOnto(0, C(10, Hearts)));
    EXPECT_EQ(game->Total(0), 21);

    ASSERT_TRUE(PlayOnto(1, C(1, Clubs)));
    ASSERT_TRUE(PlayOnto(1, C(1, Diamonds)));
    ASSERT_TRUE(PlayOnto(1, C(9, Clubs)));
    EXPECT_EQ(game->Total(1), 21);

    ASSERT_TRUE(PlayOnto(2, C(10, Spades)));
    ASSERT_TRUE(PlayOnto(2, C(9, Spades)));
    EXPECT_FALSE(PlayOnto(2, C(3, Spades)));  // 22
    EXPECT_EQ(game->Total(2), 19);
}

TEST_F(BlackJackTest, BestIsWonWithTwentyOneOnEveryPile) {
    Load<clBlackJackBest>();
    EXPECT_FALSE(game->IsGameWon());
    const clSuit suits[] = {Clubs, Diamonds, Hearts, Spades, Clubs};
    for (int i = 0; i < 5; ++i) {
        Lay(*game->Tableau(i), {C(1, suits[i]), C(13 - i / 4, suits[i])});
    }
    EXPECT_TRUE(game->IsGameWon());
    Lay(*game->Tableau(4), {C(5, Clubs), C(6, Clubs)});
    EXPECT_FALSE(game->IsGameWon());
}

TEST_F(BlackJackTest, SpeedClearsAPileAtTwentyOneOrFiveCards) {
    Load<clBlackJackSpeed>();
    ASSERT_TRUE(PlayOnto(0, C(13, Spades)));
    ASSERT_TRUE(PlayOnto(0, C(1, Spades)));
    EXPECT_EQ(game->Tableau(0)->Count(), 0u);
    EXPECT_FALSE(C(13, Spades)->placed);

    for (const int rank : {2, 3, 2, 3})
        ASSERT_TRUE(PlayOnto(1, C(rank, rank == 2 ? Clubs : Diamonds)));
    EXPECT_EQ(game->Tableau(1)->Count(), 4u);
    ASSERT_TRUE(PlayOnto(1, C(4, Hearts)));  // the fifth card
    EXPECT_EQ(game->Tableau(1)->Count(), 0u);
}

TEST_F(BlackJackTest, SpeedIsWonWhenStockAndWasteAreUsedUp) {
    Load<clBlackJackSpeed>();
    EXPECT_FALSE(game->IsGameWon());
    game->Stock()->Clear();
    game->Waste()->Clear();
    EXPECT_TRUE(game->IsGameWon());
}

TEST(AcesAndKingsTest, AnEmptySpaceIsRefilledFromTheStockInTheSameRecord) {
    auto game = Dealt<clAcesAndKings>(31);
    // A space holding an ace or a king can start a foundation.
    for (int i = 0; i < 4; ++i) {
        const clCard* card = game->Tableau(i)->Top();
        for (int f = 0; f < 8; ++f) {
            const clMove move =
                MoveBetween(*game, T(i), clLocation::Pile(clLocationKind::Foundation, f, 0));
            if (!game->ValidateMove(move)) continue;
            const std::int32_t stockTop = game->Stock()->TopDealIndex();
            ASSERT_TRUE(game->CommitPlayedMove(move));
            EXPECT_EQ(game->Tableau(i)->TopDealIndex(), stockTop) << CardText(*card);
            ASSERT_EQ(game->History().Count(), 1u);
            EXPECT_EQ(game->History().At(0).type, clMoveType::Compound);
            // A saved game with the refill checks and replays.
            const std::string reached = Snapshot(*game);
            EXPECT_TRUE(game->CheckedRebuild());
            EXPECT_EQ(Snapshot(*game), reached);
            return;
        }
    }
    GTEST_SKIP() << "no ace or king in a space on this deal";
}

TEST(OsmosisTest, AFoundationTakesOnlyRanksTheOneAboveHolds) {
    auto game = Dealt<clOsmosis>(8);
    for (const auto& pile : game->AllPiles())
        pile->Clear();
    const auto C = [&](int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); };
    const int base = game->BaseRank();
    const int other = base % 13 + 1;
    Lay(*game->Foundation(0), {C(base, Spades)});
    Lay(*game->Foundation(1), {C(base, Hearts)});
    Lay(*game->Tableau(0), {C(other, Hearts)});
    const clMove move =
        MoveBetween(*game, T(0), clLocation::Pile(clLocationKind::Foundation, 1, 1));
    EXPECT_FALSE(game->ValidateMove(move));
    Lay(*game->Foundation(0), {C(base, Spades), C(other, Spades)});
    EXPECT_TRUE(game->ValidateMove(move));
    // An empty foundation takes only the base rank.
    const clMove start =
        MoveBetween(*game, T(0), clLocation::Pile(clLocationKind::Foundation, 2, 0));
    EXPECT_FALSE(game->ValidateMove(start));
}

TEST(FifteenRushTest, PairsAddUpToFifteenOrAreTwoAces) {
    auto game = Dealt<clFifteenRush>(3);
    const auto D = [&](int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); };
    for (const auto& pile : game->AllPiles())
        pile->Clear();
    struct Case {
        int rankA;
        clSuit suitA;
        int rankB;
        clSuit suitB;
        bool pair;
    };
    const Case cases[] = {
        {1, Clubs, 1, Hearts, true},    {2, Clubs, 13, Hearts, true},  {3, Clubs, 12, Spades, true},
        {4, Clubs, 11, Diamonds, true}, {1, Clubs, 13, Hearts, false}, {7, Clubs, 7, Hearts, false},
    };
    for (const Case& c : cases) {
        clCard* a = D(c.rankA, c.suitA);
        clCard* b = D(c.rankB, c.suitB);
        SCOPED_TRACE(CardText(*a) + " " + CardText(*b));
        Lay(*game->Tableau(0), {a});
        Lay(*game->Tableau(1), {b});
        EXPECT_EQ(game->ValidatePair(a->dealIndex, b->dealIndex), c.pair);
    }
    EXPECT_FALSE(game->ValidatePair(D(5, Clubs)->dealIndex, D(5, Clubs)->dealIndex));
}

// Only a face-up card on top of its pile pairs: not the stock's face-down
// top card, not a covered card of the waste's fan, not a card off the table.
TEST(FifteenRushTest, OnlyFaceUpTopCardsPair) {
    auto game = Dealt<clFifteenRush>(3);
    const auto D = [&](int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); };
    for (const auto& pile : game->AllPiles())
        pile->Clear();
    clCard* two = D(2, Clubs);
    clCard* king = D(13, Hearts);
    Lay(*game->Tableau(0), {two});
    Lay(*game->Tableau(1), {king});
    ASSERT_TRUE(game->ValidatePair(two->dealIndex, king->dealIndex));

    king->faceDown = true;
    EXPECT_FALSE(game->ValidatePair(two->dealIndex, king->dealIndex)) << "face down";
    EXPECT_FALSE(game->ValidatePair(king->dealIndex, two->dealIndex)) << "face down";
    game->Tableau(1)->Clear();
    Lay(*game->Waste(), {king, D(9, Spades)});
    EXPECT_FALSE(game->ValidatePair(two->dealIndex, king->dealIndex)) << "covered";
    Lay(*game->Tableau(1), {king});
    game->Waste()->Clear();
    king->placed = false;
    EXPECT_FALSE(game->ValidatePair(two->dealIndex, king->dealIndex)) << "off the table";
}

TEST(FifteenRushTest, TheStocksFaceDownCardDoesNotPair) {
    // Deal 1: the stock's top card and tableau pile 0's card add up to 15.
    auto game = Dealt<clFifteenRush>(1);
    const clCard& hidden = *game->Stock()->Top();
    const clCard& open = *game->Tableau(0)->Top();
    ASSERT_TRUE(hidden.faceDown);
    ASSERT_EQ(hidden.GetRank() + open.GetRank(), 15);
    EXPECT_FALSE(game->ValidateMove(clMove::PairMove(hidden.dealIndex, open.dealIndex)));
    EXPECT_FALSE(game->ValidateMove(game->PairMoveFor(hidden.dealIndex, open.dealIndex)));
}

TEST(FifteenRushTest, APairThatEmptiesASpaceBringsItsRefill) {
    // Find a deal where tableau pile 0 (a single card) pairs with another top.
    for (std::int32_t deal = 1; deal < 200; ++deal) {
        auto game = Dealt<clFifteenRush>(deal);
        const clPile& first = *game->Tableau(0);
        for (const auto& pile : game->AllPiles()) {
            if (pile.get() == &first || pile->Count() == 0 || pile.get() == game->Stock()) continue;
            if (!game->ValidatePair(first.TopDealIndex(), pile->TopDealIndex())) continue;
            const std::int32_t stockTop = game->Stock()->TopDealIndex();
            game->PressPile(*game->Tableau(0), 0);
            game->PressPile(*pile, pile->TopIndex());
            ASSERT_EQ(game->History().Count(), 1u);
            EXPECT_EQ(game->History().At(0).type, clMoveType::Compound);
            EXPECT_EQ(game->Tableau(0)->TopDealIndex(), stockTop);
            const std::string reached = Snapshot(*game);
            EXPECT_TRUE(game->CheckedRebuild());
            EXPECT_EQ(Snapshot(*game), reached);
            return;
        }
    }
    FAIL() << "no deal with a partner for pile 0";
}

}  // namespace
