// Random play on many deals: whatever valid moves and undos happen, no card is
// lost or duplicated, undo and redo are exact, and replaying the history from
// the deal number reproduces the table that play reached.
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_table.h"

namespace {

clTestLayout PropertyLayout() {
    clTestLayout layout;
    layout.foundations = 2;
    layout.tableau = 5;
    layout.reserves = 1;
    layout.waste = true;
    layout.tableauDeal = 20;
    layout.reserveDeal = 3;
    layout.wasteDeal = 2;
    layout.faceDown = 8;
    layout.autoPlay = true;
    layout.turnUpTops = true;
    layout.refillFromStock = true;
    return layout;
}

std::vector<clMove> ValidCardMoves(clTestTable& table) {
    std::vector<clMove> moves;
    for (const auto& source : table.AllPiles()) {
        for (int position = 0; position < static_cast<int>(source->Count()); ++position) {
            const clLocation from = table.LocationOf(source.get(), position);
            for (const auto& destination : table.AllPiles()) {
                if (destination == source) continue;
                const clMove move =
                    MoveBetween(table, from, table.LocationOf(destination.get(), 0));
                if (table.ValidateMove(move)) moves.push_back(move);
            }
        }
    }
    return moves;
}

::testing::AssertionResult EveryCardOnceOnTheTable(const clTestTable& table) {
    std::vector<int> seen(static_cast<std::size_t>(table.Deck().Count()), 0);
    for (const auto& pile : table.AllPiles()) {
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i) {
            const int k = pile->At(i)->dealIndex;
            if (k < 0 || k >= static_cast<int>(seen.size())) {
                return ::testing::AssertionFailure() << "deal index " << k << " out of range";
            }
            ++seen[static_cast<std::size_t>(k)];
        }
    }
    for (std::size_t k = 0; k < seen.size(); ++k) {
        if (seen[k] != 1) {
            return ::testing::AssertionFailure() << "card " << k << " lies " << seen[k] << " times";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(PlayPropertyTest, RandomPlayWithUndoStaysConsistent) {
    clTestTable table(PropertyLayout());
    table.Initialize();
    std::mt19937 chance(20261209);

    for (std::int32_t deal = 1; deal <= 150; ++deal) {
        table.History().Clear();
        table.StartDeal(deal * 7919);
        for (int step = 0; step < 50; ++step) {
            SCOPED_TRACE(::testing::Message() << "deal " << table.DealNumber() << " step " << step);
            const std::string before = Snapshot(table);

            if (table.History().Position() > 0 && chance() % 4 == 0) {
                ASSERT_TRUE(table.UndoLast());
                const std::size_t count = table.History().Count();
                ASSERT_TRUE(EveryCardOnceOnTheTable(table));
                ASSERT_TRUE(table.RedoNext());
                ASSERT_EQ(Snapshot(table), before) << "undo then redo changed the table";
                ASSERT_EQ(table.History().Count(), count) << "redo dropped the redoable tail";
                ASSERT_TRUE(table.UndoLast());
            } else {
                const std::vector<clMove> moves = ValidCardMoves(table);
                if (moves.empty()) break;
                const clMove& move = moves[chance() % moves.size()];
                if (chance() % 2 == 0) {
                    ASSERT_TRUE(table.CommitDraggedMove(move));
                } else {
                    ASSERT_TRUE(table.CommitPlayedMove(move));
                }
            }

            ASSERT_TRUE(EveryCardOnceOnTheTable(table));
            const std::string reached = Snapshot(table);
            table.Rebuild();
            ASSERT_EQ(Snapshot(table), reached) << "replaying the history gave another table";
        }
    }
}

}  // namespace
