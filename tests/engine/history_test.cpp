#include "engine/history.h"

#include <gtest/gtest.h>

namespace {

clMove CardMove(int first, int fromPile, int toPile) {
    return clMove::CardMove(first, clLocation::Pile(clLocationKind::Tableau, fromPile, 3),
                            clLocation::Pile(clLocationKind::Tableau, toPile, 5));
}

TEST(MoveTest, EqualityComparesOnlyWhatTheTypeUses) {
    clMove a = CardMove(1, 0, 1);
    clMove b = a;
    b.second = 99;  // not part of a card move
    b.count = 4;
    EXPECT_EQ(a, b);
    b.to.second = 6;
    EXPECT_NE(a, b);

    EXPECT_EQ(clMove::StockMove(), clMove::StockMove());
    EXPECT_NE(clMove::StockMove(), clMove{});
    EXPECT_EQ(clMove::PairMove(3, 4), clMove::PairMove(3, 4));
    EXPECT_NE(clMove::PairMove(3, 4), clMove::PairMove(4, 3));
    EXPECT_EQ(clMove::SetMove({1, 2, 3}), clMove::SetMove({1, 2, 3}));
    EXPECT_NE(clMove::SetMove({1, 2, 3}), clMove::SetMove({1, 2}));

    // Stock and waste locations compare their card position only.
    EXPECT_EQ(clLocation::Single(clLocationKind::Stock, 4),
              (clLocation{clLocationKind::Stock, 4, 17}));
    EXPECT_TRUE(clLocation::Pile(clLocationKind::Tableau, 2, 0)
                    .SamePile(clLocation::Pile(clLocationKind::Tableau, 2, 9)));
    EXPECT_FALSE(clLocation::Pile(clLocationKind::Tableau, 2, 0)
                     .SamePile(clLocation::Pile(clLocationKind::Reserve, 2, 0)));
}

TEST(MoveTest, CompoundsCopyDeepAndCompareTheirParts) {
    clMove compound = clMove::CompoundMove({CardMove(1, 0, 1), clMove::StockMove()});
    clMove copy = compound;
    copy.parts[0].first = 2;
    EXPECT_EQ(compound.parts[0].first, 1);
    EXPECT_NE(compound, copy);

    for (int i = 2; i < clMove::kMaxParts; ++i)
        EXPECT_TRUE(compound.AddPart(clMove::StockMove()));
    EXPECT_EQ(compound.count, clMove::kMaxParts);
    EXPECT_FALSE(compound.AddPart(clMove::StockMove()));
}

class HistoryTest : public ::testing::Test {
protected:
    void PushAll(std::initializer_list<clMove> moves) {
        for (const clMove& m : moves)
            ASSERT_TRUE(history.Push(m));
    }
    clHistory history;
};

TEST_F(HistoryTest, StepsBackAndForth) {
    PushAll({CardMove(1, 0, 1), CardMove(2, 1, 2)});
    EXPECT_EQ(history.StepForward(), nullptr);
    ASSERT_NE(history.StepBack(), nullptr);
    EXPECT_EQ(history.Position(), 1u);
    EXPECT_EQ(*history.StepForward(), CardMove(2, 1, 2));
    history.StepBack();
    history.StepBack();
    EXPECT_EQ(history.StepBack(), nullptr);
    EXPECT_EQ(history.Position(), 0u);
    EXPECT_EQ(history.Count(), 2u);
}

TEST_F(HistoryTest, ReplayingTheUndoneMoveKeepsTheTail) {
    PushAll({CardMove(1, 0, 1), CardMove(2, 1, 2), CardMove(3, 2, 3)});
    history.StepBack();
    history.StepBack();
    ASSERT_TRUE(history.Push(CardMove(2, 1, 2)));
    EXPECT_EQ(history.Position(), 2u);
    EXPECT_EQ(history.Count(), 3u);
}

TEST_F(HistoryTest, ADifferentMoveDropsTheTail) {
    PushAll({CardMove(1, 0, 1), CardMove(2, 1, 2), CardMove(3, 2, 3)});
    history.StepBack();
    history.StepBack();
    ASSERT_TRUE(history.Push(CardMove(9, 1, 3)));
    EXPECT_EQ(history.Position(), 2u);
    EXPECT_EQ(history.Count(), 2u);
    EXPECT_EQ(history.At(1), CardMove(9, 1, 3));
}

TEST_F(HistoryTest, AppendTurnsACardMoveIntoACompound) {
    PushAll({CardMove(1, 0, 1)});
    ASSERT_TRUE(history.Append(CardMove(7, 4, 0)));
    ASSERT_EQ(history.Count(), 1u);
    const clMove& last = history.At(0);
    ASSERT_EQ(last.type, clMoveType::Compound);
    EXPECT_EQ(last.count, 2);
    EXPECT_EQ(last.parts[0], CardMove(1, 0, 1));
    EXPECT_EQ(last.parts[1], CardMove(7, 4, 0));

    ASSERT_TRUE(history.Append(clMove::StockMove()));
    EXPECT_EQ(history.At(0).count, 3);
}

TEST_F(HistoryTest, AppendPushesWhenTheLastRecordCannotGrow) {
    history.Append(CardMove(1, 0, 1));  // nothing applied yet: a record of its own
    EXPECT_EQ(history.Count(), 1u);
    EXPECT_EQ(history.At(0).type, clMoveType::Card);

    PushAll({clMove::StockMove()});
    history.Append(CardMove(2, 0, 1));
    EXPECT_EQ(history.Count(), 3u);

    PushAll({clMove::CompoundMove(std::vector<clMove>(clMove::kMaxParts, clMove::StockMove()))});
    history.Append(CardMove(3, 0, 1));
    EXPECT_EQ(history.Count(), 5u);
}

TEST_F(HistoryTest, RefusesToRecordBeyondItsCapacity) {
    for (std::size_t i = 0; i < clHistory::kCapacity; ++i) {
        ASSERT_TRUE(history.Push(CardMove(static_cast<int>(i), 0, 1)));
    }
    const clMove extra = CardMove(-5, 0, 1);
    EXPECT_FALSE(history.CanPush(extra));
    EXPECT_FALSE(history.Push(extra));
    EXPECT_EQ(history.Count(), clHistory::kCapacity);
    EXPECT_TRUE(history.CanAppend(extra));
    // A chained move still joins the last record, which needs no new slot.
    EXPECT_TRUE(history.Append(extra));
    EXPECT_EQ(history.Count(), clHistory::kCapacity);

    // After an undo the next record can be replayed or replaced.
    history.StepBack();
    EXPECT_TRUE(history.Push(extra));
}

}  // namespace
