// The Pyramid, Golf and Towers families: deals, covering, pairs, plays onto
// the waste, the stock, the scoring that decides their games, and their
// clicks.
#include "variants/removal.h"

#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/table_script.h"
#include "support/random_play.h"
#include "support/variant_fixture.h"

namespace {

int FaceDownTableCards(const clSolitaireRules& game) {
    int n = 0;
    for (int i = 0; i < game.TableauCount(); ++i) {
        const clPile* pile = game.Tableau(i);
        for (int k = 0; k < static_cast<int>(pile->Count()); ++k)
            n += pile->At(k)->faceDown ? 1 : 0;
    }
    return n;
}

// The table piles whose top card may be played or paired now.
std::vector<int> FreePiles(const clSolitaireRules& game) {
    std::vector<int> free;
    for (int i = 0; i < game.TableauCount(); ++i) {
        const clPile* pile = game.Tableau(i);
        if (!pile->IsInert() && pile->Top() && !pile->Top()->blocked && !pile->Top()->faceDown) {
            free.push_back(i);
        }
    }
    return free;
}

int CountOf(const clPile* pile) {
    return pile ? static_cast<int>(pile->Count()) : -1;
}

struct clDealCase {
    const char* name;
    int tableau;
    int cardsPerPile;  // in every table pile after the deal
    int stock;
    int reserve;  // -1: no reserve
    int waste;
    int faceDown;
    int firstFree;  // the free piles are this one and every later one
};

class RemovalDealTest : public VariantTest, public ::testing::WithParamInterface<clDealCase> {};

// The whole pack is dealt once; the right piles are covered, face down and
// free; the stock, reserve and waste get what is left.
TEST_P(RemovalDealTest, DealsTheLayout) {
    const clDealCase& c = GetParam();
    Start(c.name, 7);
    EXPECT_TRUE(EveryCardOnce(*game));
    ASSERT_EQ(game->TableauCount(), c.tableau);
    for (int i = 0; i < c.tableau; ++i)
        EXPECT_EQ(CountOf(game->Tableau(i)), c.cardsPerPile) << "pile " << i;
    EXPECT_EQ(CountOf(game->Stock()), c.stock);
    EXPECT_EQ(CountOf(game->Reserve(0)), c.reserve);
    EXPECT_EQ(CountOf(game->Waste()), c.waste);
    EXPECT_EQ(FaceDownTableCards(*game), c.faceDown);
    std::vector<int> expected;
    for (int i = c.firstFree; i < c.tableau; ++i)
        expected.push_back(i);
    EXPECT_EQ(FreePiles(*game), expected);
    EXPECT_FALSE(game->IsGameWon());
}

INSTANTIATE_TEST_SUITE_P(EveryRemovalGame, RemovalDealTest,
                         ::testing::Values(clDealCase{"Pyramid", 28, 1, 22, 1, 1, 0, 21},
                                           clDealCase{"Hidden Pyramid", 28, 1, 22, 1, 1, 21, 21},
                                           clDealCase{"Double Pyramid", 50, 1, 52, 1, 1, 0, 39},
                                           clDealCase{"Cheops", 28, 1, 22, 1, 1, 0, 21},
                                           clDealCase{"King Tut", 28, 1, 21, -1, 3, 0, 21},
                                           clDealCase{"Picking Pairs", 33, 1, 18, -1, 1, 0, 28},
                                           clDealCase{"Golf", 7, 5, 16, -1, 1, 0, 0},
                                           clDealCase{"Putt Putt", 7, 5, 16, -1, 1, 0, 0},
                                           clDealCase{"Driving Range", 7, 5, 16, -1, 1, 0, 0},
                                           clDealCase{"Night Golf", 7, 5, 16, -1, 1, 28, 0},
                                           clDealCase{"Triple Towers", 28, 1, 23, -1, 1, 18, 18},
                                           clDealCase{"Triple Peaks", 28, 1, 23, -1, 1, 0, 18},
                                           clDealCase{"Twin Peaks", 50, 1, 53, -1, 1, 39, 39},
                                           clDealCase{"Crown Peaks", 127, 1, 80, -1, 1, 117, 117},
                                           clDealCase{"Rapunzel", 78, 1, 77, -1, 1, 71, 71}),
                         [](const auto& info) { return Identifier(info.param.name); });

// Entries of the covering lists: pile p is covered by a and b.
struct clCoverCase {
    const char* name;
    int pile;
    int first;
    int second;
};

class CoveringTest : public VariantTest, public ::testing::WithParamInterface<clCoverCase> {};

// With every other table pile cleared, the pile stays blocked while either of
// its two covering piles holds a card, and turns up free once both are gone.
TEST_P(CoveringTest, FreesAPileWhenBothCoversAreGone) {
    const clCoverCase& c = GetParam();
    Start(c.name, 3);
    clPile* pile = game->Tableau(c.pile);
    for (int i = 0; i < game->TableauCount(); ++i) {
        if (i != c.pile && i != c.first && i != c.second) game->Tableau(i)->Clear();
    }
    std::vector<int> covers{c.first};
    if (c.second != c.first) covers.push_back(c.second);
    for (const int cover : covers) {
        game->AfterMove();
        EXPECT_TRUE(pile->IsInert()) << "still covered by " << cover;
        EXPECT_TRUE(pile->Top()->blocked);
        EXPECT_TRUE(pile->LabelHidden());
        game->Tableau(cover)->Clear();
    }
    game->AfterMove();
    EXPECT_FALSE(pile->IsInert());
    EXPECT_FALSE(pile->Top()->blocked);
    EXPECT_FALSE(pile->Top()->faceDown);
    EXPECT_FALSE(pile->LabelHidden());
}

INSTANTIATE_TEST_SUITE_P(
    CoveringLists, CoveringTest,
    ::testing::Values(
        clCoverCase{"Pyramid", 0, 1, 2}, clCoverCase{"Pyramid", 6, 10, 11},
        clCoverCase{"Pyramid", 20, 26, 27}, clCoverCase{"Hidden Pyramid", 14, 19, 20},
        clCoverCase{"Double Pyramid", 3, 7, 8}, clCoverCase{"Double Pyramid", 11, 18, 19},
        clCoverCase{"Double Pyramid", 12, 20, 21}, clCoverCase{"Double Pyramid", 38, 48, 49},
        clCoverCase{"Picking Pairs", 0, 6, 6}, clCoverCase{"Picking Pairs", 16, 21, 21},
        clCoverCase{"Picking Pairs", 26, 31, 32}, clCoverCase{"Triple Towers", 0, 3, 4},
        clCoverCase{"Triple Towers", 8, 16, 17}, clCoverCase{"Triple Towers", 17, 26, 27},
        clCoverCase{"Twin Peaks", 1, 4, 5}, clCoverCase{"Crown Peaks", 3, 10, 11},
        clCoverCase{"Crown Peaks", 11, 21, 21}, clCoverCase{"Crown Peaks", 53, 63, 63},
        clCoverCase{"Crown Peaks", 116, 126, 126}, clCoverCase{"Rapunzel", 9, 15, 16},
        clCoverCase{"Rapunzel", 6, 13, 13}, clCoverCase{"Rapunzel", 70, 76, 77}),
    [](const auto& info) { return Identifier(info.param.name) + std::to_string(info.param.pile); });

// Pairs: the cards lie on the waste and the reserve unless said, so that no
// row points mix in.
class PairTest : public VariantTest {
protected:
    // The table cleared, with a card left in the stock.
    void Table(const char* name) {
        Start(name);
        ClearTable();
        Put(game->Stock(), "2C");
    }
    std::int32_t Points(const clMove& move) { return game->ScoreMove(move); }
};

TEST_F(PairTest, PyramidPairsThirteensAndTakesKingsAlone) {
    Table("Pyramid");
    clPile* waste = game->Waste();
    clPile* reserve = game->Reserve(0);
    Put(waste, "AD");
    Put(reserve, "QS");
    EXPECT_TRUE(game->ValidateMove(Pair(waste, reserve)));
    EXPECT_EQ(Points(Pair(waste, reserve)), 1000);

    Put(reserve, "KS");
    EXPECT_FALSE(game->ValidateMove(Pair(waste, reserve))) << "14";
    EXPECT_TRUE(game->ValidateMove(Pair(reserve, reserve)));
    EXPECT_FALSE(game->ValidateMove(Pair(waste, waste))) << "only a King goes alone";

    // A King on the bottom row: 500 and its row's 100 (the table is not cleared).
    clPile* bottom = game->Tableau(27);
    Put(game->Tableau(21), "2H");
    Put(bottom, "KH");
    EXPECT_EQ(Points(Pair(bottom, bottom)), 600);
}

TEST_F(PairTest, CoveredAndStockCardsDoNotPair) {
    Table("Pyramid");
    Put(game->Tableau(20), "6H");
    Put(game->Tableau(27), "4C");  // covers pile 20
    Put(game->Waste(), "7S");
    Put(game->Stock(), "9C");
    EXPECT_FALSE(game->ValidateMove(Pair(game->Tableau(20), game->Waste())));
    EXPECT_FALSE(game->ValidateMove(Pair(game->Stock(), game->Tableau(27))));
    game->Tableau(27)->Clear();
    game->AfterMove();
    EXPECT_TRUE(game->ValidateMove(Pair(game->Tableau(20), game->Waste())));
}

TEST_F(PairTest, CheopsPairsEqualAndNeighbouringRanksWithoutWrapping) {
    Table("Cheops");
    clPile* waste = game->Waste();
    clPile* reserve = game->Reserve(0);
    const struct {
        const char* waste;
        const char* reserve;
        int points;  // 0: refused
    } cases[] = {
        {"7D", "7S", 1500}, {"7D", "8S", 500}, {"8D", "7S", 500}, {"KD", "AS", 0}, {"7D", "9S", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.waste) + " " + c.reserve);
        Put(waste, c.waste);
        Put(reserve, c.reserve);
        const clMove pair = Pair(waste, reserve);
        EXPECT_EQ(game->ValidateMove(pair), c.points != 0);
        if (c.points != 0) {
            EXPECT_EQ(Points(pair), c.points);
        }
    }
    Put(reserve, "KS");
    EXPECT_FALSE(game->ValidateMove(Pair(reserve, reserve))) << "nothing goes alone";
}

