// qarvel_score_load: the score server under load.
//
//   qarvel_score_load [SCORES [THREADS]]
//
// Starts the score server in this process on 127.0.0.1 at a free port, with a
// fresh database in a temporary folder, and sends SCORES scores (10,000
// unless given) from THREADS client threads (8 unless given) through the
// game's own submission code: one request per score, each score a different
// one, so that every one must be stored. Then it stops the server and reads
// the database back. It prints the requests per second, the request times,
// the failed requests and what the database holds, and exits with 1 when a
// request failed or a score is missing, stored twice or not one that was
// sent; 2 for bad arguments or when the server cannot start.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <tuple>
#include <vector>

#include <sqlite3.h>
#include <unistd.h>

#include "engine/catalogue.h"
#include "online/online_scores.h"
#include "player/settings.h"
#include "score_server.h"
#include "score_store.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/steady_clock.h"

namespace {

using namespace std::chrono_literals;
using clSeconds = std::chrono::duration<double>;

constexpr std::string_view kUsage = "usage: qarvel_score_load [SCORES [THREADS]]\n";
constexpr std::int64_t kDefaultScores = 10'000;
constexpr std::int64_t kDefaultThreads = 8;
// Scores are numbered from 1: they must stay within what the server accepts.
constexpr std::int64_t kMaxScores = 1'000'000;
constexpr std::int64_t kMaxThreads = 256;

// A whole number from `low` to `high`; nothing otherwise.
std::optional<std::int64_t> ParseCount(const char* text, std::int64_t low, std::int64_t high) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < low || value > high)
        return std::nullopt;
    return value;
}

// A fresh folder under the system's temporary folder, removed with its
// contents when the object ends.
class clScratchFolder {
public:
    clScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qarvel-score-load-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~clScratchFolder() {
        std::error_code error;
        if (!path.empty()) std::filesystem::remove_all(path, error);
    }
    clScratchFolder(const clScratchFolder&) = delete;
    clScratchFolder& operator=(const clScratchFolder&) = delete;

    // Empty when the folder could not be made.
    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path path;
};

// The server listening on a thread of its own until the object ends.
class clListeningServer {
public:
    explicit clListeningServer(clScoreServer& server) : server(server) {
        port = server.Bind("127.0.0.1", 0);
        if (port <= 0) return;
        thread = std::thread([&server, this] {
            server.Listen();
            listenEnded = true;
        });
        // Stop acts only once the server runs; it runs within moments, or
        // Listen has failed.
        for (int i = 0; i < 5000 && !server.IsRunning() && !listenEnded; ++i)
            std::this_thread::sleep_for(1ms);
    }
    ~clListeningServer() { Stop(); }
    clListeningServer(const clListeningServer&) = delete;
    clListeningServer& operator=(const clListeningServer&) = delete;

    bool IsRunning() const { return port > 0 && server.IsRunning(); }
    int Port() const { return port; }
    void Stop() {
        if (!thread.joinable()) return;
        if (server.IsRunning()) server.Stop();
        thread.join();
    }

private:
    clScoreServer& server;
    int port = -1;
    std::thread thread;
    std::atomic<bool> listenEnded{false};
};

// One score sent: the n-th of the run (from 0), by client `thread`. Every
// client is a player of its own and every score differs from all others, so
// the server stores each one.
struct clSubmission {
    std::string gameName;
    std::int32_t score = 0;
    std::int32_t round = 0;
    clOnlineIdentity identity;
    std::string player;
};

clOnlineIdentity IdentityOf(std::int64_t thread) {
    const std::string number = std::to_string(thread + 1);
    return {"Load Tester " + number, "Loopback", "load" + number + "@example.org"};
}

std::string PlayerOf(std::int64_t thread) {
    return "Load " + std::to_string(thread + 1);
}

clSubmission SubmissionOf(std::int64_t n, std::int64_t threads) {
    const auto games = Catalogue();
    const std::int64_t thread = n % threads;
    return {std::string(games[static_cast<std::size_t>(n) % games.size()].displayName),
            static_cast<std::int32_t>(n + 1), static_cast<std::int32_t>(1 + n % 9),
            IdentityOf(thread), PlayerOf(thread)};
}

