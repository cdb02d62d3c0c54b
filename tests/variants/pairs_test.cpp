#include "variants/pairs.h"

#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "engine/table_script.h"
#include "support/test_table.h"

namespace {

using enum clSuit;

template <class Variant>
void ExpectNoColumnRepeatsARank(int columns, int middleCards) {
    for (std::int32_t deal = 1; deal <= 30; ++deal) {
        SCOPED_TRACE(deal);
        auto game = Dealt<Variant>(deal);
        ASSERT_EQ(game->TableauCount(), columns);
        int onColumns = 0, onReserves = 0;
        for (int i = 0; i < columns; ++i) {
            const clPile& pile = *game->Tableau(i);
            std::set<int> ranks;
            for (int k = 0; k < static_cast<int>(pile.Count()); ++k) {
                EXPECT_TRUE(ranks.insert(pile.At(k)->GetRank()).second) << "column " << i;
            }
            EXPECT_EQ(static_cast<int>(pile.Count()), i == 3 ? middleCards : 6);
            onColumns += static_cast<int>(pile.Count());
        }
        for (int i = 0; i < game->ReserveCount(); ++i) {
            onReserves += static_cast<int>(game->Reserve(i)->Count());
        }
        EXPECT_EQ(onColumns + onReserves, 52);
    }
}

TEST(NestorTest, NoColumnStartsWithTwoCardsOfARank) {
    ExpectNoColumnRepeatsARank<clNestor>(8, 6);
}

TEST(VerticalTest, TheMiddleColumnTakesSevenCards) {
    ExpectNoColumnRepeatsARank<clVertical>(7, 7);
}

// A hand-laid table of a pair game.
template <class Variant>
class PairTable {
public:
    PairTable() : game(Dealt<Variant>(4)) {
        for (const auto& pile : game->AllPiles()) {
            if (pile.get() != game->Stock()) pile->Clear();
        }
    }
    clCard* C(int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); }
    std::int32_t Score(clMove move) { return game->ScoreMove(move); }
    std::unique_ptr<Variant> game;
};

TEST(FourteenOutTest, PairsAddUpToFourteen) {
    PairTable<clFourteenOut> t;
    Lay(*t.game->Tableau(0), {t.C(7, Clubs)});
    Lay(*t.game->Tableau(1), {t.C(7, Hearts)});
    Lay(*t.game->Tableau(2), {t.C(6, Clubs)});
    Lay(*t.game->Tableau(3), {t.C(8, Hearts)});
    Lay(*t.game->Tableau(4), {t.C(9, Hearts)});
    Lay(*t.game->Tableau(5), {t.C(1, Clubs), t.C(13, Hearts)});
    const auto d = [&](int rank, clSuit suit) { return t.C(rank, suit)->dealIndex; };
    EXPECT_TRUE(t.game->ValidatePair(d(7, Clubs), d(7, Hearts)));
    EXPECT_EQ(t.Score(clMove::PairMove(d(7, Clubs), d(7, Hearts))), 1000);
    EXPECT_TRUE(t.game->ValidatePair(d(6, Clubs), d(8, Hearts)));
    EXPECT_EQ(t.Score(clMove::PairMove(d(6, Clubs), d(8, Hearts))), 1000);
    EXPECT_FALSE(t.game->ValidatePair(d(6, Clubs), d(9, Hearts)));
    EXPECT_FALSE(t.game->ValidatePair(d(1, Clubs), d(13, Hearts)));  // the ace is covered
    EXPECT_FALSE(t.game->ValidatePair(d(7, Clubs), d(7, Clubs)));
}

TEST(FivePilesTest, KingsGoAloneAndPairsAddUpToThirteen) {
    PairTable<clFivePiles> t;
    Lay(*t.game->Tableau(0), {t.C(13, Spades)});
    Lay(*t.game->Tableau(1), {t.C(6, Spades)});
    Lay(*t.game->Tableau(2), {t.C(7, Hearts)});
    Lay(*t.game->Tableau(3), {t.C(12, Hearts)});
    const auto d = [&](int rank, clSuit suit) { return t.C(rank, suit)->dealIndex; };
    EXPECT_TRUE(t.game->ValidatePair(d(13, Spades), d(13, Spades)));
    EXPECT_FALSE(t.game->ValidatePair(d(12, Hearts), d(12, Hearts)));
    t.game->Tableau(4)->Clear();
    Lay(*t.game->Tableau(4), {t.C(1, Clubs)});
    EXPECT_TRUE(t.game->ValidatePair(d(12, Hearts), d(1, Clubs)));
    EXPECT_EQ(t.Score(clMove::PairMove(d(6, Spades), d(7, Hearts))), 2000);
}

