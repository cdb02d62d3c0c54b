#include "piles/foundation.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/pile_fixtures.h"

namespace {

template <class P>
std::unique_ptr<clFoundation> MakeFoundation() {
    return std::make_unique<P>();
}

struct clFoundationRule {
    clBuildRule build;
    int baseRank;
    int stopRank;
};

struct clFoundationRow {
    const char* name;
    std::unique_ptr<clFoundation> (*make)();
    clPileSettings settings;
    clFoundationRule rule;
};

constexpr clPileSymbol kAceMark = RankMark(clRank::Ace);
constexpr clPileSymbol kKingMark = RankMark(clRank::King);
constexpr clPileSymbol kOutline = clPileSymbol::Outline;

// clang-format off
const clFoundationRow kFoundationRows[] = {
    // capacity, inert, click-action, give, receive, max in, max out, fan pixel dy, symbol, key 1,
    // label when empty; then the build rule, base rank, stop rank
    {"clFoundation", MakeFoundation<clFoundation>,
     {13, false, false, true, true, 0, 0, 0, kAceMark, 0, false}, {clBuildRule::UpInSuit, 1, 13}},
    {"clFoundationUpInSuit", MakeFoundation<clFoundationUpInSuit>,
     {13, false, false, true, true, 1, 1, 0, kAceMark, 0, false}, {clBuildRule::UpInSuit, 1, 13}},
    {"clFoundationUpInSequence", MakeFoundation<clFoundationUpInSequence>,
     {13, false, false, true, true, 0, 0, 0, kAceMark, 0, false}, {clBuildRule::UpAnySuit, 1, 13}},
    {"clFoundationDownInSequence", MakeFoundation<clFoundationDownInSequence>,
     {13, false, false, true, true, 0, 0, 0, kKingMark, 0, false}, {clBuildRule::DownAnySuit, 13, 1}},
    {"clFoundationWholeSuitDown", MakeFoundation<clFoundationWholeSuitDown>,
     {13, false, false, false, true, 0, 0, 0, kKingMark, 0, false}, {clBuildRule::DownInSuit, 13, 1}},
    {"clFoundationInSuit", MakeFoundation<clFoundationInSuit>,
     {13, false, false, true, true, 1, 1, 0, kAceMark, 0, false}, {clBuildRule::UpInSuit, 1, 13}},
    {"clFoundationInSequence", MakeFoundation<clFoundationInSequence>,
     {216, false, false, true, true, 1, 1, 0, kOutline, 0, false}, {clBuildRule::UpAnySuit, 1, 0}},
};
// clang-format on

void PrintTo(const clFoundationRow& row, std::ostream* out) {
    *out << row.name;
}

class FoundationSettingsTest : public ::testing::TestWithParam<clFoundationRow> {};

TEST_P(FoundationSettingsTest, MatchesTheClassTable) {
    const clFoundationRow& row = GetParam();
    const auto pile = row.make();
    ExpectSettings(*pile, row.settings);
    EXPECT_EQ(pile->BuildRule(), row.rule.build) << "build rule";
    EXPECT_EQ(pile->BaseRank(), row.rule.baseRank) << "base rank";
    EXPECT_EQ(pile->StopRank(), row.rule.stopRank) << "stop rank";
}

INSTANTIATE_TEST_SUITE_P(Foundations, FoundationSettingsTest, ::testing::ValuesIn(kFoundationRows),
                         [](const auto& info) { return std::string(info.param.name); });

const clLocation kFromTableau = clLocation::Pile(clLocationKind::Tableau, 0, 0);

// What a foundation holding `held` (bottom first) says to `moving` dropped on its top.
struct clAcceptCase {
    const char* what;
    std::unique_ptr<clFoundation> (*make)();
    std::vector<std::string_view> held;
    std::vector<std::string_view> moving;
    bool accepted;
};

const std::vector<std::string_view> kSpadesDown = {"KS", "QS", "JS", "TS", "9S", "8S", "7S",
                                                   "6S", "5S", "4S", "3S", "2S", "AS"};
const std::vector<std::string_view> kSpadesDownToTwo(kSpadesDown.begin(), kSpadesDown.end() - 1);
const std::vector<std::string_view> kMixedDown = {"KS", "QS", "JS", "TS", "9S", "8H", "7S",
                                                  "6S", "5S", "4S", "3S", "2S", "AS"};
const std::vector<std::string_view> kQueenFirst = {"QS", "JS", "TS", "9S", "8S", "7S", "6S",
                                                   "5S", "4S", "3S", "2S", "AS", "KS"};

const auto kUpInSuit = MakeFoundation<clFoundationUpInSuit>;
const auto kUpInSequence = MakeFoundation<clFoundationUpInSequence>;
const auto kDownInSequence = MakeFoundation<clFoundationDownInSequence>;
const auto kWholeSuit = MakeFoundation<clFoundationWholeSuitDown>;
const auto kInSuit = MakeFoundation<clFoundationInSuit>;
const auto kInSequence = MakeFoundation<clFoundationInSequence>;

const clAcceptCase kAcceptCases[] = {
    {"up in suit: empty takes an ace of clubs", kUpInSuit, {}, {"AC"}, true},
    {"up in suit: empty takes an ace of hearts", kUpInSuit, {}, {"AH"}, true},
    {"up in suit: empty refuses a two", kUpInSuit, {}, {"2H"}, false},
    {"up in suit: the two of the ace's suit", kUpInSuit, {"AH"}, {"2H"}, true},
    {"up in suit: not the two of another suit", kUpInSuit, {"AH"}, {"2C"}, false},
    {"up in suit: not a three on the ace", kUpInSuit, {"AH"}, {"3H"}, false},
    {"up in suit: one card at a time", kUpInSuit, {"AH"}, {"2H", "3H"}, false},
    {"up in suit: nothing on a king, no wrap", kUpInSuit, {"QH", "KH"}, {"AH"}, false},
    {"up in sequence: any suit", kUpInSequence, {"6H"}, {"7C"}, true},
    {"up in sequence: not downward", kUpInSequence, {"6H"}, {"5C"}, false},
    {"up in sequence: only the first moving card counts",
     kUpInSequence,
     {"2C"},
     {"3D", "9S", "4H"},
     true},
    {"down in sequence: empty takes a king", kDownInSequence, {}, {"KD"}, true},
    {"down in sequence: empty refuses an ace", kDownInSequence, {}, {"AD"}, false},
    {"down in sequence: an ace on a two", kDownInSequence, {"2C"}, {"AH"}, true},
    {"down in sequence: nothing on an ace, no wrap", kDownInSequence, {"2C", "AC"}, {"KH"}, false},
    {"whole suit: king to ace at once", kWholeSuit, {}, kSpadesDown, true},
    {"whole suit: not twelve cards", kWholeSuit, {}, kSpadesDownToTwo, false},
    {"whole suit: not a single king", kWholeSuit, {}, {"KS"}, false},
    {"whole suit: nothing once it holds cards", kWholeSuit, {"KH"}, kSpadesDown, false},
    {"whole suit: not headed by a queen", kWholeSuit, {}, kQueenFirst, false},
    {"whole suit: not a group of mixed suits", kWholeSuit, {}, kMixedDown, false},
    {"in suit: empty takes an ace", kInSuit, {}, {"AD"}, true},
    {"in suit: empty refuses a five", kInSuit, {}, {"5D"}, false},
    {"in suit: any rank of the bottom suit", kInSuit, {"AH", "9H", "3H"}, {"QH"}, true},
    {"in suit: even a rank it holds", kInSuit, {"AH", "9H", "3H"}, {"9H"}, true},
    {"in suit: not another suit", kInSuit, {"AH", "9H", "3H"}, {"QC"}, false},
    {"in suit: one card at a time", kInSuit, {"AH"}, {"2H", "3H"}, false},
    {"in sequence: empty takes an ace", kInSequence, {}, {"AC"}, true},
    {"in sequence: empty refuses a five", kInSequence, {}, {"5C"}, false},
    {"in sequence: a six on a seven", kInSequence, {"7C"}, {"6D"}, true},
    {"in sequence: an eight on a seven", kInSequence, {"7C"}, {"8S"}, true},
    {"in sequence: not a nine on a seven", kInSequence, {"7C"}, {"9C"}, false},
    {"in sequence: not a seven on a seven", kInSequence, {"7C"}, {"7H"}, false},
    {"in sequence: a queen on a king", kInSequence, {"KH"}, {"QC"}, true},
    {"in sequence: an ace on a king", kInSequence, {"KH"}, {"AS"}, true},
    {"in sequence: a two on an ace", kInSequence, {"AD"}, {"2S"}, true},
    {"in sequence: a king on an ace", kInSequence, {"AD"}, {"KC"}, true},
    {"in sequence: one card at a time", kInSequence, {"AD"}, {"2S", "3S"}, false},
};

TEST(FoundationAcceptTest, FollowsTheBuildingRule) {
    for (const clAcceptCase& c : kAcceptCases) {
        SCOPED_TRACE(c.what);
        clTestCards box;
        const auto pile = c.make();
        for (std::string_view text : c.held)
            pile->Add(box.Card(text));
        clGroup moving(static_cast<std::uint32_t>(c.moving.size()));
        for (std::string_view text : c.moving)
            moving.Add(box.Card(text));
        EXPECT_EQ(pile->CanAccept(static_cast<int>(pile->Count()), moving, kFromTableau),
                  c.accepted);
    }
}

TEST(FoundationAcceptTest, RefusesBadDrops) {
    clTestCards box;
    clFoundationUpInSequence pile;
    box.Put(pile, "AC 2D");
    const clGroup three = box.Group("3H");
    EXPECT_TRUE(pile.CanAccept(2, three, kFromTableau));
    EXPECT_FALSE(pile.CanAccept(1, three, kFromTableau)) << "below the top";
    EXPECT_FALSE(pile.CanAccept(3, three, kFromTableau)) << "past the top";
    EXPECT_FALSE(pile.CanAccept(-1, three, kFromTableau)) << "negative index";
    EXPECT_FALSE(pile.CanAccept(2, clGroup(1), kFromTableau)) << "no card";
    EXPECT_FALSE(pile.CanAccept(2, clGroup(), kFromTableau)) << "no storage";

    clFoundationInSuit inSuit;
    EXPECT_FALSE(inSuit.CanAccept(0, clGroup(1), kFromTableau)) << "no card, own rule";
    clFoundationInSequence inSequence;
    EXPECT_FALSE(inSequence.CanAccept(0, clGroup(1), kFromTableau)) << "no card, own rule";
}

TEST(FoundationBaseRankTest, SetsTheMarkAndTheFirstCard) {
    clTestCards box;
    clFoundationUpInSuit pile;

    pile.SetBaseRank(0);
    EXPECT_EQ(pile.Symbol(), clPileSymbol::None);
    EXPECT_TRUE(pile.CanAccept(0, box.Group("7D"), kFromTableau));
    EXPECT_TRUE(pile.CanAccept(0, box.Group("KC"), kFromTableau));

    pile.SetBaseRank(5);
    EXPECT_EQ(pile.Symbol(), RankMark(clRank::Five));
    EXPECT_TRUE(pile.CanAccept(0, box.Group("5C"), kFromTableau));
    EXPECT_FALSE(pile.CanAccept(0, box.Group("AC"), kFromTableau));

    pile.SetBaseRank(clRank::King);
    EXPECT_EQ(pile.Symbol(), kKingMark);
}

// A foundation started by a dealt queen builds round the corner and is
// complete when full, though its top card would still take the next rank.
TEST(FoundationBaseRankTest, WrappingFoundationEndsWhenFull) {
    clTestCards box;
    clFoundationUpInSuit pile;
    pile.SetBaseRank(12);
    pile.SetStopRank(0);
    box.Put(pile, "QH KH");
    EXPECT_TRUE(pile.CanAccept(2, box.Group("AH"), kFromTableau));

    box.Put(pile, "AH 2H 3H 4H 5H 6H 7H 8H 9H TH JH");
    ASSERT_TRUE(pile.IsFull());
    EXPECT_TRUE(pile.CanPlaceUpInSuit(box.Card("QH"), 0));
    EXPECT_FALSE(pile.CanAccept(13, box.Group("QH"), kFromTableau));
}

TEST(FoundationTopTest, ReportsFoundationLocation) {
    clTestCards box;
    clFoundationUpInSuit pile;
    pile.SetPileNumber(3);
    clLocation at;
    std::int32_t dealIndex = 99;
    EXPECT_FALSE(pile.GetTop(at, dealIndex));
    EXPECT_EQ(at, clLocation::Pile(clLocationKind::Foundation, 3, 0));

    box.Put(pile, "AS 2S");
    ASSERT_TRUE(pile.GetTop(at, dealIndex));
    EXPECT_EQ(at, clLocation::Pile(clLocationKind::Foundation, 3, 1));
    EXPECT_EQ(dealIndex, pile.Top()->dealIndex);
}

TEST(FoundationPickUpTest, GivesWithinMaxOut) {
    clTestCards box;
    const clLocation toTableau = clLocation::Pile(clLocationKind::Tableau, 0, 1);

    clFoundationUpInSuit upInSuit;
    box.Put(upInSuit, "AS 2S");
    clGroup into(13);
    EXPECT_FALSE(upInSuit.PickUp(0, toTableau, into)) << "two cards past max out 1";
    ASSERT_TRUE(upInSuit.PickUp(1, toTableau, into));
    EXPECT_EQ(into.Count(), 1u);
    EXPECT_EQ(into.Top(), upInSuit.Top());

    clFoundationUpInSequence upInSequence;
    box.Put(upInSequence, "AS 2H");
    into.Clear();
    EXPECT_TRUE(upInSequence.PickUp(0, toTableau, into));
    EXPECT_EQ(into.Count(), 2u);

    clFoundationWholeSuitDown wholeSuit;
    clGroup suit = box.Group("KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S AS");
    ASSERT_TRUE(wholeSuit.CanAccept(0, suit, kFromTableau));
    ASSERT_TRUE(wholeSuit.AddCards(suit));
    into.Clear();
    EXPECT_FALSE(wholeSuit.PickUp(12, toTableau, into));
    EXPECT_FALSE(wholeSuit.CanPickUp(12));
}

}  // namespace
