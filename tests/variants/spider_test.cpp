// The Spider family: layouts and deals, the relabelled packs, the stock that
// deals to every column, whole suits leaving for the foundations, and the
// Scorpion won test.
#include "variants/spider.h"

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/table_script.h"
#include "support/variant_table.h"

namespace {

const std::vector<clLayoutCase> kLayouts = {
    {.game = "Spider",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 0 0 0 0 t 6 6 6 6 5 5 5 5 5 5 s 50",
     .faceDown = "5 5 5 5 4 4 4 4 4 4",
     .keys = "1234567890",
     .anchors = {{"f0", "3,0.75,-28"},
                 {"f7", "10,0.75"},
                 {"t0", "0.5,2,-18"},
                 {"t9", "9.5,2,18"},
                 {"s", "0,0.75"}},
     .dealt = {{"t0", "0 10 20 30 40 50"}, {"t9", "9 19 29 39 49"}}},
    {.game = "Spider One Suit",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 0 0 0 0 t 6 6 6 6 5 5 5 5 5 5 s 50",
     .faceDown = "5 5 5 5 4 4 4 4 4 4",
     .keys = "1234567890",
     .anchors = {{"t0", "0.5,2,-18"}, {"s", "0,0.75"}},
     .dealt = {{"t3", "3 13 23 33 43 53"}}},
    {.game = "Spider Two Suits",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 0 0 0 0 t 6 6 6 6 5 5 5 5 5 5 s 50",
     .faceDown = "5 5 5 5 4 4 4 4 4 4",
     .keys = "1234567890",
     .anchors = {{"t9", "9.5,2,18"}, {"s", "0,0.75"}},
     .dealt = {{"t4", "4 14 24 34 44"}}},
    {.game = "Spider Web",
     .width = 9,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 t 4 4 4 3 3 3 3 r 0 s 28",
     .faceDown = "3 3 3 2 2 2 2",
     .keys = "1234567A",
     .anchors = {{"f0", "5,0.75,-12"},
                 {"f3", "8,0.75"},
                 {"t0", "1.5,2,-12"},
                 {"t6", "7.5,2,12"},
                 {"r0", "0,2"},
                 {"s", "0,0.75"}},
     .dealt = {{"t0", "0 7 14 21"}, {"t6", "6 13 20"}}},
    {.game = "Scorpion",
     .width = 9,
     .height = 6,
     .counts = "t 7 7 7 7 7 7 7 s 3",
     .faceDown = "4 4 4 4 0 0 0",
     .keys = "1234567",
     .anchors = {{"t0", "1.5,0.75,-12"}, {"t6", "7.5,0.75,12"}, {"s", "0,0.75"}},
     .dealt = {{"t0", "0 7 14 21 28 35 42"}, {"t6", "6 13 20 27 34 41 48"}}},
    {.game = "Classic Scorpion",
     .width = 9,
     .height = 6,
     .counts = "t 7 7 7 7 7 7 7 s 3",
     .faceDown = "3 3 3 3 0 0 0",
     .keys = "1234567",
     .anchors = {{"t0", "1.5,0.75,-12"}, {"s", "0,0.75"}},
     .dealt = {{"t3", "3 10 17 24 31 38 45"}}},
    {.game = "Scorpion Kings",
     .width = 9,
     .height = 6,
     .counts = "t 7 7 7 7 7 7 7 s 3",
     .faceDown = "3 3 3 3 0 0 0",
     .keys = "1234567",
     .anchors = {{"t6", "7.5,0.75,12"}},
     .dealt = {{"t0", "0 7 14 21 28 35 42"}}},
    {.game = "Scorpion II",
     .width = 9,
     .height = 6,
     .counts = "t 7 7 7 7 7 7 7 s 3",
     .faceDown = "4 4 4 0 0 0 0",
     .keys = "1234567",
     .anchors = {{"t0", "1.5,0.75,-12"}},
     .dealt = {{"t2", "2 9 16 23 30 37 44"}}},
};

class SpiderLayoutTest : public ::testing::TestWithParam<clLayoutCase> {};

TEST_P(SpiderLayoutTest, DealsItsLayout) {
    ExpectLayout(GetParam(), 1);
    ExpectLayout(GetParam(), 424242);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, SpiderLayoutTest, ::testing::ValuesIn(kLayouts), LayoutName);

// Cards of each suit, and how often each rank appears in a suit that has any.
template <class Variant>
void ExpectSuits(const std::map<int, int>& perSuit, int perRank) {
    clRecordingVariant<Variant> game(7);
    std::map<int, int> suits;
    std::map<std::pair<int, int>, int> ranks;
    for (int k = 0; k < game.Deck().Count(); ++k) {
        const clCard* card = game.Deck().CardAt(k);
        ++suits[card->GetSuit()];
        ++ranks[{card->GetSuit(), card->GetRank()}];
    }
    EXPECT_EQ(suits, perSuit);
    for (const auto& [suitAndRank, n] : ranks)
        EXPECT_EQ(n, perRank) << suitAndRank.first << " " << suitAndRank.second;
}

TEST(SpiderDeckTest, RelabelledPacksKeepEightCompleteRuns) {
    ExpectSuits<clSpider>({{1, 26}, {2, 26}, {3, 26}, {4, 26}}, 2);
    ExpectSuits<clSpiderTwoSuits>({{3, 52}, {4, 52}}, 4);
    ExpectSuits<clSpiderOneSuit>({{4, 104}}, 8);
}

TEST(SpiderDeckTest, TwoSuitsTurnBlackCardsIntoSpadesAndRedIntoHearts) {
    clRecordingVariant<clSpiderTwoSuits> game(7);
    clSpider plain;
    plain.Initialize();
    plain.StartDeal(7);
    for (int k = 0; k < game.Deck().Count(); ++k) {
        const clCard* before = plain.Deck().CardAt(k);
        const clCard* after = game.Deck().CardAt(k);
        EXPECT_EQ(after->GetRank(), before->GetRank());
        EXPECT_EQ(after->Suit(),
                  before->Colour() == clColour::Black ? clSuit::Spades : clSuit::Hearts)
            << k;
    }
}

// Presses the stock as a click does.
template <class Variant>
void PressStock(clRecordingVariant<Variant>& game) {
    game.PressPile(*game.Stock(), game.Stock()->TopIndex());
    game.ReleasePick();
}

TEST(SpiderStockTest, DealsACardFaceUpOntoEveryColumn) {
    clRecordingVariant<clSpider> game(1);
    const std::int32_t stockTop = game.Stock()->TopDealIndex();
    PressStock(game);

    EXPECT_EQ(PileCounts(game), "f 0 0 0 0 0 0 0 0 t 7 7 7 7 6 6 6 6 6 6 s 40");
    EXPECT_EQ(game.Tableau(0)->TopDealIndex(), stockTop);
    EXPECT_EQ(game.Tableau(9)->TopDealIndex(), stockTop - 9);
    for (int i = 0; i < game.TableauCount(); ++i) {
        EXPECT_FALSE(game.Tableau(i)->Top()->faceDown);
        EXPECT_FALSE(game.Tableau(i)->Top()->blocked);
    }
    ASSERT_EQ(game.History().Count(), 1u);
    EXPECT_EQ(game.History().At(0).type, clMoveType::Stock);
}

// With a column emptied: the Spiders refuse to deal, the Scorpions deal their
// three cards onto the first three columns, the empty one included.
struct clEmptyColumnCase {
    std::string_view game;
    bool deals;
};

template <class Variant>
void DealWithColumnTwoEmpty(bool deals) {
    clRecordingVariant<Variant> game(5);
    game.Tableau(2)->Clear();
    const std::string before = PileCounts(game);
    const std::int32_t stockTop = game.Stock()->TopDealIndex();
    const int stock = static_cast<int>(game.Stock()->Count());
    game.sounds.clear();
    PressStock(game);

    if (!deals) {
        EXPECT_EQ(PileCounts(game), before);
        EXPECT_EQ(game.History().Count(), 0u);
        EXPECT_EQ(game.sounds, std::vector<clSound>{clSound::Error});
        return;
    }
    EXPECT_EQ(game.Stock()->Count(), 0u);
    ASSERT_EQ(stock, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(game.Tableau(i)->TopDealIndex(), stockTop - i);
        EXPECT_FALSE(game.Tableau(i)->Top()->faceDown);
    }
    EXPECT_EQ(game.Tableau(2)->Count(), 1u);
    EXPECT_EQ(game.History().Count(), 1u);
    EXPECT_EQ(game.sounds, std::vector<clSound>{clSound::Shuffle});
}

TEST(SpiderStockTest, AnEmptyColumnStopsTheSpidersButNotTheScorpions) {
    DealWithColumnTwoEmpty<clSpider>(false);
    DealWithColumnTwoEmpty<clSpiderOneSuit>(false);
    DealWithColumnTwoEmpty<clSpiderTwoSuits>(false);
    DealWithColumnTwoEmpty<clSpiderWeb>(false);
    DealWithColumnTwoEmpty<clScorpion>(true);
    DealWithColumnTwoEmpty<clClassicScorpion>(true);
    DealWithColumnTwoEmpty<clScorpionKings>(true);
    DealWithColumnTwoEmpty<clScorpionII>(true);
}

TEST(SpiderStockTest, StockCardsLeaveOnlyThroughTheDeal) {
    clRecordingVariant<clSpider> game(3);
    ClearTable(game);
    LayCards(game, *game.Tableau(0), "KS");
    LayCards(game, *game.Stock(), "QH QS");
    const clMove fromStock =
        clMove::CardMove(game.Stock()->TopDealIndex(), {clLocationKind::Stock, 1, 0},
                         clLocation::Pile(clLocationKind::Tableau, 0, 1));
    EXPECT_FALSE(game.ValidateMove(fromStock));
}

// Spider One Suit with the King to the Two of a suit on column 0 and the Ace
// on column 1; the other columns hold a card each.
void LayAlmostCompleteSuit(clSpiderOneSuit& game) {
    ClearTable(game);
    LayCards(game, *game.Tableau(0), "KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S");
    LayCards(game, *game.Tableau(1), "AS");
    constexpr std::string_view kOthers[] = {"KS", "KS", "QS", "QS", "JS", "JS", "TS", "TS"};
    for (int i = 2; i < game.TableauCount(); ++i)
        LayCards(game, *game.Tableau(i), kOthers[i - 2]);
}

const clMove kAceOntoTwo = clMove::CardMove(0, clLocation::Pile(clLocationKind::Tableau, 1, 0),
                                            clLocation::Pile(clLocationKind::Tableau, 0, 12));

TEST(SpiderSuitTest, ACompletedSuitLeavesByAutomaticPlayAsOneRecord) {
    clRecordingVariant<clSpiderOneSuit> game(11, true);
    LayAlmostCompleteSuit(game);
    ASSERT_TRUE(game.ValidateMove(kAceOntoTwo));
    ASSERT_TRUE(game.CommitPlayedMove(kAceOntoTwo));

    EXPECT_EQ(game.Foundation(0)->Count(), 13u);
    EXPECT_EQ(game.Tableau(0)->Count(), 0u);
    ASSERT_EQ(game.History().Count(), 2u);
    const clMove& automatic = game.History().At(1);
    EXPECT_EQ(automatic.type, clMoveType::Card);
    EXPECT_EQ(automatic.from, clLocation::Pile(clLocationKind::Tableau, 0, 0));
    EXPECT_EQ(automatic.to, clLocation::Pile(clLocationKind::Foundation, 0, 0));
    // The Ace built in suit; the suit filled a foundation.
    EXPECT_EQ(game.Score(), 1000 + 10000);
}

TEST(SpiderSuitTest, WithoutAutomaticPlayTheSuitWaitsAndMovesWhole) {
    clRecordingVariant<clSpiderOneSuit> game(11, false);
    LayAlmostCompleteSuit(game);
    ASSERT_TRUE(game.CommitPlayedMove(kAceOntoTwo));
    EXPECT_EQ(game.Tableau(0)->Count(), 13u);

    const clLocation foundation = clLocation::Pile(clLocationKind::Foundation, 0, 0);
    const clMove twelve =
        clMove::CardMove(game.Tableau(0)->At(1)->dealIndex,
                         clLocation::Pile(clLocationKind::Tableau, 0, 1), foundation);
    EXPECT_FALSE(game.ValidateMove(twelve));
    const clMove whole =
        clMove::CardMove(game.Tableau(0)->At(0)->dealIndex,
                         clLocation::Pile(clLocationKind::Tableau, 0, 0), foundation);
    ASSERT_TRUE(game.CommitPlayedMove(whole));
    EXPECT_EQ(game.Foundation(0)->Count(), 13u);
    EXPECT_EQ(game.History().Count(), 2u);
    EXPECT_EQ(game.Score(), 1000 + 10000);
}

int FullFoundations(const clSolitaireRules& game) {
    int full = 0;
    for (int i = 0; i < game.FoundationCount(); ++i)
        full += game.Foundation(i)->IsFull() ? 1 : 0;
    return full;
}

// The scripted game played through the engine: each suit completed by a line
// leaves by automatic play as one more record, a 13-card move from its column;
// the first is undone alone and played again.
TEST(SpiderSuitTest, ScriptedGameRecordsEachSuitAsOneMove) {
    clRecordingVariant<clSpiderOneSuit> game(1, true);
    std::ifstream in(QARVEL_TEST_GAMES "/spideronesuit-1.moves");
    ASSERT_TRUE(in);
    int suits = 0;
    bool undone = false;
    for (std::string line; std::getline(in, line) && !game.RoundEnded();) {
        clScriptCommand command;
        std::string error;
        ASSERT_TRUE(ParseScriptLine(line, command, error)) << error;
        if (command.kind == clScriptCommand::clKind::None) continue;
        const std::size_t position = game.History().Position();
        const int full = FullFoundations(game);
        ASSERT_TRUE(ApplyScriptCommand(game, command)) << line;
        const int completed = FullFoundations(game) - full;
        if (game.RoundEnded() || completed == 0) continue;
        suits += completed;

        ASSERT_EQ(game.History().Position(), position + 1 + completed) << line;
        const clMove suit = game.History().At(game.History().Position() - 1);
        ASSERT_EQ(suit.type, clMoveType::Card);
        ASSERT_EQ(suit.from.kind, clLocationKind::Tableau);
        EXPECT_EQ(suit.to.kind, clLocationKind::Foundation);
        const clPile& column = *game.Tableau(suit.from.first);
        EXPECT_EQ(static_cast<int>(column.Count()), suit.from.Position());
        if (undone) continue;
        undone = true;
        game.Undo();
        EXPECT_EQ(FullFoundations(game), full + completed - 1);
        EXPECT_EQ(static_cast<int>(column.Count()), suit.from.Position() + 13);
        ASSERT_TRUE(game.CommitPlayedMove(suit));
        EXPECT_EQ(FullFoundations(game), full + completed);
    }
    EXPECT_TRUE(game.RoundEnded());
    EXPECT_TRUE(game.LastRoundWon());
    EXPECT_EQ(suits, 7);  // the eighth ends the round with the line that completes it
}

// Scorpion is won inside the tableau: stock empty, every column empty or one
// King-to-Ace run in suit with the King face up.
struct clScorpionEndCase {
    std::string_view name;
    std::vector<std::string_view> columns;
    std::string_view stock;
    bool kingFaceDown;
    bool won;
};

constexpr std::string_view kSpades = "KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S AS";
constexpr std::string_view kHearts = "KH QH JH TH 9H 8H 7H 6H 5H 4H 3H 2H AH";

class ScorpionWonTest : public ::testing::TestWithParam<clScorpionEndCase> {};

TEST_P(ScorpionWonTest, WonOnlyWithEveryColumnEmptyOrARun) {
    const clScorpionEndCase& c = GetParam();
    clRecordingVariant<clScorpion> game(9);
    ClearTable(game);
    for (std::size_t i = 0; i < c.columns.size(); ++i)
        LayCards(game, *game.Tableau(static_cast<int>(i)), c.columns[i]);
    LayCards(game, *game.Stock(), c.stock);
    if (c.kingFaceDown) game.Tableau(0)->Bottom()->faceDown = true;
    EXPECT_EQ(game.IsGameWon(), c.won);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ScorpionWonTest,
    ::testing::Values(
        clScorpionEndCase{"OneRun", {kSpades}, "", false, true},
        clScorpionEndCase{"TwoRunsAndSpaces", {kSpades, "", kHearts}, "", false, true},
        clScorpionEndCase{"StockLeft", {kSpades}, "5D", false, false},
        clScorpionEndCase{"KingFaceDown", {kSpades}, "", true, false},
        clScorpionEndCase{"TwelveCards", {"KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S"}, "", false, false},
        clScorpionEndCase{
            "OutOfSuit", {"KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S AH"}, "", false, false},
        clScorpionEndCase{"ACardAside", {kSpades, "5D"}, "", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
