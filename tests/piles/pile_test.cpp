#include "piles/pile.h"

#include <gtest/gtest.h>

#include "engine/deck.h"
#include "graphics/graphics.h"
#include "support/recording_target.h"

namespace {

// A pile that plays along, with settings a test may change.
class clOpenPile : public clPile {
public:
    explicit clOpenPile(std::uint32_t capacity = kLargeCapacity) {
        Allocate(capacity);
        inert = false;
        canGive = true;
        canReceive = true;
    }
};

class PileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(deck.Build(1, 0)); }
    // Puts deal positions first..first+n-1 onto the pile.
    void Fill(clPile& pile, int n, int first = 0) {
        for (int k = first; k < first + n; ++k) {
            clGroup one(deck.CardAt(k));
            ASSERT_TRUE(pile.AddCards(one));
        }
    }
    clDeck deck;
};

TEST_F(PileTest, ANewPileIsInertWithoutStorage) {
    const clPile pile;
    EXPECT_TRUE(pile.IsInert());
    EXPECT_FALSE(pile.HasStorage());
    EXPECT_FALSE(pile.CanGive());
    EXPECT_FALSE(pile.CanReceive());
    EXPECT_EQ(pile.Symbol(), clPileSymbol::None);
}

TEST_F(PileTest, ArrangeFansFromTheAnchor) {
    struct Case {
        const char* name;
        clFan fan;
        int cards;
        double lastX, lastY;
        int lastPixelX, lastPixelY;
    };
    const Case cases[] = {
        {"eight cards squeeze into the limit",
         {1.0, 0.0, 0.2, 0, 0},
         8,
         1.0,
         1.0 + 7 * 0.125,
         0,
         0},
        {"within the limit nothing changes", {5.0, 0.0, 0.2, 0, 0}, 8, 1.0, 1.0 + 7 * 0.2, 0, 0},
        {"no limit", {0.0, 0.3, 0.0, 0, 0}, 8, 1.0 + 7 * 0.3, 1.0, 0, 0},
        {"negative steps are never compressed", {0.5, -0.5, 0.0, -3, 2}, 4, 1.0 - 1.5, 1.0, -9, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clOpenPile pile;
        pile.SetFan(c.fan);
        pile.SetPosition(1.0, 1.0, 0, 0);
        Fill(pile, c.cards);
        const clCard& top = *pile.Top();
        EXPECT_DOUBLE_EQ(top.x, c.lastX);
        EXPECT_DOUBLE_EQ(top.y, c.lastY);
        EXPECT_EQ(top.offsetX, c.lastPixelX);
        EXPECT_EQ(top.offsetY, c.lastPixelY);
    }

    clOpenPile unplaced;
    unplaced.SetFan({0.0, 0.0, 0.2, 0, 0});
    Fill(unplaced, 2, 30);
    EXPECT_DOUBLE_EQ(unplaced.Top()->y, 0.0);  // no anchor, no layout
}

TEST_F(PileTest, CanAcceptOnlyAtTheNextFreeSlotWithRoom) {
    clOpenPile pile(3);
    Fill(pile, 2);
    clGroup one(deck.CardAt(10));
    clGroup two(3);
    two.Add(deck.CardAt(11));
    two.Add(deck.CardAt(12));
    const clLocation from{};

    EXPECT_TRUE(pile.CanAccept(2, one, from));
    EXPECT_FALSE(pile.CanAccept(1, one, from));
    EXPECT_FALSE(pile.CanAccept(3, one, from));
    EXPECT_FALSE(pile.CanAccept(-1, one, from));
    EXPECT_FALSE(pile.CanAccept(2, two, from));  // would not fit

    pile.SetMaxIn(1);
    clOpenPile roomy;
    roomy.SetMaxIn(1);
    EXPECT_FALSE(roomy.CanAccept(0, two, from));
    EXPECT_TRUE(roomy.CanAccept(0, one, from));
    roomy.SetCanReceive(false);
    EXPECT_FALSE(roomy.CanAccept(0, one, from));

    clOpenPile cell(1);
    Fill(cell, 1);
    EXPECT_FALSE(cell.CanAccept(0, one, from));  // full, even at index 0
    EXPECT_FALSE(cell.CanAccept(1, one, from));
}

TEST_F(PileTest, AddCardsNeverDropsCards) {
    clOpenPile cell(1);
    clGroup two(2);
    two.Add(deck.CardAt(0));
    two.Add(deck.CardAt(1));
    EXPECT_FALSE(cell.AddCards(two));
    EXPECT_EQ(cell.Count(), 0u);
    EXPECT_EQ(two.Count(), 2u);
}

TEST_F(PileTest, PickUpChecksFlagsRangeLimitAndBlocking) {
    clOpenPile pile;
    Fill(pile, 5);
    clGroup into(clPile::kLargeCapacity);
    const clLocation to{};

    EXPECT_TRUE(pile.PickUp(2, to, into));
    EXPECT_EQ(into.Count(), 3u);
    EXPECT_EQ(pile.Count(), 5u);  // the cards stay until the move is made

    EXPECT_FALSE(pile.PickUp(5, to, into));
    EXPECT_FALSE(pile.PickUp(-1, to, into));

    pile.SetMaxOut(2);
    EXPECT_FALSE(pile.PickUp(2, to, into));
    EXPECT_TRUE(pile.PickUp(3, to, into));

    pile.At(4)->blocked = true;
    EXPECT_FALSE(pile.PickUp(4, to, into));
    EXPECT_TRUE(pile.CanPickUp(4));  // CanPickUp ignores blocking

    pile.SetCanGive(false);
    EXPECT_FALSE(pile.CanPickUp(4));
    clOpenPile inert;
    Fill(inert, 1, 20);
    inert.SetInert(true);
    EXPECT_FALSE(inert.PickUp(0, to, into));
}

TEST_F(PileTest, GiveCardsMovesTheCardsAndRelaysThePile) {
    clOpenPile pile;
    pile.SetFan({0.0, 0.0, 0.2, 0, 0});
    pile.SetPosition(0.0, 1.0);
    Fill(pile, 4);
    clGroup hand(clPile::kLargeCapacity);
    EXPECT_TRUE(pile.GiveCards(hand, 1));
    EXPECT_EQ(pile.Count(), 1u);
    EXPECT_EQ(hand.Count(), 3u);

    clLocation at;
    std::int32_t top = 0;
    EXPECT_TRUE(pile.GetTop(at, top));
    EXPECT_EQ(at.kind, clLocationKind::None);  // the plain pile belongs to no list
    EXPECT_EQ(top, 0);
    pile.Clear();
    EXPECT_FALSE(pile.GetTop(at, top));
}

TEST_F(PileTest, HitTestsNeedADisplay) {
    clOpenPile pile;
    pile.SetFan({0.0, 0.0, 0.25, 0, 0});
    pile.SetPosition(1.0, 0.0);
    Fill(pile, 3);
    for (int i = 0; i < 3; ++i)
        pile.At(i)->placed = true;

    clGraphics graphics;
    int index = -1;
    EXPECT_FALSE(pile.HitCard(graphics, {120, 100}, index));  // headless: nothing is hit

    clRecordingTarget target;  // 8 x 4 table of 71 x 96 cards: margins 36, 48
    graphics.Attach(&target);
    // Card i lies at x 107..178, y 48 + 24 i .. 144 + 24 i.
    EXPECT_TRUE(pile.HitCard(graphics, {120, 100}, index));
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(pile.HitCard(graphics, {120, 50}, index));
    EXPECT_EQ(index, 0);

    pile.At(2)->blocked = true;  // blocked cards are transparent
    EXPECT_TRUE(pile.HitCard(graphics, {120, 100}, index));
    EXPECT_EQ(index, 1);
    pile.At(1)->placed = false;  // so are cards without a place
    EXPECT_TRUE(pile.HitCard(graphics, {120, 100}, index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(pile.HitCard(graphics, {10, 10}, index));

    EXPECT_FALSE(pile.HitEmpty(graphics, {120, 60}));
    pile.Clear();
    EXPECT_TRUE(pile.HitEmpty(graphics, {120, 60}));
    EXPECT_FALSE(pile.HitEmpty(graphics, {120, 150}));
}

}  // namespace
