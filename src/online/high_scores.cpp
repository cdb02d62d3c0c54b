#include "online/high_scores.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "engine/catalogue.h"
#include "player/statistics.h"
#include "variants/registry.h"

namespace {

// Ranked rows first, by rank, then by the larger count.
bool RankBefore(std::int32_t rankA, std::int32_t countA, std::int32_t rankB, std::int32_t countB) {
    const bool rankedA = rankA != 0 && countA != 0;
    const bool rankedB = rankB != 0 && countB != 0;
    if (rankedA != rankedB) return rankedA;
    if (!rankedA) return false;
    if (rankA != rankB) return rankA < rankB;
    return countA > countB;
}

auto DateKey(const clDateTime& w) {
    return std::tie(w.year, w.month, w.day, w.hour, w.minute, w.second, w.millisecond);
}

}  // namespace

std::vector<clHighScoreRow> FillHighScoreRows(clSettings& settings, const clPlayerFolders& folders,
                                              const clClock& clock) {
    std::vector<clHighScoreRow> rows;
    for (std::string_view name : RegisteredVariants()) {
        if (rows.size() >= kMaxHighScoreRows) break;
        const clCatalogueRow* variant = FindVariant(name);
        const std::string key = variant != nullptr ? std::string(variant->key) : KeyOf(name);
        clStatistics statistics(settings, folders, clock);
        statistics.LoadLog(key, name, false);
        // The best of the games played without hints: the others are never
        // submitted.
        const clScoreRecord* best = nullptr;
        for (std::int32_t i = 0; i < statistics.Count() && best == nullptr; ++i) {
            const clScoreRecord* record = statistics.Ranked(i);
            if (record != nullptr && !record->hinted) best = record;
        }
        if (best == nullptr) continue;
        clHighScoreRow row;
        row.index = static_cast<std::int32_t>(rows.size());
        row.entry = {std::string(name), best->score, best->round, {}};
        row.when = best->when;
        rows.push_back(std::move(row));
    }
    return rows;
}

void SortHighScoreRows(std::vector<clHighScoreRow>& rows, clHighScoreColumn column, bool reversed) {
    const auto before = [column](const clHighScoreRow& a, const clHighScoreRow& b) {
        const clScoreRanks& ra = a.entry.ranks;
        const clScoreRanks& rb = b.entry.ranks;
        switch (column) {
            case clHighScoreColumn::Game:
                return a.entry.gameName < b.entry.gameName;
            case clHighScoreColumn::Score:
                return a.entry.score > b.entry.score;
            case clHighScoreColumn::Round:
                return a.entry.round > b.entry.round;
            case clHighScoreColumn::OverallRank:
                return RankBefore(ra.overallRank, ra.overallCount, rb.overallRank, rb.overallCount);
            case clHighScoreColumn::RecentRank:
                return RankBefore(ra.recentRank, ra.recentCount, rb.recentRank, rb.recentCount);
            case clHighScoreColumn::DatePlayed:
                return DateKey(a.when) < DateKey(b.when);
        }
        return false;
    };
    std::sort(rows.begin(), rows.end(), [&](const clHighScoreRow& a, const clHighScoreRow& b) {
        const clHighScoreRow& first = reversed ? b : a;
        const clHighScoreRow& second = reversed ? a : b;
        if (before(first, second)) return true;
        if (before(second, first)) return false;
        return a.index < b.index;
    });
}
