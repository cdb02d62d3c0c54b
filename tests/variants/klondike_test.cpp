#include "variants/klondike.h"

#include <memory>
#include <string>
#include <typeinfo>

#include <gtest/gtest.h>

#include "piles/stock.h"
#include "piles/waste.h"
#include "support/test_table.h"
#include "variants/registry.h"

namespace {

using enum clSuit;

std::unique_ptr<clSolitaireRules> Deal(std::string_view name, std::int32_t number) {
    std::unique_ptr<clSolitaireType> screen = CreateVariant(name);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.release());
    if (game == nullptr) return nullptr;
    game->SetOptions({.autoSave = false, .autoPlay = false});
    game->StartRound(number);
    return std::unique_ptr<clSolitaireRules>(game);
}

int FaceDown(const clSolitaireRules& game) {
    int n = 0;
    for (int i = 0; i < game.TableauCount(); ++i) {
        for (int k = 0; k < static_cast<int>(game.Tableau(i)->Count()); ++k) {
            n += game.Tableau(i)->At(k)->faceDown;
        }
    }
    return n;
}

int Cards(const clSolitaireRules& game, int (clSolitaireRules::*count)() const,
          clPile* (clSolitaireRules::*pile)(int) const) {
    int n = 0;
    for (int i = 0; i < (game.*count)(); ++i)
        n += static_cast<int>((game.*pile)(i)->Count());
    return n;
}

struct clLayoutRow {
    const char* name;
    int foundations, tableau, reserves;
    bool stockAndWaste;
    int tableauCards, faceDown, reserveCards, stockCards, wasteCards;
    int width, height;
    const std::type_info& tableauClass;
    int emptyRank;  // of tableau pile 0
};

// clang-format off
const clLayoutRow kLayouts[] = {
    // name                               F  T  R  s/w    tab  down res stock waste  w   h
    {"Klondike",                          4, 7, 0, true,  28,  21,  0,  24,   0,     9,  6, typeid(clTableauDownAlternating), 13},
    {"Klondike Free",                     4, 7, 0, true,  28,  21,  0,  24,   0,     9,  6, typeid(clTableauDownAlternating), 0},
    {"Klondike Deal Three",               4, 7, 0, true,  28,  21,  0,  24,   0,     9,  6, typeid(clTableauDownAlternating), 13},
    {"Klondike Free Deal Three",          4, 7, 0, true,  28,  21,  0,  24,   0,     9,  6, typeid(clTableauDownAlternating), 0},
    {"Double Klondike",                   8, 9, 0, true,  45,  36,  0,  59,   0,     11, 6, typeid(clTableauDownAlternating), 0},
    {"Double Klondike Deal Three",        8, 9, 0, true,  45,  36,  0,  59,   0,     11, 6, typeid(clTableauDownAlternating), 0},
    {"Double Klondike Kings",             8, 9, 0, true,  45,  36,  0,  59,   0,     11, 6, typeid(clTableauDownAlternating), 13},
    {"Double Klondike Kings Deal Three",  8, 9, 0, true,  45,  36,  0,  59,   0,     11, 6, typeid(clTableauDownAlternating), 13},
    {"Lady Jane",                         8, 10, 0, true, 55,  0,   0,  49,   0,     11, 6, typeid(clTableauDownMoveInSuit), 0},
    {"Yukon",                             4, 7, 0, false, 52,  21,  0,  0,    0,     9,  6, typeid(clTableauDownAlternatingFree), 13},
    {"Russian Solitaire",                 4, 7, 0, false, 52,  21,  0,  0,    0,     9,  6, typeid(clTableauDownInSuitFree), 13},
    {"Australian Patience",               4, 7, 0, true,  28,  0,   0,  24,   0,     9,  6, typeid(clTableauDownInSuitFree), 13},
    {"Canfield",                          4, 4, 1, true,  4,   0,   13, 34,   0,     7,  6, typeid(clTableauDownAlternating), 0},
    {"Canfield Deal Three",               4, 4, 1, true,  4,   0,   13, 34,   0,     7,  6, typeid(clTableauDownAlternating), 0},
    {"Demons and Thieves",                8, 9, 1, true,  44,  0,   13, 45,   1,     11, 6, typeid(clTableauDownAlternating), 0},
};
// clang-format on