TEST_F(PairTest, PickingPairsCountsKingAndAceAsNeighbours) {
    Table("Picking Pairs");
    clPile* waste = game->Waste();
    clPile* table = game->Tableau(30);
    const struct {
        const char* waste;
        const char* table;
        int points;
    } cases[] = {
        {"KD", "AS", 500}, {"AD", "KS", 500}, {"9D", "9S", 3000}, {"9D", "JS", 0}, {"QD", "AS", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.waste) + " " + c.table);
        Put(waste, c.waste);
        Put(table, c.table);
        EXPECT_EQ(game->ValidateMove(Pair(waste, table)), c.points != 0);
        if (c.points != 0) {
            EXPECT_EQ(Points(Pair(waste, table)), c.points + 10000) << "the table is cleared";
        }
    }
}

// The stock of Pyramid deals through the reserve, and comes back.
class PyramidStockTest : public VariantTest {
protected:
    void SetUp() override {
        Start("Pyramid", 11);
        stock = game->Stock();
        reserve = game->Reserve(0);
        waste = game->Waste();
    }
    void Click(clPile* pile) {
        game->PressPile(*pile, pile->Count() > 0 ? pile->TopIndex() : 0);
        game->ReleasePick();
    }
    clPile* stock = nullptr;
    clPile* reserve = nullptr;
    clPile* waste = nullptr;
};

