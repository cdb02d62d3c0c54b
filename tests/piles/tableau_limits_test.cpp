#include "piles/tableau_limits.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "piles/tableau.h"
#include "support/test_cards.h"

namespace {

const clLocation kFromTableau = clLocation::Pile(clLocationKind::Tableau, 9, 0);

// A game's tableau and cells: the lists own nothing, as in a game.
class TableauLimitsTest : public ::testing::Test {
protected:
    void MakeTableau(int n) {
        for (int i = 0; i < n; ++i) {
            piles.push_back(std::make_unique<clTableauDownAlternating>());
            tableau.push_back(piles.back().get());
        }
    }
    // One-card spaces stand in for free cells: only their emptiness counts.
    void MakeCells(int n) {
        for (int i = 0; i < n; ++i) {
            piles.push_back(std::make_unique<clTableauSingle>());
            cells.push_back(piles.back().get());
        }
    }
    clStore& Store(int i) { return static_cast<clStore&>(*tableau[static_cast<std::size_t>(i)]); }

    clTestCards cards;
    std::vector<std::unique_ptr<clPile>> piles;
    std::vector<clPile*> tableau;
    std::vector<clPile*> cells;
};

struct clCountingCase {
    int emptyPiles;
    int emptyCells;
    std::uint32_t onCards;
    std::uint32_t intoSpaces;
};

TEST_F(TableauLimitsTest, CellCountingFromEmptyPilesAndCells) {
    const clCountingCase cases[] = {
        {0, 0, 1, 0}, {0, 3, 4, 0}, {1, 0, 2, 1}, {1, 2, 6, 3}, {2, 1, 6, 4}, {3, 4, 20, 15},
    };
    for (const clCountingCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.emptyPiles << " empty piles, " << c.emptyCells << " empty cells");
        tableau.clear();
        cells.clear();
        MakeTableau(5);
        MakeCells(4);
        for (int i = c.emptyPiles; i < 5; ++i)
            cards.Fill(Store(i), "KS");
        for (int i = c.emptyCells; i < 4; ++i)
            cards.Fill(*cells[static_cast<std::size_t>(i)], "2H");

        CellCounting(tableau, cells);
        for (int i = 0; i < 5; ++i) {
            const std::uint32_t expected = i < c.emptyPiles ? c.intoSpaces : c.onCards;
            EXPECT_EQ(Store(i).MaxIn(), expected) << "pile " << i;
            EXPECT_EQ(Store(i).MaxOut(), expected) << "pile " << i;
        }
    }
}

TEST_F(TableauLimitsTest, TwoCellsAndOneSpaceMoveSixOntoACardAndThreeIntoTheSpace) {
    MakeTableau(4);
    MakeCells(4);
    cards.Fill(Store(0), "8H");
    cards.Fill(Store(1), "KS 8D 7S 6D 5S 4D 3S 2D");
    cards.Fill(Store(3), "9C");
    cards.Fill(*cells[0], "KD");
    cards.Fill(*cells[1], "KC");

    CellCounting(tableau, cells);

    clStore& source = Store(1);
    EXPECT_TRUE(source.CanPickUp(2)) << "a run of 6";
    EXPECT_FALSE(source.CanPickUp(1)) << "a run of 7";
    clGroup six(clPile::kLargeCapacity);
    ASSERT_TRUE(source.PickUp(2, kFromTableau, six));
    EXPECT_TRUE(Store(0).CanAccept(1, six, kFromTableau));

    clStore& space = Store(2);
    clGroup three(clPile::kLargeCapacity);
    clGroup four(clPile::kLargeCapacity);
    ASSERT_TRUE(source.PickUp(5, kFromTableau, three));
    ASSERT_TRUE(source.PickUp(4, kFromTableau, four));
    EXPECT_TRUE(space.CanAccept(0, three, kFromTableau));
    EXPECT_FALSE(space.CanAccept(0, four, kFromTableau));
    EXPECT_FALSE(space.CanAccept(0, six, kFromTableau));
}

TEST_F(TableauLimitsTest, KingsCellCountingGivesEveryPileTheEmptyCellsPlusOne) {
    MakeTableau(3);
    MakeCells(4);
    cards.Fill(Store(0), "KS");
    cards.Fill(*cells[0], "2H");
    cells.push_back(nullptr);  // skipped, not counted

    KingsCellCounting(tableau, cells);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Store(i).MaxIn(), 4u) << "pile " << i;
        EXPECT_EQ(Store(i).MaxOut(), 4u) << "pile " << i;
    }
}

