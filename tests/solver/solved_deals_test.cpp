// Every winning line the solver finds for deals 1 to 20 of every game, as
// the move file qarvel-solve prints, plays to a won round through the
// commands qarvel-table plays.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/solitaire_rules.h"
#include "engine/table_script.h"
#include "solver/line_script.h"
#include "solver/solver.h"
#include "support/variant_fixture.h"
#include "variants/registry.h"

namespace {

// Plays a move file's text on a fresh deal as qarvel-table play does.
::testing::AssertionResult PlaysToAWin(std::string_view name, std::int32_t deal,
                                       const std::string& file) {
    auto screen = CreateVariant(name);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) return ::testing::AssertionFailure() << "no game";
    game->SetOptions({.promptBeforeResign = false, .autoSave = false, .autoPlay = false});
    game->StartRound(deal);
    std::istringstream lines(file);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        clScriptCommand command;
        std::string error;
        if (!ParseScriptLine(line, command, error) || !ApplyScriptCommand(*game, command)) {
            return ::testing::AssertionFailure() << "line " << number << " refused: " << line;
        }
    }
    if (!game->RoundEnded() || !game->LastRoundWon()) {
        return ::testing::AssertionFailure() << "not won after " << number << " lines";
    }
    return ::testing::AssertionSuccess();
}

class SolvedDealsTest : public ::testing::TestWithParam<std::string_view> {};

TEST_P(SolvedDealsTest, WinningLinesReplayToAWin) {
    const std::string_view name = GetParam();
    const clPlayOptions options{.promptBeforeResign = false, .autoSave = false, .autoPlay = false};
    const clSolveLimits limits{.time = std::chrono::milliseconds(40)};
    for (std::int32_t deal = 1; deal <= 20; ++deal) {
        SCOPED_TRACE(::testing::Message() << "deal " << deal);
        const clSolveResult result = SolvePosition(name, deal, {}, options, limits);
        if (result.verdict != clVerdict::Won) continue;
        const auto script = LineAsScript(name, deal, {}, options, result.line);
        ASSERT_TRUE(script.has_value());
        std::string file;
        for (const std::string& line : *script)
            file += line + "\n";
        EXPECT_TRUE(PlaysToAWin(name, deal, file));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, SolvedDealsTest, ::testing::ValuesIn(RegisteredVariants()),
                         [](const auto& info) { return Identifier(info.param); });

}  // namespace