TEST_F(PyramidStockTest, AClickMovesTheReserveCardToTheWasteAndRefillsTheReserve) {
    const std::int32_t reserveCard = reserve->TopDealIndex();
    const std::int32_t stockTop = stock->TopDealIndex();
    Click(stock);
    EXPECT_EQ(waste->TopDealIndex(), reserveCard);
    EXPECT_EQ(reserve->TopDealIndex(), stockTop);
    EXPECT_FALSE(reserve->Top()->faceDown);
    EXPECT_EQ(game->Score(), -200);
    EXPECT_EQ(game->History().Count(), 1u) << "one move, undone at once";

    // A click on an empty reserve deals the stock's card alone.
    reserve->Clear();
    const std::int32_t next = stock->TopDealIndex();
    Click(reserve);
    EXPECT_EQ(reserve->TopDealIndex(), next);
}

TEST_F(PyramidStockTest, RedealsRestoreTheDealingOrderAtAGrowingCost) {
    std::vector<std::int32_t> order;  // reserve card, then the stock from its top
    order.push_back(reserve->TopDealIndex());
    for (int i = stock->TopIndex(); i >= 0; --i)
        order.push_back(stock->At(i)->dealIndex);
    const std::int32_t firstWaste = waste->TopDealIndex();
    while (stock->Count() > 0)
        Click(stock);
    EXPECT_FALSE(game->IsGameWon());

    const std::int32_t before = game->Score();
    Click(stock);  // the empty stock asks for the redeal
    EXPECT_EQ(game->Score(), before - 500);
    EXPECT_EQ(CountOf(reserve), 0);
    EXPECT_EQ(CountOf(waste), 0);
    ASSERT_EQ(CountOf(stock), 24);
    EXPECT_EQ(stock->TopDealIndex(), firstWaste) << "the waste's first card is dealt first";
    EXPECT_EQ(stock->BottomDealIndex(), order.back()) << "the reserve's card goes last";
    for (int i = 0; i < 24; ++i)
        EXPECT_TRUE(stock->At(i)->faceDown);

    while (stock->Count() > 0)
        Click(stock);
    const std::int32_t again = game->Score();
    Click(stock);
    EXPECT_EQ(game->Score(), again - 1000) << "each redeal costs 500 more";
}

