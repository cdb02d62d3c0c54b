// The search on hand-laid positions: it finds the one winning move among
// others, proves a dead position lost, and stops when it is cancelled.
#include "solver/solver.h"

#include <atomic>
#include <chrono>

#include <gtest/gtest.h>

#include "engine/table_text.h"
#include "solver/family.h"
#include "solver/search.h"
#include "support/variant_fixture.h"
#include "toolkit/steady_clock.h"

namespace {

class SolverTest : public VariantTest {
protected:
    clSolveResult Search(const clSolveLimits& limits = {}) {
        clSearch search(*game, FamilyTraits(game->DisplayName()), limits, clSteadyClock::Program());
        return search.Run();
    }
};

// Every card on the foundations but the King of Spades, which lies alone
// with every cell and column free: of the moves it has, only the one to its
// foundation wins.
TEST_F(SolverTest, TheOneWinningMoveIsTheLine) {
    Start("FreeCell");
    ClearTable();
    int f = 0;
    for (const char suit : std::string_view("CDHS")) {
        std::string run;
        for (const char rank : std::string_view(suit == 'S' ? "A23456789TJQ" : "A23456789TJQK"))
            run += std::string{rank, suit, ' '};
        Put(game->Foundation(f++), run);
    }
    Put(game->Tableau(3), "KS");
    const std::string table = DescribeTable(*game);

    const clSolveResult result = Search();
    EXPECT_EQ(result.verdict, clVerdict::Won);
    ASSERT_EQ(result.line.size(), 1u);
    EXPECT_EQ(result.line[0], Move(game->Tableau(3), game->Foundation(3)));
    EXPECT_EQ(DescribeTable(*game), table) << "the search left the table elsewhere";
}

// Golf positions with no way to clear the table: nothing plays on a King,
// and the stock's last card helps no more than the waste's.
TEST_F(SolverTest, ADeadPositionIsLost) {
    struct Case {
        const char* waste;
        const char* stock;
    };
    for (const Case& c : {Case{"KS", ""}, Case{"5H", "9D"}, Case{"5H", "TD 4C"}}) {
        SCOPED_TRACE(c.stock);
        Start("Golf");
        ClearTable();
        Put(game->Waste(), c.waste);
        Put(game->Tableau(0), "2C");
        Put(game->Tableau(1), "JH 8S");
        Put(game->Stock(), c.stock);
        const clSolveResult result = Search();
        EXPECT_EQ(result.verdict, clVerdict::Lost);
        EXPECT_TRUE(result.line.empty());
    }
}

TEST_F(SolverTest, ALineThatNeedsTheStockIsFound) {
    Start("Golf");
    ClearTable();
    Put(game->Waste(), "5H");
    Put(game->Tableau(0), "2C 3D");
    Put(game->Stock(), "4S 9D");  // the top card, 9D, is dealt first
    const clSolveResult result = Search();
    ASSERT_EQ(result.verdict, clVerdict::Won);
    EXPECT_EQ(result.line.size(), 4u);  // deal 9D, deal 4S, then 3D and 2C
}

TEST(SolvePositionTest, ACancelledSearchStopsUnknown) {
    const std::atomic<bool> cancelled{true};
    const clSolveLimits limits{.time = std::chrono::milliseconds(60'000), .cancel = &cancelled};
    const clSolveResult result = SolvePosition("Klondike", 3, {}, {.autoSave = false}, limits);
    EXPECT_EQ(result.verdict, clVerdict::Unknown);
    EXPECT_LT(result.nodes, 200);
}

TEST(SolvePositionTest, ANodeLimitStopsUnknownWithAGuess) {
    const clSolveResult result =
        SolvePosition("Spider", 1, {}, {.autoSave = false}, {.nodes = 500});
    EXPECT_EQ(result.verdict, clVerdict::Unknown);
    EXPECT_LE(result.nodes, 600);
    EXPECT_TRUE(result.bestGuess.has_value());
}

TEST(SolvePositionTest, AnUnknownGameOrRefusedMovesGiveUnknown) {
    EXPECT_EQ(SolvePosition("No Such Game", 1, {}, {}, {}).verdict, clVerdict::Unknown);
    const clMove stray = clMove::CardMove(0, clLocation::Pile(clLocationKind::Tableau, 0, 0),
                                          clLocation::Pile(clLocationKind::Tableau, 1, 0));
    EXPECT_EQ(SolvePosition("FreeCell", 1, std::span(&stray, 1), {}, {}).verdict,
              clVerdict::Unknown);
}

}  // namespace