// What the server stores of a score and decides its sameness by.
using clScoreKey =
    std::tuple<std::string, std::int64_t, std::int64_t, std::string, std::string, std::string>;

clScoreKey KeyOf(const clSubmission& s) {
    return {s.gameName, s.score, s.round, s.identity.name, s.identity.email, s.player};
}

struct clClientResult {
    std::int64_t sent = 0;
    std::int64_t failed = 0;    // the submission did not succeed
    std::int64_t unranked = 0;  // it succeeded, but the server ranked nothing
    std::vector<double> milliseconds;
};

// One client thread: its scores, one request each, as a score dialog sends
// them, with a submission of its own per score.
clClientResult RunClient(std::int64_t thread, std::int64_t threads, std::int64_t scores,
                         const std::string& base) {
    clClientResult result;
    clMemorySettingsStore settingsStore;
    clSettings settings(settingsStore);
    const std::string player = PlayerOf(thread);
    if (!settings.WritePlayerDefaults(player) || !settings.SetPlayer(player) ||
        !settings.SetScoreServerBase(base)) {
        result.failed = (scores - thread + threads - 1) / threads;
        return result;
    }
    const clOnlineIdentity identity = IdentityOf(thread);
    for (std::int64_t n = thread; n < scores; n += threads) {
        const clSubmission s = SubmissionOf(n, threads);
        clScoreEntry entry{s.gameName, s.score, s.round, {}};
        clOnlineScores submission(settings, clSteadyClock::Program());
        submission.Queue(&entry);
        const auto start = std::chrono::steady_clock::now();
        const bool ok = submission.SubmitScores(identity);
        result.milliseconds.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        ++result.sent;
        if (!ok) {
            ++result.failed;
        } else if (entry.ranks.overallRank == 0) {
            ++result.unranked;
        }
    }
    return result;
}

// How many times each score is stored, by what the server decides sameness
// on; nothing when the database cannot be read.
std::optional<std::map<clScoreKey, std::int64_t>> ReadStored(const std::string& path,
                                                             std::string& error) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return std::nullopt;
    }
    sqlite3_stmt* rows = nullptr;
    const char* sql =
        "SELECT game, score, round, name, email, player, COUNT(*) FROM scores "
        "GROUP BY game, score, round, name, email, player";
    std::optional<std::map<clScoreKey, std::int64_t>> stored;
    if (sqlite3_prepare_v2(db, sql, -1, &rows, nullptr) == SQLITE_OK) {
        stored.emplace();
        const auto text = [&rows](int column) {
            const auto* bytes = sqlite3_column_text(rows, column);
            return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                                       static_cast<std::size_t>(sqlite3_column_bytes(rows, column)))
                         : std::string();
        };
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(rows)) == SQLITE_ROW) {
            (*stored)[{text(0), sqlite3_column_int64(rows, 1), sqlite3_column_int64(rows, 2),
                       text(3), text(4), text(5)}] += sqlite3_column_int64(rows, 6);
        }
        if (step != SQLITE_DONE) stored.reset();
    }
    if (!stored) error = sqlite3_errmsg(db);
    sqlite3_finalize(rows);
    sqlite3_close(db);
    return stored;
}

