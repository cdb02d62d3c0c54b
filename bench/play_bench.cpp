// Random play: how many moves a second the engine finds and commits, in
// every registered game. A step lists every legal move (every card of every
// pile tried on every other pile, every pair of top cards, the stock), picks
// one at random and commits it as the player's would be, automatic play
// included; a deal that runs out of moves or ends its round is followed by
// the next. Deals and choices come from fixed seeds.
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_play.h"
#include "engine/solitaire_rules.h"
#include "variants/registry.h"

namespace {

// One game under random play.
class clRandomGame {
public:
    explicit clRandomGame(std::string_view name)
        : screen(CreateBenchVariant(name, true)), chance(20261210) {
        if (screen) Rules(*screen).StartRound(NextDeal());
    }
    bool IsValid() const { return screen != nullptr; }

    // One step; true when it recorded a move (a refused click on the stock
    // records none). A deal that is over, or stuck (several steps in a row
    // recorded nothing, such as clicks on an empty stock), is followed by the
    // next.
    bool Step() {
        clSolitaireRules& game = Rules(*screen);
        const std::size_t before = game.History().Position();
        if (!game.RoundEnded() && PlayRandomStep(game, chance) &&
            game.History().Position() > before) {
            idle = 0;
            return true;
        }
        if (!game.RoundEnded() && ++idle < kIdleSteps) return false;
        idle = 0;
        game.History().Clear();
        game.StartRound(NextDeal());
        return false;
    }

private:
    std::int32_t NextDeal() { return ++deal * 7919 % 1000000 + 1; }

    static constexpr int kIdleSteps = 8;

    std::unique_ptr<clSolitaireType> screen;
    std::mt19937 chance;
    std::int32_t deal = 0;
    int idle = 0;
};

constexpr int kStepsPerGame = 20;

// Every registered game in turn, kStepsPerGame steps each per iteration.
void BM_RandomPlayAllGames(benchmark::State& state) {
    std::vector<std::unique_ptr<clRandomGame>> games;
    for (const std::string_view name : RegisteredVariants()) {
        games.push_back(std::make_unique<clRandomGame>(name));
        if (!games.back()->IsValid()) {
            state.SkipWithError("a registered game could not be made");
            return;
        }
    }
    std::int64_t moves = 0;
    for (auto _ : state) {
        for (const auto& game : games) {
            for (int i = 0; i < kStepsPerGame; ++i)
                moves += game->Step() ? 1 : 0;
        }
    }
    state.counters["moves/s"] =
        benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
    state.counters["games"] = static_cast<double>(games.size());
}
BENCHMARK(BM_RandomPlayAllGames)->Unit(benchmark::kMillisecond);

// One game, one step per iteration.
void BM_RandomPlay(benchmark::State& state, std::string_view name) {
    clRandomGame game(name);
    if (!game.IsValid()) {
        state.SkipWithError("not registered");
        return;
    }
    std::int64_t moves = 0;
    for (auto _ : state)
        moves += game.Step() ? 1 : 0;
    state.counters["moves/s"] =
        benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}

const bool registered = [] {
    for (const std::string_view name : RegisteredVariants()) {
        benchmark::RegisterBenchmark(("BM_RandomPlay/" + BenchName(name)).c_str(), BM_RandomPlay,
                                     name)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.1);
    }
    return true;
}();

}  // namespace
