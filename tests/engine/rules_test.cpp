#include <gtest/gtest.h>

#include "engine/table_text.h"
#include "support/test_table.h"

namespace {

clLocation Tableau(int pile, int position) {
    return clLocation::Pile(clLocationKind::Tableau, pile, position);
}

// Four tableau piles of five cards and a stock of 32, dealt from one number.
class RulesTest : public ::testing::Test {
protected:
    explicit RulesTest(clTestLayout shape = Shape()) : table(shape) {}

    static clTestLayout Shape() {
        clTestLayout layout;
        layout.tableauDeal = 20;
        return layout;
    }
    void SetUp() override {
        table.Initialize();
        table.StartDeal(2024);
    }
    // Moves the top `n` cards of one tableau pile onto another.
    clMove TopCards(int from, int n, int to) {
        return MoveBetween(table, Tableau(from, table.Tableau(from)->Count() - n), Tableau(to, 0));
    }

    clTestTable table;
};

TEST_F(RulesTest, ValidationRefusesMalformedCardMoves) {
    const clMove good = TopCards(0, 2, 1);
    ASSERT_TRUE(table.ValidateMove(good));

    struct Case {
        const char* name;
        clMove move;
    };
    const auto with = [&](auto change) {
        clMove m = good;
        change(m);
        return m;
    };
    const Case cases[] = {
        {"onto its own pile", with([](clMove& m) { m.to = Tableau(0, 5); })},
        {"source pile past the list", with([](clMove& m) { m.from.first = 4; })},
        {"negative source pile", with([](clMove& m) { m.from.first = -1; })},
        {"destination pile past the list", with([](clMove& m) { m.to.first = 9; })},
        {"card position past the top", with([](clMove& m) { m.from.second = 5; })},
        {"negative card position", with([](clMove& m) { m.from.second = -1; })},
        {"destination not the next free slot", with([](clMove& m) { m.to.second = 3; })},
        {"no source pile", with([](clMove& m) { m.from = {}; })},
        {"no destination pile", with([](clMove& m) { m.to = {}; })},
        {"a kind the layout lacks", with([](clMove& m) {
             m.to = {clLocationKind::Waste, 0, 0};
         })},
        {"unknown location kind", with([](clMove& m) { m.from.kind = clLocationKind{9}; })},
        {"unknown move type", with([](clMove& m) { m.type = clMoveType{6}; })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(table.ValidateMove(c.move));
    }
}

TEST_F(RulesTest, ValidationOfRemovalsAndCompounds) {
    const clMove card = TopCards(0, 1, 1);
    EXPECT_TRUE(table.ValidateMove(clMove::CompoundMove({card})));
    EXPECT_FALSE(table.ValidateMove(clMove::CompoundMove({})));
    EXPECT_FALSE(table.ValidateMove(clMove::CompoundMove({card, clMove::CompoundMove({card})})));
    clMove lying = clMove::CompoundMove({card, card});
    lying.count = 3;  // claims a part it does not have
    EXPECT_FALSE(table.ValidateMove(lying));

    // The base game allows no removals or stock actions; variants do.
    EXPECT_FALSE(table.ValidateMove(clMove::PairMove(1, 2)));
    EXPECT_FALSE(table.ValidateMove(clMove::StockMove()));
    EXPECT_FALSE(table.ValidateMove(clMove::SetMove({1, 2, 3})));
}

TEST_F(RulesTest, UndoRebuildsTheTableBeforeTheMove) {
    const std::string before = Snapshot(table);
    ASSERT_TRUE(table.CommitDraggedMove(TopCards(2, 3, 0)));
    const std::string after = Snapshot(table);
    EXPECT_NE(after, before);

    ASSERT_TRUE(table.UndoLast());
    EXPECT_EQ(Snapshot(table), before);
    EXPECT_EQ(table.History().Position(), 0u);
    EXPECT_EQ(table.History().Count(), 1u);

    ASSERT_TRUE(table.RedoNext());
    EXPECT_EQ(Snapshot(table), after);
    table.UndoLast();
    ASSERT_TRUE(table.ReplayNext());  // the same move again keeps the history
    EXPECT_EQ(Snapshot(table), after);
    EXPECT_EQ(table.History().Count(), 1u);
}

TEST_F(RulesTest, PlayedAndDraggedMovesEndUpAlike) {
    const clMove move = TopCards(1, 2, 3);
    ASSERT_TRUE(table.CommitDraggedMove(move));
    const std::string dragged = Snapshot(table);
    table.UndoLast();
    ASSERT_TRUE(table.CommitPlayedMove(move));
    EXPECT_EQ(Snapshot(table), dragged);
    EXPECT_EQ(table.sounds.front(), clSound::Card);

    table.sounds.clear();
    ASSERT_TRUE(table.CommitPlayedMove(TopCards(0, 1, 2), true));
    EXPECT_EQ(table.sounds, std::vector<clSound>{clSound::Shuffle});
}

TEST_F(RulesTest, NothingIsCommittedAfterTheRoundHasEnded) {
    const std::string before = Snapshot(table);
    table.EndRound();
    EXPECT_FALSE(table.CommitDraggedMove(TopCards(0, 1, 1)));
    EXPECT_FALSE(table.CommitPlayedMove(TopCards(0, 1, 1)));
    EXPECT_FALSE(table.CommitChainedMove(TopCards(0, 1, 1)));
    EXPECT_EQ(Snapshot(table), before);
    EXPECT_EQ(table.History().Count(), 0u);
}

TEST_F(RulesTest, TakingCardsKeepsTheStreakCounters) {
    table.Tableau(0)->SetScoring({.counting = true});
    table.CommitDraggedMove(TopCards(1, 1, 2));
    table.CommitDraggedMove(TopCards(1, 1, 2));
    EXPECT_EQ(table.Streak(), 2);
    table.CommitDraggedMove(TopCards(0, 5, 3));  // empties a counting pile
    EXPECT_EQ(table.Streak(), 3);
    EXPECT_EQ(table.LongestStreak(), 3);
    EXPECT_EQ(table.CountingPilesEmptied(), 1);

    const clPile* stock = table.Stock();
    table.CommitDraggedMove(MoveBetween(
        table, clLocation::Single(clLocationKind::Stock, stock->TopIndex()), Tableau(0, 0)));
    EXPECT_EQ(table.Streak(), 0);
    EXPECT_EQ(table.LongestStreak(), 3);

    // Undo replays from a fresh deal: the counters follow the table.
    table.UndoLast();
    EXPECT_EQ(table.Streak(), 3);
    table.StartDeal(2024);
    EXPECT_EQ(table.LongestStreak(), 0);
}

TEST_F(RulesTest, RemovalsTakeTopCardsOutOfPlay) {
    clPile* a = table.Tableau(0);
    clPile* b = table.Tableau(1);
    clCard* topA = a->Top();
    const std::int32_t first = a->TopDealIndex();
    const std::int32_t second = b->TopDealIndex();
    table.DoMove(clMove::PairMove(first, second));
    EXPECT_EQ(a->Count(), 4u);
    EXPECT_EQ(b->Count(), 4u);
    EXPECT_FALSE(topA->placed);

    // A listed card that is not a top card stays where it is.
    table.DoMove(clMove::SetMove({a->BottomDealIndex(), b->TopDealIndex()}));
    EXPECT_EQ(a->Count(), 4u);
    EXPECT_EQ(b->Count(), 3u);
    EXPECT_FALSE(table.TableauCleared());

    for (int pile = 0; pile < 4; ++pile) {
        while (table.Tableau(pile)->Count() > 0) {
            table.DoMove(clMove::SetMove({table.Tableau(pile)->TopDealIndex()}));
        }
    }
    EXPECT_TRUE(table.TableauCleared());
}

TEST_F(RulesTest, AMoveThatCannotBePlacedLosesNoCards) {
    clMove astray = TopCards(0, 2, 1);
    astray.to = {clLocationKind::Reserve, 0, 0};  // this layout has no reserves
    table.DoMove(astray);
    EXPECT_EQ(table.Tableau(0)->Count(), 5u);
}

TEST_F(RulesTest, CheckedRebuildStopsAtTheFirstInvalidRecord) {
    table.CommitDraggedMove(TopCards(0, 1, 1));
    table.CommitDraggedMove(TopCards(2, 1, 3));
    const std::string afterTwo = Snapshot(table);
    ASSERT_TRUE(table.CheckedRebuild());
    EXPECT_EQ(Snapshot(table), afterTwo);

    // A history whose second record names a card position that does not exist.
    clHistory& history = table.History();
    clMove bad = history.At(1);
    bad.from.second = 40;
    history.SetPosition(1);
    history.Push(bad);
    EXPECT_FALSE(table.CheckedRebuild());
    EXPECT_EQ(history.Position(), 1u);
}

TEST(RulesWithoutADealTest, RebuildNeedsADeal) {
    clTestTable table(clTestLayout{});
    table.Initialize();
    EXPECT_EQ(table.DealNumber(), 0);
    table.Rebuild();
    EXPECT_FALSE(table.CheckedRebuild());
    EXPECT_EQ(table.Stock()->Count(), 0u);  // nothing was dealt from a clock seed
}

class ChainedRulesTest : public RulesTest {
protected:
    ChainedRulesTest() : RulesTest(ChainShape()) {}
    static clTestLayout ChainShape() {
        clTestLayout layout = Shape();
        layout.refillFromStock = true;
        return layout;
    }
};

TEST_F(ChainedRulesTest, ARefillJoinsItsMoveAndOneUndoTakesBothBack) {
    const std::string before = Snapshot(table);
    ASSERT_TRUE(table.CommitDraggedMove(TopCards(0, 5, 1)));
    EXPECT_EQ(table.Tableau(0)->Count(), 1u);  // refilled from the stock
    ASSERT_EQ(table.History().Count(), 1u);
    EXPECT_EQ(table.History().At(0).type, clMoveType::Compound);
    EXPECT_EQ(table.History().At(0).count, 2);

    table.UndoLast();
    EXPECT_EQ(Snapshot(table), before);
}

class AutoPlayRulesTest : public RulesTest {
protected:
    AutoPlayRulesTest() : RulesTest(AutoShape()) {}
    static clTestLayout AutoShape() {
        clTestLayout layout;
        layout.foundations = 4;
        layout.tableau = 13;
        layout.tableauDeal = 52;
        layout.autoPlay = true;
        return layout;
    }
    // A move that ends with an ace or two on top somewhere.
    int CardsOnFoundations() {
        int n = 0;
        for (int i = 0; i < table.FoundationCount(); ++i)
            n += table.Foundation(i)->Count();
        return n;
    }
};

TEST_F(AutoPlayRulesTest, AutomaticPlayFollowsEveryCommittedMoveUnlessCtrlIsHeld) {
    // With 13 piles of four, several aces lie on top after the deal; any commit sends them up.
    int acesOnTop = 0;
    for (int i = 0; i < 13; ++i)
        acesOnTop += table.Tableau(i)->Top()->IsAce();
    ASSERT_GT(acesOnTop, 0) << "pick another deal number for this test";

    table.SetControlKeyDown(true);
    ASSERT_TRUE(table.CommitDraggedMove(TopCards(0, 1, 1)));
    EXPECT_EQ(CardsOnFoundations(), 0);
    EXPECT_EQ(table.History().Count(), 1u);

    table.SetControlKeyDown(false);
    ASSERT_TRUE(table.CommitDraggedMove(TopCards(1, 1, 0)));
    EXPECT_GE(CardsOnFoundations(), acesOnTop);
    // Each automatic move is a record of its own, with the redo sound.
    EXPECT_EQ(table.History().Count(), 2u + CardsOnFoundations());
    EXPECT_NE(std::find(table.sounds.begin(), table.sounds.end(), clSound::Redo),
              table.sounds.end());
}

}  // namespace
