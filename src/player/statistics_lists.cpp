// The texts and list rows made from a variant's statistics.
#include <algorithm>
#include <string>
#include <tuple>

#include "player/statistics.h"

std::string clStatistics::Ordinal(std::int32_t n) {
    const std::int32_t tens = n / 10 % 10;
    const char* suffix = "th";
    if (tens != 1) {
        switch (n % 10) {
            case 1:
                suffix = "st";
                break;
            case 2:
                suffix = "nd";
                break;
            case 3:
                suffix = "rd";
                break;
            default:
                break;
        }
    }
    return std::to_string(n) + suffix;
}

std::string clStatistics::RankText(const clScoreRecord& record) const {
    std::int64_t n = gamesPlayed;
    if (record.kind == clResultKind::Interrupted) ++n;
    return Ordinal(record.rank) + " of " + std::to_string(std::min<std::int64_t>(n, kCapacity));
}

std::string clStatistics::LatestRankText() const {
    const clScoreRecord* latest = Latest();
    if (latest == nullptr) return {};
    return Ordinal(latest->rank) + " of " + std::to_string(gamesPlayed);
}

std::vector<clScoreColumn> clStatistics::HighScoreColumns(bool dateTime) {
    std::vector<clScoreColumn> columns = {{"Rank", 60}, {"Score", 90}, {"Round", 45}};
    if (dateTime) columns.push_back({"Date Played", 120});
    return columns;
}

clScoreRow clStatistics::Row(const clScoreRecord& record, std::int32_t slot) const {
    clScoreIcon icon = clScoreIcon::None;
    if (slot == LatestSlot())
        icon = clScoreIcon::Latest;
    else if (record.score == best)
        icon = clScoreIcon::Best;
    else if (record.score == worst)
        icon = clScoreIcon::Worst;
    else if (record.score >= tenthBest)
        icon = clScoreIcon::High;
    return {icon, record.rank, record.score, record.round, record.when, false, record.hinted};
}

std::vector<clScoreRow> clStatistics::HighScoreRows(clScoreRecord* inProgress) const {
    std::vector<clScoreRow> rows;
    const std::int32_t count = Count();
    const auto add = [&](std::int32_t i, std::int32_t shift) {
        const clScoreRecord& record = Slot(RankedSlot(i));
        const std::int32_t rank = record.rank + shift;
        if (record.rank < 1 || rank > kCapacity) return;
        clScoreRow row = Row(record, RankedSlot(i));
        row.rank = rank;
        rows.push_back(row);
    };
    if (inProgress == nullptr) {
        for (std::int32_t i = 0; i < count; ++i)
            add(i, 0);
        return rows;
    }

    std::int32_t place = 0;
    while (place < count && Slot(RankedSlot(place)).score > inProgress->score)
        ++place;
    for (std::int32_t i = 0; i < place; ++i)
        add(i, 0);
    const bool beats = place < count && inProgress->score > Slot(RankedSlot(place)).score;
    inProgress->rank = place < count ? Slot(RankedSlot(place)).rank : count + 1;
    rows.push_back({clScoreIcon::Latest, inProgress->rank, inProgress->score, inProgress->round,
                    inProgress->when, true, inProgress->hinted});
    for (std::int32_t i = place; i < count; ++i)
        add(i, beats ? 1 : 0);
    return rows;
}

std::vector<clScoreRow> clStatistics::HistoryRows() const {
    std::vector<clScoreRow> rows;
    const std::int32_t count = Count();
    std::int32_t slot = gamesPlayed <= kCapacity ? 1 : head + 1;
    for (std::int32_t i = 0; i < count; ++i) {
        rows.push_back(Row(Slot(slot), slot));
        slot = slot == kCapacity ? 1 : slot + 1;
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}

void clStatistics::SortRows(std::vector<clScoreRow>& rows, clScoreSort column, bool reversed) {
    const auto before = [column](const clScoreRow& a, const clScoreRow& b) {
        switch (column) {
            case clScoreSort::Rank:
                return a.rank != b.rank ? a.rank < b.rank : a.score > b.score;
            case clScoreSort::Score:
                return a.score > b.score;
            case clScoreSort::Round:
                return a.round > b.round;
            case clScoreSort::DatePlayed: {
                const clDateTime& x = a.when;
                const clDateTime& y = b.when;
                return std::tie(x.year, x.month, x.day, x.hour, x.minute, x.second, x.millisecond) <
                       std::tie(y.year, y.month, y.day, y.hour, y.minute, y.second, y.millisecond);
            }
        }
        return false;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const clScoreRow& a, const clScoreRow& b) {
        return reversed ? before(b, a) : before(a, b);
    });
}

std::vector<std::string> clStatistics::SummaryLines() const {
    std::vector<std::string> lines = {"Games Played: " + std::to_string(gamesPlayed)};
    if (gamesPlayed == 0) return lines;
    lines.push_back("Best Score: " + std::to_string(best));
    lines.push_back("Average Score: " + std::to_string(average));
    lines.push_back("Highest Round: " + std::to_string(highestRound));
    lines.push_back("Last 10 Games - Average: " + std::to_string(RecentAverage(10)));
    lines.push_back("Last 100 Games - Average: " + std::to_string(RecentAverage(100)));
    return lines;
}