TEST(KlondikeFamilyTest, LayoutsAndDeals) {
    for (const clLayoutRow& row : kLayouts) {
        SCOPED_TRACE(row.name);
        const auto game = Deal(row.name, 4321);
        ASSERT_NE(game, nullptr);
        EXPECT_EQ(game->FoundationCount(), row.foundations);
        EXPECT_EQ(game->TableauCount(), row.tableau);
        EXPECT_EQ(game->ReserveCount(), row.reserves);
        EXPECT_EQ(game->Stock() != nullptr, row.stockAndWaste);
        EXPECT_EQ(game->Waste() != nullptr, row.stockAndWaste);
        EXPECT_EQ(game->TableWidth(), row.width);
        EXPECT_EQ(game->TableHeight(), row.height);
        EXPECT_EQ(typeid(*game->Tableau(0)), row.tableauClass);
        EXPECT_EQ(dynamic_cast<clStore&>(*game->Tableau(0)).EmptyRank(), row.emptyRank);
        for (int i = 0; i < game->FoundationCount(); ++i) {
            EXPECT_EQ(typeid(*game->Foundation(i)), typeid(clFoundationUpInSuit));
        }

        EXPECT_EQ(Cards(*game, &clSolitaireRules::TableauCount, &clSolitaireRules::Tableau),
                  row.tableauCards);
        EXPECT_EQ(FaceDown(*game), row.faceDown);
        EXPECT_EQ(Cards(*game, &clSolitaireRules::ReserveCount, &clSolitaireRules::Reserve),
                  row.reserveCards);
        if (game->Stock()) {
            EXPECT_EQ(static_cast<int>(game->Stock()->Count()), row.stockCards);
            EXPECT_EQ(static_cast<int>(game->Waste()->Count()), row.wasteCards);
            EXPECT_EQ(typeid(*game->Stock()), typeid(clStockToWaste));
            EXPECT_EQ(typeid(*game->Waste()), typeid(clWasteFromStock));
        }
        // Every dealt card lies inside the table.
        for (const auto& pile : game->AllPiles()) {
            for (int k = 0; k < static_cast<int>(pile->Count()); ++k) {
                EXPECT_LE(pile->At(k)->x + 1.0, row.width + 1e-9);
                EXPECT_LE(pile->At(k)->y + 1.0, row.height + 1e-9);
            }
        }
    }
}

TEST(KlondikeFamilyTest, TableauKeysCountOneToNineThenZero) {
    const auto game = Deal("Lady Jane", 1);
    EXPECT_EQ(game->Tableau(0)->Key1(), '1');
    EXPECT_EQ(game->Tableau(8)->Key1(), '9');
    EXPECT_EQ(game->Tableau(9)->Key1(), '0');
    EXPECT_EQ(game->Stock()->Key1(), 9);
    EXPECT_EQ(game->Waste()->Key1(), 'W');
}

TEST(KlondikeTest, TheTriangleHasItsTopsTurnedUp) {
    const auto game = Deal("Klondike", 99);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const clPile& pile = *game->Tableau(i);
        ASSERT_EQ(static_cast<int>(pile.Count()), i + 1);
        for (int k = 0; k < i; ++k) {
            EXPECT_TRUE(pile.At(k)->faceDown);
            EXPECT_TRUE(pile.At(k)->blocked);
        }
        EXPECT_FALSE(pile.Top()->faceDown);
        EXPECT_FALSE(pile.Top()->blocked);
    }
    // The triangle deals across: pile 6 gets deal positions 6, 12, 17, 21, 24, 26, 27.
    EXPECT_EQ(game->Tableau(6)->At(1)->dealIndex, 12);
    EXPECT_EQ(game->Tableau(6)->Top()->dealIndex, 27);
}

