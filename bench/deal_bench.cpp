// How long a deal takes: one representative game of each family, headless,
// dealing the fixed deal numbers 1 to 1000 in turn.
#include <cstdint>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_play.h"
#include "engine/solitaire_rules.h"

namespace {

// One game of each family (display names as the catalogue has them).
constexpr const char* kFamilies[] = {
    "Klondike",       "Canfield",    "Yukon",          "FreeCell",        "Spider",
    "Scorpion",       "Pyramid",     "Golf",           "Triple Towers",   "Forty Thieves",
    "La Belle Lucie", "Gaps",        "Montana",        "Nestor",          "Pelmanism",
    "Black Hole",     "Hidden Sums", "BlackJack Best", "Double Klondike",
};

void BM_Deal(benchmark::State& state, const char* name) {
    const std::unique_ptr<clSolitaireType> screen = CreateBenchVariant(name, false);
    if (screen == nullptr) {
        state.SkipWithError("not registered");
        return;
    }
    clSolitaireRules& game = Rules(*screen);
    game.StartRound(1);
    std::int32_t number = 0;
    for (auto _ : state) {
        game.StartDeal(number % 1000 + 1);
        ++number;
    }
    state.counters["cards"] = game.CardCount();
}

const bool registered = [] {
    for (const char* name : kFamilies) {
        benchmark::RegisterBenchmark(("BM_Deal/" + BenchName(name)).c_str(), BM_Deal, name)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace
