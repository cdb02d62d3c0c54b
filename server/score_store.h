#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "online/score_protocol.h"

struct sqlite3;
class clRankIndex;

// One stored score as the pages show it.
struct clStoredScore {
    std::int64_t id = 0;
    std::int32_t score = 0;
    std::int32_t round = 0;
    std::string name;
    std::string location;
    std::int64_t submitted = 0;  // seconds since 1970, UTC
};

// The score server's scores in an SQLite database file. Every statement binds
// its values. Writes are serialised by one lock; in a database file (not one
// in memory) reads go through connections of their own and never wait for a
// write, the database keeping a write-ahead log.
//
// Ranking: among a variant's scores, higher scores rank first and equal
// scores in the order they came in. An index in memory, built when the
// database opens, ranks and counts a game's scores in O(log n) (about 80
// bytes a score). "Recent" scores are a variant's latest 100 submissions
// (the recent list holds exactly those, so its count is the "of last N" the
// game shows).
class clScoreStore {
public:
    static constexpr std::int32_t kRecentScores = kRecentListSize;

    clScoreStore();
    ~clScoreStore();
    clScoreStore(const clScoreStore&) = delete;
    clScoreStore& operator=(const clScoreStore&) = delete;

    // Opens or creates the database; false with a reason in `error`.
    bool Open(const std::string& path, std::string& error);

    // Stores the accepted scores of one submission in one transaction and
    // gives each its ranks (nothing for a score not accepted). The same score
    // of the same player is stored once: sent again, it keeps its place.
    // Nothing at all when the database fails, and then nothing is stored.
    // Unverified scores (sent without a record the server replayed) are
    // stored apart from the ranking: they get no ranks, count in no list and
    // are shown only as unverified.
    struct clAdd {
        clSubmittedScore score;
        bool accepted = false;
        bool verified = true;
        // The daily challenge's day ("2026-12-11") the score played; empty
        // for none. A player's first verified score of a game's day is its
        // daily score; later ones of that day are ordinary scores.
        std::string day{};
    };
    std::optional<std::vector<std::optional<clScoreRanks>>> AddScores(
        const clOnlineIdentity& identity, std::string_view player, const std::vector<clAdd>& adds,
        std::int64_t now);

    // A list's scores, highest first, at most `limit`, and its token, which
    // changes whenever the list may have.
    struct clList {
        std::string token;
        std::vector<std::int32_t> scores;
    };
    std::optional<clList> List(std::string_view game, clScoreListKind kind, std::int32_t limit);

    // The rows of a variant's page.
    std::optional<std::vector<clStoredScore>> TopScores(std::string_view game, std::int32_t limit);
    std::optional<std::vector<clStoredScore>> RecentScores(std::string_view game);
    std::optional<std::vector<clStoredScore>> UnverifiedScores(std::string_view game,
                                                               std::int32_t limit);
    // The daily challenge: a game's scores of a day, best first; the days
    // that have scores, latest first; the day's list for the game.
    std::optional<std::vector<clStoredScore>> DailyScores(std::string_view game,
                                                          std::string_view day, std::int32_t limit);
    std::optional<std::vector<std::string>> DailyDays(std::string_view game, std::int32_t limit);
    std::optional<clList> DailyList(std::string_view game, std::string_view day,
                                    std::int32_t limit);
    std::optional<std::int64_t> CountScores(std::string_view game);

private:
    struct clAdded {
        std::string game;
        std::int32_t score;
        std::int64_t id;
    };
    struct clAddStatements;
    std::optional<clScoreRanks> AddLocked(clAddStatements& statements,
                                          const clOnlineIdentity& identity, std::string_view player,
                                          const clSubmittedScore& score, bool verified,
                                          std::string_view day, std::int64_t now,
                                          std::vector<clAdded>& added);
    clScoreRanks RanksOf(std::int64_t id, std::string_view game, std::int32_t score);
    bool Execute(const char* sql);
    std::optional<clList> ReadList(sqlite3* reader, std::string_view game, bool overall,
                                   std::int32_t limit);
    // Runs `read` on a connection for reading; its result, or nothing when
    // there is no connection.
    template <typename Read>
    auto WithReader(Read&& read) -> decltype(read(static_cast<sqlite3*>(nullptr)));
    sqlite3* TakeReader();
    void ReturnReader(sqlite3* reader);

    std::mutex lock;  // the writing connection
    sqlite3* db = nullptr;
    std::string path;
    std::string nonce;  // this database's mark in every token
    std::unique_ptr<clRankIndex> ranks;

    bool separateReaders = false;
    std::mutex readersLock;
    std::condition_variable readerReturned;
    std::vector<sqlite3*> idleReaders;
    int openReaders = 0;
};
