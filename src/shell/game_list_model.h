#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/clock.h"

struct clCatalogueRow;
class clDateFormat;
class clSettings;

// One game of the chooser with the player's figures for it.
struct clGameRecord {
    const clCatalogueRow* row = nullptr;
    bool recommended = false;
    bool favourite = false;
    bool mostPlayed = false;
    bool mostRecent = false;
    std::int32_t gamesPlayed = 0;
    std::int32_t best = 0;
    std::int32_t worst = 0;
    std::int32_t average = 0;
    std::uint64_t lastPlayed = 0;  // file time of the local time; 0: never
};

// The chooser's filters.
enum class clGameFilter : int {
    All = 0,
    Recommended = 1,
    Favorites = 2,
    MostPlayed = 3,
    MostRecent = 4
};

// The chooser's list without its window: the games of the catalogue with the
// player's statistics and marks, which of them a filter shows, the orders a
// column click gives, and the texts of the list and the status line.
class clGameListModel {
public:
    static constexpr int kColumns = 7;
    static constexpr std::int32_t kDefaultWidths[kColumns] = {210, 120, 60, 60, 60, 60, 150};

    // Reads every game's values for the current player. A recommended game
    // the player has no values for becomes a favourite, and that is stored.
    void Fill(clSettings& settings, const clDateTime& today);
    const std::vector<clGameRecord>& Records() const { return records; }

    // The games a filter shows, in table order (none for an unknown filter).
    std::vector<const clGameRecord*> Shown(int filter) const;
    // Sorts by ±(column + 1); 0 leaves table order.
    static void Sort(std::vector<const clGameRecord*>& games, int sort);
    // The sort a click on a column header gives after `sort`.
    static int SortAfterClick(int sort, int column);

    // The first n games by count played (ties kept in table order, never a
    // game not played), then the games tied with the n-th. n outside
    // 1..count means all.
    static void MarkMostPlayed(std::vector<clGameRecord>& games, int n);
    // The first n by last play, newest first, then every further game last
    // played today.
    static void MarkMostRecent(std::vector<clGameRecord>& games, int n, const clDateTime& today);

    // A list cell's text.
    static std::string CellText(const clGameRecord& game, int column, const clDateFormat& dates);
    // The status line for the games listed, with the selected one or none.
    static std::string StatusText(const clGameRecord* selected, int listed);

private:
    std::vector<clGameRecord> records;
};
