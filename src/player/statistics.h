#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "player/score_record.h"

class clClock;
class clPlayerFolders;
class clSettings;

// The log key of a variant's daily challenge results, kept apart from its
// ordinary games: "klondike-daily" (the log "klondike-daily.log").
std::string DailyLogKey(std::string_view key);

// What AppendResult did with a result.
enum class clAppendResult {
    Practice,   // Practice Mode: nothing recorded
    Logged,     // written to the log, counted and summarised
    NotLogged,  // the log could not be written; still counted and summarised
};

// The icons of a score-list row, in the order of the icon strip.
enum class clScoreIcon { None = 0, Best = 1, High = 2, Worst = 3, Latest = 4 };

struct clScoreColumn {
    std::string_view header;
    int width;  // pixels
};

// The columns of a score list, in the order HighScoreColumns gives them.
enum class clScoreSort { Rank, Score, Round, DatePlayed };

// One row of a score list. `inProgress` marks the row of a game not yet
// stored, whose date column reads "[in progress]"; `hinted` a game played
// with hints.
struct clScoreRow {
    clScoreIcon icon = clScoreIcon::None;
    std::int32_t rank = 0;
    std::int32_t score = 0;
    std::int32_t round = 0;
    clDateTime when;
    bool inProgress = false;
    bool hinted = false;
    friend bool operator==(const clScoreRow&, const clScoreRow&) = default;
};

// The current player's results of one variant: the last 1000 results in a
// ring (the best ten kept from being pushed out), their ranking by score, and
// the summary figures, filled from the variant's statistics log.
class clStatistics {
public:
    static constexpr std::int32_t kCapacity = 1000;

    // The settings give the player, Practice Mode and the store for the
    // summary; the clock gives "now" for the summary's time of last play.
    clStatistics(clSettings& settings, const clPlayerFolders& folders, const clClock& clock);

    // Empties the statistics and reads the log "<key>.log" of the variant
    // (`gameName` is its display name, the key of its values in the store);
    // with writeSummary the summary values are stored.
    void LoadLog(std::string_view key, std::string_view gameName, bool writeSummary);
    // Records a finished or abandoned game: appended to the log of `key`,
    // added, and the summary stored with the record's time. Practice Mode
    // records nothing.
    clAppendResult AppendResult(std::string_view key, const clScoreRecord& record);
    // Adds a result to the ring and the ranking; false once the count of
    // results cannot grow.
    bool AddRecord(const clScoreRecord& record);
    // Empties the statistics, deletes the log and stores the empty summary.
    void ClearStatistics();
    // Stores "GamesPlayed", the best, worst and average scores (once there is
    // a result) and the time of last play: the latest added record's, or now
    // with useNow or when that record has no time.
    bool WriteSummary(bool useNow);

    // A result of the game just over, or of a game resigned with the score
    // and round reached so far, at the clock's local time.
    static clScoreRecord MakeCompleted(std::int32_t score, std::int32_t round,
                                       const clClock& clock);
    static clScoreRecord MakeInterrupted(std::int32_t score, std::int32_t round,
                                         const clClock& clock);

    std::int32_t GamesPlayed() const { return gamesPlayed; }
    // The number of results held: min(GamesPlayed, 1000).
    std::int32_t Count() const;
    // The i-th ring slot (slot i + 1), 0 <= i < Count(); null otherwise.
    const clScoreRecord* RecordAt(std::int32_t i) const;
    // The result ranked i + 1, 0 <= i < Count(); null otherwise.
    const clScoreRecord* Ranked(std::int32_t i) const;
    // The result added last; null while there is none.
    const clScoreRecord* Latest() const;

    std::int32_t Best() const { return best; }
    std::int32_t TenthBest() const { return tenthBest; }
    std::int32_t Worst() const { return worst; }
    std::int32_t HighestRound() const { return highestRound; }
    std::int32_t Average() const { return average; }
    std::int64_t Total() const { return total; }
    // The average score of the last `count` results added (fewer while fewer
    // exist); 0 with none.
    std::int32_t RecentAverage(std::int32_t count) const;
    const std::filesystem::path& LogPath() const { return logPath; }
    const std::string& GameName() const { return gameName; }

    // "3rd of 27" for a result not stored, whose rank a list has set: out of
    // the results so far, plus itself when it is interrupted (a game in
    // progress), at most 1000.
    std::string RankText(const clScoreRecord& record) const;
    // "5th of 1234" for the result added last; empty with none.
    std::string LatestRankText() const;
    // 1st, 2nd, 3rd, 4th, 11th, 12th, 13th, 21st, 111th.
    static std::string Ordinal(std::int32_t n);

    // The score lists. Columns: Rank, Score, Round and, when the "datetime"
    // setting is on, Date Played.
    static std::vector<clScoreColumn> HighScoreColumns(bool dateTime);
    // The ranked results best first. With a game in progress, its row goes
    // in at the place its score earns (its rank is written into it), and the
    // rows below it move down one when it beats the score at that place.
    std::vector<clScoreRow> HighScoreRows(clScoreRecord* inProgress) const;
    // The results held, latest first, each with its current rank.
    std::vector<clScoreRow> HistoryRows() const;
    // A click on a score list's column header: "Rank" ascending (equal ranks
    // by score descending), "Score" and "Round" descending, "Date Played"
    // ascending; `reversed` (the same column clicked again) turns the order
    // round. Rows that compare equal keep their order.
    static void SortRows(std::vector<clScoreRow>& rows, clScoreSort column, bool reversed);
    // "Games Played: 11", then the best and average scores, the highest
    // round and the averages of the last 10 and 100 games.
    std::vector<std::string> SummaryLines() const;

private:
    void Reset();
    clScoreRecord& Slot(std::int32_t slot) { return ring[static_cast<std::size_t>(slot)]; }
    const clScoreRecord& Slot(std::int32_t slot) const {
        return ring[static_cast<std::size_t>(slot)];
    }
    std::int32_t RankedSlot(std::int32_t i) const { return ranking[static_cast<std::size_t>(i)]; }
    void SwapRanked(std::int32_t i, std::int32_t j);
    std::int32_t LatestSlot() const { return head == 0 ? kCapacity : head; }
    clScoreRow Row(const clScoreRecord& record, std::int32_t slot) const;
    // The log's path in the player's folder; empty when there is none.
    std::filesystem::path PathOf(std::string_view key) const;

    clSettings& settings;
    const clPlayerFolders& folders;
    const clClock& clock;

    clScoreRecord current;
    // Slots 1 .. 1000; slot 0 is not used.
    std::vector<clScoreRecord> ring;
    // Slots by rank, best first; 0 for none.
    std::vector<std::int32_t> ranking;
    std::filesystem::path logPath;
    std::string gameName;
    std::int32_t gamesPlayed = 0;
    std::int32_t head = 0;  // the latest result is in slot head, or 1000 when 0
    std::int32_t best = 0;
    std::int32_t tenthBest = 0;
    std::int32_t worst = 0;
    std::int32_t highestRound = 0;
    std::int32_t average = 0;
    std::int64_t total = 0;
};
