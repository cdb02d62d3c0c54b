#include "piles/tableau.h"

#include <algorithm>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

#include "support/test_cards.h"

void PrintTo(const clFan& fan, std::ostream* out) {
    *out << "{limit " << fan.limit << ", dx " << fan.dx << ", dy " << fan.dy << ", pixel dx "
         << fan.pixelDx << ", pixel dy " << fan.pixelDy << "}";
}

namespace {

const clLocation kFromTableau = clLocation::Pile(clLocationKind::Tableau, 9, 0);

// Each pile class's constructor settings, one row per class.
struct clSettingsRow {
    const char* name;
    std::unique_ptr<clStore> (*make)();
    bool inert;
    bool clickAction;
    bool canGive;
    bool canReceive;
    std::uint32_t maxIn;
    std::uint32_t maxOut;
    clFan fan;
    clPileSymbol symbol;
    std::uint32_t capacity;
    clBuildRule build;
    bool free;
    int emptyRank;
    int stopRank;
};

void PrintTo(const clSettingsRow& row, std::ostream* out) {
    *out << row.name;
}

template <class T>
std::unique_ptr<clStore> Make() {
    return std::make_unique<T>();
}

constexpr clPileSymbol kNone = clPileSymbol::None;
constexpr clPileSymbol kOutline = clPileSymbol::Outline;
using enum clBuildRule;

constexpr clFan kColumn{0.0, 0.0, 0.2, 0, 0};
constexpr clFan kStacked{0.0, 0.0, 0.0, 0, 0};
constexpr clFan kFan{0.0, 0.15, 0.0, 0, 0};
constexpr clFan kCompressedFan{0.0, 0.15, 0.0, 2, 0};

// clang-format off
const clSettingsRow kSettings[] = {
    // name                        make                                inert  click  give   recv   in out fan             sym       cap  build            free   empty stop
    {"Store",                      Make<clStore>,                      false, false, true,  true,  0, 0, kColumn,        kNone,    216, DownInSuit,      false, 0, 1},
    {"DownAlternating",            Make<clTableauDownAlternating>,     false, false, true,  true,  0, 0, kColumn,        kOutline, 216, DownAlternating, false, 0, 1},
    {"DownAlternatingFree",        Make<clTableauDownAlternatingFree>, false, false, true,  true,  0, 0, kColumn,        kOutline, 216, DownAlternating, true,  0, 1},
    {"DownInSuit",                 Make<clTableauDownInSuit>,          false, false, true,  true,  0, 0, kColumn,        kOutline, 216, DownInSuit,      false, 0, 1},
    {"DownInSuitFree",             Make<clTableauDownInSuitFree>,      false, false, true,  true,  0, 0, kColumn,        kOutline, 216, DownInSuit,      true,  0, 1},
    {"DownInSuitNoSpace",          Make<clTableauDownInSuitNoSpace>,   false, false, true,  true,  1, 1, kStacked,       kNone,    216, DownInSuit,      false, 0, 1},
    {"DownMoveInSuit",             Make<clTableauDownMoveInSuit>,      false, false, true,  true,  0, 0, kColumn,        kOutline, 216, DownInSuit,      false, 0, 1},
    {"MoveOnlyToSpace",            Make<clTableauMoveOnlyToSpace>,     false, true,  true,  true,  0, 1, kColumn,        kNone,    216, DownInSuit,      false, 0, 1},
    {"DiscardOnly",                Make<clTableauDiscardOnly>,         false, true,  true,  true,  0, 0, kColumn,        kNone,    216, DownInSuit,      false, 0, 1},
    {"BlackJack",                  Make<clTableauBlackJack>,           false, true,  false, true,  0, 0, kColumn,        kOutline, 216, DownInSuit,      false, 0, 1},
    {"Fan",                        Make<clTableauFan>,                 false, false, true,  true,  1, 1, kFan,           kNone,    216, DownInSuit,      false, 0, 1},
    {"FanDownInSequence",          Make<clTableauFanDownInSequence>,   false, false, true,  true,  1, 1, kFan,           kOutline, 216, DownInSuit,      false, 0, 1},
    {"FanDownInSuit",              Make<clTableauFanDownInSuit>,       false, false, true,  true,  1, 1, kCompressedFan, kNone,    216, DownInSuit,      false, 0, 1},
    {"FanBase",                    Make<clTableauFanBase>,             false, false, true,  true,  1, 1, kCompressedFan, kNone,    216, DownInSuit,      false, 0, 1},
    {"FanSourceOnly",              Make<clTableauFanSourceOnly>,       false, false, true,  false, 1, 1, kFan,           kNone,    216, DownInSuit,      false, 0, 1},
    {"FanDiscard",                 Make<clTableauFanDiscard>,          false, true,  true,  true,  0, 0, kFan,           kNone,    216, DownInSuit,      false, 0, 1},
    {"Single",                     Make<clTableauSingle>,              false, false, true,  true,  0, 0, kColumn,        kNone,    1,   DownInSuit,      false, 0, 1},
    {"SingleDiscard",              Make<clTableauSingleDiscard>,       true,  true,  true,  true,  0, 0, kColumn,        kNone,    1,   DownInSuit,      false, 0, 1},
    {"SingleQuick",                Make<clTableauSingleQuick>,         false, true,  true,  true,  0, 0, kColumn,        kNone,    1,   DownInSuit,      false, 0, 1},
};
// clang-format on

class TableauSettingsTest : public ::testing::TestWithParam<clSettingsRow> {};

TEST_P(TableauSettingsTest, ConstructorSetsTheTabledSettings) {
    const clSettingsRow& row = GetParam();
    const std::unique_ptr<clStore> pile = row.make();
    EXPECT_EQ(pile->IsInert(), row.inert);
    EXPECT_EQ(pile->IsClickAction(), row.clickAction);
    EXPECT_EQ(pile->CanGive(), row.canGive);
    EXPECT_EQ(pile->CanReceive(), row.canReceive);
    EXPECT_EQ(pile->MaxIn(), row.maxIn);
    EXPECT_EQ(pile->MaxOut(), row.maxOut);
    EXPECT_EQ(pile->Fan(), row.fan);
    EXPECT_EQ(pile->Symbol(), row.symbol);
    EXPECT_EQ(pile->Key1(), 0);
    EXPECT_EQ(pile->Key2(), 0);
    EXPECT_EQ(pile->Capacity(), row.capacity);
    EXPECT_TRUE(pile->IsEmpty());
    EXPECT_EQ(pile->BuildRule(), row.build);
    EXPECT_EQ(pile->IsFree(), row.free);
    EXPECT_EQ(pile->EmptyRank(), row.emptyRank);
    EXPECT_EQ(pile->StopRank(), row.stopRank);
    EXPECT_EQ(pile->Scoring(), clTableauScoring{});
}

INSTANTIATE_TEST_SUITE_P(EveryClass, TableauSettingsTest, ::testing::ValuesIn(kSettings),
                         [](const auto& info) { return std::string(info.param.name); });

class TableauTest : public ::testing::Test {
protected:
    bool Accepts(const clPile& pile, const std::string& group) {
        return pile.CanAccept(static_cast<int>(pile.Count()), cards.Group(group), kFromTableau);
    }

