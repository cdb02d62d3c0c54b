#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/deck.h"
#include "piles/reserve.h"
#include "piles/stock.h"
#include "piles/waste.h"
#include "support/pile_fixtures.h"

namespace {

constexpr int kTab = 9;
constexpr clPileSymbol kNone = clPileSymbol::None;
constexpr clPileSymbol kOutline = clPileSymbol::Outline;
constexpr clPileSymbol kRedeal = clPileSymbol::Redeal;
constexpr clPileSymbol kNoRedeal = clPileSymbol::NoRedeal;

struct clPileRow {
    const char* name;
    std::unique_ptr<clPile> (*make)();
    clPileSettings settings;
};

// clang-format off
const clPileRow kPileRows[] = {
    // capacity, inert, click-action, give, receive, max in, max out, fan pixel dy, symbol, key 1,
    // label when empty
    {"clStock",                   MakePile<clStock>,                   {216, false, true,  false, false, 0, 0,  0, kNone,     0,    false}},
    {"clStockDealOnly",           MakePile<clStockDealOnly>,           {216, false, true,  true,  false, 0, 0,  0, kNone,     kTab, false}},
    {"clStockToWaste",            MakePile<clStockToWaste>,            {216, false, true,  true,  true,  0, 0,  0, kRedeal,   kTab, true}},
    {"clStockToReserve",          MakePile<clStockToReserve>,          {216, false, true,  true,  true,  0, 0,  0, kRedeal,   kTab, true}},
    {"clStockToWasteOnly",        MakePile<clStockToWasteOnly>,        {216, false, true,  true,  true,  0, 0,  0, kNoRedeal, kTab, false}},
    {"clStockToWasteOpen",        MakePile<clStockToWasteOpen>,        {216, false, true,  true,  true,  0, 0,  0, kNoRedeal, kTab, false}},
    {"clWaste",                   MakePile<clWaste>,                   {216, false, false, true,  true,  1, 1,  0, kNone,     0,    false}},
    {"clWasteDiscard",            MakePile<clWasteDiscard>,            {216, false, false, false, true,  1, 1,  0, kNone,     0,    false}},
    {"clWasteFromStock",          MakePile<clWasteFromStock>,          {216, false, false, true,  true,  1, 1,  0, kOutline,  'W',  false}},
    {"clWasteFromStockSelect",    MakePile<clWasteFromStockSelect>,    {216, false, true,  true,  true,  1, 1,  0, kOutline,  'W',  false}},
    {"clWasteFromStockSingle",    MakePile<clWasteFromStockSingle>,    {1,   false, false, true,  true,  1, 1,  0, kOutline,  'W',  false}},
    {"clWasteFromReserveSelect",  MakePile<clWasteFromReserveSelect>,  {216, false, true,  true,  true,  1, 1,  0, kOutline,  'W',  false}},
    {"clCell",                    MakePile<clCell>,                    {1,   false, false, true,  true,  1, 1,  0, kOutline,  0,    false}},
    {"clReserveDiscard",          MakePile<clReserveDiscard>,          {216, false, true,  false, true,  0, 0, -2, kOutline,  0,    false}},
    {"clReserveDiscardOnly",      MakePile<clReserveDiscardOnly>,      {1,   false, true,  true,  false, 0, 0,  0, kNone,     0,    false}},
    {"clReserveFromStockToWaste", MakePile<clReserveFromStockToWaste>, {1,   false, true,  true,  true,  0, 0,  0, kOutline,  0,    false}},
    {"clReserveMoveTopCard",      MakePile<clReserveMoveTopCard>,      {216, false, false, true,  true,  0, 1,  2, kOutline,  0,    false}},
    {"clReserveRemoveTopCard",    MakePile<clReserveRemoveTopCard>,    {216, false, false, true,  false, 0, 1,  2, kNone,     0,    false}},
    {"clSymbolPile",              MakePile<clSymbolPile>,              {1,   false, true,  false, false, 0, 0,  0, kNone,     0,    false}},
    {"clSymbolReshuffle",         MakePile<clSymbolReshuffle>,         {1,   false, true,  false, false, 0, 0,  0, kRedeal,   kTab, true}},
};
// clang-format on

void PrintTo(const clPileRow& row, std::ostream* out) {
    *out << row.name;
}

class PileSettingsTest : public ::testing::TestWithParam<clPileRow> {};

TEST_P(PileSettingsTest, MatchesTheClassTable) {
    ExpectSettings(*GetParam().make(), GetParam().settings);
}

INSTANTIATE_TEST_SUITE_P(StockWasteReserve, PileSettingsTest, ::testing::ValuesIn(kPileRows),
                         [](const auto& info) { return std::string(info.param.name); });

clLocation At(clLocationKind kind) {
    return clLocation{kind, 0, 0};
}

struct clGiveCase {
    const char* what;
    std::unique_ptr<clPile> (*make)();
    clLocationKind destination;
    bool gives;
};

const clGiveCase kGiveCases[] = {
    {"to waste: the waste", MakePile<clStockToWaste>, clLocationKind::Waste, true},
    {"to waste: not a tableau pile", MakePile<clStockToWaste>, clLocationKind::Tableau, false},
    {"to waste: not a foundation", MakePile<clStockToWaste>, clLocationKind::Foundation, false},
    {"to waste: not a reserve", MakePile<clStockToWaste>, clLocationKind::Reserve, false},
    {"to waste only: the waste", MakePile<clStockToWasteOnly>, clLocationKind::Waste, true},
    {"to waste only: not a tableau pile", MakePile<clStockToWasteOnly>, clLocationKind::Tableau,
     false},
    {"to waste open: the waste", MakePile<clStockToWasteOpen>, clLocationKind::Waste, true},
    {"to waste open: not a reserve", MakePile<clStockToWasteOpen>, clLocationKind::Reserve, false},
    {"to reserve: a reserve", MakePile<clStockToReserve>, clLocationKind::Reserve, true},
    {"to reserve: not the waste", MakePile<clStockToReserve>, clLocationKind::Waste, false},
    {"deal only: a tableau pile", MakePile<clStockDealOnly>, clLocationKind::Tableau, true},
    {"deal only: a foundation", MakePile<clStockDealOnly>, clLocationKind::Foundation, true},
    {"deal only: the waste", MakePile<clStockDealOnly>, clLocationKind::Waste, true},
    {"plain stock: not even the waste", MakePile<clStock>, clLocationKind::Waste, false},
};

TEST(StockPickUpTest, GivesOnlyTowardItsDestination) {
    for (const clGiveCase& c : kGiveCases) {
        SCOPED_TRACE(c.what);
        clTestCards box;
        const auto stock = c.make();
        box.Put(*stock, "3C 9D KH");
        clGroup into(3);
        EXPECT_EQ(stock->PickUp(2, At(c.destination), into), c.gives);
        EXPECT_EQ(into.Count(), c.gives ? 1u : 0u);
        EXPECT_EQ(stock->Count(), 3u) << "picking up leaves the cards in place";
    }
}

// Cards arrive face up and blocked, or face down and blocked, on a pile that
// already holds one card showing the wrong face.
struct clFaceCase {
    const char* what;
    std::unique_ptr<clPile> (*make)();
    bool faceDown;   // how every card ends up
    bool freesTop;   // the arriving top card is unblocked
    bool holdsCard;  // the pile already holds a card
};

const clFaceCase kFaceCases[] = {
    {"stock", MakePile<clStock>, true, false, true},
    {"stock to waste", MakePile<clStockToWaste>, true, false, true},
    {"stock to waste only", MakePile<clStockToWasteOnly>, true, false, true},
    {"open stock", MakePile<clStockToWasteOpen>, false, false, true},
    {"waste", MakePile<clWaste>, false, true, true},
    {"waste from stock", MakePile<clWasteFromStock>, false, true, true},
    {"waste from reserve", MakePile<clWasteFromReserveSelect>, false, true, true},
    {"single waste", MakePile<clWasteFromStockSingle>, false, true, false},
    {"reserve between stock and waste", MakePile<clReserveFromStockToWaste>, false, true, false},
};

TEST(AddCardsTest, TurnsTheCardsToThePileFace) {
    for (const clFaceCase& c : kFaceCases) {
        SCOPED_TRACE(c.what);
        clTestCards box;
        const auto pile = c.make();
        if (c.holdsCard) {
            box.Put(*pile, "4S");
            pile->Top()->faceDown = !c.faceDown;
        }
        clGroup group = box.Group("JD");
        clCard* arriving = group.Top();
        arriving->faceDown = !c.faceDown;
        arriving->blocked = true;

        ASSERT_TRUE(pile->AddCards(group));
        EXPECT_EQ(group.Count(), 0u);
        EXPECT_EQ(pile->Top(), arriving);
        for (int i = 0; i < static_cast<int>(pile->Count()); ++i)
            EXPECT_EQ(pile->At(i)->faceDown, c.faceDown) << "card " << i;
        EXPECT_EQ(arriving->blocked, !c.freesTop);
    }
}

TEST(AddCardsTest, RefusedGroupStaysAsItWas) {
    clTestCards box;
    clWasteFromStockSingle waste;
    box.Put(waste, "4S");
    clGroup group = box.Group("JD");
    group.Top()->faceDown = true;
    group.Top()->blocked = true;

    EXPECT_FALSE(waste.AddCards(group));
    EXPECT_EQ(waste.Count(), 1u);
    ASSERT_EQ(group.Count(), 1u);
    EXPECT_TRUE(group.Top()->faceDown);
    EXPECT_TRUE(group.Top()->blocked);
}

struct clWasteCase {
    const char* what;
    std::unique_ptr<clPile> (*make)();
    clLocationKind source;
    int cards;  // moving at once
    bool accepted;
};

const clWasteCase kWasteCases[] = {
    {"from stock: a card from the stock", MakePile<clWasteFromStock>, clLocationKind::Stock, 1,
     true},
    {"from stock: not two cards", MakePile<clWasteFromStock>, clLocationKind::Stock, 2, false},
    {"from stock: not from a tableau pile", MakePile<clWasteFromStock>, clLocationKind::Tableau, 1,
     false},
    {"from stock: not from a reserve", MakePile<clWasteFromStock>, clLocationKind::Reserve, 1,
     false},
    {"select: a card from the stock", MakePile<clWasteFromStockSelect>, clLocationKind::Stock, 1,
     true},
    {"select: not from a foundation", MakePile<clWasteFromStockSelect>, clLocationKind::Foundation,
     1, false},
    {"single: a card from the stock", MakePile<clWasteFromStockSingle>, clLocationKind::Stock, 1,
     true},
    {"single: not from a tableau pile", MakePile<clWasteFromStockSingle>, clLocationKind::Tableau,
     1, false},
    {"from reserve: a card from a reserve", MakePile<clWasteFromReserveSelect>,
     clLocationKind::Reserve, 1, true},
    {"from reserve: not from the stock", MakePile<clWasteFromReserveSelect>, clLocationKind::Stock,
     1, false},
    {"from reserve: not two cards", MakePile<clWasteFromReserveSelect>, clLocationKind::Reserve, 2,
     false},
    {"plain waste: a card from anywhere", MakePile<clWaste>, clLocationKind::Tableau, 1, true},
    {"plain waste: not two cards", MakePile<clWaste>, clLocationKind::Stock, 2, false},
    {"discard waste: a card from anywhere", MakePile<clWasteDiscard>, clLocationKind::Tableau, 1,
     true},
};

TEST(WasteAcceptTest, TakesOneCardFromItsSource) {
    for (const clWasteCase& c : kWasteCases) {
        SCOPED_TRACE(c.what);
        clTestCards box;
        const auto waste = c.make();
        const clGroup moving = c.cards == 1 ? box.Group("5H") : box.Group("5H 6H");
        EXPECT_EQ(waste->CanAccept(0, moving, At(c.source)), c.accepted);
    }
}

TEST(WasteAcceptTest, SingleWasteHoldsOneCard) {
    clTestCards box;
    clWasteFromStockSingle waste;
    box.Put(waste, "5H");
    EXPECT_FALSE(waste.CanAccept(1, box.Group("6H"), At(clLocationKind::Stock)));
    EXPECT_FALSE(waste.CanAccept(0, box.Group("6H"), At(clLocationKind::Stock)));
}

TEST(CellTest, HoldsOneCard) {
    clTestCards box;
    clCell cell;
    cell.SetPileNumber(2);
    const clLocation fromTableau = At(clLocationKind::Tableau);
    EXPECT_FALSE(cell.CanAccept(0, box.Group("9C 8D"), fromTableau)) << "max in 1";
    clGroup card = box.Group("9C");
    ASSERT_TRUE(cell.CanAccept(0, card, fromTableau));
    ASSERT_TRUE(cell.AddCards(card));

    EXPECT_FALSE(cell.CanAccept(1, box.Group("8D"), fromTableau)) << "full";
    EXPECT_FALSE(cell.CanAccept(0, box.Group("8D"), fromTableau)) << "not the next slot";

    clLocation at;
    std::int32_t dealIndex = -1;
    ASSERT_TRUE(cell.GetTop(at, dealIndex));
    EXPECT_EQ(at, clLocation::Pile(clLocationKind::Reserve, 2, 0));
    EXPECT_EQ(dealIndex, cell.Top()->dealIndex);

    clGroup into(1);
    EXPECT_TRUE(cell.PickUp(0, fromTableau, into));
}

// Which of a pile's two cards may leave, and whether it takes a group of three.
struct clHeapCase {
    const char* what;
    std::unique_ptr<clPile> (*make)();
    bool takesThree;
    bool givesTop;
    bool givesTwo;
};

const clHeapCase kHeapCases[] = {
    {"discard heap", MakePile<clReserveDiscard>, true, false, false},
    {"discard waste", MakePile<clWasteDiscard>, false, false, false},
    {"move top card", MakePile<clReserveMoveTopCard>, true, true, false},
    {"remove top card", MakePile<clReserveRemoveTopCard>, false, true, false},
};

TEST(ReserveTest, TakesAndGivesByItsLimits) {
    const clLocation elsewhere = At(clLocationKind::Tableau);
    for (const clHeapCase& c : kHeapCases) {
        SCOPED_TRACE(c.what);
        clTestCards box;
        const auto pile = c.make();
        box.Put(*pile, "2C 7H");
        EXPECT_EQ(pile->CanAccept(2, box.Group("3D KS 8C"), elsewhere), c.takesThree);
        clGroup into(2);
        EXPECT_EQ(pile->PickUp(1, elsewhere, into), c.givesTop);
        EXPECT_EQ(pile->CanPickUp(1), c.givesTop);
        into.Clear();
        EXPECT_EQ(pile->PickUp(0, elsewhere, into), c.givesTwo);
        EXPECT_EQ(pile->CanPickUp(0), c.givesTwo);
    }
}

TEST(ReserveTest, DiscardHeapKeepsWhatItTakes) {
    clTestCards box;
    clReserveDiscard heap;
    clGroup five = box.Group("AC 2C 3C 4C 5C");
    ASSERT_TRUE(heap.CanAccept(0, five, At(clLocationKind::Tableau)));
    ASSERT_TRUE(heap.AddCards(five));
    clGroup into(5);
    for (int i = -1; i <= 5; ++i) {
        EXPECT_FALSE(heap.PickUp(i, At(clLocationKind::Tableau), into)) << i;
        EXPECT_FALSE(heap.CanPickUp(i)) << i;
    }
    EXPECT_EQ(into.Count(), 0u);
}

struct clTopCase {
    const char* what;
    std::unique_ptr<clPile> (*make)();
    int cards;
    bool hasTop;
    clLocation location;
};

const clTopCase kTopCases[] = {
    {"stock", MakePile<clStockDealOnly>, 2, true, clLocation::Single(clLocationKind::Stock, 1)},
    {"empty stock", MakePile<clStock>, 0, false, clLocation::Single(clLocationKind::Stock, 0)},
    {"waste", MakePile<clWaste>, 2, true, clLocation::Single(clLocationKind::Waste, 1)},
    {"empty waste", MakePile<clWasteFromStock>, 0, false,
     clLocation::Single(clLocationKind::Waste, 0)},
    {"reserve", MakePile<clReserveMoveTopCard>, 2, true,
     clLocation::Pile(clLocationKind::Reserve, 4, 1)},
    {"empty cell", MakePile<clCell>, 0, false, clLocation::Pile(clLocationKind::Reserve, 4, 0)},
    {"symbol pile", MakePile<clSymbolPile>, 0, false, clLocation{}},
};

TEST(GetTopTest, ReportsThePileKind) {
    for (const clTopCase& c : kTopCases) {
        SCOPED_TRACE(c.what);
        clTestCards box;
        const auto pile = c.make();
        pile->SetPileNumber(4);
        for (int i = 0; i < c.cards; ++i)
            box.Put(*pile, "QD");
        clLocation at;
        std::int32_t dealIndex = 99;
        EXPECT_EQ(pile->GetTop(at, dealIndex), c.hasTop);
        EXPECT_EQ(at, c.location);
        if (c.hasTop) {
            EXPECT_EQ(dealIndex, pile->Top()->dealIndex);
        }
    }
}

struct clPassCase {
    const char* what;
    std::unique_ptr<clStock> (*make)();
    std::uint32_t passLimit;
    int passes;
    clPileSymbol symbol;
};

template <class P>
std::unique_ptr<clStock> MakeStock() {
    return std::make_unique<P>();
}

const clPassCase kPassCases[] = {
    {"before the limit", MakeStock<clStockToWaste>, 2, 1, kRedeal},
    {"at the limit", MakeStock<clStockToWaste>, 2, 2, kNoRedeal},
    {"past the limit", MakeStock<clStockToWaste>, 2, 3, kNoRedeal},
    {"no limit", MakeStock<clStockToWaste>, 0, 3, kRedeal},
    {"stock to reserve at the limit", MakeStock<clStockToReserve>, 1, 1, kNoRedeal},
    {"deal-only stock keeps its symbol", MakeStock<clStockDealOnly>, 1, 1, kNone},
};

TEST(StockPassTest, ShowsNoRedealMarkAtThePassLimit) {
    for (const clPassCase& c : kPassCases) {
        SCOPED_TRACE(c.what);
        const auto stock = c.make();
        stock->SetPassLimit(c.passLimit);
        for (int i = 0; i < c.passes; ++i)
            stock->CountPass();
        EXPECT_EQ(stock->Passes(), static_cast<std::uint32_t>(c.passes));
        EXPECT_EQ(stock->Symbol(), c.symbol);
    }
}

// Deals the stock out to the waste one card at a time and turns the waste
// back over: the stock must show its cards face down in their first order.
TEST(RedealTest, RestoresTheStockOrderFaceDown) {
    clDeck deck;
    ASSERT_TRUE(deck.Build(1, 0));
    clStockToWaste stock;
    clWasteFromStock waste;
    const clLocation wasteTop = At(clLocationKind::Waste);
    for (int k = 0; k < 6; ++k) {
        clGroup dealt(deck.CardAt(k));
        ASSERT_TRUE(stock.AddCards(dealt));
    }
    std::vector<clCard*> order;
    for (int i = 0; i < 6; ++i)
        order.push_back(stock.At(i));

    while (stock.Count() > 0) {
        const int top = stock.TopIndex();
        clGroup picked(1);
        ASSERT_TRUE(stock.PickUp(top, wasteTop, picked));
        const clLocation from = clLocation::Single(clLocationKind::Stock, top);
        ASSERT_TRUE(waste.CanAccept(static_cast<int>(waste.Count()), picked, from));
        clGroup moving(1);
        ASSERT_TRUE(stock.GiveCards(moving, top));
        ASSERT_TRUE(waste.AddCards(moving));
        EXPECT_FALSE(waste.Top()->faceDown);
        EXPECT_FALSE(waste.Top()->blocked);
    }
    ASSERT_EQ(waste.Count(), 6u);
    EXPECT_EQ(waste.Bottom(), order.back());

    while (waste.Count() > 0) {
        clGroup moving(1);
        ASSERT_TRUE(waste.GiveCards(moving, waste.TopIndex()));
        ASSERT_TRUE(stock.AddCards(moving));
    }
    ASSERT_EQ(stock.Count(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(stock.At(i), order[static_cast<std::size_t>(i)]) << i;
        EXPECT_TRUE(stock.At(i)->faceDown) << i;
    }
}

}  // namespace