TEST_F(PyramidStockTest, RefusesDealsOfTheWrongShape) {
    const auto card = [](const clPile* pile, clLocationKind kind, int position) {
        return clMove::CardMove(pile->TopDealIndex(),
                                kind == clLocationKind::Reserve
                                    ? clLocation::Pile(kind, 0, position)
                                    : clLocation::Single(kind, position),
                                {});
    };
    clMove toWaste = card(reserve, clLocationKind::Reserve, 0);
    toWaste.to = clLocation::Single(clLocationKind::Waste, static_cast<int>(waste->Count()));
    clMove toReserve = card(stock, clLocationKind::Stock, stock->TopIndex());
    toReserve.to = clLocation::Pile(clLocationKind::Reserve, 0, 0);

    EXPECT_TRUE(game->ValidateMove(clMove::CompoundMove({toWaste, toReserve})));
    EXPECT_FALSE(game->ValidateMove(clMove::CompoundMove({toReserve, toWaste})));
    EXPECT_FALSE(game->ValidateMove(clMove::CompoundMove({toWaste, toWaste})));
    EXPECT_FALSE(game->ValidateMove(clMove::CompoundMove({toWaste, toReserve, toReserve})));
    EXPECT_FALSE(game->ValidateMove(toReserve)) << "the reserve is full";
    EXPECT_EQ(CountOf(reserve), 1) << "validation leaves the reserve as it was";
    EXPECT_FALSE(game->ValidateMove(clMove::StockMove())) << "the stock is not empty";

    // No table card leaves by a card move, not even into the empty reserve.
    reserve->Clear();
    clPile* free = game->Tableau(27);
    EXPECT_FALSE(game->ValidateMove(Move(free, reserve)));
    EXPECT_FALSE(game->ValidateMove(Move(waste, stock)));
}

TEST_F(PyramidStockTest, IsWonOnlyWhenStockReserveAndWasteAreEmptyToo) {
    for (int i = 0; i < game->TableauCount(); ++i)
        game->Tableau(i)->Clear();
    EXPECT_FALSE(game->IsGameWon());
    stock->Clear();
    reserve->Clear();
    EXPECT_FALSE(game->IsGameWon());
    waste->Clear();
    EXPECT_TRUE(game->IsGameWon());
}

