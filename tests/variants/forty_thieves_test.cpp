// The Forty Thieves family: layouts and deals, what moves and what fills a
// space, and the unlimited redeal with its growing cost.
#include "variants/forty_thieves.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/variant_table.h"

namespace {

const std::vector<clLayoutCase> kLayouts = {
    {.game = "Forty Thieves",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 0 0 0 0 t 4 4 4 4 4 4 4 4 4 4 s 63 w 1",
     .faceDown = "0 0 0 0 0 0 0 0 0 0",
     .keys = "1234567890",
     .anchors = {{"f0", "3,0.75,-28"},
                 {"f7", "10,0.75"},
                 {"t0", "0.5,2,-18"},
                 {"t9", "9.5,2,18"},
                 {"s", "0,0.75"},
                 {"w", "1,0.75,12"}},
     .dealt = {{"t0", "0 10 20 30"}, {"t9", "9 19 29 39"}, {"w", "103"}}},
    {.game = "Interchange",
     .width = 9,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 0 0 0 0 t 7 7 7 7 7 7 7 s 54 w 1",
     .faceDown = "3 3 3 3 3 3 3",
     .keys = "1234567",
     .anchors = {{"f0", "1,0.75,-28"},
                 {"f7", "8,0.75"},
                 {"t0", "2,2,-24"},
                 {"t6", "8,2"},
                 {"s", "0,2"},
                 {"w", "0,3.25"}},
     .dealt = {{"t0", "0 7 14 21 28 35 42"}, {"t6", "6 13 20 27 34 41 48"}, {"w", "103"}}},
    {.game = "Interchange Kings",
     .width = 9,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 0 0 0 0 t 7 7 7 7 7 7 7 s 54 w 1",
     .faceDown = "3 3 3 3 3 3 3",
     .keys = "1234567",
     .anchors = {{"t0", "2,2,-24"}, {"w", "0,3.25"}},
     .dealt = {{"t3", "3 10 17 24 31 38 45"}}},
    {.game = "Thieves of Egypt",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 0 0 0 0 t 1 3 5 7 9 10 8 6 4 2 s 48 w 1",
     .faceDown = "0 0 0 0 0 0 0 0 0 0",
     .keys = "1234567890",
     .anchors = {{"f0", "3,0.75,-28"}, {"t0", "0.5,2,-18"}, {"s", "0,0.75"}, {"w", "1,0.75,12"}},
     .dealt = {{"t0", "0"},
               {"t1", "1 10 19"},
               {"t5", "5 14 23 30 37 42 47 50 53 54"},
               {"t9", "9 18"},
               {"w", "103"}}},
};

class ThievesLayoutTest : public ::testing::TestWithParam<clLayoutCase> {};

TEST_P(ThievesLayoutTest, DealsItsLayout) {
    ExpectLayout(GetParam(), 1);
    ExpectLayout(GetParam(), 99);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, ThievesLayoutTest, ::testing::ValuesIn(kLayouts),
                         LayoutName);

TEST(InterchangeTest, RowsAlternateFaceUpAndDown) {
    clRecordingVariant<clInterchange> game(17);
    for (int i = 0; i < game.TableauCount(); ++i) {
        for (int row = 0; row < 7; ++row) {
            const clCard* card = game.Tableau(i)->At(row);
            EXPECT_EQ(card->faceDown, row % 2 == 1) << "t" << i << " row " << row;
            EXPECT_EQ(card->blocked, row % 2 == 1) << "t" << i << " row " << row;
        }
    }
}

TEST(InterchangeTest, UncoveringTurnsTheCardUp) {
    clRecordingVariant<clInterchange> game(17);
    ClearTable(game);
    LayCards(game, *game.Tableau(0), "2C 9H 4S");
    game.Tableau(0)->At(1)->faceDown = game.Tableau(0)->At(1)->blocked = true;
    LayCards(game, *game.Tableau(1), "5S");
    ASSERT_TRUE(
        game.CommitPlayedMove(clMove::CardMove(0, clLocation::Pile(clLocationKind::Tableau, 0, 2),
                                               clLocation::Pile(clLocationKind::Tableau, 1, 1))));
    EXPECT_FALSE(game.Tableau(0)->Top()->faceDown);
    EXPECT_FALSE(game.Tableau(0)->Top()->blocked);
}

// Column 0 empty, a Queen on column 1, a King on column 2, and the in-suit
// run 9S 8S on column 3 beside a ten of spades on column 4.
template <class Variant>
struct clThievesTable {
    clThievesTable() : game(23) {
        ClearTable(game);
        LayCards(game, *game.Tableau(1), "QH");
        LayCards(game, *game.Tableau(2), "KH");
        LayCards(game, *game.Tableau(3), "9S 8S");
        LayCards(game, *game.Tableau(4), "TS");
    }
    bool Moves(int from, int position, int to) {
        return game.ValidateMove(
            clMove::CardMove(0, clLocation::Pile(clLocationKind::Tableau, from, position),
                             clLocation::Pile(clLocationKind::Tableau, to,
                                              static_cast<int>(game.Tableau(to)->Count()))));
    }
    clRecordingVariant<Variant> game;
};

template <class Variant>
void ExpectSpaces(bool queenFills, bool kingFills) {
    clThievesTable<Variant> table;
    EXPECT_EQ(table.Moves(1, 0, 0), queenFills);
    EXPECT_EQ(table.Moves(2, 0, 0), kingFills);
}

TEST(ThievesTest, SpacesTakeAnyCardOrOnlyAKing) {
    ExpectSpaces<clFortyThieves>(true, true);
    ExpectSpaces<clInterchange>(true, true);
    ExpectSpaces<clInterchangeKings>(false, true);
    ExpectSpaces<clThievesOfEgypt>(false, true);
}

TEST(ThievesTest, FortyThievesMovesOneCardAtATime) {
    clThievesTable<clFortyThieves> thieves;
    EXPECT_FALSE(thieves.Moves(3, 0, 4));  // 9S 8S onto TS
    EXPECT_TRUE(thieves.Moves(3, 1, 0));   // 8S into the space

    clThievesTable<clInterchange> interchange;
    EXPECT_TRUE(interchange.Moves(3, 0, 4));
}

// Deals the whole stock to the waste, then clicks the empty stock: the waste
// goes back face down in the stock's first order, for cost + earlier
// redeals x increment.
template <class Variant>
void ExpectRedeals(std::int32_t cost, std::int32_t increment) {
    clRecordingVariant<Variant> game(31);
    clPile& stock = *game.Stock();
    const std::string firstOrder = DealPositions(stock) + " " + DealPositions(*game.Waste());
    for (int redeal = 0; redeal < 3; ++redeal) {
        while (stock.Count() > 0) {
            game.PressPile(stock, stock.TopIndex());
            game.ReleasePick();
        }
        const std::int32_t before = game.Score();
        game.PressPile(stock, 0);
        game.ReleasePick();

        EXPECT_EQ(game.Waste()->Count(), 0u);
        EXPECT_EQ(DealPositions(stock), firstOrder);
        for (int i = 0; i < static_cast<int>(stock.Count()); ++i)
            EXPECT_TRUE(stock.At(i)->faceDown);
        EXPECT_EQ(game.Score() - before, -(cost + redeal * increment)) << "redeal " << redeal;
        EXPECT_EQ(game.History().At(game.History().Count() - 1).type, clMoveType::Stock);
    }
}

TEST(ThievesTest, TheEmptyStockTakesTheWasteBackForAGrowingCost) {
    ExpectRedeals<clFortyThieves>(10000, 10000);
    ExpectRedeals<clInterchange>(10000, 5000);
    ExpectRedeals<clInterchangeKings>(10000, 5000);
    ExpectRedeals<clThievesOfEgypt>(10000, 5000);
}

}  // namespace
