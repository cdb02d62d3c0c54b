// The FreeCell family: deals, the free-cell move limits, Penguin's dealt
// base, Eight On's Aces and Beleaguered Castle's fans.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/random_play.h"
#include "support/variant_fixture.h"
#include "variants/solitaire_game.h"

namespace {

std::string Counts(const clSolitaireRules& game, clPile* (clSolitaireRules::*pile)(int) const,
                   int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += (i ? " " : "") + std::to_string((game.*pile)(i)->Count());
    return text;
}

// '.' for an empty cell, 'X' for a dealt one.
std::string Cells(const clSolitaireRules& game) {
    std::string text;
    for (int i = 0; i < game.ReserveCount(); ++i)
        text += game.Reserve(i)->Count() ? 'X' : '.';
    return text;
}

struct clDealCase {
    const char* name;
    const char* foundations;  // cards on each foundation
    const char* columns;      // cards in each column
    const char* cells;
    char columnKey;  // of the first column and the first cell
    char cellKey;
};

class FreeCellDealTest : public VariantTest, public ::testing::WithParamInterface<clDealCase> {};

TEST_P(FreeCellDealTest, DealsEveryCardFaceUp) {
    const clDealCase& c = GetParam();
    Start(c.name, 5);
    EXPECT_TRUE(EveryCardOnce(*game));
    EXPECT_EQ(Counts(*game, &clSolitaireRules::Foundation, game->FoundationCount()), c.foundations);
    EXPECT_EQ(Counts(*game, &clSolitaireRules::Tableau, game->TableauCount()), c.columns);
    EXPECT_EQ(Cells(*game), c.cells);
    for (const auto& pile : game->AllPiles()) {
        for (int k = 0; k < static_cast<int>(pile->Count()); ++k) {
            EXPECT_FALSE(pile->At(k)->faceDown);
            EXPECT_FALSE(pile->At(k)->blocked);
        }
    }
    EXPECT_EQ(game->Tableau(0)->Key1(), c.columnKey);
    EXPECT_EQ(game->ReserveCount() ? game->Reserve(0)->Key1() : 0, c.cellKey);
    EXPECT_EQ(game->Stock(), nullptr);
    EXPECT_EQ(game->Waste(), nullptr);
    EXPECT_TRUE(game->OffersAutoPlay());
}

INSTANTIATE_TEST_SUITE_P(
    EveryFreeCellGame, FreeCellDealTest,
    ::testing::Values(
        clDealCase{"FreeCell", "0 0 0 0", "7 7 7 7 6 6 6 6", "....", '1', 'A'},
        clDealCase{"FreeCell Kings", "0 0 0 0", "7 7 7 7 6 6 6 6", "....", '1', 'A'},
        clDealCase{"ForeCell", "0 0 0 0", "7 7 7 7 6 6 6 6", "....", '1', 'A'},
        clDealCase{"Three Cells", "0 0 0 0", "7 7 7 7 6 6 6 6", "...", '1', 'A'},
        clDealCase{"Two Cells", "0 0 0 0", "7 7 7 7 6 6 6 6", "..", '1', 'A'},
        clDealCase{"Seven By Four", "0 0 0 0", "8 8 8 7 7 7 7", "....", '1', 'A'},
        clDealCase{"Seven By Four Kings", "0 0 0 0", "8 8 8 7 7 7 7", "....", '1', 'A'},
        clDealCase{"Seven By Five", "0 0 0 0", "8 8 8 7 7 7 7", ".....", '1', 'A'},
        clDealCase{"Four By Ten", "0 0 0 0", "13 13 13 13", "..........", '1', 'A'},
        clDealCase{"Ten By One", "0 0 0 0", "6 6 5 5 5 5 5 5 5 5", ".", '1', 'A'},
        clDealCase{"Sea Towers", "0 0 0 0", "5 5 5 5 5 5 5 5 5 5", ".XX.", '1', 'A'},
        clDealCase{"Sea Towers Kings", "0 0 0 0", "5 5 5 5 5 5 5 5 5 5", ".XX.", '1', 'A'},
        clDealCase{"Double SeaTowers", "0 0 0 0 0 0 0 0", "9 9 9 9 9 9 9 9 9 9 9", "..XXXXX..", '1',
                   'A'},
        clDealCase{"Baker's Game", "0 0 0 0", "7 7 7 7 6 6 6 6", "....", '1', 'A'},
        clDealCase{"Baker's Game Kings", "0 0 0 0", "7 7 7 7 6 6 6 6", "....", '1', 'A'},
        clDealCase{"Eight Off", "0 0 0 0", "6 6 6 6 6 6 6 6", "XXXX....", 'A', '1'},
        clDealCase{"Eight On", "0 0 0 0", "6 6 6 6 5 5 5 5", "XXXXXXXX", 'A', '1'},
        clDealCase{"Penguin", "1 1 1 0", "7 7 7 7 7 7 7", ".......", 'A', '1'},
        clDealCase{"Tuxedo", "0 0 0 0", "8 7 7 8 7 7 8", ".......", 'A', '1'},
        clDealCase{"Opus", "1 1 1 0", "7 7 7 7 7 7 7", ".....", 'A', '1'},
        clDealCase{"Beleaguered Castle", "1 1 1 1", "6 6 6 6 6 6 6 6", "", '1', 0}),
    [](const auto& info) { return Identifier(info.param.name); });

// The cell cards are the last of the deal, in order, from the first cell
// they go to.
TEST_F(VariantTest, CellCardsAreTheLastDealt) {
    const struct {
        const char* name;
        int firstCell;
        int cards;
    } cases[] = {{"Sea Towers", 1, 2}, {"Double SeaTowers", 2, 5}, {"Eight Off", 0, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.name, 8);
        for (int i = 0; i < c.cards; ++i) {
            EXPECT_EQ(game->Reserve(c.firstCell + i)->TopDealIndex(),
                      game->CardCount() - c.cards + i);
        }
    }
}

TEST_F(VariantTest, TuxedoDealsItsLastThreeCardsOntoTheOuterAndMiddleColumns) {
    Start("Tuxedo", 8);
    EXPECT_EQ(game->Tableau(0)->TopDealIndex(), 49);
    EXPECT_EQ(game->Tableau(3)->TopDealIndex(), 50);
    EXPECT_EQ(game->Tableau(6)->TopDealIndex(), 51);
}

TEST_F(VariantTest, EightOnStartsTheFirstColumnsWithTheAces) {
    Start("Eight On", 12);
    std::vector<int> rest;
    for (int k = 0; k < 52; ++k) {
        if (!game->Deck().CardAt(k)->IsAce()) rest.push_back(k);
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(game->Tableau(i)->Bottom()->IsAce()) << "column " << i;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(game->Reserve(i)->TopDealIndex(), rest[40 + i]) << "cell " << i;
}

// How far runs move under free-cell counting: the run 9H 8S 7H 6S 5H 4S 3H
// lies in column 0, and its top `run` cards go onto a fitting card in column
// 1 or into an empty column; the other columns and cells are filled as the
// case says.
struct clLimitCase {
    const char* name;
    int emptyCells;
    int emptyColumns;  // besides columns 0 and 1
    int run;
    bool intoSpace;
    bool valid;
};

class CellCountingTest : public VariantTest, public ::testing::WithParamInterface<clLimitCase> {};

TEST_P(CellCountingTest, LimitsRunsByEmptyCellsAndColumns) {
    static const char* const kRun[] = {"9H", "8S", "7H", "6S", "5H", "4S", "3H"};
    static const char* const kTargets[] = {"TC", "9D", "8C", "7D", "6C", "5D", "4C"};
    static const char* const kFillers[] = {"KD", "QD", "JD", "TD", "KC",
                                           "QC", "JC", "2D", "AD", "AC"};
    const clLimitCase& c = GetParam();
    Start(c.name);
    ClearTable();
    int filler = 0;
    std::string run;
    for (const char* card : kRun)
        run += std::string(card) + " ";
    Put(game->Tableau(0), run);
    const int from = 7 - c.run;
    Put(game->Tableau(1), c.intoSpace ? kFillers[filler++] : kTargets[from]);
    for (int i = 2; i < game->TableauCount() - c.emptyColumns; ++i)
        Put(game->Tableau(i), kFillers[filler++]);
    for (int i = 0; i < game->ReserveCount() - c.emptyCells; ++i)
        Put(game->Reserve(i), kFillers[filler++]);
    clPile* to = c.intoSpace ? game->Tableau(game->TableauCount() - 1) : game->Tableau(1);
    EXPECT_EQ(game->ValidateMove(Move(game->Tableau(0), to, from)), c.valid);
}

INSTANTIATE_TEST_SUITE_P(FreeCellAndKings, CellCountingTest,
                         ::testing::Values(clLimitCase{"FreeCell", 2, 1, 6, false, true},
                                           clLimitCase{"FreeCell", 2, 1, 7, false, false},
                                           clLimitCase{"FreeCell", 2, 1, 3, true, true},
                                           clLimitCase{"FreeCell", 2, 1, 4, true, false},
                                           clLimitCase{"FreeCell", 0, 0, 1, false, true},
                                           clLimitCase{"FreeCell", 0, 0, 2, false, false},
                                           clLimitCase{"FreeCell", 4, 0, 5, false, true},
                                           clLimitCase{"FreeCell", 4, 0, 6, false, false},
                                           clLimitCase{"FreeCell Kings", 3, 0, 4, false, true},
                                           clLimitCase{"FreeCell Kings", 3, 2, 4, false, true},
                                           clLimitCase{"FreeCell Kings", 3, 2, 5, false, false},
                                           clLimitCase{"FreeCell Kings", 3, 2, 1, true, false}),
                         [](const auto& info) {
                             const clLimitCase& c = info.param;
                             return Identifier(c.name) + "_" + std::to_string(c.emptyCells) +
                                    "cells" + std::to_string(c.emptyColumns) + "columns" +
                                    std::to_string(c.run) +
                                    (c.intoSpace ? "IntoSpace" : "OntoCard");
                         });

TEST_F(VariantTest, KingsOnlySpacesTakeARunHeadedByAKing) {
    Start("FreeCell Kings");
    ClearTable();
    Put(game->Tableau(0), "KH QS JH");
    Put(game->Tableau(1), "QD JS");
    EXPECT_TRUE(game->ValidateMove(Move(game->Tableau(0), game->Tableau(2), 0)));
    EXPECT_FALSE(game->ValidateMove(Move(game->Tableau(1), game->Tableau(2), 0)));
    EXPECT_FALSE(game->ValidateMove(Move(game->Tableau(0), game->Tableau(2), 1)));
}

// Penguin with base rank 8: the other 8s start the foundations, which run 8
// to King and on from the Ace to 7; spaces take only 7s; nothing goes on an 8.
TEST_F(VariantTest, PenguinBuildsFromTheDealtBase) {
    std::int32_t deal = 1;
    for (Start("Penguin", deal); game->Tableau(0)->Bottom()->GetRank() != 8;) {
        Start("Penguin", ++deal);
    }
    auto* penguin = dynamic_cast<clSolitaireGame*>(game);
    ASSERT_NE(penguin, nullptr);
    EXPECT_EQ(penguin->BaseRank(), 8);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(game->Foundation(i)->Top()->GetRank(), 8) << "foundation " << i;
    EXPECT_EQ(game->Foundation(3)->Count(), 0u);

    ClearTable();
    Put(game->Tableau(0), "7C");
    Put(game->Tableau(1), "6C");
    EXPECT_TRUE(game->ValidateMove(Move(game->Tableau(0), game->Tableau(2))));
    EXPECT_FALSE(game->ValidateMove(Move(game->Tableau(1), game->Tableau(2))));

    Put(game->Tableau(3), "8D");
    Put(game->Tableau(4), "7D");
    Put(game->Tableau(5), "9D");
    EXPECT_FALSE(game->ValidateMove(Move(game->Tableau(4), game->Tableau(3))));
    EXPECT_TRUE(game->ValidateMove(Move(game->Tableau(3), game->Tableau(5))));

    clPile* foundation = game->Foundation(3);
    Put(foundation, "8S 9S TS JS QS KS");
    Put(game->Tableau(6), "AS");
    EXPECT_TRUE(game->ValidateMove(Move(game->Tableau(6), foundation)));
    Put(foundation, "8S 9S TS JS QS KS AS 2S 3S 4S 5S 6S");
    Put(game->Tableau(6), "7S");
    EXPECT_TRUE(game->ValidateMove(Move(game->Tableau(6), foundation)));
    EXPECT_EQ(game->ScoreMove(Move(game->Tableau(6), foundation)), 500 + 2000)
        << "the thirteenth card completes the foundation";
}

TEST_F(VariantTest, BeleagueredCastleFansTakeOneCardDownInAnySuit) {
    Start("Beleaguered Castle");
    ClearTable();
    Put(game->Tableau(0), "9H");
    Put(game->Tableau(1), "TS");
    Put(game->Tableau(2), "TH");
    Put(game->Tableau(3), "JS");
    Put(game->Tableau(4), "9C 8D");
    clPile* fan = game->Tableau(0);
    EXPECT_TRUE(game->ValidateMove(Move(fan, game->Tableau(1))));
    EXPECT_TRUE(game->ValidateMove(Move(fan, game->Tableau(2))));
    EXPECT_FALSE(game->ValidateMove(Move(fan, game->Tableau(3))));
    EXPECT_TRUE(game->ValidateMove(Move(fan, game->Tableau(5)))) << "an empty fan takes any card";
    EXPECT_FALSE(game->ValidateMove(Move(game->Tableau(4), game->Tableau(1), 0)))
        << "one card at a time";
}

}  // namespace
