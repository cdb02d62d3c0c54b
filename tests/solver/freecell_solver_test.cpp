// The FreeCell family's solver: its model against the games' own rules, its
// lines against a fresh replay, a proved loss, the limits and cancelling.
#include "solver/freecell_solver.h"

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "engine/table_text.h"
#include "solver/freecell_model.h"
#include "support/random_play.h"
#include "support/variant_fixture.h"
#include "variants/registry.h"

namespace {

constexpr const char* kFamily[] = {
    "FreeCell",
    "FreeCell Kings",
    "ForeCell",
    "Three Cells",
    "Two Cells",
    "Seven By Four",
    "Seven By Four Kings",
    "Seven By Five",
    "Four By Ten",
    "Ten By One",
    "Sea Towers",
    "Sea Towers Kings",
    "Double SeaTowers",
    "Baker's Game",
    "Baker's Game Kings",
    "Eight Off",
    "Eight On",
    "Penguin",
    "Tuxedo",
    "Opus",
    "Beleaguered Castle",
};

std::string Text(const clMove& move) {
    return std::to_string(move.first) + " " + std::to_string(static_cast<int>(move.from.kind)) +
           ":" + std::to_string(move.from.first) + ":" + std::to_string(move.from.second) + " > " +
           std::to_string(static_cast<int>(move.to.kind)) + ":" + std::to_string(move.to.first) +
           ":" + std::to_string(move.to.second);
}

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Every card's place, by deal index: "c0:12 c0:40 ... | cells | foundations".
std::string Layout(const clFamilyModel& model, const clFamilyState& state) {
    std::string text;
    for (int c = 0; c < model.Columns(); ++c) {
        for (int k = 0; k < state.length[c]; ++k)
            text += std::to_string(model.DealIndex(state.column[c][k])) + " ";
        text += "/ ";
    }
    for (int i = 0; i < model.Cells(); ++i)
        text += state.cell[i] ? std::to_string(model.DealIndex(state.cell[i])) + " " : "- ";
    for (int f = 0; f < model.Foundations(); ++f) {
        text +=
            state.foundation[f] ? std::to_string(model.DealIndex(state.foundation[f])) + " " : "- ";
    }
    return text;
}

// Plays the line as the player's moves on a fresh screen of the deal.
bool ReplaysToWin(const char* name, std::int32_t deal, bool autoPlay,
                  const std::vector<clMove>& line) {
    clPlayOptions options{.autoSave = false, .autoPlay = autoPlay};
    clRandom generator;
    auto screen = CreateVariant(name, nullptr, &options);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) return false;
    game->SetGenerator(generator);
    game->SetOptions(options);
    game->StartRound(deal);
    for (const clMove& move : line) {
        if (!game->ValidateMove(move) || !game->CommitPlayedMove(move)) return false;
    }
    return game->RoundEnded() && game->LastRoundWon();
}

class FamilyModelTest : public VariantTest, public ::testing::WithParamInterface<const char*> {};

