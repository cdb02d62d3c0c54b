// SolvePosition: a position by game, deal and moves. Its line is the
// player's moves from that position to a won round; a position it cannot
// rebuild through the game's rules, or a game nobody can make, is never
// reported won.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "solver/solver.h"
#include "variants/registry.h"

namespace {

constexpr clSolveLimits kLimits{.nodes = 5'000'000, .time = std::chrono::seconds(20)};
const clPlayOptions kOptions{.autoSave = false, .autoPlay = true};

// The position's screen, with the moves as the player's.
std::unique_ptr<clSolitaireType> Replay(const char* name, std::int32_t deal,
                                        const std::vector<clMove>& moves, clRandom& generator) {
    std::unique_ptr<clSolitaireType> screen = CreateVariant(name, nullptr, &kOptions);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) return nullptr;
    game->SetGenerator(generator);
    game->SetOptions(kOptions);
    game->StartRound(deal);
    for (const clMove& move : moves) {
        if (!game->ValidateMove(move) || !game->CommitPlayedMove(move)) return nullptr;
    }
    return screen;
}

// From the deal and from a position part of the way along its own line,
// the line found finishes the round won.
TEST(SolvePositionTest, TheLineFromAPositionWinsFromThere) {
    const clSolveResult start = SolvePosition("FreeCell", 3, {}, kOptions, kLimits);
    ASSERT_EQ(start.verdict, clVerdict::Won);
    ASSERT_GT(start.line.size(), 10u);

    // The history holds the automatic moves too, as the window's does.
    clRandom generator;
    const std::vector<clMove> firstMoves(start.line.begin(), start.line.begin() + 10);
    const auto screen = Replay("FreeCell", 3, firstMoves, generator);
    ASSERT_NE(screen, nullptr);
    std::vector<clMove> played;
    for (std::size_t i = 0; i < screen->History().Position(); ++i)
        played.push_back(screen->History().At(i));

    const clSolveResult later = SolvePosition("FreeCell", 3, played, kOptions, kLimits);
    ASSERT_EQ(later.verdict, clVerdict::Won);
    ASSERT_TRUE(later.bestGuess);
    EXPECT_EQ(*later.bestGuess, later.line.front());
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    for (const clMove& move : later.line)
        ASSERT_TRUE(game->ValidateMove(move) && game->CommitPlayedMove(move));
    EXPECT_TRUE(game->RoundEnded() && game->LastRoundWon());
}

// Nothing it cannot stand behind is reported won: a history the rules
// refuse, a deal that is no deal, a game that is not registered.
TEST(SolvePositionTest, APositionThatCannotBeRebuiltIsNeverWon) {
    const clMove refused = clMove::CardMove(0, clLocation::Pile(clLocationKind::Foundation, 0, 0),
                                            clLocation::Pile(clLocationKind::Tableau, 0, 0));
    struct clCase {
        const char* name;
        std::int32_t deal;
        std::vector<clMove> played;
    };
    const clCase cases[] = {
        {"FreeCell", 3, {refused}},
        {"FreeCell", 0, {}},
        {"FreeCell", -5, {}},
        {"No Such Game", 3, {}},
    };
    for (const clCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " deal " + std::to_string(c.deal));
        const clSolveResult result = SolvePosition(c.name, c.deal, c.played, kOptions, kLimits);
        EXPECT_NE(result.verdict, clVerdict::Won);
        EXPECT_TRUE(result.line.empty());
    }
}

}  // namespace
