#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_table.h"

namespace {

using enum clSuit;

// A table with four foundations, six tableau piles, two reserves, a stock and
// a waste, emptied so each case can lay out exactly the cards it needs.
class clScene {
public:
    clScene() : table(Layout()) {
        table.Initialize();
        table.StartDeal(1);
        for (const auto& pile : table.AllPiles())
            pile->Clear();
    }

    clCard* C(int rank, clSuit suit) { return FindCard(table.Deck(), rank, suit); }
    std::int32_t D(int rank, clSuit suit) { return C(rank, suit)->dealIndex; }
    clPile& F(int i) { return *table.Foundation(i); }
    clPile& T(int i) { return *table.Tableau(i); }
    clPile& R(int i) { return *table.Reserve(i); }
    clPile& Stock() { return *table.Stock(); }
    clPile& Waste() { return *table.Waste(); }
    // A whole suit on a foundation, ace to king.
    void FullFoundation(int i, clSuit suit) {
        F(i).Clear();
        for (int rank = 1; rank <= 13; ++rank) {
            clGroup one(C(rank, suit));
            F(i).AddCards(one);
        }
    }
    clMove Move(clLocation from, clLocation toPile) { return MoveBetween(table, from, toPile); }
    static clLocation At(clLocationKind kind, int pile, int position) {
        return clLocation::Pile(kind, pile, position);
    }
    clLocation TopOf(clLocationKind kind, int pile) {
        const clLocation at = clLocation::Pile(kind, pile, 0);
        const clPile* p = table.PileAt(at);
        return at.WithPosition(static_cast<int>(p->Count()) - 1);
    }
    clLocation StockTop() { return clLocation::Single(clLocationKind::Stock, Stock().TopIndex()); }
    static clLocation WastePile() { return clLocation::Single(clLocationKind::Waste, 0); }