TEST(YukonTest, DealsATriangleThenFourFaceUpOnEachColumnButTheFirst) {
    const auto game = Deal("Yukon", 99);
    EXPECT_EQ(game->Tableau(0)->Count(), 1u);
    EXPECT_FALSE(game->Tableau(0)->Top()->faceDown);
    for (int i = 1; i < 7; ++i) {
        SCOPED_TRACE(i);
        const clPile& pile = *game->Tableau(i);
        ASSERT_EQ(static_cast<int>(pile.Count()), i + 5);
        for (int k = 0; k < static_cast<int>(pile.Count()); ++k) {
            EXPECT_EQ(pile.At(k)->faceDown, k < i);
        }
    }
}

// A hand-laid table of a variant, autoplay off.
class HandLaidTest : public ::testing::Test {
protected:
    void Load(std::string_view name) {
        game = Deal(name, 3);
        for (const auto& pile : game->AllPiles())
            pile->Clear();
    }
    clCard* C(int rank, clSuit suit) { return FindCard(game->Deck(), rank, suit); }
    bool Moves(int fromPile, int position, int toPile) {
        const clLocation to =
            clLocation::Pile(clLocationKind::Tableau, toPile, game->Tableau(toPile)->Count());
        return game->ValidateMove(
            MoveBetween(*game, clLocation::Pile(clLocationKind::Tableau, fromPile, position), to));
    }
    std::unique_ptr<clSolitaireRules> game;
};

TEST_F(HandLaidTest, KingsOnlyOrAnyCardInSpaces) {
    for (const char* name : {"Klondike", "Klondike Free"}) {
        SCOPED_TRACE(name);
        Load(name);
        Lay(*game->Tableau(0), {C(13, Spades), C(12, Hearts)});
        Lay(*game->Tableau(1), {C(12, Clubs)});
        EXPECT_TRUE(Moves(0, 0, 2));  // a run headed by a king
        EXPECT_EQ(Moves(1, 0, 2), std::string(name) == "Klondike Free");
    }
}

TEST_F(HandLaidTest, AWasteCardCannotGoBackOntoTheStock) {
    Load("Klondike");
    Lay(*game->Waste(), {C(5, Hearts)});
    Lay(*game->Stock(), {C(9, Clubs)});
    EXPECT_FALSE(game->ValidateMove(MoveBetween(*game, clLocation::Single(clLocationKind::Waste, 0),
                                                clLocation::Single(clLocationKind::Stock, 1))));
}

TEST_F(HandLaidTest, YukonMovesAnyFaceUpGroup) {
    Load("Yukon");
    Lay(*game->Tableau(0), {C(9, Hearts)});
    Lay(*game->Tableau(1), {C(2, Clubs), C(8, Spades), C(3, Diamonds), C(11, Clubs)});
    EXPECT_TRUE(Moves(1, 1, 0));   // 8S with an unordered 3D and JC on it, onto 9H
    EXPECT_FALSE(Moves(1, 2, 0));  // 3D does not go on 9H
    game->Tableau(1)->At(1)->faceDown = game->Tableau(1)->At(1)->blocked = true;
    EXPECT_FALSE(Moves(1, 1, 0));  // face-down cards stay
}

TEST_F(HandLaidTest, LadyJaneBuildsAnySuitButMovesRunsInSuit) {
    Load("Lady Jane");
    Lay(*game->Tableau(0), {C(13, Spades)});
    Lay(*game->Tableau(1), {C(12, Hearts)});
    Lay(*game->Tableau(2), {C(12, Clubs), C(11, Clubs)});
    Lay(*game->Tableau(3), {C(12, Diamonds), C(11, Spades)});
    EXPECT_TRUE(Moves(1, 0, 0));   // a queen of any suit on a king
    EXPECT_TRUE(Moves(2, 0, 0));   // an in-suit run leaves
    EXPECT_FALSE(Moves(3, 0, 0));  // a mixed run does not
}

