#include "solver/solver.h"

#include <memory>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "solver/freecell_solver.h"
#include "toolkit/steady_clock.h"
#include "variants/registry.h"

// The position is rebuilt on a headless screen of its own: the deal dealt
// with a generator of the solve's own, the moves replayed through the
// game's validation. Games no search models yet answer Unknown.
clSolveResult SolvePosition(std::string_view displayName, std::int32_t deal,
                            std::span<const clMove> played, const clPlayOptions& options,
                            const clSolveLimits& limits) {
    const std::uint32_t startTick = clSteadyClock::Program().TickCount();
    const auto finish = [startTick](clSolveResult result) {
        result.elapsed =
            std::chrono::milliseconds(clSteadyClock::Program().TickCount() - startTick);
        return result;
    };
    if (deal <= 0) return finish({});
    clPlayOptions quiet = options;
    quiet.autoSave = false;
    const std::unique_ptr<clSolitaireType> screen = CreateVariant(displayName, nullptr, &quiet);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) return finish({});
    clRandom generator;
    game->SetGenerator(generator);
    game->SetOptions(quiet);
    game->StartRound(deal);
    game->History().Clear();
    for (const clMove& move : played) {
        if (!game->History().Push(move)) return finish({});
    }
    if (!game->CheckedRebuild() || game->RoundEnded()) return finish({});
    if (std::optional<clSolveResult> result = SolveFreeCellFamily(*game, quiet, limits)) {
        return *result;
    }
    return finish({});
}
