#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "online/online_scores.h"
#include "toolkit/clock.h"

class clClock;
class clPlayerFolders;
class clSettings;

// The High Scores dialog's rows: the best result of every variant the player
// has finished at least once, with the ranks a submission gave them.
struct clHighScoreRow {
    std::int32_t index = 0;  // the row's place when the list was filled
    clScoreEntry entry;      // display name, best score, its round, ranks
    clDateTime when;         // when that result was played
};

inline constexpr std::size_t kMaxHighScoreRows = 128;

// Loads every registered variant's log, in the registry's order, into a
// scratch statistics (no summary written) and gives a row for each one
// with results played without hints: its best of them (the highest score;
// among equal ones the best ranked), at most 128 rows.
std::vector<clHighScoreRow> FillHighScoreRows(clSettings& settings, const clPlayerFolders& folders,
                                              const clClock& clock);

enum class clHighScoreColumn { Game, Score, Round, OverallRank, RecentRank, DatePlayed };

// A click on a column header: "Game" by name ascending, "Score" and "Round"
// descending, the rank columns ascending by rank with equal ranks by count
// descending and unranked rows last, "Date Played" ascending; `reversed`
// (the same column clicked again) turns the order round. Rows that compare
// equal keep the order they were filled in.
void SortHighScoreRows(std::vector<clHighScoreRow>& rows, clHighScoreColumn column, bool reversed);