// On positions reached by random play, the model offers exactly the moves
// the game accepts, and playing one gives the table the game's commit
// (with its automatic play, on or off) gives.
TEST_P(FamilyModelTest, MovesAndTheirResultsAreTheGames) {
    std::mt19937 chance(7);
    for (const bool autoPlay : {false, true}) {
        for (const std::int32_t deal : {3, 11}) {
            SCOPED_TRACE("deal " + std::to_string(deal) + (autoPlay ? " with" : " without") +
                         " automatic play");
            Start(GetParam(), deal);
            const clPlayOptions options{.autoSave = false, .autoPlay = autoPlay};
            game->SetOptions(options);
            for (int step = 0; step < 60; ++step) {
                const auto model = clFamilyModel::Read(*game, options);
                ASSERT_TRUE(model) << "step " << step;
                std::vector<clFamilyMove> moves;
                model->LegalMoves(model->Start(), moves);
                std::vector<std::string> ours;
                for (const clFamilyMove& move : moves)
                    ours.push_back(Text(model->ToMove(model->Start(), move)));
                std::vector<std::string> theirs;
                for (const clMove& move : ValidCardMoves(*game))
                    theirs.push_back(Text(move));
                ASSERT_EQ(Sorted(ours), Sorted(theirs)) << "step " << step;
                if (moves.empty()) break;

                // Moves down from a foundation of two packs are left out of
                // the search; every other move must play as the game plays it.
                std::vector<clFamilyMove> playable;
                for (const clFamilyMove& move : moves) {
                    if (model->Decks() == 1 || move.fromSpot != clSpot::Foundation)
                        playable.push_back(move);
                }
                if (playable.empty()) break;
                const clFamilyMove move = playable[chance() % playable.size()];
                clFamilyState after = model->Start();
                model->Play(after, move);
                ASSERT_TRUE(game->CommitPlayedMove(model->ToMove(model->Start(), move)));
                if (game->RoundEnded()) break;
                const auto played = clFamilyModel::Read(*game, options);
                ASSERT_TRUE(played);
                ASSERT_EQ(Layout(*model, after), Layout(*played, played->Start()))
                    << "step " << step;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryModelledGame, FamilyModelTest, ::testing::ValuesIn(kFamily),
                         [](const auto& info) { return Identifier(info.param); });

TEST_F(VariantTest, PositionsKeyAlikeWhateverTheOrderOfColumnsAndCells) {
    Start("FreeCell", 4);
    const auto model = clFamilyModel::Read(*game, {});
    ASSERT_TRUE(model);
    clFamilyState state = model->Start();
    state.cell[0] = state.column[0][state.length[0] - 1];
    --state.length[0];
    clFamilyState swapped = state;
    std::swap(swapped.column[2], swapped.column[5]);
    std::swap(swapped.length[2], swapped.length[5]);
    std::swap(swapped.cell[0], swapped.cell[3]);
    model->Rehash(state);
    model->Rehash(swapped);
    EXPECT_EQ(model->Key(state), model->Key(swapped));
    EXPECT_NE(model->Key(state), model->Key(model->Start()));
}

TEST_F(VariantTest, GamesOutsideTheFamilyAreLeftToOthers) {
    for (const char* name : {"Klondike", "Spider One Suit", "Golf"}) {
        SCOPED_TRACE(name);
        Start(name, 1);
        EXPECT_FALSE(SolveFreeCellFamily(*game, {}, {}));
    }
}

struct clDealsCase {
    const char* name;
    int firstDeal;
    int lastDeal;
    bool autoPlay;
    int leastWon;  // deals of the range that must be won
};

class FamilyLineTest : public ::testing::TestWithParam<clDealsCase> {};

// Every line the solver reports won replays to a won round on a fresh
// screen; enough deals of each range are won.
TEST_P(FamilyLineTest, WonLinesReplayToAWonRound) {
    const clDealsCase& c = GetParam();
    int won = 0;
    for (int deal = c.firstDeal; deal <= c.lastDeal; ++deal) {
        SCOPED_TRACE("deal " + std::to_string(deal));
        const clPlayOptions options{.autoSave = false, .autoPlay = c.autoPlay};
        clRandom generator;
        auto screen = CreateVariant(c.name, nullptr, &options);
        auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
        ASSERT_TRUE(game);
        game->SetGenerator(generator);
        game->SetOptions(options);
        game->StartRound(deal);
        const auto result = SolveFreeCellFamily(
            *game, options, {.nodes = 2'000'000, .time = std::chrono::minutes(1)});
        ASSERT_TRUE(result);
        if (result->verdict != clVerdict::Won) continue;
        ++won;
        EXPECT_TRUE(ReplaysToWin(c.name, deal, c.autoPlay, result->line));
        ASSERT_TRUE(result->bestGuess);
        EXPECT_EQ(*result->bestGuess, result->line.front());
    }
    EXPECT_GE(won, c.leastWon);
}

INSTANTIATE_TEST_SUITE_P(Deals, FamilyLineTest,
                         ::testing::Values(clDealsCase{"FreeCell", 1, 50, true, 50},
                                           clDealsCase{"FreeCell", 51, 60, false, 10},
                                           clDealsCase{"Baker's Game", 1, 10, true, 5},
                                           clDealsCase{"Eight Off", 1, 10, true, 8},
                                           clDealsCase{"Sea Towers", 1, 10, true, 8},
                                           clDealsCase{"Penguin", 1, 10, true, 8},
                                           clDealsCase{"Seven By Five", 1, 5, false, 4},
                                           clDealsCase{"Double SeaTowers", 1, 3, true, 2}),
                         [](const auto& info) {
                             return Identifier(info.param.name) + "From" +
                                    std::to_string(info.param.firstDeal) +
                                    (info.param.autoPlay ? "" : "NoAutoPlay");
                         });

// A FreeCell table where one card may go to the last free cell and nothing
// else moves: black cards on black cards at every column's top, the Aces at
// the bottoms and Kings in the other cells.
class LostPositionTest : public VariantTest {
protected:
    void LayDeadTable() {
        Start("FreeCell", 1);
        ClearTable();
        const std::vector<std::string> columns = {"AH 2H 3H 4H 5H 6H 2C 3C",
                                                  "AD 2D 3D 4D 5D 6D 4C 5C",
                                                  "AC 7H 8H 9H TH JH 6C 7C",
                                                  "AS 7D 8D 9D TD JD 8C 9C",
                                                  "KS QH QD TC JC",
                                                  "2S 3S 4S 5S",
                                                  "6S 7S 8S 9S",
                                                  "TS JS QC QS"};
        for (int c = 0; c < 8; ++c)
            Put(game->Tableau(c), columns[static_cast<std::size_t>(c)]);
        Put(game->Reserve(0), "KH");
        Put(game->Reserve(1), "KD");
        Put(game->Reserve(2), "KC");
    }
};

TEST_F(LostPositionTest, IsProvedLost) {
    LayDeadTable();
    ASSERT_TRUE(EveryCardOnce(*game));
    const auto result = SolveFreeCellFamily(*game, {.autoPlay = true}, {});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->verdict, clVerdict::Lost);
    EXPECT_TRUE(result->line.empty());
    EXPECT_GT(result->nodes, 1);
}

TEST_F(VariantTest, CancellingOrRunningOutOfNodesLeavesItUnknown) {
    Start("FreeCell", 5);
    const std::atomic<bool> cancelled{true};
    const auto stopped = SolveFreeCellFamily(*game, {}, {.cancel = &cancelled});
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->verdict, clVerdict::Unknown);
    EXPECT_EQ(stopped->nodes, 0);

    const auto cut = SolveFreeCellFamily(*game, {}, {.nodes = 3});
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->verdict, clVerdict::Unknown);
    EXPECT_EQ(cut->nodes, 3);
    EXPECT_TRUE(cut->line.empty());
    ASSERT_TRUE(cut->bestGuess);
    EXPECT_TRUE(game->ValidateMove(*cut->bestGuess));
}

// A table changed by hand away from its deal's history cannot be replayed,
// so no win is reported for it.
TEST_F(VariantTest, AWinThatCannotBeReplayedIsNotReported) {
    Start("FreeCell", 2);
    std::string from;
    for (int k = 0; k + 1 < static_cast<int>(game->Tableau(0)->Count()); ++k)
        from += CardText(*game->Tableau(0)->At(k)) + " ";
    std::string to;
    for (int k = 0; k < static_cast<int>(game->Tableau(1)->Count()); ++k)
        to += CardText(*game->Tableau(1)->At(k)) + " ";
    to += CardText(*game->Tableau(0)->Top());
    Put(game->Tableau(0), from);
    Put(game->Tableau(1), to);
    ASSERT_TRUE(EveryCardOnce(*game));
    const auto result = SolveFreeCellFamily(*game, {}, {});
    ASSERT_TRUE(result);
    EXPECT_NE(result->verdict, clVerdict::Won);
    EXPECT_TRUE(result->line.empty());
}

}  // namespace
