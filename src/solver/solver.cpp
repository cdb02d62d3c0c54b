#include "solver/solver.h"

#include <array>
#include <memory>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "solver/family.h"
#include "solver/freecell_solver.h"
#include "solver/line_script.h"
#include "solver/screen.h"
#include "solver/search.h"
#include "toolkit/steady_clock.h"
#include "variants/registry.h"

namespace {

// Solvers of a family of their own, tried before the general search: each
// answers for the games it models and gives nothing for the others.
using clFamilySolver = std::optional<clSolveResult> (*)(clSolitaireRules& game,
                                                        const clPlayOptions& options,
                                                        const clSolveLimits& limits);
constexpr std::array<clFamilySolver, 1> kFamilySolvers{SolveFreeCellFamily};

clSolveResult FamilyOrGeneral(clSolitaireRules& game, const clPlayOptions& options,
                              const clSolveLimits& limits) {
    for (const clFamilySolver solve : kFamilySolvers) {
        if (std::optional<clSolveResult> result = solve(game, options, limits)) return *result;
    }
    clSearch search(game, FamilyTraits(game.DisplayName()), limits, clSteadyClock::Program());
    return search.Run();
}

}  // namespace

const char* VerdictName(clVerdict verdict) {
    switch (verdict) {
        case clVerdict::Won:
            return "won";
        case clVerdict::Lost:
            return "lost";
        case clVerdict::Unknown:
            break;
    }
    return "unknown";
}

std::unique_ptr<clSolitaireRules> PositionScreen(std::string_view displayName, std::int32_t deal,
                                                 std::span<const clMove> played,
                                                 const clPlayOptions& options,
                                                 clRandom& generator) {
    std::unique_ptr<clSolitaireType> screen = CreateVariant(displayName);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr || deal <= 0 || played.size() > clHistory::kCapacity) return nullptr;
    screen.release();
    std::unique_ptr<clSolitaireRules> owned(game);
    game->SetGenerator(generator);
    clPlayOptions own = options;
    own.promptBeforeResign = false;
    own.autoSave = false;
    game->SetOptions(own);
    game->StartRound(deal);
    if (played.empty()) return owned;
    game->History().Clear();
    for (const clMove& move : played) {
        if (!game->History().Push(move)) return nullptr;
    }
    if (!game->CheckedRebuild()) return nullptr;
    return owned;
}

clSolveResult SolvePosition(std::string_view displayName, std::int32_t deal,
                            std::span<const clMove> played, const clPlayOptions& options,
                            const clSolveLimits& limits) {
    const std::uint32_t start = clSteadyClock::Program().TickCount();
    clRandom generator;
    clSolveResult result;
    const std::unique_ptr<clSolitaireRules> game =
        PositionScreen(displayName, deal, played, options, generator);
    if (game) result = FamilyOrGeneral(*game, options, limits);
    // A line is Won only when it replays to a won round on a fresh screen.
    if (result.verdict == clVerdict::Won &&
        !LineAsScript(displayName, deal, played, options, result.line)) {
        result.verdict = clVerdict::Unknown;
        result.line.clear();
    }
    const std::uint32_t elapsed = clSteadyClock::Program().TickCount() - start;
    result.elapsed = std::chrono::milliseconds(elapsed);
    return result;
}
