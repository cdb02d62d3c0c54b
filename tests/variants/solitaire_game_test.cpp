#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/catalogue.h"
#include "piles/stock.h"
#include "piles/waste.h"
#include "support/test_table.h"
#include "toolkit/operation_error.h"
#include "variants/klondike.h"
#include "variants/registry.h"

namespace {

// A variant with the framework's protected parts opened up for testing.
template <class Variant>
class clOpen : public Variant {
public:
    using clSolitaireGame::DealMany;
    using clSolitaireGame::FindMovePreferBuilt;
    using clSolitaireGame::RowCentred;
    using clSolitaireGame::RowRightAligned;
    using clSolitaireGame::ValidateRedeal;
    // Picks the cards of a pile from a position, as a press would.
    void Pick(clPile& pile, int position) {
        this->sourcePile = &pile;
        this->pickLocation = this->LocationOf(&pile, position);
        this->dragGroup.Clear();
        pile.CopyFrom(position, this->dragGroup);
    }
};
using clOpenKlondike = clOpen<clKlondike>;

TEST(RowsTest, PlacePilesWithFourPixelGaps) {
    clOpenKlondike game;
    game.Initialize();
    std::vector<clPile*> piles;
    for (int i = 0; i < 7; ++i)
        piles.push_back(game.Tableau(i));

    game.RowCentred(piles, 4.5, 2.0);
    for (int i = 0; i < 7; ++i) {
        EXPECT_DOUBLE_EQ(piles[i]->GetAnchor().x, 1.0 + i);
        EXPECT_EQ(piles[i]->GetAnchor().offsetX, -12 + 4 * i);
    }
    game.RowRightAligned(std::span(piles).first(4), 9, 0.75, 3.0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(piles[i]->GetAnchor().x, 5.0 + i);
        EXPECT_DOUBLE_EQ(piles[i]->GetAnchor().y, 0.75);
        EXPECT_EQ(piles[i]->GetAnchor().offsetX, -12 + 4 * i);
        EXPECT_DOUBLE_EQ(piles[i]->Fan().limit, 3.0);
    }
}

// Klondike Deal Three without automatic play, so the waste keeps what is dealt.
class StockActionTest : public ::testing::Test {
protected:
    void SetUp() override {
        game.Initialize();
        game.SetOptions({.autoPlay = false});
        game.StartRound(77);
    }
    // Deals the stock down to `left` cards, by threes and twos: a card is
    // dealt alone only as the stock's last.
    void DrainStockTo(int left) {
        while (static_cast<int>(game.Stock()->Count()) > left) {
            const int k = static_cast<int>(game.Stock()->Count()) - left;
            const std::uint32_t before = game.Stock()->Count();
            game.DealMany(k == 4 ? 2 : std::min(k, 3));
            if (game.Stock()->Count() == before) {
                ADD_FAILURE() << "the stock deals no more";
                return;
            }
        }
    }
    clOpen<clKlondikeDealThree> game;
};

TEST_F(StockActionTest, DealingThreeFromTwoCardsIsOneCompoundOfTwo) {
    DrainStockTo(2);
    const std::size_t records = game.History().Count();
    game.DealMany(3);
    EXPECT_EQ(game.Stock()->Count(), 0u);
    ASSERT_EQ(game.History().Count(), records + 1);
    const clMove& deal = game.History().At(records);
    EXPECT_EQ(deal.type, clMoveType::Compound);
    EXPECT_EQ(deal.count, 2);

    // On the table before it (as a saved game replays it) the deal is valid,
    // its parts in another order are not.
    const clMove taken = deal;
    game.UndoMove(*game.History().StepBack());
    EXPECT_TRUE(game.ValidateMove(taken));
    clMove shuffled = taken;
    std::swap(shuffled.parts[0], shuffled.parts[1]);
    EXPECT_FALSE(game.ValidateMove(shuffled));
    clMove tooMany = taken;
    tooMany.AddPart(taken.parts[1]);
    EXPECT_FALSE(game.ValidateMove(tooMany));

    // Plain Klondike deals one at a time and refuses a deal of several.
    clKlondike one;
    one.Initialize();
    one.StartRound(77);
    EXPECT_FALSE(one.ValidateMove(
        clMove::CompoundMove({clMove::CardMove(one.Stock()->TopDealIndex(),
                                               clLocation::Single(clLocationKind::Stock, 23),
                                               clLocation::Single(clLocationKind::Waste, 0)),
                              clMove::CardMove(one.Stock()->At(22)->dealIndex,
                                               clLocation::Single(clLocationKind::Stock, 22),
                                               clLocation::Single(clLocationKind::Waste, 1))})));
}

TEST_F(StockActionTest, DealingFromOneCardIsASingleMove) {
    const clMove alone = clMove::CardMove(game.Stock()->TopDealIndex(),
                                          clLocation::Single(clLocationKind::Stock, 23),
                                          clLocation::Single(clLocationKind::Waste, 0));
    EXPECT_FALSE(game.ValidateMove(alone)) << "a click deals three";
    DrainStockTo(1);
    const std::size_t records = game.History().Count();
    game.DealMany(3);
    ASSERT_EQ(game.History().Count(), records + 1);
    EXPECT_EQ(game.History().At(records).type, clMoveType::Card);
}

TEST_F(StockActionTest, ARedealNeedsAnEmptyStockAndCardsInTheWaste) {
    EXPECT_FALSE(game.ValidateRedeal());  // the stock holds cards, the waste none
    game.DealMany(3);
    EXPECT_FALSE(game.ValidateRedeal());
    DrainStockTo(0);
    EXPECT_TRUE(game.ValidateRedeal());

    // The waste goes back in the stock's first order, face down.
    clKlondikeDealThree fresh;
    fresh.Initialize();
    fresh.StartRound(77);
    std::vector<std::int32_t> firstOrder;
    for (int i = 0; i < static_cast<int>(fresh.Stock()->Count()); ++i) {
        firstOrder.push_back(fresh.Stock()->At(i)->dealIndex);
    }
    ASSERT_TRUE(game.CommitPlayedMove(clMove::StockMove(), true));
    std::vector<std::int32_t> afterRedeal;
    for (int i = 0; i < static_cast<int>(game.Stock()->Count()); ++i) {
        afterRedeal.push_back(game.Stock()->At(i)->dealIndex);
        EXPECT_TRUE(game.Stock()->At(i)->faceDown);
    }
    EXPECT_EQ(afterRedeal, firstOrder);
    EXPECT_EQ(game.StockActions(), 1);
    EXPECT_FALSE(game.ValidateRedeal());  // the waste is empty now
}

TEST_F(StockActionTest, ClicksDealAndRedeal) {
    const auto stockCount = [&] { return game.Stock()->Count(); };
    game.PressPile(*game.Stock(), game.Stock()->TopIndex());
    EXPECT_EQ(stockCount(), 21u);
    EXPECT_EQ(game.Waste()->Count(), 3u);
    DrainStockTo(0);
    game.PressPile(*game.Stock(), 0);  // the empty stock asks for a redeal
    EXPECT_EQ(stockCount(), 24u);
    EXPECT_EQ(game.Waste()->Count(), 0u);
}

// Cards for a hand-laid Klondike table.
class PreferBuiltTest : public ::testing::Test {
protected:
    void SetUp() override {
        game.Initialize();
        game.StartRound(5);
        for (const auto& pile : game.AllPiles())
            pile->Clear();
    }
    clCard* C(int rank, clSuit suit) { return FindCard(game.Deck(), rank, suit); }
    clOpenKlondike game;
};

TEST_F(PreferBuiltTest, BuildsOnACardBeforeFillingASpace) {
    using enum clSuit;
    Lay(*game.Tableau(0), {C(13, Clubs)});                 // a king of clubs alone
    Lay(*game.Tableau(3), {C(13, Diamonds)});              // a red king
    Lay(*game.Tableau(5), {C(9, Hearts), C(12, Spades)});  // a black queen on top
    game.Pick(*game.Tableau(5), 1);
    clMove move;
    ASSERT_TRUE(game.FindMovePreferBuilt(move));
    EXPECT_EQ(move.to, clLocation::Pile(clLocationKind::Tableau, 3, 1));

    // A king goes up to a foundation holding its queen before anything else.
    Lay(*game.Foundation(2), {});
    for (int rank = 1; rank <= 12; ++rank) {
        clGroup one(C(rank, Clubs));
        game.Foundation(2)->AddCards(one);
    }
    game.Pick(*game.Tableau(0), 0);
    ASSERT_TRUE(game.FindMovePreferBuilt(move));
    EXPECT_EQ(move.to.kind, clLocationKind::Foundation);
    EXPECT_EQ(move.to.first, 2);
}

TEST(CatalogueTest, RowsAreCompleteAndConsistent) {
    EXPECT_EQ(Catalogue().size(), 75u);
    std::set<std::string_view> names, keys;
    for (const auto rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& row : rows) {
            SCOPED_TRACE(std::string(row.displayName));
            EXPECT_EQ(KeyOf(row.displayName), row.key);
            EXPECT_TRUE(names.insert(row.displayName).second) << "display names are unique";
            EXPECT_TRUE(keys.insert(row.key).second) << "keys are unique";
        }
    }
    for (const clCatalogueRow& row : Catalogue()) {
        EXPECT_NE(std::find(kCategoryNames.begin(), kCategoryNames.end(), row.category),
                  kCategoryNames.end())
            << row.displayName;
    }
    EXPECT_EQ(KeyOf("Baker's Game"), "bakersgame");
    EXPECT_EQ(KeyOf("Get 11"), "get11");
}