    clTestCards cards;
};

TEST_F(TableauTest, GetTopReportsTheTableauLocation) {
    clTableauDownInSuit pile;
    pile.SetPileNumber(3);
    clLocation location;
    std::int32_t dealIndex = 99;
    EXPECT_FALSE(pile.GetTop(location, dealIndex));
    EXPECT_EQ(location, clLocation::Pile(clLocationKind::Tableau, 3, 0));

    cards.Fill(pile, "KS QS");
    ASSERT_TRUE(pile.GetTop(location, dealIndex));
    EXPECT_EQ(location, clLocation::Pile(clLocationKind::Tableau, 3, 1));
    EXPECT_EQ(dealIndex, pile.Top()->dealIndex);
}

TEST_F(TableauTest, EmptyRankDecidesWhatStartsASpaceAndItsSymbol) {
    clTableauDownAlternating pile;
    EXPECT_TRUE(Accepts(pile, "5H"));

    pile.SetEmptyRank(clRank::King);  // Kings only
    EXPECT_EQ(pile.Symbol(), RankMark(clRank::King));
    EXPECT_TRUE(Accepts(pile, "KS"));
    EXPECT_TRUE(Accepts(pile, "KD QS"));
    EXPECT_FALSE(Accepts(pile, "QS"));

    pile.SetEmptyRank(clRank::Ace);
    EXPECT_EQ(pile.Symbol(), RankMark(clRank::Ace));

    pile.SetEmptyRank(0);  // any card
    EXPECT_EQ(pile.Symbol(), kNone);
    EXPECT_TRUE(Accepts(pile, "QS"));

    EXPECT_FALSE(Accepts(pile, ""));
}

const char* RuleName(clBuildRule rule) {
    switch (rule) {
        case clBuildRule::DownInSuit:
            return "down in suit";
        case clBuildRule::DownAlternating:
            return "down alternating";
        case clBuildRule::DownAnySuit:
            return "down in any suit";
        case clBuildRule::UpInSuit:
            return "up in suit";
        case clBuildRule::UpAlternating:
            return "up alternating";
        case clBuildRule::UpAnySuit:
            return "up in any suit";
    }
    return "?";
}

struct clPlacementCase {
    clBuildRule build;
    int stopRank;
    const char* top;
    const char* card;
    bool accepted;
};

TEST_F(TableauTest, PlacementFollowsDirectionSuitRuleAndStopRank) {
    const clPlacementCase cases[] = {
        {DownAlternating, 1, "8S", "7H", true},  {DownAlternating, 1, "8S", "7C", false},
        {DownAlternating, 1, "8S", "9H", false}, {DownInSuit, 1, "8S", "7S", true},
        {DownInSuit, 1, "8S", "7H", false},      {UpAlternating, 13, "8S", "9H", true},
        {UpAlternating, 13, "8S", "9C", false},  {UpAlternating, 13, "8S", "7H", false},
        {UpInSuit, 13, "8S", "9S", true},        {UpInSuit, 13, "8S", "9H", false},
        {DownAlternating, 1, "AS", "KH", false}, {DownAlternating, 0, "AS", "KH", true},
        {DownAlternating, 8, "8S", "7H", false}, {UpInSuit, 13, "KS", "AS", false},
        {UpInSuit, 0, "KS", "AS", true},
    };
    for (const clPlacementCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << RuleName(c.build) << ", stop " << c.stopRank << ": "
                                          << c.card << " on " << c.top);
        clStore pile;
        pile.SetBuildRule(c.build);
        pile.SetStopRank(c.stopRank);
        cards.Fill(pile, c.top);
        EXPECT_EQ(Accepts(pile, c.card), c.accepted);
    }
}

