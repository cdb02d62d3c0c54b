#include "piles/group.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cards/random.h"
#include "engine/deck.h"
#include "engine/table_text.h"
#include "support/test_cards.h"
#include "toolkit/operation_error.h"

namespace {

// Cards made from text ("TD", "KS"), owned by the fixture.
class GroupTest : public ::testing::Test {
protected:
    clCard* Card(const std::string& text) { return cards.Card(text); }
    clGroup Group(std::initializer_list<const char*> texts, std::uint32_t capacity = 20) {
        clGroup group(capacity);
        for (const char* t : texts)
            group.Add(Card(t));
        return group;
    }
    std::string Text(const clGroup& group) {
        std::string text;
        for (int i = 0; i < static_cast<int>(group.Count()); ++i) {
            text += (i ? " " : "") + CardText(*group.At(i));
        }
        return text;
    }

    clTestCards cards;
};

TEST_F(GroupTest, ConstructionAndStorage) {
    EXPECT_THROW(clGroup(0u), clOperationError);
    EXPECT_THROW(clGroup(static_cast<clCard*>(nullptr)), clOperationError);

    const clGroup none;
    EXPECT_FALSE(none.IsEmpty());  // no storage is not "empty"
    EXPECT_TRUE(none.IsFull());

    clGroup one(Card("AS"));
    EXPECT_EQ(one.Capacity(), 1u);
    EXPECT_EQ(Text(one), "AS");

    clGroup group = Group({"2H", "3H"});
    EXPECT_FALSE(group.Initialize(0));
    EXPECT_TRUE(group.Initialize(5));
    EXPECT_TRUE(group.IsEmpty());
    EXPECT_EQ(group.Capacity(), 5u);
}

TEST_F(GroupTest, AssignmentCopiesReferencesAndSettings) {
    clGroup source = Group({"2H", "3H"});
    source.SetKeys('1', '0', true);
    source.SetSymbol(RankMark(clRank::Two));
    source.SetPosition(2.0, 1.0, 4, 0);
    clGroup copy;
    copy = source;
    EXPECT_EQ(Text(copy), "2H 3H");
    EXPECT_EQ(copy.At(0), source.At(0));  // the same card, not a copy
    EXPECT_EQ(copy.Key2(), '0');
    EXPECT_EQ(copy.Symbol(), RankMark(clRank::Two));
    EXPECT_TRUE(copy.GetAnchor().placed);
    copy = copy;
    EXPECT_EQ(copy.Count(), 2u);
}

TEST_F(GroupTest, AddingToAFullGroupIsIgnored) {
    clGroup group = Group({"AS", "2S"}, 2);
    std::uint32_t slot = 99;
    EXPECT_FALSE(group.Add(Card("3S"), &slot));
    EXPECT_EQ(slot, 99u);
    EXPECT_FALSE(group.Add(nullptr));
    EXPECT_EQ(Text(group), "AS 2S");
    int free = -1;
    EXPECT_FALSE(group.NextFreeSlot(free));
    EXPECT_TRUE(group.IsLastSlot(1));
    EXPECT_FALSE(group.IsNextSlot(2));
}

TEST_F(GroupTest, CopyAndMoveTransferTheCardsFromAnIndexUp) {
    clGroup pile = Group({"AS", "2S", "3S", "4S"});
    clGroup hand(3);
    pile.CopyFrom(2, hand);
    EXPECT_EQ(Text(hand), "3S 4S");
    EXPECT_EQ(pile.Count(), 4u);

    hand.Clear();
    EXPECT_TRUE(pile.MoveTo(hand, 1));
    EXPECT_EQ(Text(hand), "2S 3S 4S");
    EXPECT_EQ(Text(pile), "AS");
    EXPECT_EQ(pile.At(1), nullptr);
}

TEST_F(GroupTest, MoveToNeverDropsCards) {
    clGroup pile = Group({"AS", "2S", "3S", "4S"});
    clGroup small(2);
    EXPECT_FALSE(pile.MoveTo(small, 1));  // three cards do not fit two slots
    EXPECT_EQ(Text(pile), "AS 2S 3S 4S");
    EXPECT_EQ(small.Count(), 0u);

    EXPECT_FALSE(pile.MoveTo(small, 4));  // above the count: nothing moves, the count stays
    EXPECT_FALSE(pile.MoveTo(small, -1));
    EXPECT_EQ(pile.Count(), 4u);

    clGroup partial(20);
    pile.CopyFrom(-3, partial);
    EXPECT_EQ(partial.Count(), 0u);
}

TEST_F(GroupTest, OutOfRangeQueriesYieldNothing) {
    clGroup empty(4);
    EXPECT_EQ(empty.Top(), nullptr);
    EXPECT_EQ(empty.At(-1), nullptr);
    EXPECT_EQ(empty.TopDealIndex(), clCard::kNoDealIndex);
    EXPECT_EQ(empty.BottomDealIndex(), clCard::kNoDealIndex);
    empty.RemoveTop();
    EXPECT_EQ(empty.Count(), 0u);
}

TEST_F(GroupTest, RunTests) {
    struct Case {
        std::initializer_list<const char*> cards;
        int index, stopRank;
        bool downAlternating, downInSuit, upAlternating, upInSuit;
    };
    const Case cases[] = {
        {{"9S", "8H", "7C"}, 0, 1, true, false, false, false},
        {{"9H", "8H", "7H"}, 0, 1, false, true, false, false},
        {{"7C", "8D", "9S"}, 0, 13, false, false, true, false},
        {{"7D", "8D", "9D"}, 0, 13, false, false, false, true},
        {{"9S", "8H", "7C"}, 2, 1, true, true, true, true},      // the top card alone
        {{"2S", "AS", "KS"}, 0, 1, false, false, false, false},  // stops at the ace
        {{"2S", "AS", "KS"}, 0, 0, false, true, false, false},   // stop rank 0 wraps
        {{"QD", "KD", "AD"}, 0, 13, false, false, false, false},
        {{"QD", "KD", "AD"}, 0, 0, false, false, false, true},
        {{"9S", "8S", "6S"}, 0, 1, false, false, false, false},  // a gap
        {{"9S", "8H"}, 2, 1, false, false, false, false},        // index past the top
        {{"9S", "8H"}, -1, 1, false, false, false, false},
        {{"9S", "8H"}, 0, 14, false, false, false, false},  // no such stop rank
    };
    for (const Case& c : cases) {
        const clGroup group = Group(c.cards);
        SCOPED_TRACE(Text(group) + " from " + std::to_string(c.index) + " stop " +
                     std::to_string(c.stopRank));
        EXPECT_EQ(group.IsRunDownAlternating(c.index, c.stopRank), c.downAlternating);
        EXPECT_EQ(group.IsRunDownInSuit(c.index, c.stopRank), c.downInSuit);
        EXPECT_EQ(group.IsRunUpAlternating(c.index, c.stopRank), c.upAlternating);
        EXPECT_EQ(group.IsRunUpInSuit(c.index, c.stopRank), c.upInSuit);
    }
}

TEST_F(GroupTest, PlacementTests) {
    struct Case {
        const char* top;
        const char* card;
        int stopRank;
        bool downAlt, downSuit, downAny, upAlt, upSuit, upAny;
    };
    const Case cases[] = {
        {"9S", "8H", 1, true, false, true, false, false, false},
        {"9S", "8S", 1, false, true, true, false, false, false},
        {"9S", "TD", 13, false, false, false, true, false, true},
        {"9S", "TS", 13, false, false, false, false, true, true},
        {"AS", "KH", 1, false, false, false, false, false, false},  // nothing on the ace
        {"AS", "KH", 0, true, false, true, false, false, false},    // wraps
        {"KS", "AS", 13, false, false, false, false, false, false},
        {"KS", "AS", 0, false, false, false, false, true, true},
        {"9S", "9H", 0, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.card) + " on " + c.top + " stop " + std::to_string(c.stopRank));
        const clGroup group = Group({c.top});
        const clCard* card = Card(c.card);
        EXPECT_EQ(group.CanPlaceDownAlternating(card, c.stopRank), c.downAlt);
        EXPECT_EQ(group.CanPlaceDownInSuit(card, c.stopRank), c.downSuit);
        EXPECT_EQ(group.CanPlaceDownAnySuit(card, c.stopRank), c.downAny);
        EXPECT_EQ(group.CanPlaceUpAlternating(card, c.stopRank), c.upAlt);
        EXPECT_EQ(group.CanPlaceUpInSuit(card, c.stopRank), c.upSuit);
        EXPECT_EQ(group.CanPlaceUpAnySuit(card, c.stopRank), c.upAny);
    }
    const clGroup empty(4);
    EXPECT_FALSE(empty.CanPlaceDownAnySuit(Card("AS"), 0));
    EXPECT_FALSE(Group({"9S"}).CanPlaceDownAnySuit(nullptr, 0));
    EXPECT_FALSE(Group({"9S"}).CanPlaceDownAnySuit(Card("8S"), 14));
}