    clTestTable table;
    clPointValues& v = table.PointSystem().values;

private:
    static clTestLayout Layout() {
        clTestLayout layout;
        layout.foundations = 4;
        layout.tableau = 6;
        layout.reserves = 2;
        layout.waste = true;
        return layout;
    }
};

constexpr auto F = clLocationKind::Foundation;
constexpr auto T = clLocationKind::Tableau;
constexpr auto R = clLocationKind::Reserve;

struct clScoringCase {
    const char* name;
    // Lays out the table and sets the point values; returns the move to score.
    std::function<clMove(clScene&)> scene;
    std::int32_t points;
};

const clScoringCase kCases[] = {
    {"foundation to foundation: on minus off",
     [](clScene& s) {
         s.v.foundationPoints = 500;
         Lay(s.F(0), {s.C(1, Spades), s.C(2, Spades), s.C(3, Spades)});
         return s.Move(s.TopOf(F, 0), s.At(F, 1, 0));
     },
     0},
    {"a card that completes a foundation",
     [](clScene& s) {
         s.v.foundationPoints = 500;
         s.v.foundationCompleteBonus = 1000;
         s.v.allFoundationsBonus = 20000;
         s.FullFoundation(0, Spades);
         s.F(0).RemoveTop();
         Lay(s.T(0), {s.C(13, Spades)});
         return s.Move(s.TopOf(T, 0), s.At(F, 0, 0));
     },
     1500},
    {"the card that completes the last foundation",
     [](clScene& s) {
         s.v.foundationPoints = 500;
         s.v.foundationCompleteBonus = 1000;
         s.v.allFoundationsBonus = 20000;
         s.FullFoundation(1, Hearts);
         s.FullFoundation(2, Diamonds);
         s.FullFoundation(3, Clubs);
         s.FullFoundation(0, Spades);
         s.F(0).RemoveTop();
         Lay(s.T(0), {s.C(13, Spades)});
         return s.Move(s.TopOf(T, 0), s.At(F, 0, 0));
     },
     21500},
    {"taking a card off a full foundation gives its bonuses back",
     [](clScene& s) {
         s.v.foundationPoints = 500;
         s.v.foundationCompleteBonus = 1000;
         s.FullFoundation(0, Spades);
         Lay(s.T(0), {s.C(1, Hearts)});
         return s.Move(s.TopOf(F, 0), s.At(T, 0, 0));
     },
     -1500},
    {"a tableau card to the waste after three such moves",
     [](clScene& s) {
         s.v.wastePoints = 1000;
         s.v.streakPoints = 1000;
         s.table.SetCounters(0, 3, 0);
         Lay(s.T(0), {s.C(9, Clubs), s.C(5, Hearts)});
         return s.Move(s.TopOf(T, 0), s.WastePile());
     },
     4000},
    {"a stock card to the waste",
     [](clScene& s) {
         s.v.wastePoints = 1000;
         s.v.stockCardCost = 6000;
         s.v.lastOutsideCardBonus = 2500;
         s.table.SetCounters(0, 3, 0);
         Lay(s.Stock(), {s.C(9, Clubs), s.C(5, Hearts)});
         return s.Move(s.StockTop(), s.WastePile());
     },
     -5000},
    {"the last stock card",
     [](clScene& s) {
         s.v.stockCardCost = 6000;
         s.v.lastOutsideCardBonus = 2500;
         Lay(s.Stock(), {s.C(5, Hearts)});
         return s.Move(s.StockTop(), s.WastePile());
     },
     -3500},
    {"the first stock action of a deal",
     [](clScene& s) {
         s.v.stockActionCost = 500;
         s.v.stockActionIncrement = 200;
         return clMove::StockMove();
     },
     -500},
    {"the third stock action of a deal",
     [](clScene& s) {
         s.v.stockActionCost = 500;
         s.v.stockActionIncrement = 200;
         s.table.SetCounters(2, 0, 0);
         return clMove::StockMove();
     },
     -900},
};

// Emptying a counting pile earns the first, second or third pile bonus by how
// many were emptied before in this deal, and nothing after the third.
clScoringCase PileCleared(const char* name, int emptiedBefore, std::int32_t points) {
    return {name,
            [emptiedBefore](clScene& s) {
                s.v.firstPileClearedBonus = 10000;
                s.v.secondPileClearedBonus = 15000;
                s.v.thirdPileClearedBonus = 20000;
                s.v.rowPoints = 100;
                s.table.SetCounters(0, 0, emptiedBefore);
                s.T(0).SetScoring({.counting = true, .rowValue = 2});
                Lay(s.T(0), {s.C(7, Clubs)});
                Lay(s.T(1), {s.C(8, Clubs)});
                return s.Move(s.TopOf(T, 0), s.At(R, 0, 0));
            },
            points};
}

const clScoringCase kPileCases[] = {
    PileCleared("first counting pile emptied", 0, 10200),
    PileCleared("second counting pile emptied", 1, 15200),
    PileCleared("third counting pile emptied", 2, 20200),
    PileCleared("fourth counting pile emptied", 3, 200),
    {"the last tableau card leaves",
     [](clScene& s) {
         s.v.tableauClearedBonus = 30000;
         Lay(s.T(2), {s.C(7, Clubs)});
         return s.Move(s.TopOf(T, 2), s.WastePile());
     },
     30000},
    {"filling an empty pile takes the bonus back",
     [](clScene& s) {
         s.v.rowPoints = 100;
         s.T(1).SetScoring({.rowValue = 3});
         Lay(s.T(0), {s.C(7, Clubs), s.C(6, Hearts)});
         return s.Move(s.TopOf(T, 0), s.At(T, 1, 0));
     },
     -300},
    {"onto a reserve, and a deeper one",
     [](clScene& s) {
         s.v.reserveCost = 50;
         s.v.reserveDepthCost = 10;
         Lay(s.R(0), {s.C(1, Clubs), s.C(2, Clubs)});
         Lay(s.T(0), {s.C(7, Clubs), s.C(6, Hearts)});
         return s.Move(s.TopOf(T, 0), s.At(R, 0, 0));
     },
     -70},
    {"building down in suit",
     [](clScene& s) {
         s.v.suitBuildPoints = 100;
         s.v.suitRunBonus = 5000;
         Lay(s.T(0), {s.C(9, Hearts)});
         Lay(s.T(1), {s.C(8, Hearts)});
         return s.Move(s.TopOf(T, 1), s.At(T, 0, 0));
     },
     100},
    {"completing a run of one suit from king to ace",
     [](clScene& s) {
         s.v.suitBuildPoints = 100;
         s.v.suitRunBonus = 5000;
         for (int rank = 13; rank >= 2; --rank)
             s.T(0).Add(s.C(rank, Spades));
         Lay(s.T(1), {s.C(1, Spades)});
         return s.Move(s.TopOf(T, 1), s.At(T, 0, 0));
     },
     5100},
    {"the card that completes the base ranks",
     [](clScene& s) {
         s.v.baseRanksBonus = 7000;
         for (int i = 0; i < 4; ++i)
             s.T(i).SetScoring({.requiredRank = 1, .rowLength = 1});
         Lay(s.T(1), {s.C(1, Hearts)});
         Lay(s.T(2), {s.C(1, Diamonds)});
         Lay(s.T(3), {s.C(1, Clubs), s.C(5, Clubs)});
         Lay(s.T(4), {s.C(1, Spades)});
         return s.Move(s.TopOf(T, 4), s.At(T, 0, 0));
     },
     7000},
    {"a stock action that deals the missing base rank",
     [](clScene& s) {
         s.v.baseRanksBonus = 7000;
         for (int i = 0; i < 2; ++i)
             s.T(i).SetScoring({.requiredRank = 1, .rowLength = 1});
         Lay(s.T(0), {s.C(1, Hearts)});
         // Pile 1 is empty and will take the stock's second card from the top.
         Lay(s.Stock(), {s.C(9, Clubs), s.C(1, Spades), s.C(4, Clubs)});
         return clMove::StockMove();
     },
     7000},
};

const clScoringCase kRemovalCases[] = {
    {"a pair of equal rank from the tableau",
     [](clScene& s) {
         s.v.sameRankPairPoints = 300;
         s.v.pairPoints = 100;
         s.v.rankPoints = 10;
         s.v.tableauPairCardPoints = 5;
         Lay(s.T(0), {s.C(2, Clubs), s.C(7, Hearts)});
         Lay(s.T(1), {s.C(3, Clubs), s.C(7, Spades)});
         return clMove::PairMove(s.D(7, Hearts), s.D(7, Spades));
     },
     300 + 140 + 10},
    {"a pair that empties a row pile",
     [](clScene& s) {
         s.v.pairPoints = 1000;
         s.v.rowPoints = 100;
         s.T(0).SetScoring({.rowValue = 7});
         Lay(s.T(0), {s.C(6, Hearts)});
         Lay(s.T(1), {s.C(3, Clubs), s.C(7, Spades)});
         return clMove::PairMove(s.D(6, Hearts), s.D(7, Spades));
     },
     1000 + 700},
    {"a king removed alone",
     [](clScene& s) {
         s.v.singleRemovalPoints = 500;
         s.v.rankPoints = 1;
         Lay(s.T(0), {s.C(3, Clubs), s.C(13, Spades)});
         return clMove::PairMove(s.D(13, Spades), s.D(13, Spades));
     },
     526},
    {"the pair that clears the board",
     [](clScene& s) {
         s.v.pairPoints = 1000;
         s.v.tableauClearedBonus = 20000;
         s.v.boardClearedBonus = 20000;
         s.v.lastOutsideCardBonus = 3000;
         Lay(s.T(0), {s.C(6, Hearts)});
         Lay(s.Waste(), {s.C(7, Spades)});
         return clMove::PairMove(s.D(6, Hearts), s.D(7, Spades));
     },
     44000},
    {"a pair that leaves cards in the waste clears no board",
     [](clScene& s) {
         s.v.pairPoints = 1000;
         s.v.tableauClearedBonus = 20000;
         s.v.boardClearedBonus = 20000;
         s.v.lastOutsideCardBonus = 3000;
         Lay(s.T(0), {s.C(6, Hearts)});
         Lay(s.Waste(), {s.C(2, Clubs), s.C(7, Spades)});
         return clMove::PairMove(s.D(6, Hearts), s.D(7, Spades));
     },
     21000},
    {"a set removal of every tableau top and the waste's",
     [](clScene& s) {
         s.v.removalPoints = 100;
         s.v.removalRowPoints = 10;
         s.v.allTopsRemovedBonus = 5000;
         s.v.wasteRemovalPoints = 50;
         s.T(0).SetScoring({.rowValue = 3});
         Lay(s.T(0), {s.C(2, Clubs)});
         Lay(s.T(1), {s.C(3, Clubs), s.C(4, Clubs)});
         Lay(s.Waste(), {s.C(5, Clubs)});
         return clMove::SetMove({s.D(2, Clubs), s.D(4, Clubs), s.D(5, Clubs)});
     },
     100 + 30 + 5000 + 50},
    {"a set removal that misses a top",
     [](clScene& s) {
         s.v.removalPoints = 100;
         s.v.allTopsRemovedBonus = 5000;
         Lay(s.T(0), {s.C(2, Clubs)});
         Lay(s.T(1), {s.C(4, Clubs)});
         return clMove::SetMove({s.D(2, Clubs)});
     },
     100},
};

const clScoringCase kTotalAndRowCases[] = {
    {"a card that makes twenty-one",
     [](clScene& s) {
         s.v.pipPoints = 10;
         s.v.twentyOnePoints = 500;
         s.v.fiveCardPoints = 300;
         Lay(s.T(0), {s.C(13, Spades), s.C(5, Hearts)});
         Lay(s.Waste(), {s.C(6, Diamonds)});
         return s.Move(clLocation::Single(clLocationKind::Waste, 0), s.At(T, 0, 0));
     },
     500 - 150},
    {"an ace counts eleven when it can",
     [](clScene& s) {
         s.v.pipPoints = 10;
         s.v.twentyOnePoints = 500;
         Lay(s.T(0), {s.C(13, Spades)});
         Lay(s.Waste(), {s.C(1, Diamonds)});
         return s.Move(clLocation::Single(clLocationKind::Waste, 0), s.At(T, 0, 0));
     },
     500 - 100},
    {"a fifth card",
     [](clScene& s) {
         s.v.pipPoints = 10;
         s.v.fiveCardPoints = 300;
         Lay(s.T(0), {s.C(2, Spades), s.C(3, Hearts), s.C(2, Clubs), s.C(3, Clubs)});
         Lay(s.Waste(), {s.C(4, Diamonds)});
         return s.Move(clLocation::Single(clLocationKind::Waste, 0), s.At(T, 0, 0));
     },
     300 - 100},
    {"twenty-one on every pile",
     [](clScene& s) {
         s.v.pipPoints = 10;
         s.v.twentyOnePoints = 500;
         s.v.allTwentyOneBonus = 10000;
         Lay(s.T(1), {s.C(1, Diamonds), s.C(13, Diamonds)});
         Lay(s.T(2), {s.C(1, Hearts), s.C(13, Hearts)});
         Lay(s.T(3), {s.C(1, Spades), s.C(13, Spades)});
         Lay(s.T(4), {s.C(1, Clubs), s.C(12, Clubs)});
         Lay(s.T(5), {s.C(12, Diamonds), s.C(9, Diamonds), s.C(2, Clubs)});
         Lay(s.T(0), {s.C(9, Spades), s.C(2, Hearts)});
         Lay(s.Waste(), {s.C(10, Diamonds)});
         return s.Move(clLocation::Single(clLocationKind::Waste, 0), s.At(T, 0, 0));
     },
     500 - 110 + 10000},
    {"a card into its row sequence, completing every row",
     [](clScene& s) {
         s.v.rowRunPoints = 10;
         s.v.rowsCompleteBonus = 9000;
         s.T(0).SetScoring({.rowValue = 1, .requiredRank = 2, .rowLength = 2});
         s.T(1).SetScoring({.rowValue = 2, .requiredRank = 3});
         s.T(2).SetScoring({.rowValue = 1, .requiredRank = 2, .rowLength = 2});
         s.T(3).SetScoring({.rowValue = 2, .requiredRank = 3});
         Lay(s.T(0), {s.C(2, Hearts)});
         Lay(s.T(2), {s.C(2, Spades)});
         Lay(s.T(3), {s.C(3, Spades)});
         Lay(s.T(5), {s.C(3, Hearts)});
         return s.Move(s.TopOf(T, 5), s.At(T, 1, 0));
     },
     20 + 9000},
    {"a card of the wrong suit breaks the row",
     [](clScene& s) {
         s.v.rowRunPoints = 10;
         s.v.rowsCompleteBonus = 9000;
         s.T(0).SetScoring({.rowValue = 1, .requiredRank = 2, .rowLength = 2});
         s.T(1).SetScoring({.rowValue = 2, .requiredRank = 3});
         Lay(s.T(0), {s.C(2, Hearts)});
         Lay(s.T(5), {s.C(3, Clubs)});
         return s.Move(s.TopOf(T, 5), s.At(T, 1, 0));
     },
     0},
};

void Check(const clScoringCase& c) {
    SCOPED_TRACE(c.name);
    clScene scene;
    const clMove move = c.scene(scene);
    EXPECT_EQ(scene.table.ScoreMove(move), c.points);

    // With every value at 0 the same move earns nothing.
    scene.v = clPointValues{};
    EXPECT_EQ(scene.table.ScoreMove(move), 0);
}

TEST(MoveScoringTest, CardMovesAndStockActions) {
    for (const clScoringCase& c : kCases)
        Check(c);
}

TEST(MoveScoringTest, EmptyingAndFillingTableauPiles) {
    for (const clScoringCase& c : kPileCases)
        Check(c);
}

TEST(MoveScoringTest, PairAndSetRemovals) {
    for (const clScoringCase& c : kRemovalCases)
        Check(c);
}

TEST(MoveScoringTest, TotalsAndRows) {
    for (const clScoringCase& c : kTotalAndRowCases)
        Check(c);
}

TEST(MoveScoringTest, ACompoundScoresNothingAsAWhole) {
    clScene s;
    s.v.wastePoints = 1000;
    Lay(s.T(0), {s.C(7, Clubs)});
    const clMove part = s.Move(s.TopOf(T, 0), s.WastePile());
    EXPECT_EQ(s.table.ScoreMove(part), 1000);
    EXPECT_EQ(s.table.ScoreMove(clMove::CompoundMove({part})), 0);
}

}  // namespace
