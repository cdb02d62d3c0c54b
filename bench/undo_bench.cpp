// How long an undo takes. Undo re-deals and replays the history up to the
// move before, so its cost grows with the number of moves played. The
// histories are real games: random legal moves from a fixed deal and seed.
// Klondike reaches any length by cycling its endless stock; FreeCell by
// moving cards between cells and columns.
#include <cstdint>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_play.h"
#include "bench_screen.h"
#include "engine/solitaire_rules.h"

namespace {

constexpr std::int32_t kDeal = 1234;
constexpr std::uint32_t kSeed = 20261210;

// The undo the command makes, less its cost in points: the last record is
// stepped back over and the table rebuilt before it. The redo that puts the
// table back for the next iteration is not timed.
void UndoLoop(benchmark::State& state, clSolitaireRules& game) {
    for (auto _ : state) {
        const clMove move = *game.History().StepBack();
        game.UndoMove(move);
        state.PauseTiming();
        game.History().StepForward();
        game.DoMove(move);
        state.ResumeTiming();
    }
    state.counters["moves"] = static_cast<double>(game.History().Count());
}

void BM_Undo(benchmark::State& state, const char* name) {
    const std::unique_ptr<clSolitaireType> screen = CreateBenchVariant(name, false);
    clSolitaireRules& game = Rules(*screen);
    const auto count = static_cast<std::size_t>(state.range(0));
    if (!PlayHistory(game, kDeal, count, kSeed)) {
        state.SkipWithError("no history of that length");
        return;
    }
    UndoLoop(state, game);
}

// The same on a 1920 x 1080 virtual screen, as the Undo command does it in
// the window: the rebuild, then the whole table drawn.
void BM_UndoOnScreen(benchmark::State& state, const char* name) {
    clBenchScreen display;
    if (!display.Create(1920, 1080)) {
        state.SkipWithError(display.Error());
        return;
    }
    const std::unique_ptr<clSolitaireType> screen = CreateBenchVariant(name, false);
    clSolitaireRules& game = Rules(*screen);
    display.Attach(game);
    const auto count = static_cast<std::size_t>(state.range(0));
    if (!PlayHistory(game, kDeal, count, kSeed)) {
        state.SkipWithError("no history of that length");
        return;
    }
    for (auto _ : state) {
        const clMove move = *game.History().StepBack();
        game.UndoMove(move);
        game.DrawTable();
        state.PauseTiming();
        game.History().StepForward();
        game.DoMove(move);
        state.ResumeTiming();
    }
    state.counters["moves"] = static_cast<double>(game.History().Count());
}

const bool registered = [] {
    for (const char* name : {"Klondike", "FreeCell"}) {
        benchmark::RegisterBenchmark(("BM_Undo/" + BenchName(name)).c_str(), BM_Undo, name)
            ->Arg(10)
            ->Arg(100)
            ->Arg(1000)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("BM_UndoOnScreen/Klondike", BM_UndoOnScreen, "Klondike")
        ->Arg(1000)
        ->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
