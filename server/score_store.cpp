#include "score_store.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include <sqlite3.h>

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
    submitted INTEGER NOT NULL
);
CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (game, score DESC, id);
CREATE INDEX IF NOT EXISTS scores_by_arrival ON scores (game, id);
)sql";

// The latest submissions of a game, by arrival.
constexpr const char* kRecentRows =
    "SELECT id, score, round, name, location, submitted FROM scores WHERE game = ?1 "
    "ORDER BY id DESC LIMIT ?2";

}  // namespace

clScoreStore::~clScoreStore() {
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
    if (!Execute(kSchema)) {
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
    return true;
}

std::optional<clScoreRanks> clScoreStore::RanksOf(std::int64_t id, std::string_view game,
                                                  std::int32_t score) {
    clScoreRanks ranks;
    clStatement overall(db,
                        "SELECT COUNT(*), "
                        "SUM(score > ?2 OR (score = ?2 AND id < ?3)) FROM scores WHERE game = ?1");
    if (overall.Bind(1, game).Bind(2, score).Bind(3, id).Step() != SQLITE_ROW) return std::nullopt;
    ranks.overallCount = static_cast<std::int32_t>(overall.Int(0));
    ranks.overallRank = static_cast<std::int32_t>(overall.Int(1)) + 1;

    clStatement recent(db,
                       "SELECT COUNT(*), SUM(score > ?2 OR (score = ?2 AND id < ?3)), "
                       "SUM(id = ?3) FROM (SELECT id, score FROM scores WHERE game = ?1 "
                       "ORDER BY id DESC LIMIT ?4)");
    if (recent.Bind(1, game).Bind(2, score).Bind(3, id).Bind(4, kRecentScores).Step() !=
        SQLITE_ROW) {
        return std::nullopt;
    }
    ranks.recentCount = static_cast<std::int32_t>(recent.Int(0));
    // A score sent again after a hundred newer ones is no longer recent.
    ranks.recentRank = recent.Int(2) != 0 ? static_cast<std::int32_t>(recent.Int(1)) + 1 : 0;
    return ranks;
}

std::optional<clScoreRanks> clScoreStore::AddLocked(const clOnlineIdentity& identity,
                                                    std::string_view player,
                                                    const clSubmittedScore& score,
                                                    std::int64_t now) {
    std::int64_t id = 0;
    clStatement same(db,
                     "SELECT id FROM scores WHERE game = ?1 AND score = ?2 AND round = ?3 AND "
                     "name = ?4 AND email = ?5 AND player = ?6 LIMIT 1");
    same.Bind(1, score.gameName).Bind(2, score.score).Bind(3, score.round);
    same.Bind(4, identity.name).Bind(5, identity.email).Bind(6, player);
    const int found = same.Step();
    if (found == SQLITE_ROW) {
        id = same.Int(0);
    } else if (found == SQLITE_DONE) {
        clStatement insert(db,
                           "INSERT INTO scores (game, score, round, name, location, email, "
                           "player, submitted) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
        insert.Bind(1, score.gameName).Bind(2, score.score).Bind(3, score.round);
        insert.Bind(4, identity.name).Bind(5, identity.location).Bind(6, identity.email);
        insert.Bind(7, player).Bind(8, now);
        if (insert.Step() != SQLITE_DONE) return std::nullopt;
        id = sqlite3_last_insert_rowid(db);
    } else {
        return std::nullopt;
    }
    return RanksOf(id, score.gameName, score.score);
}

std::optional<std::vector<std::optional<clScoreRanks>>> clScoreStore::AddScores(
    const clOnlineIdentity& identity, std::string_view player, const std::vector<clAdd>& adds,
    std::int64_t now) {
    const std::lock_guard guard(lock);
    if (!db || !Execute("BEGIN IMMEDIATE")) return std::nullopt;
    std::vector<std::optional<clScoreRanks>> result;
    for (const clAdd& add : adds) {
        if (!add.accepted) {
            result.emplace_back();
            continue;
        }
        const auto ranks = AddLocked(identity, player, add.score, now);
        if (!ranks) {
            Execute("ROLLBACK");
            return std::nullopt;
        }
        result.push_back(ranks);
    }
    if (!Execute("COMMIT")) {
        Execute("ROLLBACK");
        return std::nullopt;
    }
    return result;
}

std::optional<clScoreStore::clList> clScoreStore::List(std::string_view game, clScoreListKind kind,
                                                       std::int32_t limit) {
    const std::lock_guard guard(lock);
    if (!db) return std::nullopt;
    const bool overall = kind == clScoreListKind::Overall;
    limit = std::min(limit, ListSize(kind));

    clStatement latest(db, "SELECT COALESCE(MAX(id), 0) FROM scores WHERE game = ?1");
    if (latest.Bind(1, game).Step() != SQLITE_ROW) return std::nullopt;
    clList list;
    // Any new score of the game may change either list.
    list.token = nonce + "." + (overall ? "o" : "r") + std::to_string(latest.Int(0)) + "." +
                 std::to_string(limit);

    clStatement rows(db, overall ? "SELECT score FROM scores WHERE game = ?1 "
                                   "ORDER BY score DESC, id LIMIT ?2"
                                 : "SELECT score FROM (SELECT id, score FROM scores "
                                   "WHERE game = ?1 ORDER BY id DESC LIMIT ?3) "
                                   "ORDER BY score DESC, id LIMIT ?2");
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
    const std::lock_guard guard(lock);
    if (!db) return std::nullopt;
    clStatement rows(db,
                     "SELECT id, score, round, name, location, submitted FROM scores "
                     "WHERE game = ?1 ORDER BY score DESC, id LIMIT ?2");
    rows.Bind(1, game).Bind(2, limit);
    return ReadRows(rows);
}

std::optional<std::vector<clStoredScore>> clScoreStore::RecentScores(std::string_view game) {
    const std::lock_guard guard(lock);
    if (!db) return std::nullopt;
    clStatement rows(db, kRecentRows);
    rows.Bind(1, game).Bind(2, kRecentScores);
    auto result = ReadRows(rows);
    if (result) {
        std::stable_sort(result->begin(), result->end(),
                         [](const clStoredScore& a, const clStoredScore& b) {
                             return a.score != b.score ? a.score > b.score : a.id < b.id;
                         });
    }
    return result;
}

std::optional<std::int64_t> clScoreStore::CountScores(std::string_view game) {
    const std::lock_guard guard(lock);
    if (!db) return std::nullopt;
    clStatement count(db, "SELECT COUNT(*) FROM scores WHERE game = ?1");
    if (count.Bind(1, game).Step() != SQLITE_ROW) return std::nullopt;
    return count.Int(0);
}
