#include "player/statistics.h"

#include <algorithm>
#include <limits>
#include <system_error>

#include "player/file_time.h"
#include "player/player_folders.h"
#include "player/settings.h"
#include "player/settings_keys.h"
#include "player/statistics_log.h"
#include "toolkit/settings_store.h"

namespace {

// A variant's short key names its log; it must be a plain file name.
bool IsLogKey(std::string_view key) {
    if (key.empty() || key.size() > 59) return false;
    return std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
}

}  // namespace

std::string DailyLogKey(std::string_view key) {
    return std::string(key) + "-daily";
}

clStatistics::clStatistics(clSettings& settings, const clPlayerFolders& folders,
                           const clClock& clock)
    : settings(settings),
      folders(folders),
      clock(clock),
      ring(kCapacity + 1),
      ranking(kCapacity, 0) {}

void clStatistics::Reset() {
    current = {};
    std::fill(ring.begin(), ring.end(), clScoreRecord{});
    std::fill(ranking.begin(), ranking.end(), 0);
    gamesPlayed = head = best = tenthBest = worst = highestRound = average = 0;
    total = 0;
}

std::filesystem::path clStatistics::PathOf(std::string_view key) const {
    if (!IsLogKey(key)) return {};
    const auto path = folders.FilePath(settings.Player(), std::string(key) + ".log");
    return path ? *path : std::filesystem::path();
}

void clStatistics::LoadLog(std::string_view key, std::string_view name, bool writeSummary) {
    Reset();
    gameName = name;
    logPath = PathOf(key);
    // A log with a damaged or foreign first line is read as far as it is
    // sound and kept: deleting it would lose every result in it.
    if (!logPath.empty())
        ReadLog(logPath, [this](const clScoreRecord& record) { return AddRecord(record); });
    if (writeSummary) WriteSummary(true);
}

clAppendResult clStatistics::AppendResult(std::string_view key, const clScoreRecord& record) {
    if (settings.Flag(clFlag::Practice)) return clAppendResult::Practice;
    const std::filesystem::path path = PathOf(key);
    const bool logged = !path.empty() && AppendLogLine(path, record);
    AddRecord(record);
    WriteSummary(false);
    return logged ? clAppendResult::Logged : clAppendResult::NotLogged;
}

void clStatistics::SwapRanked(std::int32_t i, std::int32_t j) {
    std::swap(ranking[static_cast<std::size_t>(i)], ranking[static_cast<std::size_t>(j)]);
    Slot(RankedSlot(i)).rank = i + 1;
    Slot(RankedSlot(j)).rank = j + 1;
}

bool clStatistics::AddRecord(const clScoreRecord& record) {
    if (gamesPlayed == std::numeric_limits<std::int32_t>::max()) return false;
    current = record;
    std::int32_t slot = head + 1;
    head = (head + 1) % kCapacity;

    std::int32_t place = 0;  // ranking index of the new result
    if (gamesPlayed < kCapacity) {
        place = gamesPlayed;
        ranking[static_cast<std::size_t>(place)] = slot;
        Slot(slot) = current;
        Slot(slot).rank = place + 1;
        // Up past every result of the same score or lower: the newer ranks
        // above the older.
        while (place > 0 && Slot(slot).score >= Slot(RankedSlot(place - 1)).score) {
            SwapRanked(place, place - 1);
            --place;
        }
    } else {
        // The best ten, and results tied with the tenth, are never pushed
        // out. While the tenth best ties with the worst, the results above
        // the worst are the ones kept (so the best cannot be lost).
        const auto kept = [this](std::int32_t s) {
            return Slot(s).score >= tenthBest && Slot(s).score > worst;
        };
        while (kept(slot)) {
            slot = head + 1;
            head = (head + 1) % kCapacity;
        }
        place = Slot(slot).rank - 1;
        Slot(slot) = current;
        Slot(slot).rank = place + 1;
        bool movedUp = false;
        while (place > 0 && Slot(slot).score >= Slot(RankedSlot(place - 1)).score) {
            SwapRanked(place, place - 1);
            --place;
            movedUp = true;
        }
        while (!movedUp && place < kCapacity - 1 &&
               Slot(slot).score < Slot(RankedSlot(place + 1)).score) {
            SwapRanked(place, place + 1);
            ++place;
        }
    }

    ++gamesPlayed;
    const std::int32_t held = Count();
    worst = Slot(RankedSlot(held - 1)).score;
    total += current.score;
    average = static_cast<std::int32_t>(total / gamesPlayed);
    highestRound = std::max(highestRound, current.round);
    best = Slot(RankedSlot(0)).score;
    tenthBest = Slot(RankedSlot(std::min(held, 10) - 1)).score;
    return true;
}

void clStatistics::ClearStatistics() {
    Reset();
    if (!logPath.empty()) {
        std::error_code error;
        std::filesystem::remove(logPath, error);
    }
    WriteSummary(true);
}

bool clStatistics::WriteSummary(bool useNow) {
    if (gameName.empty() || !IsValidPlayerName(settings.Player())) return false;
    std::optional<std::uint64_t> lastPlayed;
    if (!useNow && current.when.year != 0) lastPlayed = ToFileTime(current.when);
    if (!lastPlayed) lastPlayed = ToFileTime(clock.LocalTime());
    const std::uint64_t fileTime = lastPlayed.value_or(0);

    using namespace clGameNames;
    clSettingsStore& store = settings.Store();
    const clKeyPath key = GameKey(settings.Player(), gameName);
    bool ok = store.WriteInteger(key, kGamesPlayed, gamesPlayed);
    if (gamesPlayed != 0) {
        ok &= store.WriteInteger(key, kBestScore, best);
        ok &= store.WriteInteger(key, kWorstScore, worst);
        ok &= store.WriteInteger(key, kAverageScore, average);
    }
    ok &= store.WriteInteger(key, kLastTimeLow, static_cast<std::int32_t>(fileTime & 0xFFFFFFFF));
    ok &= store.WriteInteger(key, kLastTimeHigh, static_cast<std::int32_t>(fileTime >> 32));
    return store.Flush() && ok;
}

clScoreRecord clStatistics::MakeCompleted(std::int32_t score, std::int32_t round,
                                          const clClock& clock) {
    return {clResultKind::Completed, score, round, 0, clock.LocalTime()};
}

clScoreRecord clStatistics::MakeInterrupted(std::int32_t score, std::int32_t round,
                                            const clClock& clock) {
    return {clResultKind::Interrupted, score, round, 0, clock.LocalTime()};
}

std::int32_t clStatistics::Count() const {
    return std::min(gamesPlayed, kCapacity);
}

const clScoreRecord* clStatistics::RecordAt(std::int32_t i) const {
    return i >= 0 && i < Count() ? &Slot(i + 1) : nullptr;
}

const clScoreRecord* clStatistics::Ranked(std::int32_t i) const {
    return i >= 0 && i < Count() ? &Slot(RankedSlot(i)) : nullptr;
}

const clScoreRecord* clStatistics::Latest() const {
    return gamesPlayed > 0 ? &Slot(LatestSlot()) : nullptr;
}

std::int32_t clStatistics::RecentAverage(std::int32_t count) const {
    const std::int32_t n = std::min(count, Count());
    if (n <= 0) return 0;
    std::int64_t sum = 0;
    std::int32_t slot = LatestSlot();
    for (std::int32_t i = 0; i < n; ++i) {
        sum += Slot(slot).score;
        slot = slot == 1 ? kCapacity : slot - 1;
    }
    return static_cast<std::int32_t>(sum / n);
}