TEST(CatalogueTest, LookUpByNameOrKeyInAnyCase) {
    struct Case {
        const char* asked;
        const char* found;  // nullptr: none
        bool includeHidden;
    };
    const Case cases[] = {
        {"Klondike", "Klondike", false},
        {"KLONDIKE", "Klondike", false},
        {"bakersgame", "Baker's Game", false},
        {"baker's game", "Baker's Game", false},
        {"Tuxedo", nullptr, false},
        {"tuxedo", "Tuxedo", true},
        {"", nullptr, true},
        {"Klondike ", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        const clCatalogueRow* row = LookUpVariant(c.asked, c.includeHidden);
        if (c.found) {
            ASSERT_NE(row, nullptr);
            EXPECT_EQ(row->displayName, c.found);
        } else {
            EXPECT_EQ(row, nullptr);
        }
    }
}

TEST(RegistryTest, CreatesByExactDisplayNameOnly) {
    auto klondike = CreateVariant("Klondike");
    ASSERT_NE(klondike, nullptr);
    EXPECT_EQ(klondike->DisplayName(), "Klondike");
    EXPECT_EQ(klondike->Key(), "klondike");
    EXPECT_EQ(klondike->HelpTopic(), 1060);
    EXPECT_EQ(CreateVariant("KLONDIKE"), nullptr);
    EXPECT_EQ(CreateVariant("klondike"), nullptr);
    EXPECT_EQ(CreateVariant("No Such Game"), nullptr);

    // Every registered variant has its row, and its screen carries the row's name and key.
    for (const std::string_view name : RegisteredVariants()) {
        SCOPED_TRACE(std::string(name));
        const clCatalogueRow* row = FindVariant(name);
        ASSERT_NE(row, nullptr);
        auto screen = CreateVariant(name);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->Key(), row->key);
        EXPECT_EQ(screen->HelpTopic(), row->helpTopic);
    }
}