TEST(FivePilesTest, TheLastDealOfSevenReachesTheExtraPiles) {
    auto game = Dealt<clFivePiles>(11);
    EXPECT_EQ(game->Stock()->Count(), 47u);
    int deals = 0;
    while (game->Stock()->Count() > 7) {
        ASSERT_TRUE(game->CommitPlayedMove(clMove::StockMove(), true));
        ++deals;
    }
    EXPECT_EQ(deals, 8);
    EXPECT_EQ(game->Tableau(5)->Count(), 0u);
    ASSERT_TRUE(game->CommitPlayedMove(clMove::StockMove(), true));
    EXPECT_EQ(game->Tableau(5)->Count(), 1u);
    EXPECT_EQ(game->Tableau(6)->Count(), 1u);
    EXPECT_FALSE(game->ValidateMove(clMove::StockMove()));  // the stock is empty
}

class clScorable : public clPelmanism {
public:
    void SetScore(std::int32_t s) { score = s; }
};

// Clicks on Pelmanism's cards.
class PelmanismTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = Dealt<clScorable>(21);
        game->SetScore(5000);
    }
    // The space of the first card of this rank (other than `other`).
    int SpaceOf(int rank, int other = -1) {
        for (int i = 0; i < 52; ++i) {
            const clCard* card = game->Tableau(i)->Top();
            if (card && card->GetRank() == rank && i != other) return i;
        }
        return -1;
    }
    void Click(int space) { game->PressPile(*game->Tableau(space), 0); }

    std::unique_ptr<clScorable> game;
};

TEST_F(PelmanismTest, CardsStartFaceDownButFree) {
    for (int i = 0; i < 52; ++i) {
        EXPECT_TRUE(game->Tableau(i)->Top()->faceDown);
        EXPECT_FALSE(game->Tableau(i)->Top()->blocked);
    }
}

TEST_F(PelmanismTest, TurningCardsCostsAndAMatchPays) {
    const int five = SpaceOf(5);
    const int otherFive = SpaceOf(5, five);
    const int six = SpaceOf(6);
    Click(five);
    EXPECT_FALSE(game->Tableau(five)->Top()->faceDown);
    Click(six);  // no match: both stay up
    EXPECT_EQ(game->Score(), 5000 - 200);
    EXPECT_FALSE(game->Tableau(six)->Top()->faceDown);

    Click(five);  // the next click turns both down first
    EXPECT_TRUE(game->Tableau(six)->Top()->faceDown);
    Click(otherFive);
    EXPECT_EQ(game->Tableau(five)->Count(), 0u);
    EXPECT_EQ(game->Tableau(otherFive)->Count(), 0u);
    EXPECT_EQ(game->Score(), 5000 - 200 - 200 + 1000 + 10 * 50);
    EXPECT_EQ(game->History().Count(), 1u);

    // The pair replays from a saved game though its cards' faces are not recorded.
    EXPECT_TRUE(game->CheckedRebuild());
    EXPECT_EQ(game->Tableau(five)->Count(), 0u);
}

// A move file's clicks turn cards as the player's do; a click that turns a
// card (and takes its cost) is never reported as refused.
TEST_F(PelmanismTest, MoveFileClicksThatTurnCardsAreNotRefused) {
    const int five = SpaceOf(5);
    const int otherFive = SpaceOf(5, five);
    const int six = SpaceOf(6);
    const auto click = [&](int space) {
        clScriptCommand command;
        std::string error;
        EXPECT_TRUE(ParseScriptLine("CLICK t" + std::to_string(space), command, error));
        return ApplyScriptCommand(*game, command);
    };
    EXPECT_TRUE(click(five));
    EXPECT_EQ(game->SelectionCount(), 1);
    EXPECT_TRUE(click(six));
    EXPECT_EQ(game->SelectionCount(), 2);
    EXPECT_TRUE(click(six)) << "turns both down and the six up again";
    EXPECT_EQ(game->SelectionCount(), 1);
    EXPECT_TRUE(click(six)) << "turns the six back";
    EXPECT_EQ(game->SelectionCount(), 0);
    EXPECT_EQ(game->Score(), 5000 - 300);
    EXPECT_TRUE(click(five));
    EXPECT_TRUE(click(otherFive));
    EXPECT_EQ(game->History().Count(), 1u);
    EXPECT_FALSE(click(five)) << "an empty space";
}

TEST_F(PelmanismTest, ClickingTheTurnedCardAgainTurnsItBack) {
    const int five = SpaceOf(5);
    Click(five);
    Click(five);
    EXPECT_TRUE(game->Tableau(five)->Top()->faceDown);
    EXPECT_EQ(game->Score(), 5000 - 100);
}

}  // namespace
