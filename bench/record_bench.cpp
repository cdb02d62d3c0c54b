// How long the score server takes to check a submitted game: the record
// decoded, then every round replayed under the game's rules (the variant
// made afresh, as for each submission). The records are real play: random
// legal moves from a fixed deal and seed, a step every 0.2 s of the clock.
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_play.h"
#include "engine/solitaire_rules.h"
#include "online/play_record.h"
#include "online/play_recorder.h"
#include "online/record_check.h"

namespace {

constexpr std::int32_t kDeal = 1234;
constexpr std::uint32_t kSeed = 20261211;

struct clRecordedGame {
    std::string bytes;
    std::int32_t score = 0;
};

// One round of `steps` recorded steps, then Take Score.
std::optional<clRecordedGame> RecordRound(const char* name, std::size_t steps) {
    clPlayRecorder recorder{name};
    const std::unique_ptr<clSolitaireType> screen = CreateBenchVariant(name, false);
    clSolitaireRules& game = Rules(*screen);
    game.SetPlayObserver(&recorder);
    game.StartRound(kDeal);
    game.StartTimer();
    std::mt19937 chance(kSeed);
    while (recorder.Record() && recorder.Record()->rounds[0].steps.size() < steps) {
        game.TimerTick();
        game.TimerTick();
        if (game.RoundEnded() || !PlayRandomStep(game, chance)) return std::nullopt;
    }
    game.TakeScore();
    const std::optional<clPlayRecord> record = recorder.Record();
    if (!record) return std::nullopt;
    const std::optional<std::string> bytes = clPlayRecordCodec::Encode(*record);
    if (!bytes) return std::nullopt;
    return clRecordedGame{*bytes, game.LastRoundScore()};
}

void BM_CheckRecord(benchmark::State& state, const char* name) {
    const auto steps = static_cast<std::size_t>(state.range(0));
    const std::optional<clRecordedGame> recorded = RecordRound(name, steps);
    if (!recorded) {
        state.SkipWithError("no round of that length");
        return;
    }
    for (auto _ : state) {
        const std::optional<clPlayRecord> record = clPlayRecordCodec::Decode(recorded->bytes);
        const std::optional<std::string> reason =
            record ? CheckPlayRecord(*record, name, recorded->score, 1) : "not decoded";
        if (reason) {
            state.SkipWithError(reason->c_str());
            return;
        }
        benchmark::DoNotOptimize(record);
    }
    state.counters["moves"] = static_cast<double>(steps);
    state.counters["bytes"] = static_cast<double>(recorded->bytes.size());
}

}  // namespace

BENCHMARK_CAPTURE(BM_CheckRecord, Klondike, "Klondike")
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckRecord, FreeCell, "FreeCell")->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckRecord, Spider, "Spider")->Arg(1000)->Unit(benchmark::kMicrosecond);