TEST_F(VariantTest, KingTutDealsThreeRedealsAndIsWonWithCardsLeft) {
    Start("King Tut", 4);
    clPile* stock = game->Stock();
    clPile* waste = game->Waste();
    const std::int32_t third = stock->At(stock->TopIndex() - 2)->dealIndex;
    game->PressPile(*stock, stock->TopIndex());
    EXPECT_EQ(CountOf(waste), 6);
    EXPECT_EQ(waste->TopDealIndex(), third);
    EXPECT_EQ(game->History().Count(), 1u);

    while (stock->Count() > 0)
        game->PressPile(*stock, stock->TopIndex());
    game->PressPile(*stock, 0);
    EXPECT_EQ(CountOf(stock), 24);
    EXPECT_EQ(game->StockActions(), 1);

    for (int i = 0; i < game->TableauCount(); ++i)
        game->Tableau(i)->Clear();
    EXPECT_TRUE(game->IsGameWon());

    // Only the waste's top card may pair.
    Put(waste, "KD 2S");
    const clMove king = clMove::PairMove(Card("KD")->dealIndex, Card("KD")->dealIndex);
    EXPECT_FALSE(game->ValidateMove(king));
    Put(waste, "2S KD");
    EXPECT_TRUE(game->ValidateMove(king));
}

// Two clicks pair; a first click on a King removes it at once; a covered
// card cannot be clicked.
TEST_F(VariantTest, PyramidClicksSelectAndPair) {
    Start("Pyramid");
    ClearTable();
    Put(game->Stock(), "2C");
    Put(game->Tableau(26), "KD");
    Put(game->Tableau(27), "6S");
    Put(game->Tableau(20), "8H");  // covered by 26 and 27
    Put(game->Waste(), "8C");
    Put(game->Reserve(0), "5H");
    const auto press = [&](clPile* pile) { return game->PressPile(*pile, pile->TopIndex()); };

    EXPECT_FALSE(press(game->Tableau(20)));
    EXPECT_EQ(game->SelectionCount(), 0);
    press(game->Tableau(26));
    EXPECT_EQ(CountOf(game->Tableau(26)), 0) << "a King goes alone";

    press(game->Tableau(27));
    EXPECT_EQ(game->SelectionCount(), 1);
    press(game->Tableau(27));
    EXPECT_EQ(game->SelectionCount(), 0) << "a second click deselects";

    press(game->Tableau(27));
    press(game->Waste());
    EXPECT_EQ(game->SelectionCount(), 0);
    EXPECT_EQ(CountOf(game->Tableau(27)), 1) << "6 and 8 do not pair";
    EXPECT_FALSE(press(game->Tableau(20))) << "still covered by pile 27";

    Put(game->Waste(), "7C");
    press(game->Tableau(27));
    press(game->Waste());
    EXPECT_EQ(CountOf(game->Tableau(27)), 0);
    EXPECT_EQ(CountOf(game->Waste()), 0);
    press(game->Tableau(20));
    press(game->Reserve(0));
    EXPECT_EQ(CountOf(game->Tableau(20)), 0) << "8 and 5, once pile 20 was free";
    EXPECT_FALSE(game->IsGameWon()) << "a card is left in the stock";
}

// Plays onto the waste: one rank up or down; Golf neither wraps nor takes
// anything on a King.
struct clWasteCase {
    const char* name;
    const char* waste;
    const char* played;
    bool valid;
};

class WasteTest : public VariantTest, public ::testing::WithParamInterface<clWasteCase> {};

TEST_P(WasteTest, TakesOneRankUpOrDown) {
    const clWasteCase& c = GetParam();
    Start(c.name);
    ClearTable();
    Put(game->Stock(), "2C");
    clPile* pile = game->Tableau(game->TableauCount() - 1);
    Put(pile, c.played);
    Put(game->Waste(), c.waste);
    EXPECT_EQ(game->ValidateMove(Move(pile, game->Waste())), c.valid);
}