// The value at fraction `at` (0 to 1) of sorted values.
double Percentile(const std::vector<double>& sorted, double at) {
    if (sorted.empty()) return 0;
    const auto index = static_cast<std::size_t>(at * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 3 || (argc > 1 && (std::string_view(argv[1]) == "--help" ||
                                  std::string_view(argv[1]) == "-h"))) {
        std::cerr << kUsage;
        return argc > 3 ? 2 : 0;
    }
    const auto scores = argc > 1 ? ParseCount(argv[1], 1, kMaxScores) : kDefaultScores;
    const auto threadsAsked = argc > 2 ? ParseCount(argv[2], 1, kMaxThreads) : kDefaultThreads;
    if (!scores || !threadsAsked) {
        std::cerr << "qarvel_score_load: SCORES must be 1 to " << kMaxScores << " and THREADS 1 to "
                  << kMaxThreads << "\n"
                  << kUsage;
        return 2;
    }
    const std::int64_t threads = std::min(*threadsAsked, *scores);

    clScratchFolder folder;
    if (folder.Path().empty()) {
        std::cerr << "qarvel_score_load: cannot make a temporary folder\n";
        return 2;
    }
    const std::string database = (folder.Path() / "scores.db").string();

    std::vector<clClientResult> results(static_cast<std::size_t>(threads));
    double seconds = 0;
    {
        clScoreStore store;
        std::string error;
        if (!store.Open(database, error)) {
            std::cerr << "qarvel_score_load: cannot open " << database << ": " << error << "\n";
            return 2;
        }
        // The load on the store: every score is taken as verified, as if
        // its record had been replayed.
        clScoreChecks checks;
        checks.judge = [](const clSubmittedScore&, const std::string&) {
            return clScoreVerdict{clScoreVerdict::clKind::Verified, {}};
        };
        clScoreServer server(store, {}, checks);
        clListeningServer listening(server);
        if (!listening.IsRunning()) {
            std::cerr << "qarvel_score_load: the score server does not listen on 127.0.0.1\n";
            return 2;
        }
        const std::string base = "http://127.0.0.1:" + std::to_string(listening.Port()) + "/";
        std::cout << "qarvel_score_load: " << *scores << " scores from " << threads
                  << " client threads to " << base << " (" << std::thread::hardware_concurrency()
                  << " cores)\n";

        std::vector<std::thread> clients;
        const auto start = std::chrono::steady_clock::now();
        for (std::int64_t t = 0; t < threads; ++t) {
            clients.emplace_back([&results, t, threads, total = *scores, &base] {
                results[static_cast<std::size_t>(t)] = RunClient(t, threads, total, base);
            });
        }
        for (std::thread& client : clients)
            client.join();
        seconds = clSeconds(std::chrono::steady_clock::now() - start).count();
        listening.Stop();
    }

    std::int64_t sent = 0;
    std::int64_t failed = 0;
    std::int64_t unranked = 0;
    std::vector<double> milliseconds;
    for (const clClientResult& result : results) {
        sent += result.sent;
        failed += result.failed;
        unranked += result.unranked;
        milliseconds.insert(milliseconds.end(), result.milliseconds.begin(),
                            result.milliseconds.end());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("requests: %lld in %.2f s, %.0f per second\n", static_cast<long long>(sent),
                seconds, seconds > 0 ? static_cast<double>(sent) / seconds : 0.0);
    std::printf("request time: median %.2f ms, 99th percentile %.2f ms, longest %.2f ms\n",
                Percentile(milliseconds, 0.5), Percentile(milliseconds, 0.99),
                milliseconds.empty() ? 0.0 : milliseconds.back());
    std::printf("failed requests: %lld; succeeded but unranked: %lld\n",
                static_cast<long long>(failed), static_cast<long long>(unranked));

    std::string error;
    auto stored = ReadStored(database, error);
    if (!stored) {
        std::cerr << "qarvel_score_load: cannot read " << database << ": " << error << "\n";
        return 1;
    }
    std::int64_t rows = 0;
    for (const auto& [key, count] : *stored)
        rows += count;
    std::int64_t missing = 0;
    std::int64_t doubled = 0;
    for (std::int64_t n = 0; n < *scores; ++n) {
        const auto found = stored->find(KeyOf(SubmissionOf(n, threads)));
        if (found == stored->end()) {
            ++missing;
            continue;
        }
        if (found->second > 1) ++doubled;
        stored->erase(found);
    }
    // What is left was never sent.
    std::int64_t strangers = 0;
    for (const auto& [key, count] : *stored)
        strangers += count;
    std::printf(
        "stored: %lld rows for %lld scores sent; missing %lld, stored more than once %lld, "
        "not sent %lld\n",
        static_cast<long long>(rows), static_cast<long long>(*scores),
        static_cast<long long>(missing), static_cast<long long>(doubled),
        static_cast<long long>(strangers));

    const bool ok = failed == 0 && unranked == 0 && missing == 0 && doubled == 0 && strangers == 0;
    std::puts(ok ? "every score stored exactly once" : "FAILED");
    return ok ? 0 : 1;
}