struct clRangeCase {
    int n;
    int first;
    const char* changed;  // one mark per pile of five
};

TEST_F(TableauLimitsTest, RangeSettersStopAtTheEndOfTheList) {
    const clRangeCase cases[] = {
        {0, 0, "xxxxx"}, {0, 2, "..xxx"}, {2, 1, ".xx.."},  {10, 3, "...xx"}, {1, 4, "....x"},
        {0, 5, "....."}, {1, 7, "....."}, {-1, 0, "....."}, {1, -1, "....."},
    };
    for (const clRangeCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "n " << c.n << ", first " << c.first);
        tableau.clear();
        MakeTableau(5);
        SetTableauStopRank(tableau, 0, c.n, c.first);
        SetTableauSymbol(tableau, RankMark(clRank::Seven), c.n, c.first);
        SetTableauMoveLimit(tableau, 1, c.n, c.first);
        std::string stopRanks, symbols, limits;
        for (int i = 0; i < 5; ++i) {
            stopRanks += Store(i).StopRank() == 0 ? 'x' : '.';
            symbols += Store(i).Symbol() == RankMark(clRank::Seven) ? 'x' : '.';
            limits += Store(i).MaxIn() == 1 && Store(i).MaxOut() == 1 ? 'x' : '.';
        }
        EXPECT_EQ(stopRanks, c.changed);
        EXPECT_EQ(symbols, c.changed);
        EXPECT_EQ(limits, c.changed);
    }
}

TEST_F(TableauLimitsTest, EmptyRankSetterAlsoSetsTheSymbol) {
    MakeTableau(2);
    clPile notATableauPile;
    tableau.push_back(&notATableauPile);
    tableau.push_back(nullptr);

    SetTableauEmptyRank(tableau, clRank::King);
    EXPECT_EQ(Store(0).EmptyRank(), 13);
    EXPECT_EQ(Store(1).Symbol(), RankMark(clRank::King));
    EXPECT_EQ(notATableauPile.Symbol(), clPileSymbol::None);
    EXPECT_FALSE(Store(0).CanAccept(0, cards.Group("QS"), kFromTableau));

    SetTableauEmptyRank(tableau, 0, 1, 1);
    EXPECT_EQ(Store(0).EmptyRank(), 13);
    EXPECT_EQ(Store(1).EmptyRank(), 0);
    EXPECT_EQ(Store(1).Symbol(), clPileSymbol::None);

    SetTableauSymbol(tableau, clPileSymbol::Outline, 0, 1);  // the symbol setter reaches any pile
    EXPECT_EQ(notATableauPile.Symbol(), clPileSymbol::Outline);
}

TEST_F(TableauLimitsTest, ScoringSettersChangeOnlyTheirAttribute) {
    MakeTableau(3);
    SetTableauRowValue(tableau, 5, 2);
    SetTableauRequiredRank(tableau, clRank::Ace, 0, 1);
    SetTableauCounting(tableau, true, 1, 2);

    EXPECT_EQ(Store(0).Scoring(), (clTableauScoring{false, 5, 0, 0}));
    EXPECT_EQ(Store(1).Scoring(), (clTableauScoring{false, 5, 1, 1}));
    EXPECT_EQ(Store(2).Scoring(), (clTableauScoring{true, 0, 1, 1}));
}

TEST_F(TableauLimitsTest, RowSequenceStepsRankAndValueAndMarksTheRowLength) {
    MakeTableau(13);
    SetTableauRowSequence(tableau, 2, 12, -1, 12, 0);  // a row of 12 spaces from 2 up
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(::testing::Message() << "pile " << i);
        const clTableauScoring& scoring = Store(i).Scoring();
        EXPECT_EQ(scoring.requiredRank, static_cast<std::uint32_t>(2 + i));
        EXPECT_EQ(scoring.rowValue, static_cast<std::uint32_t>(12 - i));
        EXPECT_EQ(scoring.rowLength, i == 0 ? 12u : 0u);
    }
    EXPECT_EQ(Store(12).Scoring(), clTableauScoring{});

    SetTableauRowSequence(tableau, 1, 1, -1, 0, 10);  // cut at the end; values stop at 0
    EXPECT_EQ(Store(10).Scoring(), (clTableauScoring{false, 1, 1, 3}));
    EXPECT_EQ(Store(11).Scoring(), (clTableauScoring{false, 0, 2, 0}));
    EXPECT_EQ(Store(12).Scoring(), (clTableauScoring{false, 0, 3, 0}));
}

}  // namespace