struct clRunCase {
    clBuildRule build;
    int stopRank;
    const char* pile;
    int index;
    bool movable;
};

TEST_F(TableauTest, OnlyRunsLeaveAnOrderedPile) {
    const clRunCase cases[] = {
        {DownAlternating, 1, "KS QH JC", 0, true},
        {DownAlternating, 1, "KS QS JH", 0, false},
        {DownAlternating, 1, "KS QS JH", 1, true},
        {DownAlternating, 1, "2S AH KS", 0, false},  // no wrap past the ace
        {DownAlternating, 0, "2S AH KS", 0, true},
        {DownInSuit, 1, "9H 8H 7H", 0, true},
        {DownInSuit, 1, "9H 8S", 0, false},
        {UpAlternating, 13, "7H 8S 9D", 0, true},
        {UpInSuit, 13, "7H 8H", 0, true},
        {UpInSuit, 13, "7H 8S", 0, false},
        {DownInSuit, 1, "9H", 1, false},  // past the top
        {DownInSuit, 1, "9H", -1, false},
    };
    for (const clRunCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << RuleName(c.build) << ", stop " << c.stopRank << ": "
                                          << c.pile << " from " << c.index);
        clStore pile;
        pile.SetBuildRule(c.build);
        pile.SetStopRank(c.stopRank);
        cards.Fill(pile, c.pile);
        const std::uint32_t held = pile.Count();
        clGroup into(clPile::kLargeCapacity);
        EXPECT_EQ(pile.CanPickUp(c.index), c.movable);
        EXPECT_EQ(pile.PickUp(c.index, kFromTableau, into), c.movable);
        EXPECT_EQ(into.Count(), c.movable ? held - c.index : 0u);
        EXPECT_EQ(pile.Count(), held) << "the cards stay until the move is carried out";
    }
}