TEST(CanfieldTest, TheFirstCardSetsTheBaseRank) {
    const auto game = Deal("Canfield", 2024);
    const int base = game->Foundation(0)->Top()->GetRank();
    EXPECT_EQ(game->Foundation(0)->Count(), 1u);
    EXPECT_EQ(game->Foundation(0)->Top()->dealIndex, 0);
    for (int i = 0; i < 4; ++i) {
        const auto& foundation = dynamic_cast<const clFoundation&>(*game->Foundation(i));
        EXPECT_EQ(foundation.BaseRank(), base);
        EXPECT_EQ(foundation.StopRank(), 0);
        EXPECT_EQ(foundation.Symbol(), RankMark(base));
        EXPECT_EQ(dynamic_cast<const clStore&>(*game->Tableau(i)).StopRank(), base);
    }
}

TEST_F(HandLaidTest, CanfieldFoundationsTurnTheCorner) {
    // Deal 2024 has some base rank b; lay out by that rank.
    game = Deal("Canfield", 2024);
    const int base = game->Foundation(0)->Top()->GetRank();
    for (const auto& pile : game->AllPiles())
        pile->Clear();
    const auto toFoundation = [&](int foundation, clCard* card) {
        Lay(*game->Tableau(3), {card});
        return game->ValidateMove(
            MoveBetween(*game, clLocation::Pile(clLocationKind::Tableau, 3, 0),
                        clLocation::Pile(clLocationKind::Foundation, foundation, 0)));
    };
    const int other = base % 13 + 1;
    EXPECT_TRUE(toFoundation(1, C(base, Hearts)));
    EXPECT_FALSE(toFoundation(1, C(other, Hearts)));

    // A king on a foundation is followed by the ace of its suit.
    Lay(*game->Foundation(2), {C(13, Clubs)});
    EXPECT_TRUE(toFoundation(2, C(1, Clubs)));
    EXPECT_FALSE(toFoundation(2, C(1, Hearts)));

    // A card of the base rank on the tableau takes nothing.
    Lay(*game->Tableau(0), {C(base, Spades)});
    Lay(*game->Tableau(1), {C(RankBelow(base), Hearts)});
    const clLocation onto = clLocation::Pile(clLocationKind::Tableau, 0, 1);
    EXPECT_FALSE(game->ValidateMove(
        MoveBetween(*game, clLocation::Pile(clLocationKind::Tableau, 1, 0), onto)));
}

TEST(CanfieldTest, ASpaceIsRefilledFromTheReserveInTheSameRecord) {
    auto game = Deal("Canfield", 2024);
    // Find a tableau card that can go somewhere, emptying its pile.
    for (int from = 0; from < 4; ++from) {
        for (int to = 0; to < 4; ++to) {
            if (from == to) continue;
            const clMove move = MoveBetween(
                *game, clLocation::Pile(clLocationKind::Tableau, from, 0),
                clLocation::Pile(clLocationKind::Tableau, to, game->Tableau(to)->Count()));
            if (!game->ValidateMove(move)) continue;
            const std::int32_t reserveTop = game->Reserve(0)->TopDealIndex();
            ASSERT_TRUE(game->CommitPlayedMove(move));
            EXPECT_EQ(game->Tableau(from)->Count(), 1u);
            EXPECT_EQ(game->Tableau(from)->Top()->dealIndex, reserveTop);
            ASSERT_EQ(game->History().Count(), 1u);
            EXPECT_EQ(game->History().At(0).type, clMoveType::Compound);
            EXPECT_EQ(game->Reserve(0)->Count(), 12u);
            return;
        }
    }
    GTEST_SKIP() << "no tableau move on this deal; pick another deal number";
}

}  // namespace