INSTANTIATE_TEST_SUITE_P(
    GolfAndTowers, WasteTest,
    ::testing::Values(
        clWasteCase{"Golf", "KS", "QD", false}, clWasteCase{"Golf", "QS", "KD", true},
        clWasteCase{"Golf", "KS", "AD", false}, clWasteCase{"Golf", "AS", "KD", false},
        clWasteCase{"Golf", "2S", "AD", true}, clWasteCase{"Golf", "5S", "5D", false},
        clWasteCase{"Night Golf", "KS", "QD", false}, clWasteCase{"Putt Putt", "KS", "QD", true},
        clWasteCase{"Putt Putt", "KS", "AD", true}, clWasteCase{"Putt Putt", "AS", "KD", true},
        clWasteCase{"Putt Putt", "5S", "7D", false}, clWasteCase{"Triple Towers", "KS", "AD", true},
        clWasteCase{"Triple Peaks", "9S", "8S", true}, clWasteCase{"Rapunzel", "9S", "JS", false}),
    [](const ::testing::TestParamInfo<clWasteCase>& info) {
        std::string name;
        for (const char c :
             std::string(info.param.name) + "_" + info.param.played + "On" + info.param.waste) {
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') name += c;
        }
        return name;
    });

TEST_F(VariantTest, GolfScoresRunsColumnsAndStockCards) {
    Start("Golf");
    ClearTable();
    Put(game->Stock(), "2C 3C");
    Put(game->Waste(), "5S");
    Put(game->Tableau(0), "6H");
    Put(game->Tableau(1), "KC 7H");
    Put(game->Tableau(2), "KD 8H");
    Put(game->Tableau(3), "KS 9H");
    for (int i = 0; i < 3; ++i) {
        const clMove move = Move(game->Tableau(i), game->Waste());
        // 1000, the run so far times 100, and 1000 for the emptied column.
        EXPECT_EQ(game->ScoreMove(move), 1000 + 100 * i + (i == 0 ? 1000 : 0));
        ASSERT_TRUE(game->CommitPlayedMove(move));
    }
    EXPECT_EQ(game->ScoreMove(Move(game->Tableau(3), game->Waste())), 1300);

    EXPECT_EQ(game->ScoreboardValues().extra.rows.at(1).valueColour, clScoreboard::kYellow)
        << "yellow while the current run is the longest";

    game->PressPile(*game->Stock(), 1);
    EXPECT_EQ(game->Score(), 2000 + 1100 + 1200 - 1500) << "a stock card costs 1500";
    EXPECT_EQ(game->Streak(), 0);
    EXPECT_EQ(game->LongestStreak(), 3);
    const auto rows = game->ScoreboardValues().extra.rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].label, "CURRENT RUN");
    EXPECT_EQ(rows[0].value, "0");
    EXPECT_EQ(rows[1].label, "LONGEST RUN");
    EXPECT_EQ(rows[1].value, "3");
    EXPECT_EQ(rows[1].labelColour, clScoreboard::kLightGrey);
    EXPECT_EQ(rows[1].valueColour, clScoreboard::kWhite) << "white while the runs differ";
}

// What the help pages promise: a card turned from the stock costs the stock
// card cost, and nothing more (the waste points are for table cards).
TEST_F(VariantTest, AStockCardCostsTheStockCardCostInGolfAndTheTowersGames) {
    for (const char* name : {"Golf", "Putt Putt", "Driving Range", "Night Golf", "Triple Towers",
                             "Triple Peaks", "Twin Peaks", "Crown Peaks", "Rapunzel"}) {
        Start(name, 9);
        clPile& stock = *game->Stock();
        ASSERT_GT(stock.Count(), 0u) << name;
        const std::int32_t before = game->Score();
        game->PressPile(stock, stock.TopIndex());
        EXPECT_EQ(game->History().Count(), 1u) << name;
        EXPECT_EQ(game->Score() - before, -game->Points().values.stockCardCost) << name;
        EXPECT_GT(game->Points().values.stockCardCost, 0) << name;
    }
}

