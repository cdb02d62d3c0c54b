// The fan games and Cruel: layouts and deals, spaces that stay empty, and the
// redeals: shuffled three to a fan, at most twice in La Belle Lucie, and
// Cruel's redeal that keeps the order.
#include "variants/fan.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cards/random.h"
#include "engine/table_script.h"
#include "support/random_play.h"
#include "support/test_table.h"
#include "support/variant_table.h"

namespace {

const std::vector<clLayoutCase> kLayouts = {
    {.game = "Fast Fan",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 t 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 1 o 0",
     .faceDown = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
     .keys = "QWERTYASDFGHZXCVBN",
     .anchors = {{"f0", "5,0.75,-12"},
                 {"f3", "8,0.75"},
                 {"t0", "0.1,2"},
                 {"t5", "9.1,2"},
                 {"t6", "0.1,3.25"},
                 {"t17", "9.1,4.5"},
                 {"o0", "0,0.75"}},
     .dealt = {{"t0", "0 1 2"}, {"t16", "48 49 50"}, {"t17", "51"}}},
    {.game = "Free Fan",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 t 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 1 r 0 0",
     .faceDown = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
     .keys = "QWERTYASDFGHZXCVBN12",
     .anchors = {{"t12", "0.1,4.5"}, {"r0", "0,0.75"}, {"r1", "1,0.75,4"}},
     .dealt = {{"t1", "3 4 5"}, {"t17", "51"}}},
    {.game = "Free Fan Easy",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 t 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 1 r 0 0",
     .faceDown = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
     .keys = "QWERTYASDFGHZXCVBN12",
     .anchors = {{"f0", "5,0.75,-12"}, {"t11", "9.1,3.25"}, {"r1", "1,0.75,4"}},
     .dealt = {{"t10", "30 31 32"}}},
    {.game = "La Belle Lucie",
     .width = 11,
     .height = 6,
     .autoPlay = true,
     .counts = "f 0 0 0 0 t 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 1 o 0",
     .faceDown = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
     .keys = "QWERTYASDFGHZXCVBN",
     .anchors = {{"t0", "0.1,2"}, {"t17", "9.1,4.5"}, {"o0", "0,0.75"}},
     .dealt = {{"t2", "6 7 8"}}},
    {.game = "Cruel",
     .width = 8,
     .height = 6,
     .autoPlay = true,
     .counts = "f 1 1 1 1 t 4 4 4 4 4 4 4 4 4 4 4 4 o 0",
     .faceDown = "0 0 0 0 0 0 0 0 0 0 0 0",
     .keys = "QWERTYASDFGH",
     .anchors = {{"f0", "7,1"},
                 {"f3", "7,4.75"},
                 {"t0", "0,0.75"},
                 {"t5", "5,0.75,20"},
                 {"t6", "0,2"},
                 {"t11", "5,2,20"},
                 {"o0", "0,5"}},
     .dealt = {}},  // the Aces decide: see DealsTheAcesUpAndTheRestInOrder
};

class FanLayoutTest : public ::testing::TestWithParam<clLayoutCase> {};

TEST_P(FanLayoutTest, DealsItsLayout) {
    ExpectLayout(GetParam(), 1);
    ExpectLayout(GetParam(), 2024);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, FanLayoutTest, ::testing::ValuesIn(kLayouts), LayoutName);

// The Aces in deal order on the foundations, the other cards in deal order
// four to a pile.
TEST(CruelTest, DealsTheAcesUpAndTheRestInOrder) {
    clRecordingVariant<clCruel> game(77);
    std::string aces, others;
    for (int k = 0; k < game.Deck().Count(); ++k) {
        std::string& list = game.Deck().CardAt(k)->IsAce() ? aces : others;
        list += (list.empty() ? "" : " ") + std::to_string(k);
    }
    std::string bases, piles;
    for (int i = 0; i < 4; ++i)
        bases += (i ? " " : "") + DealPositions(*game.Foundation(i));
    for (int i = 0; i < 12; ++i)
        piles += (i ? " " : "") + DealPositions(*game.Tableau(i));
    EXPECT_EQ(bases, aces);
    EXPECT_EQ(piles, others);
}

// Presses a pile as a click does.
void Press(clSolitaireRules& game, clPile& pile) {
    game.PressPile(pile, pile.TopIndex());
    game.ReleasePick();
}

std::string TableauPositions(const clSolitaireRules& game) {
    std::string text;
    for (int i = 0; i < game.TableauCount(); ++i)
        text += DealPositions(*game.Tableau(i)) + "|";
    return text;
}

// Seven cards left on three fans: the redeal gathers them fan by fan, bottom
// first, shuffles them with the game's generator and deals them three to a
// fan from fan 0; the fans after the last one used stay empty.
TEST(FastFanTest, RedealShufflesTheFansAndDealsThemThreeToAFan) {
    clRecordingVariant<clFastFan> game(8);
    ClearTable(game);
    LayCards(game, *game.Tableau(0), "KS QS");
    LayCards(game, *game.Tableau(5), "2H");
    LayCards(game, *game.Tableau(17), "9D 8D 7D 6D");

    clGroup expected(clFastFan::kFans * 3);
    for (const int fan : {0, 5, 17}) {
        for (int i = 0; i < static_cast<int>(game.Tableau(fan)->Count()); ++i)
            expected.Add(game.Tableau(fan)->At(i));
    }
    clRandom generator = clRandom::Program();
    expected.Shuffle(generator);

    Press(game, *PileNamed(game, "o0"));
    EXPECT_EQ(PileCounts(game), "f 0 0 0 0 t 3 3 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 o 0");
    for (int j = 0; j < 7; ++j) {
        const clCard* card = game.Tableau(j / 3)->At(j % 3);
        EXPECT_EQ(card, expected.At(j)) << j;
        EXPECT_FALSE(card->faceDown);
    }
    EXPECT_EQ(game.Score(), -1000);
    Press(game, *PileNamed(game, "o0"));
    EXPECT_EQ(game.Score(), -1000 - 2000);
    EXPECT_EQ(game.ReshuffleSymbol()->Symbol(), clPileSymbol::Redeal);
}

TEST(FastFanTest, ReplayingTheHistoryRedealsAlike) {
    clRecordingVariant<clFastFan> game(8);
    const std::string dealt = TableauPositions(game);
    Press(game, *PileNamed(game, "o0"));
    const std::string redealt = Snapshot(game);
    EXPECT_NE(TableauPositions(game), dealt);

    clRandom::Program().Next(0, 0);  // whatever drew from the generator since
    game.Rebuild();
    EXPECT_EQ(Snapshot(game), redealt);
    EXPECT_TRUE(EveryCardOnce(game));
}

TEST(LaBelleLucieTest, TwoRedealsThenTheMarkSaysNoMore) {
    clRecordingVariant<clLaBelleLucie> game(12);
    clPile& symbol = *PileNamed(game, "o0");
    EXPECT_EQ(symbol.Symbol(), clPileSymbol::Redeal);
    Press(game, symbol);
    EXPECT_EQ(symbol.Symbol(), clPileSymbol::Redeal);
    Press(game, symbol);
    EXPECT_EQ(symbol.Symbol(), clPileSymbol::NoRedeal);
    EXPECT_EQ(game.History().Count(), 2u);
    EXPECT_EQ(game.Score(), 0);

    const std::string before = Snapshot(game);
    Press(game, symbol);
    EXPECT_EQ(Snapshot(game), before);
    EXPECT_EQ(game.History().Count(), 2u);

    // Undoing the second redeal gives it back, and the mark with it.
    game.UndoMove(*game.History().StepBack());
    EXPECT_EQ(symbol.Symbol(), clPileSymbol::Redeal);
    Press(game, symbol);
    EXPECT_EQ(game.History().Count(), 2u);
}

// Cruel's redeal reads the piles in order and deals them again four to a
// pile: after some play, the reading order stays and a second redeal changes
// nothing.
TEST(CruelTest, RedealKeepsTheOrderOfTheCards) {
    clRecordingVariant<clCruel> game(5);
    int played = 0;
    for (int step = 0; step < 6; ++step) {
        const std::vector<clMove> moves = ValidCardMoves(game);
        if (moves.empty()) break;
        played += game.CommitPlayedMove(moves.front()) ? 1 : 0;
    }
    ASSERT_GT(played, 0);
    std::string reading;
    int cards = 0;
    for (int i = 0; i < game.TableauCount(); ++i) {
        const std::string pile = DealPositions(*game.Tableau(i));
        if (!pile.empty()) reading += (reading.empty() ? "" : " ") + pile;
        cards += static_cast<int>(game.Tableau(i)->Count());
    }
    const std::int32_t score = game.Score();

    clPile& symbol = *PileNamed(game, "o0");
    Press(game, symbol);
    std::string redealt;
    for (int i = 0; i < game.TableauCount(); ++i) {
        const bool last = i + 1 == game.TableauCount();
        const int expected = std::clamp(cards - 4 * i, 0, last ? cards : 4);
        EXPECT_EQ(static_cast<int>(game.Tableau(i)->Count()), expected) << "t" << i;
        const std::string pile = DealPositions(*game.Tableau(i));
        if (!pile.empty()) redealt += (redealt.empty() ? "" : " ") + pile;
    }
    EXPECT_EQ(redealt, reading);
    EXPECT_EQ(game.Score(), score);

    const std::string once = TableauPositions(game);
    Press(game, symbol);
    EXPECT_EQ(TableauPositions(game), once);
    EXPECT_EQ(game.StockActions(), 2);
}

// Cards taken back from the foundations can leave more than twelve piles of
// four on the table: the last pile takes the rest, and no card is lost.
TEST(CruelTest, RedealOfMoreThanFortyEightCardsLosesNone) {
    clRecordingVariant<clCruel> game(6);
    ClearTable(game);
    constexpr std::string_view kSuits = "CDHS";
    for (int suit = 0; suit < 4; ++suit) {
        std::string cards;
        for (const char rank : std::string_view("A23456789TJQK"))
            cards += std::string{rank, kSuits[suit]} + " ";
        LayCards(game, *game.Tableau(suit), cards);
    }
    Press(game, *PileNamed(game, "o0"));
    EXPECT_EQ(PileCounts(game), "f 0 0 0 0 t 4 4 4 4 4 4 4 4 4 4 4 8 o 0");
    EXPECT_TRUE(EveryCardOnce(game));
}

// An empty fan or Cruel pile takes nothing, except a King in Free Fan Easy.
// Only the games with a redeal symbol redeal.
template <class Variant>
void ExpectSpacesAndRedeal(bool kingFills, bool redeals) {
    clRecordingVariant<Variant> game(3);
    ClearTable(game);
    LayCards(game, *game.Tableau(1), "KS");
    LayCards(game, *game.Tableau(2), "5H");
    const auto intoSpace = [&](int from) {
        return game.ValidateMove(
            clMove::CardMove(0, clLocation::Pile(clLocationKind::Tableau, from, 0),
                             clLocation::Pile(clLocationKind::Tableau, 0, 0)));
    };
    EXPECT_EQ(intoSpace(1), kingFills);
    EXPECT_FALSE(intoSpace(2));
    EXPECT_EQ(game.ValidateMove(clMove::StockMove()), redeals);
}

TEST(FanTest, SpacesStayEmptyAndOnlyTheSymbolGamesRedeal) {
    ExpectSpacesAndRedeal<clFastFan>(false, true);
    ExpectSpacesAndRedeal<clFreeFan>(false, false);
    ExpectSpacesAndRedeal<clFreeFanEasy>(true, false);
    ExpectSpacesAndRedeal<clLaBelleLucie>(false, true);
    ExpectSpacesAndRedeal<clCruel>(false, true);
}

// In a move file DEAL clicks the redeal symbol of a game without a stock.
TEST(FanTest, MoveFileDealPressesTheRedealSymbol) {
    clScriptCommand deal;
    std::string error;
    ASSERT_TRUE(ParseScriptLine("DEAL", deal, error));

    clRecordingVariant<clCruel> cruel(4);
    EXPECT_TRUE(ApplyScriptCommand(cruel, deal));
    EXPECT_EQ(cruel.StockActions(), 1);

    clRecordingVariant<clFreeFan> freeFan(4);
    EXPECT_FALSE(ApplyScriptCommand(freeFan, deal));
    EXPECT_EQ(freeFan.History().Count(), 0u);
}

}  // namespace
