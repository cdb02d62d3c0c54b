// Reading the player's files: a saved game of 1,000 moves opened (read,
// replayed on a copy of the game with every move checked, taken over and
// rebuilt), and a statistics log of 100,000 results read into the
// statistics. The files are written into a temporary folder first.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "bench_play.h"
#include "engine/saved_game.h"
#include "engine/solitaire_rules.h"
#include "player/player_folders.h"
#include "player/settings.h"
#include "player/statistics.h"
#include "player/statistics_log.h"
#include "toolkit/clock.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/user_account.h"

namespace {

class clBenchFolder {
public:
    clBenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qarvel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~clBenchFolder() {
        std::error_code error;
        if (!path.empty()) std::filesystem::remove_all(path, error);
    }
    clBenchFolder(const clBenchFolder&) = delete;
    clBenchFolder& operator=(const clBenchFolder&) = delete;

    std::filesystem::path path;
};

// Klondike deal 1234 after 1,000 random legal moves (its endless stock
// cycled), saved as the game saves it.
class clSavedKlondike {
public:
    clSavedKlondike() {
        screen = CreateBenchVariant("Klondike", false);
        file = folder.path / "klondike-1000.qarvel";
        ok = !folder.path.empty() && PlayHistory(Rules(*screen), 1234, 1000, 20261210) &&
             screen->Save(file);
    }

    clBenchFolder folder;
    std::unique_ptr<clSolitaireType> screen;
    std::filesystem::path file;
    bool ok = false;
};

void BM_OpenSavedGame(benchmark::State& state) {
    clSavedKlondike saved;
    if (!saved.ok) {
        state.SkipWithError("the saved game could not be made");
        return;
    }
    for (auto _ : state) {
        if (saved.screen->Load(saved.file) != clSolitaireType::clLoadResult::Loaded) {
            state.SkipWithError("the saved game was refused");
            break;
        }
    }
    state.counters["moves"] = static_cast<double>(saved.screen->History().Count());
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(saved.file));
}
BENCHMARK(BM_OpenSavedGame)->Unit(benchmark::kMicrosecond);

// Reading and checking the file alone, without the replay.
void BM_ReadSavedGameFile(benchmark::State& state) {
    clSavedKlondike saved;
    if (!saved.ok) {
        state.SkipWithError("the saved game could not be made");
        return;
    }
    for (auto _ : state) {
        const auto game = clSavedGameFile::Read(saved.file);
        if (!game) state.SkipWithError("the saved game was refused");
        benchmark::DoNotOptimize(game);
    }
}
BENCHMARK(BM_ReadSavedGameFile)->Unit(benchmark::kMicrosecond);

class clBenchClock final : public clClock {
public:
    std::uint32_t TickCount() const override { return 0; }
    clDateTime LocalTime() const override { return {2026, 12, 4, 10, 12, 0, 0, 0}; }
    std::int64_t UnixTime() const override { return 1796379120; }
};

// Player "Bench" with a Klondike log of `results` results (fixed seed:
// scores 0..99,999, rounds 1..20, one result a minute), and the statistics
// that read it.
class clBenchLog {
public:
    explicit clBenchLog(int results) {
        if (folder.path.empty() || !settings.WritePlayerDefaults("Bench") ||
            !settings.SetPlayer("Bench")) {
            return;
        }
        const auto made = folders.MakeFolder("Bench");
        if (!made) return;
        path = *made / "klondike.log";
        std::ofstream out(path, std::ios::binary);
        out << kLogHeader << "\r\n";
        std::mt19937 chance(20261210);
        for (int i = 0; i < results; ++i) {
            clScoreRecord record;
            record.kind = i % 7 == 0 ? clResultKind::Interrupted : clResultKind::Completed;
            record.score = static_cast<std::int32_t>(chance() % 100000);
            record.round = static_cast<std::int32_t>(chance() % 20) + 1;
            const int minute = i;
            record.when = {static_cast<std::uint16_t>(2000 + minute / 525600),
                           static_cast<std::uint16_t>(minute / 43800 % 12 + 1),
                           0,
                           static_cast<std::uint16_t>(minute / 1440 % 28 + 1),
                           static_cast<std::uint16_t>(minute / 60 % 24),
                           static_cast<std::uint16_t>(minute % 60),
                           0,
                           0};
            out << FormatLogLine(record) << "\r\n";
        }
        ok = static_cast<bool>(out);
    }

    clBenchFolder folder;
    clFixedUserAccount account{folder.path, "bench"};
    clPlayerFolders folders{account};
    clMemorySettingsStore store;
    clSettings settings{store};
    clBenchClock clock;
    clStatistics stats{settings, folders, clock};
    std::filesystem::path path;
    bool ok = false;
};

// The statistics filled from the log, as when a game's figures are shown.
void BM_ReadStatisticsLog(benchmark::State& state) {
    clBenchLog log(static_cast<int>(state.range(0)));
    if (!log.ok) {
        state.SkipWithError("the log could not be written");
        return;
    }
    for (auto _ : state)
        log.stats.LoadLog("klondike", "Klondike", false);
    if (log.stats.GamesPlayed() != state.range(0)) state.SkipWithError("results were lost");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(log.path));
}
BENCHMARK(BM_ReadStatisticsLog)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The file alone: every line parsed, nothing added.
void BM_ParseStatisticsLog(benchmark::State& state) {
    clBenchLog log(static_cast<int>(state.range(0)));
    if (!log.ok) {
        state.SkipWithError("the log could not be written");
        return;
    }
    for (auto _ : state) {
        const clLogReading reading = ReadLog(log.path, [](const clScoreRecord&) { return true; });
        benchmark::DoNotOptimize(reading.results);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParseStatisticsLog)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