TEST_F(GroupTest, KeysMatchOneOrTwoCharacters) {
    clGroup single(1), pair(1), hidden(1), none(1);
    single.SetKey('7');
    pair.SetKeys('1', '0');
    hidden.SetKey('7');
    hidden.SetLabelHidden(true);

    EXPECT_TRUE(single.MatchesKey('7', 0));
    EXPECT_TRUE(single.MatchesKey('7', '1'));
    EXPECT_FALSE(single.MatchesKey('8', 0));
    EXPECT_TRUE(pair.MatchesKey('0', '1'));
    EXPECT_FALSE(pair.MatchesKey('0', '2'));
    EXPECT_FALSE(pair.MatchesKey('1', 0));
    EXPECT_FALSE(hidden.MatchesKey('7', 0));
    EXPECT_FALSE(none.MatchesKey(0, 0)) << "a group without a key";
}

TEST_F(GroupTest, AnchorIsPlacedEvenWhenThePositionIsRefused) {
    clGroup group(1);
    group.SetPosition(1.0, 2.0, 3, 4);
    group.SetPosition(-1.0, 0.0, 9, 9);
    EXPECT_TRUE(group.GetAnchor().placed);
    EXPECT_EQ(group.GetAnchor().x, 1.0);
    EXPECT_EQ(group.GetAnchor().offsetX, 3);
}

TEST_F(GroupTest, ShuffleDrawsFromTheGameGenerator) {
    clGroup a = Group({"AS", "2S", "3S", "4S", "5S", "6S"});
    clGroup b = a;
    clRandom random;
    random.Seed(3);
    a.Shuffle(random);
    random.Seed(3);
    b.Shuffle(random);
    EXPECT_EQ(Text(a), Text(b));
    EXPECT_NE(Text(a), "AS 2S 3S 4S 5S 6S");
}

}  // namespace