TEST_F(VariantTest, GolfIsWonWhenTheColumnsAreClearedWhateverTheStockHolds) {
    Start("Golf");
    ClearTable();
    Put(game->Stock(), "2C 3C");
    Put(game->Waste(), "5S");
    EXPECT_TRUE(game->IsGameWon());
}

// A click on a column plays its top card onto the waste (whichever of its
// cards was hit), or nothing when the card does not fit.
TEST_F(VariantTest, GolfClicksPlayTheColumnTop) {
    Start("Golf");
    ClearTable();
    Put(game->Stock(), "2C 3C");
    Put(game->Waste(), "5S");
    Put(game->Tableau(0), "9D 6H");
    Put(game->Tableau(1), "KC 8H");
    game->PressPile(*game->Tableau(1), 1);
    EXPECT_EQ(game->History().Count(), 0u);
    game->PressPile(*game->Tableau(0), 0);
    EXPECT_EQ(CountOf(game->Tableau(0)), 1);
    EXPECT_EQ(game->Waste()->Top()->GetRank(), 6);
}

TEST_F(VariantTest, TripleTowersPaysThePeakBonusesInTurn) {
    Start("Triple Towers");
    ClearTable();
    Put(game->Stock(), "2C");
    Put(game->Waste(), "5S");
    Put(game->Tableau(0), "6H");
    Put(game->Tableau(1), "7H");
    Put(game->Tableau(2), "8H");
    // 100 for the card, 100 per card of the run, and the peak's bonus; the
    // third peak earns only the table-cleared bonus.
    const int expected[] = {100 + 5000, 100 + 100 + 10000, 100 + 200 + 15000};
    for (int i = 0; i < 3; ++i) {
        const clMove move = Move(game->Tableau(i), game->Waste());
        EXPECT_EQ(game->ScoreMove(move), expected[i]) << "peak " << i;
        ASSERT_TRUE(game->CommitPlayedMove(move));
    }
    EXPECT_TRUE(game->RoundEnded());
    EXPECT_TRUE(game->LastRoundWon());
}

TEST_F(VariantTest, DrivingRangeDealsItsStockFaceUp) {
    Start("Driving Range", 9);
    const clPile* stock = game->Stock();
    for (int i = 0; i < static_cast<int>(stock->Count()); ++i)
        EXPECT_FALSE(stock->At(i)->faceDown) << "stock card " << i;
}

TEST_F(VariantTest, NightGolfShowsOnlyTheColumnTops) {
    Start("Night Golf", 9);
    game->PressPile(*game->Stock(), game->Stock()->TopIndex());
    for (int i = 0; i < game->TableauCount(); ++i) {
        const clPile* pile = game->Tableau(i);
        for (int k = 0; k < static_cast<int>(pile->Count()); ++k)
            EXPECT_EQ(pile->At(k)->faceDown, k != pile->TopIndex()) << i << ":" << k;
    }
}

// The move file's CLICK carries a click out and is refused when it changes
// nothing.
TEST_F(VariantTest, MoveFileClicksSelectAndPair) {
    Start("Pyramid");
    ClearTable();
    Put(game->Stock(), "2C");
    Put(game->Tableau(27), "6S");
    Put(game->Tableau(20), "8H");
    Put(game->Waste(), "8C");
    const auto click = [&](const char* line) {
        clScriptCommand command;
        std::string error;
        EXPECT_TRUE(ParseScriptLine(line, command, error)) << error;
        return ApplyScriptCommand(*game, command);
    };
    EXPECT_FALSE(click("CLICK t20")) << "covered";
    EXPECT_TRUE(click("CLICK t27"));
    EXPECT_FALSE(click("CLICK w")) << "6 and 8 do not pair";
    EXPECT_TRUE(click("CLICK t27"));
    Put(game->Reserve(0), "7D");
    EXPECT_TRUE(click("click r0"));
    EXPECT_EQ(CountOf(game->Tableau(27)), 0);
    EXPECT_FALSE(click("CLICK t27")) << "an empty table pile";
    EXPECT_FALSE(click("CLICK t20:3")) << "no such card";
    EXPECT_FALSE(click("CLICK t99"));
}

}  // namespace
