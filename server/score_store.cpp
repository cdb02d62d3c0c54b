#include "score_store.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include <sqlite3.h>

#include "rank_index.h"

namespace {

// A prepared statement, finalised when it goes.
class clStatement {
public:
    clStatement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) statement = nullptr;
    }
    ~clStatement() { sqlite3_finalize(statement); }
    clStatement(const clStatement&) = delete;
    clStatement& operator=(const clStatement&) = delete;

    bool Ok() const { return statement != nullptr; }
    clStatement& Bind(int index, std::string_view text) {
        if (statement)
            sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        return *this;
    }
    clStatement& Bind(int index, std::int64_t value) {
        if (statement) sqlite3_bind_int64(statement, index, value);
        return *this;
    }
    // Ready to be bound and stepped again.
    clStatement& Reset() {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int Step() { return statement ? sqlite3_step(statement) : SQLITE_ERROR; }
    std::int64_t Int(int column) const { return sqlite3_column_int64(statement, column); }
    std::string Text(int column) const {
        const auto* text = sqlite3_column_text(statement, column);
        return text ? std::string(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                    : std::string();
    }

private:
    sqlite3_stmt* statement = nullptr;
};

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS meta (
    key TEXT PRIMARY KEY,
    value TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS scores (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    game TEXT NOT NULL,
    score INTEGER NOT NULL,
    round INTEGER NOT NULL,
    name TEXT NOT NULL,
    location TEXT NOT NULL,
    email TEXT NOT NULL,
    player TEXT NOT NULL,
    submitted INTEGER NOT NULL,
    verified INTEGER NOT NULL DEFAULT 0
);
)sql";

// After the column for verified scores exists (a database made before it
// gets it, every score in it unverified: none was replayed).
constexpr const char* kIndexes = R"sql(
CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (game, score DESC, id);
CREATE INDEX IF NOT EXISTS scores_by_arrival ON scores (game, id);
CREATE INDEX IF NOT EXISTS scores_by_sender ON scores (game, score, round, email, name, player);
CREATE INDEX IF NOT EXISTS verified_by_rank ON scores (game, verified, score DESC, id);
CREATE INDEX IF NOT EXISTS verified_by_arrival ON scores (game, verified, id);
CREATE TABLE IF NOT EXISTS daily (
    game TEXT NOT NULL,
    day TEXT NOT NULL,
    name TEXT NOT NULL,
    email TEXT NOT NULL,
    player TEXT NOT NULL,
    score_id INTEGER NOT NULL REFERENCES scores (id),
    PRIMARY KEY (game, day, name, email, player)
);
)sql";

// Connections reading at the same time, at most.
constexpr int kMaxReaders = 4;

// A game's latest scores, newest first.
constexpr const char* kLatestScores =
    "SELECT id, score FROM scores WHERE game = ?1 AND verified = 1 ORDER BY id DESC LIMIT ?2";

// The latest submissions of a game, by arrival.
constexpr const char* kRecentRows =
    "SELECT id, score, round, name, location, submitted FROM scores WHERE game = ?1 "
    "AND verified = 1 ORDER BY id DESC LIMIT ?2";

}  // namespace

clScoreStore::clScoreStore() : ranks(std::make_unique<clRankIndex>(kRecentScores)) {}

clScoreStore::~clScoreStore() {
    for (sqlite3* reader : idleReaders)
        sqlite3_close(reader);
    sqlite3_close(db);
}

