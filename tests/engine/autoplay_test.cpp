#include <gtest/gtest.h>

#include "support/test_table.h"

namespace {

using enum clSuit;

// Four foundations and four tableau piles with hand-laid cards.
class SafeAutoPlayTest : public ::testing::Test {
protected:
    void LayOut(int foundationBase) {
        clTestLayout layout;
        layout.foundations = 4;
        layout.foundationBase = foundationBase;
        layout.tableau = 4;
        layout.stock = false;
        layout.autoPlay = true;
        table = std::make_unique<clTestTable>(layout);
        table->Initialize();
        table->StartDeal(1);
        for (const auto& pile : table->AllPiles())
            pile->Clear();
    }
    clCard* Card(int rank, clSuit suit) { return FindCard(table->Deck(), rank, suit); }
    // Lays a run of one suit on a foundation, from `first` up to `last`, turning at the king.
    void Build(int foundation, clSuit suit, int first, int last) {
        clPile& pile = *table->Foundation(foundation);
        pile.Clear();
        for (int rank = first;; rank = rank % 13 + 1) {
            clGroup one(Card(rank, suit));
            pile.AddCards(one);
            if (rank == last) break;
        }
    }
    int OnFoundations() {
        int n = 0;
        for (int i = 0; i < 4; ++i)
            n += table->Foundation(i)->Count();
        return n;
    }

    std::unique_ptr<clTestTable> table;
};

TEST_F(SafeAutoPlayTest, SendsUpOnlyCardsAtMostTwoAboveTheLowestFoundation) {
    LayOut(1);
    Build(0, Spades, 1, 3);
    Build(1, Hearts, 1, 1);
    Build(2, Diamonds, 1, 1);
    Build(3, Clubs, 1, 1);
    Lay(*table->Tableau(0), {Card(2, Hearts)});
    Lay(*table->Tableau(1), {Card(4, Spades)});  // fits, but a red 3 may still need it

    EXPECT_TRUE(table->SafeAutoPlay());
    EXPECT_EQ(table->Foundation(1)->Count(), 2u);
    EXPECT_FALSE(table->SafeAutoPlay());
    EXPECT_EQ(table->Tableau(1)->Count(), 1u);
}

TEST_F(SafeAutoPlayTest, AnEmptyFoundationLetsOnlyAcesAndTwosGo) {
    LayOut(1);
    Build(0, Spades, 1, 2);
    Lay(*table->Tableau(0), {Card(3, Spades)});
    Lay(*table->Tableau(1), {Card(1, Hearts)});
    EXPECT_TRUE(table->SafeAutoPlay());
    EXPECT_EQ(table->Tableau(1)->Count(), 0u);  // the ace went up
    EXPECT_FALSE(table->SafeAutoPlay());        // the three waits
    EXPECT_EQ(table->Tableau(0)->Count(), 1u);
}

// From a base of 5, ranks below the base count as rank + 13.
TEST_F(SafeAutoPlayTest, CountsRanksFromTheBase) {
    struct Case {
        const char* name;
        int lowestTop;  // top of the lowest foundation; the others hold up to the king
        int rank;       // the tableau card, of hearts
        bool goesUp;
    };
    const Case cases[] = {
        {"within two of the lowest", 5, 6, true},
        {"too far above the lowest", 5, 8, false},
        {"past the king, within reach", 12, 1, true},   // counted 14 <= 12 + 2
        {"past the king, out of reach", 11, 1, false},  // counted 14 > 11 + 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayOut(5);
        Build(0, Spades, 5, c.lowestTop);
        Build(1, Hearts, 5, RankBelow(c.rank));
        Build(2, Diamonds, 5, 13);
        Build(3, Clubs, 5, 13);
        Lay(*table->Tableau(0), {Card(c.rank, Hearts)});
        EXPECT_EQ(table->SafeAutoPlayFromBase(5), c.goesUp);
    }

    LayOut(5);  // every foundation empty: only base cards (and the one above) qualify
    Lay(*table->Tableau(0), {Card(5, Spades)});
    EXPECT_TRUE(table->SafeAutoPlayFromBase(5));
}

TEST_F(SafeAutoPlayTest, MoveToFoundationRecordsEachMoveOnItsOwn) {
    LayOut(1);
    Lay(*table->Tableau(2), {Card(2, Clubs), Card(1, Clubs)});
    const clLocation from = clLocation::Pile(clLocationKind::Tableau, 2, 1);
    const std::int32_t ace = table->Tableau(2)->TopDealIndex();

    EXPECT_FALSE(table->MoveToFoundation(ace, clLocation::Pile(clLocationKind::Foundation, 0, 0)));
    ASSERT_TRUE(table->MoveToFoundation(ace, from));
    EXPECT_EQ(OnFoundations(), 1);
    EXPECT_EQ(table->History().Count(), 1u);

    // The plain automatic play offers every pile's top card in turn.
    EXPECT_TRUE(table->AutoPlay());
    EXPECT_EQ(OnFoundations(), 2);
    EXPECT_FALSE(table->AutoPlay());
    table->SetControlKeyDown(true);
    Lay(*table->Tableau(0), {Card(1, Hearts)});
    EXPECT_FALSE(table->AutoPlay());
}

}  // namespace