TEST_F(TableauTest, FreePileLetsAnyGroupLeaveButTakesOnlyFittingCards) {
    clTableauDownInSuitFree free;
    clTableauDownInSuit ordered;
    cards.Fill(free, "3H KS 9D 5C");
    cards.Fill(ordered, "3H KS 9D 5C");

    clGroup into(clPile::kLargeCapacity);
    EXPECT_TRUE(free.CanPickUp(0));
    EXPECT_TRUE(free.PickUp(0, kFromTableau, into));
    EXPECT_EQ(into.Count(), 4u);
    EXPECT_FALSE(ordered.CanPickUp(0));
    EXPECT_TRUE(ordered.CanPickUp(3));

    EXPECT_TRUE(Accepts(free, "4C"));
    EXPECT_FALSE(Accepts(free, "4H"));
    EXPECT_FALSE(Accepts(free, "6C"));

    clTableauDownAlternatingFree alternating;
    cards.Fill(alternating, "8D 5C");
    EXPECT_TRUE(alternating.CanPickUp(0));
    EXPECT_TRUE(Accepts(alternating, "4H"));
    EXPECT_FALSE(Accepts(alternating, "4S"));

    // The pile's own limits still hold.
    free.SetMaxOut(2);
    EXPECT_FALSE(free.CanPickUp(1));
    EXPECT_TRUE(free.CanPickUp(2));
    free.At(2)->blocked = true;
    clGroup blocked(clPile::kLargeCapacity);
    EXPECT_FALSE(free.PickUp(2, kFromTableau, blocked));
    EXPECT_EQ(blocked.Count(), 0u);
}

TEST_F(TableauTest, NoSpacePilesNeverTakeAnEmptyPile) {
    clTableauDownInSuitNoSpace noSpace;
    clTableauFanDownInSuit fan;
    for (clStore* pile : {static_cast<clStore*>(&noSpace), static_cast<clStore*>(&fan)}) {
        for (int emptyRank : {0, 13}) {
            SCOPED_TRACE(::testing::Message() << "empty rank " << emptyRank);
            pile->SetEmptyRank(emptyRank);
            EXPECT_FALSE(Accepts(*pile, "KH"));
        }
        cards.Fill(*pile, "8H");
        EXPECT_TRUE(Accepts(*pile, "7H"));
        EXPECT_FALSE(Accepts(*pile, "7S"));
    }

    clTableauFanBase base;  // the same fan, but spaces are filled
    EXPECT_TRUE(Accepts(base, "KH"));
    base.SetEmptyRank(13);
    EXPECT_FALSE(Accepts(base, "QH"));
}

TEST_F(TableauTest, MoveOnlyToSpaceTakesCardsOnlyWhileEmpty) {
    clTableauMoveOnlyToSpace pile;
    pile.SetEmptyRank(1);
    EXPECT_FALSE(Accepts(pile, "KH"));
    EXPECT_TRUE(Accepts(pile, "AH"));
    cards.Fill(pile, "8H");
    pile.SetEmptyRank(0);
    EXPECT_FALSE(Accepts(pile, "7H"));
    EXPECT_FALSE(Accepts(pile, "7S"));
    EXPECT_FALSE(pile.CanAccept(0, cards.Group("AS"), kFromTableau));
}

TEST_F(TableauTest, DownInAnySuitBuildersTakeAnySuitButMoveOnlySuitRuns) {
    clTableauDownMoveInSuit column;
    clTableauFanDownInSequence fan;
    for (clStore* pile : {static_cast<clStore*>(&column), static_cast<clStore*>(&fan)}) {
        cards.Fill(*pile, "8H");
        EXPECT_TRUE(Accepts(*pile, "7S"));
        EXPECT_TRUE(Accepts(*pile, "7H"));
        EXPECT_FALSE(Accepts(*pile, "6S"));
        EXPECT_FALSE(Accepts(*pile, "9S"));
    }
    EXPECT_FALSE(fan.CanAccept(1, cards.Group("7S 6S"), kFromTableau)) << "fans take one card";

    cards.Fill(column, "7S");
    EXPECT_FALSE(column.CanPickUp(0));
    cards.Fill(column, "6S");
    EXPECT_TRUE(column.CanPickUp(1));
}

