// Statistics logs ("<key>.log" in a player's folder): read as the game does
// when a variant starts, into the statistics and their score lists.
#include "fuzz_support.h"
#include "player/player_folders.h"
#include "player/settings.h"
#include "player/statistics.h"
#include "support/temp_folder.h"
#include "toolkit/clock.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/user_account.h"

namespace {

class clStillClock final : public clClock {
public:
    std::uint32_t TickCount() const override { return 0; }
    clDateTime LocalTime() const override { return {2017, 8, 1, 14, 21, 5, 33, 0}; }
    std::int64_t UnixTime() const override { return 1501597265; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static clTempFolder folder;
    static const clFixedUserAccount account(folder.Path(), "ann");
    static const clPlayerFolders folders(account);
    static const std::filesystem::path log = *folders.FilePath("Ann", "klondike.log");
    WriteFuzzFile(log, {data, size});

    clMemorySettingsStore store;
    clSettings settings(store);
    FUZZ_CHECK(settings.SetPlayer("Ann"));
    const clStillClock clock;
    clStatistics stats(settings, folders, clock);
    stats.LoadLog("klondike", "Klondike", true);

    // The ranking holds every result once, best first, each knowing its place.
    FUZZ_CHECK(stats.Count() >= 0 && stats.Count() <= clStatistics::kCapacity);
    for (std::int32_t i = 0; i < stats.Count(); ++i) {
        const clScoreRecord* ranked = stats.Ranked(i);
        FUZZ_CHECK(ranked != nullptr && ranked->rank == i + 1);
        if (i > 0) FUZZ_CHECK(stats.Ranked(i - 1)->score >= ranked->score);
        FUZZ_CHECK(stats.RecordAt(i) != nullptr);
    }
    FUZZ_CHECK(stats.Count() == 0 || stats.Best() >= stats.Worst());

    clScoreRecord inProgress{clResultKind::Interrupted, 100, 2, 0, clock.LocalTime()};
    std::vector<clScoreRow> rows = stats.HighScoreRows(&inProgress);
    for (const clScoreSort column :
         {clScoreSort::Rank, clScoreSort::Score, clScoreSort::Round, clScoreSort::DatePlayed}) {
        clStatistics::SortRows(rows, column, false);
        clStatistics::SortRows(rows, column, true);
    }
    (void)stats.HistoryRows();
    (void)stats.SummaryLines();
    (void)stats.LatestRankText();
    (void)stats.RankText(inProgress);
    (void)stats.RecentAverage(10);
    return 0;
}
