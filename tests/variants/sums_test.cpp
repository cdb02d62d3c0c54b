#include "variants/sums.h"

#include <gtest/gtest.h>

#include "support/test_table.h"

namespace {

TEST(SumsTest, DealsTheTableWithItsCoveredCardsHidden) {
    struct Row {
        const char* name;
        std::unique_ptr<clHiddenSums> game;
        int faceDown;
    };
    Row rows[] = {{"Hidden Sums", Dealt<clHiddenSums>(3), 19}, {"Get 11", Dealt<clGet11>(3), 0}};
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        clHiddenSums& game = *row.game;
        int faceDown = 0, blocked = 0;
        for (int i = 0; i < 22; ++i) {
            ASSERT_EQ(game.Tableau(i)->Count(), 1u);
            faceDown += game.Tableau(i)->Top()->faceDown;
            blocked += game.Tableau(i)->Top()->blocked;
        }
        EXPECT_EQ(game.Tableau(22)->Count(), 0u);
        // Piles 0 to 19 but 7 are covered at the start: 19 blocked cards; the
        // hidden game deals the first 20 face down and turns up free pile 7.
        EXPECT_EQ(blocked, 19);
        EXPECT_EQ(faceDown, row.faceDown);
        EXPECT_EQ(game.Stock()->Count(), 29u);
        EXPECT_EQ(game.Waste()->Count(), 1u);
        for (int k = 0; k < 52; ++k)
            EXPECT_LE(game.Deck().CardAt(k)->GetRank(), 10);
    }
}

class clOpenSums : public clHiddenSums {
public:
    // A right click on the stock, as the pointer play delivers it.
    bool OnRightClickStock() {
        sourcePile = stock;
        return OnRightClick();
    }
};

// A hand-laid table: every pile emptied, cards laid where the case needs them.
class SumsTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = Dealt<clOpenSums>(5);
        for (const auto& pile : game->AllPiles())
            pile->Clear();
    }
    // The first card of the deck with this rank (court cards count as aces).
    clCard* Rank(int rank, int skip = 0) {
        for (int k = 0; k < game->Deck().Count(); ++k) {
            clCard* card = game->Deck().CardAt(k);
            if (card->GetRank() == rank && skip-- == 0) return card;
        }
        return nullptr;
    }
    void Put(int pile, clCard* card) {
        Lay(*game->Tableau(pile), {card});
        game->AfterMove();
    }
    std::unique_ptr<clOpenSums> game;
};

TEST_F(SumsTableTest, FreeCardsAddingUpToElevenLeave) {
    Put(20, Rank(4));
    Put(21, Rank(7));
    Put(16, Rank(5));  // covered by pile 20
    Lay(*game->Waste(), {Rank(6)});
    const auto d = [](clCard* card) { return card->dealIndex; };
    const std::int32_t fourSeven[] = {d(game->Tableau(20)->Top()), d(game->Tableau(21)->Top())};
    EXPECT_TRUE(game->ValidateRemoval(2, fourSeven));
    const std::int32_t covered[] = {d(game->Tableau(16)->Top()), d(game->Waste()->Top())};
    EXPECT_FALSE(game->ValidateRemoval(2, covered));  // 5 + 6, but the 5 is covered
    const std::int32_t twice[] = {fourSeven[0], fourSeven[0], fourSeven[0]};
    EXPECT_FALSE(game->ValidateRemoval(3, twice));
    const std::int32_t short_[] = {fourSeven[0]};
    EXPECT_FALSE(game->ValidateRemoval(1, short_));

    // Clicking the two cards selects them and removes them at eleven.
    game->PressPile(*game->Tableau(20), 0);
    EXPECT_EQ(game->SelectionCount(), 1);
    game->PressPile(*game->Tableau(21), 0);
    EXPECT_EQ(game->Tableau(20)->Count(), 0u);
    EXPECT_EQ(game->Tableau(21)->Count(), 0u);
    EXPECT_EQ(game->SelectionCount(), 0);
    // Pile 16 is free now, and shows its card.
    EXPECT_FALSE(game->Tableau(16)->Top()->blocked);
    EXPECT_FALSE(game->Tableau(16)->Top()->faceDown);
}

TEST_F(SumsTableTest, TheWasteGoesBackUnderTheStock) {
    Put(7, Rank(2));
    Put(20, Rank(3));
    Put(21, Rank(4));
    Lay(*game->Stock(), {Rank(9), Rank(8)});
    Lay(*game->Waste(), {Rank(5), Rank(6)});
    ASSERT_TRUE(game->ValidateStockAction());
    const std::int32_t stockTop = game->Stock()->TopDealIndex();
    const std::int32_t wasteTop = game->Waste()->TopDealIndex();
    game->StockAction(false);
    EXPECT_EQ(game->Stock()->Count(), 4u);
    EXPECT_EQ(game->Waste()->Count(), 0u);
    EXPECT_EQ(game->Stock()->TopDealIndex(), stockTop);  // the stock's cards stay on top
    // As in the order first dealt: the last card turned lies at the bottom.
    EXPECT_EQ(game->Stock()->BottomDealIndex(), wasteTop);

    // A right click on the stock does it in play.
    Lay(*game->Waste(), {Rank(7)});
    game->PressPile(*game->Stock(), game->Stock()->TopIndex());  // a click deals one
    EXPECT_EQ(game->Waste()->Count(), 2u);
    game->PressPile(*game->Stock(), game->Stock()->TopIndex());
    game->ReleasePick();
    EXPECT_TRUE(game->OnRightClickStock());
    EXPECT_EQ(game->Waste()->Count(), 0u);

    game->Tableau(20)->Clear();  // a bottom pile is empty: no more turning over
    Lay(*game->Waste(), {Rank(5)});
    EXPECT_FALSE(game->ValidateStockAction());
}

TEST_F(SumsTableTest, WonWithTheTableAndTheStockEmpty) {
    EXPECT_TRUE(game->IsGameWon());
    Lay(*game->Stock(), {Rank(3)});
    EXPECT_FALSE(game->IsGameWon());
}

}  // namespace