TEST_F(TableauTest, BlackJackTakesCardsWhileTheTotalStaysAtMost21) {
    clTableauBlackJack pile;
    cards.Fill(pile, "TH 9S");
    EXPECT_TRUE(Accepts(pile, "2C"));
    EXPECT_FALSE(Accepts(pile, "3C"));

    clTableauBlackJack aces;  // an ace counts 1
    cards.Fill(aces, "TH TS");
    EXPECT_TRUE(Accepts(aces, "AC"));
    EXPECT_FALSE(Accepts(aces, "2C"));

    clTableauBlackJack king;
    cards.Fill(king, "KH");
    for (const char* card : {"AC", "5D", "TS", "JH", "QC", "KS"}) {
        EXPECT_TRUE(Accepts(king, card)) << card;
    }

    clTableauBlackJack empty;
    EXPECT_TRUE(Accepts(empty, "KS QH"));
    EXPECT_FALSE(Accepts(empty, "KS QH JC")) << "a group may not pass 21 either";
    EXPECT_FALSE(Accepts(empty, ""));

    EXPECT_FALSE(pile.CanPickUp(1)) << "nothing leaves";
}

TEST_F(TableauTest, BlackJackDropMustLandOnTheTop) {
    clTableauBlackJack pile;
    cards.Fill(pile, "TH 9S");
    for (int index : {-1, 0, 1, 3}) {
        EXPECT_FALSE(pile.CanAccept(index, cards.Group("2C"), kFromTableau)) << index;
    }
}

TEST_F(TableauTest, SingleSpaceHoldsOneCard) {
    clTableauSingle pile;
    EXPECT_TRUE(Accepts(pile, "9D"));
    EXPECT_FALSE(Accepts(pile, "9D 8S")) << "no room for two";
    clGroup two = cards.Group("9D 8S");
    EXPECT_FALSE(pile.AddCards(two));
    EXPECT_EQ(two.Count(), 2u);

    cards.Fill(pile, "9D");
    EXPECT_FALSE(pile.CanAccept(1, cards.Group("8S"), kFromTableau));
    EXPECT_FALSE(pile.CanAccept(0, cards.Group("8S"), kFromTableau));
    EXPECT_TRUE(pile.CanPickUp(0));
}

// Where a card of a compressed fan lies: its place in card units and its
// offset in pixels.
struct clFanPlace {
    double x;
    double y;
    std::int32_t offsetX;
    std::int32_t offsetY;
};

TEST_F(TableauTest, CompressedFanSpreadsFourCardsThenStepsByPixels) {
    clTableauFanDownInSuit fan;
    clTableauFanBase base;
    for (clStore* pile : {static_cast<clStore*>(&fan), static_cast<clStore*>(&base)}) {
        pile->SetPosition(2.0, 1.0, 5, 7);
        clFan steps = pile->Fan();
        steps.dy = 0.1;
        steps.pixelDy = 1;
        steps.limit = 0.3;  // not used by this layout
        pile->SetFan(steps);
        cards.Fill(*pile, "KS QS JS TS 9S 8S 7S");

        const clFanPlace expected[] = {
            {2.0, 1.0, 5, 7},   {2.15, 1.1, 5, 8},  {2.3, 1.2, 5, 9},    {2.45, 1.3, 5, 10},
            {2.45, 1.4, 7, 11}, {2.45, 1.5, 9, 12}, {2.45, 1.6, 11, 13},
        };
        for (int i = 0; i < 7; ++i) {
            SCOPED_TRACE(::testing::Message() << "card " << i);
            const clCard& card = *pile->At(i);
            EXPECT_NEAR(card.x, expected[i].x, 1e-9);
            EXPECT_NEAR(card.y, expected[i].y, 1e-9);
            EXPECT_EQ(card.offsetX, expected[i].offsetX);
            EXPECT_EQ(card.offsetY, expected[i].offsetY);
        }
    }
}

TEST_F(TableauTest, CompressedFanLeavesCardsAloneWhileUnplaced) {
    clTableauFanDownInSuit fan;
    clCard* card = cards.Card("KS");
    card->x = 4.0;
    card->offsetX = 3;
    clGroup one(card);
    ASSERT_TRUE(fan.AddCards(one));
    EXPECT_EQ(card->x, 4.0);
    EXPECT_EQ(card->offsetX, 3);
}

}  // namespace