// The registry and the catalogue name the same games: every row, on the
// chooser or hidden, is registered once and its screen is described by that
// row; and each game's round table lists its later steps in round order (a
// step out of order would count for nothing).
TEST(RegistryTest, EveryCatalogueRowIsOneVariantDescribedByItsRow) {
    std::set<std::string_view> registered;
    for (const std::string_view name : RegisteredVariants())
        EXPECT_TRUE(registered.insert(name).second) << name << " is registered twice";
    for (const auto rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& row : rows) {
            SCOPED_TRACE(std::string(row.displayName));
            EXPECT_EQ(registered.erase(row.displayName), 1u) << "not registered";
            const auto screen = CreateVariant(row.displayName);
            ASSERT_NE(screen, nullptr);
            const clGameRules& rules = dynamic_cast<const clSolitaireGame&>(*screen).Rules();
            EXPECT_EQ(rules.game.displayName, row.displayName);
            EXPECT_EQ(rules.game.key, row.key);
            EXPECT_EQ(rules.game.helpTopic, row.helpTopic);
            EXPECT_GT(rules.width, 0);
            EXPECT_GT(rules.height, 0);
            std::int32_t goalFrom = 1;
            for (const clGoalStep& step : rules.rounds.goalSteps) {
                if (step.from == 0) break;
                EXPECT_GT(step.from, goalFrom) << "goal steps in round order";
                goalFrom = step.from;
            }
            std::int32_t bonusFrom = 1;
            for (const clBonusStep& step : rules.rounds.bonusSteps) {
                if (step.from == 0) break;
                EXPECT_GT(step.from, bonusFrom) << "bonus steps in round order";
                EXPECT_GT(step.period, 0);
                bonusFrom = step.from;
            }
        }
    }
    EXPECT_TRUE(registered.empty()) << "registered without a catalogue row";
}

}  // namespace