bool clScoreStore::Execute(const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool clScoreStore::Open(const std::string& path, std::string& error) {
    const std::lock_guard guard(lock);
    if (sqlite3_open_v2(path.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        db = nullptr;
        return false;
    }
    sqlite3_busy_timeout(db, 2000);
    this->path = path;
    // With a write-ahead log, readers see the last committed state while a
    // write goes on. A database in memory keeps no log: it is read on the
    // writing connection.
    {
        clStatement wal(db, "PRAGMA journal_mode=WAL");
        separateReaders = wal.Step() == SQLITE_ROW && wal.Text(0) == "wal";
    }
    if (!Execute(kSchema)) {
        error = sqlite3_errmsg(db);
        return false;
    }
    bool hasVerified = false;
    {
        clStatement columns(db,
                            "SELECT 1 FROM pragma_table_info('scores') WHERE name = 'verified'");
        hasVerified = columns.Step() == SQLITE_ROW;
    }
    if ((!hasVerified &&
         !Execute("ALTER TABLE scores ADD COLUMN verified INTEGER NOT NULL DEFAULT 0")) ||
        !Execute(kIndexes)) {
        error = sqlite3_errmsg(db);
        return false;
    }
    // A new database gets a new mark, so a token of an old one never
    // matches by chance.
    {
        clStatement read(db, "SELECT value FROM meta WHERE key = 'nonce'");
        if (read.Step() == SQLITE_ROW) nonce = read.Text(0);
    }
    if (nonce.empty()) {
        std::random_device random;
        char text[9];
        std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(random()));
        nonce = text;
        clStatement write(db, "INSERT OR REPLACE INTO meta (key, value) VALUES ('nonce', ?1)");
        if (write.Bind(1, nonce).Step() != SQLITE_DONE) {
            error = sqlite3_errmsg(db);
            return false;
        }
    }
    clStatement all(db, "SELECT game, score, id FROM scores WHERE verified = 1 ORDER BY id");
    int step = SQLITE_ROW;
    while ((step = all.Step()) == SQLITE_ROW)
        ranks->Add(all.Text(0), static_cast<std::int32_t>(all.Int(1)), all.Int(2));
    if (step != SQLITE_DONE) {
        error = sqlite3_errmsg(db);
        return false;
    }
    return true;
}

sqlite3* clScoreStore::TakeReader() {
    std::unique_lock guard(readersLock);
    readerReturned.wait(guard,
                        [this] { return !idleReaders.empty() || openReaders < kMaxReaders; });
    if (!idleReaders.empty()) {
        sqlite3* reader = idleReaders.back();
        idleReaders.pop_back();
        return reader;
    }
    sqlite3* reader = nullptr;
    if (sqlite3_open_v2(path.c_str(), &reader, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(reader);
        return nullptr;
    }
    sqlite3_busy_timeout(reader, 2000);
    sqlite3_exec(reader, "PRAGMA query_only = 1", nullptr, nullptr, nullptr);
    ++openReaders;
    return reader;
}

void clScoreStore::ReturnReader(sqlite3* reader) {
    {
        const std::lock_guard guard(readersLock);
        idleReaders.push_back(reader);
    }
    readerReturned.notify_one();
}

template <typename Read>
auto clScoreStore::WithReader(Read&& read) -> decltype(read(static_cast<sqlite3*>(nullptr))) {
    if (!separateReaders) {
        const std::lock_guard guard(lock);
        if (!db) return std::nullopt;
        return read(db);
    }
    sqlite3* reader = TakeReader();
    if (reader == nullptr) return std::nullopt;
    auto result = read(reader);
    ReturnReader(reader);
    return result;
}

clScoreRanks clScoreStore::RanksOf(std::int64_t id, std::string_view game, std::int32_t score) {
    clScoreRanks result;
    result.overallCount = static_cast<std::int32_t>(ranks->Count(game));
    result.overallRank = static_cast<std::int32_t>(ranks->RankOf(game, score, id));
    // A score sent again after a hundred newer ones is no longer recent.
    const auto [recentRank, recentCount] = ranks->RecentRankOf(game, score, id);
    result.recentRank = static_cast<std::int32_t>(recentRank);
    result.recentCount = static_cast<std::int32_t>(recentCount);
    return result;
}

// The statements of a submission, prepared once for all its scores.
struct clScoreStore::clAddStatements {
    explicit clAddStatements(sqlite3* db)
        : same(db,
               "SELECT id FROM scores WHERE game = ?1 AND score = ?2 AND round = ?3 AND "
               "name = ?4 AND email = ?5 AND player = ?6 AND verified = ?7 LIMIT 1"),
          daily(db,
                "INSERT OR IGNORE INTO daily (game, day, name, email, player, score_id) "
                "VALUES (?1, ?2, ?3, ?4, ?5, ?6)"),
          insert(db,
                 "INSERT INTO scores (game, score, round, name, location, email, player, "
                 "submitted, verified) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)") {}

    clStatement same;
    clStatement daily;
    clStatement insert;
};

std::optional<clScoreRanks> clScoreStore::AddLocked(clAddStatements& statements,
                                                    const clOnlineIdentity& identity,
                                                    std::string_view player,
                                                    const clSubmittedScore& score, bool verified,
                                                    std::string_view day, std::int64_t now,
                                                    std::vector<clAdded>& added) {
    std::int64_t id = 0;
    clStatement& same = statements.same.Reset();
    same.Bind(1, score.gameName).Bind(2, score.score).Bind(3, score.round);
    same.Bind(4, identity.name).Bind(5, identity.email).Bind(6, player);
    same.Bind(7, std::int64_t{verified ? 1 : 0});
    const int found = same.Step();
    if (found == SQLITE_ROW) {
        id = same.Int(0);
    } else if (found == SQLITE_DONE) {
        clStatement& insert = statements.insert.Reset();
        insert.Bind(1, score.gameName).Bind(2, score.score).Bind(3, score.round);
        insert.Bind(4, identity.name).Bind(5, identity.location).Bind(6, identity.email);
        insert.Bind(7, player).Bind(8, now).Bind(9, std::int64_t{verified ? 1 : 0});
        if (insert.Step() != SQLITE_DONE) return std::nullopt;
        id = sqlite3_last_insert_rowid(db);
        if (verified) {
            ranks->Add(score.gameName, score.score, id);
            added.push_back({score.gameName, score.score, id});
        }
    } else {
        return std::nullopt;
    }
    // An unverified score is kept, but ranks nowhere.
    if (!verified) return clScoreRanks{};
    // The first daily score of a player on a day is the one that counts.
    if (!day.empty()) {
        clStatement& daily = statements.daily.Reset();
        daily.Bind(1, score.gameName).Bind(2, day).Bind(3, identity.name).Bind(4, identity.email);
        daily.Bind(5, player).Bind(6, id);
        if (daily.Step() != SQLITE_DONE) return std::nullopt;
    }
    return RanksOf(id, score.gameName, score.score);
}

std::optional<std::vector<std::optional<clScoreRanks>>> clScoreStore::AddScores(
    const clOnlineIdentity& identity, std::string_view player, const std::vector<clAdd>& adds,
    std::int64_t now) {
    const std::lock_guard guard(lock);
    if (!db || !Execute("BEGIN IMMEDIATE")) return std::nullopt;
    std::vector<std::optional<clScoreRanks>> result;
    std::vector<clAdded> added;
    // What the database did not keep leaves the index too, and the recent
    // scores are read again from what it kept.
    const auto rollBack = [this, &added] {
        Execute("ROLLBACK");
        for (const clAdded& score : added) {
            std::vector<std::pair<std::int64_t, std::int32_t>> latest;
            clStatement rows(db, kLatestScores);
            rows.Bind(1, score.game).Bind(2, kRecentScores);
            while (rows.Step() == SQLITE_ROW)
                latest.emplace_back(rows.Int(0), static_cast<std::int32_t>(rows.Int(1)));
            std::reverse(latest.begin(), latest.end());
            ranks->Remove(score.game, score.score, score.id, latest);
        }
    };
    bool failed = false;
    {
        clAddStatements statements(db);
        for (const clAdd& add : adds) {
            if (!add.accepted) {
                result.emplace_back();
                continue;
            }
            const auto scoreRanks = AddLocked(statements, identity, player, add.score, add.verified,
                                              add.day, now, added);
            if (!scoreRanks) {
                failed = true;
                break;
            }
            if (add.verified) {
                result.push_back(scoreRanks);
            } else {
                result.emplace_back();
            }
        }
    }
    if (failed || !Execute("COMMIT")) {
        rollBack();
        return std::nullopt;
    }
    return result;
}

std::optional<clScoreStore::clList> clScoreStore::List(std::string_view game, clScoreListKind kind,
                                                       std::int32_t limit) {
    const bool overall = kind == clScoreListKind::Overall;
    limit = std::min(limit, ListSize(kind));
    return WithReader([&](sqlite3* reader) -> std::optional<clList> {
        // The token and the scores of one state of the database.
        sqlite3_exec(reader, "BEGIN", nullptr, nullptr, nullptr);
        const auto list = ReadList(reader, game, overall, limit);
        sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
        return list;
    });
}

std::optional<clScoreStore::clList> clScoreStore::ReadList(sqlite3* reader, std::string_view game,
                                                           bool overall, std::int32_t limit) {
    clStatement latest(reader, "SELECT COALESCE(MAX(id), 0) FROM scores WHERE game = ?1");
    if (latest.Bind(1, game).Step() != SQLITE_ROW) return std::nullopt;
    clList list;
    // Any new score of the game may change either list.
    list.token = nonce + "." + (overall ? "o" : "r") + std::to_string(latest.Int(0)) + "." +
                 std::to_string(limit);

    clStatement rows(reader, overall ? "SELECT score FROM scores WHERE game = ?1 AND verified = 1 "
                                       "ORDER BY score DESC, id LIMIT ?2"
                                     : "SELECT score FROM (SELECT id, score FROM scores "
                                       "WHERE game = ?1 AND verified = 1 ORDER BY id DESC "
                                       "LIMIT ?3) ORDER BY score DESC, id LIMIT ?2");
    rows.Bind(1, game).Bind(2, limit);
    if (!overall) rows.Bind(3, kRecentScores);
    int step = SQLITE_ROW;
    while ((step = rows.Step()) == SQLITE_ROW)
        list.scores.push_back(static_cast<std::int32_t>(rows.Int(0)));
    if (step != SQLITE_DONE) return std::nullopt;
    return list;
}

namespace {

std::optional<std::vector<clStoredScore>> ReadRows(clStatement& rows) {
    std::vector<clStoredScore> result;
    int step = SQLITE_ROW;
    while ((step = rows.Step()) == SQLITE_ROW) {
        result.push_back({rows.Int(0), static_cast<std::int32_t>(rows.Int(1)),
                          static_cast<std::int32_t>(rows.Int(2)), rows.Text(3), rows.Text(4),
                          rows.Int(5)});
    }
    if (step != SQLITE_DONE) return std::nullopt;
    return result;
}

}  // namespace

std::optional<std::vector<clStoredScore>> clScoreStore::TopScores(std::string_view game,
                                                                  std::int32_t limit) {
    return WithReader([&](sqlite3* reader) {
        clStatement rows(reader,
                         "SELECT id, score, round, name, location, submitted FROM scores "
                         "WHERE game = ?1 AND verified = 1 ORDER BY score DESC, id LIMIT ?2");
        rows.Bind(1, game).Bind(2, limit);
        return ReadRows(rows);
    });
}

std::optional<std::vector<clStoredScore>> clScoreStore::DailyScores(std::string_view game,
                                                                    std::string_view day,
                                                                    std::int32_t limit) {
    return WithReader([&](sqlite3* reader) {
        clStatement rows(reader,
                         "SELECT s.id, s.score, s.round, s.name, s.location, s.submitted "
                         "FROM daily d JOIN scores s ON s.id = d.score_id "
                         "WHERE d.game = ?1 AND d.day = ?2 ORDER BY s.score DESC, s.id LIMIT ?3");
        rows.Bind(1, game).Bind(2, day).Bind(3, limit);
        return ReadRows(rows);
    });
}

std::optional<std::vector<std::string>> clScoreStore::DailyDays(std::string_view game,
                                                                std::int32_t limit) {
    return WithReader([&](sqlite3* reader) -> std::optional<std::vector<std::string>> {
        clStatement rows(reader,
                         "SELECT DISTINCT day FROM daily WHERE game = ?1 ORDER BY day DESC "
                         "LIMIT ?2");
        rows.Bind(1, game).Bind(2, limit);
        std::vector<std::string> days;
        int step = SQLITE_ROW;
        while ((step = rows.Step()) == SQLITE_ROW)
            days.push_back(rows.Text(0));
        if (step != SQLITE_DONE) return std::nullopt;
        return days;
    });
}

std::optional<clScoreStore::clList> clScoreStore::DailyList(std::string_view game,
                                                            std::string_view day,
                                                            std::int32_t limit) {
    const auto rows = DailyScores(game, day, limit);
    if (!rows) return std::nullopt;
    clList list;
    std::int64_t latest = 0;
    for (const clStoredScore& row : *rows) {
        list.scores.push_back(row.score);
        latest = std::max(latest, row.id);
    }
    // A new daily score of the day changes its count, and the newest id.
    list.token = nonce + ".d" + std::string(day) + "." + std::to_string(rows->size()) + "." +
                 std::to_string(latest) + "." + std::to_string(limit);
    return list;
}

std::optional<std::vector<clStoredScore>> clScoreStore::UnverifiedScores(std::string_view game,
                                                                         std::int32_t limit) {
    return WithReader([&](sqlite3* reader) {
        clStatement rows(reader,
                         "SELECT id, score, round, name, location, submitted FROM scores "
                         "WHERE game = ?1 AND verified = 0 ORDER BY score DESC, id LIMIT ?2");
        rows.Bind(1, game).Bind(2, limit);
        return ReadRows(rows);
    });
}

std::optional<std::vector<clStoredScore>> clScoreStore::RecentScores(std::string_view game) {
    auto result = WithReader([&](sqlite3* reader) {
        clStatement rows(reader, kRecentRows);
        rows.Bind(1, game).Bind(2, kRecentScores);
        return ReadRows(rows);
    });
    if (result) {
        std::stable_sort(result->begin(), result->end(),
                         [](const clStoredScore& a, const clStoredScore& b) {
                             return a.score != b.score ? a.score > b.score : a.id < b.id;
                         });
    }
    return result;
}

std::optional<std::int64_t> clScoreStore::CountScores(std::string_view game) {
    // Open sets the connection before the store is shared: no lock, so
    // counting never waits for a write.
    if (!db) return std::nullopt;
    return ranks->Count(game);
}
