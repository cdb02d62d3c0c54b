// qarvel_score_hostile: the score server against slow clients and a large
// database.
//
//   qarvel_score_hostile [SLOW [SCORES]]
//
// Starts the score server in this process on 127.0.0.1 at a free port, with a
// fresh database in a temporary folder, and measures:
//  - requests of a normal client (the start page and a one-score submission
//    in turn, from 127.0.0.2) alone, then while SLOW connections (1,000
//    unless given) from 127.0.0.1 send their headers a byte every 2 to 4 s,
//    and how long the server takes to stop with them open;
//  - with SCORES scores of one game stored (1,000,000 unless given):
//    opening the database, submissions of one and of 128 scores, and the
//    game's score page.
// Times are from connecting to the last byte of the answer. Exits with 1
// when a request fails, 2 for bad arguments or when the server cannot start.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "online/score_protocol.h"
#include "online/scramble.h"
#include "score_server.h"
#include "score_store.h"

namespace {

using namespace std::chrono_literals;
using clMilliseconds = std::chrono::duration<double, std::milli>;

constexpr std::string_view kUsage = "usage: qarvel_score_hostile [SLOW [SCORES]]\n";

std::optional<std::int64_t> ParseCount(const char* text, std::int64_t low, std::int64_t high) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < low || value > high)
        return std::nullopt;
    return value;
}

class clScratchFolder {
public:
    clScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qarvel-score-hostile-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~clScratchFolder() {
        std::error_code error;
        if (!path.empty()) std::filesystem::remove_all(path, error);
    }
    clScratchFolder(const clScratchFolder&) = delete;
    clScratchFolder& operator=(const clScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path path;
};

// The server listening on a thread of its own until Stop.
class clListeningServer {
public:
    explicit clListeningServer(clScoreServer& server) : server(server) {
        port = server.Bind("127.0.0.1", 0);
        if (port <= 0) return;
        thread = std::thread([&server] { server.Listen(); });
        for (int i = 0; i < 5000 && !server.IsRunning(); ++i)
            std::this_thread::sleep_for(1ms);
    }
    ~clListeningServer() { Stop(); }
    clListeningServer(const clListeningServer&) = delete;
    clListeningServer& operator=(const clListeningServer&) = delete;

    bool IsRunning() const { return port > 0 && server.IsRunning(); }
    int Port() const { return port; }
    void Stop() {
        if (!thread.joinable()) return;
        server.Stop();
        thread.join();
    }

private:
    clScoreServer& server;
    int port = -1;
    std::thread thread;
};

int Connect(int port, const char* from, bool blocking) {
    const int fd =
        ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | (blocking ? 0 : SOCK_NONBLOCK), 0);
    if (fd < 0) return -1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    ::inet_pton(AF_INET, from, &local.sin_addr);
    ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0 && errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// One request from 127.0.0.2: its time in milliseconds, or nothing when the
// answer is not 200 within 10 s.
std::optional<double> Exchange(int port, const std::string& request) {
    const auto start = std::chrono::steady_clock::now();
    const int fd = Connect(port, "127.0.0.2", true);
    if (fd < 0) return std::nullopt;
    std::string_view rest = request;
    while (!rest.empty()) {
        const ssize_t sent = ::send(fd, rest.data(), rest.size(), MSG_NOSIGNAL);
        if (sent <= 0) break;
        rest.remove_prefix(static_cast<std::size_t>(sent));
    }
    std::string reply;
    char chunk[16384];
    pollfd entry{fd, POLLIN, 0};
    while (::poll(&entry, 1, 10000) > 0) {
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got <= 0) break;
        reply.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (!reply.starts_with("HTTP/1.1 200")) return std::nullopt;
    return clMilliseconds(std::chrono::steady_clock::now() - start).count();
}

std::string Post(std::string_view path, std::string_view text) {
    const auto bytes = ScrambleBody(text);
    const std::string body(bytes.begin(), bytes.end());
    return "POST " + std::string(path) +
           " HTTP/1.0\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// A submission of `count` scores of one player, none sent before.
std::string Submission(int& serial, int count) {
    const clOnlineIdentity identity{"Bench", "Loopback", "bench@example.org"};
    std::string text = FormatSubmitHeader(identity, "bench");
    for (int i = 0; i < count; ++i, ++serial)
        text += FormatSubmitLine("Klondike", 1000 + serial % 90000, 1 + serial / 90000);
    return Post("/topscores/qarvel/submit.php", text);
}

struct clFigures {
    std::vector<double> ms;
    int failed = 0;

    void Add(const std::optional<double>& time) {
        if (time) {
            ms.push_back(*time);
        } else {
            ++failed;
        }
    }
    void Print(const char* what) {
        std::sort(ms.begin(), ms.end());
        const auto at = [this](double fraction) {
            return ms.empty() ? 0.0
                              : ms[static_cast<std::size_t>(fraction *
                                                            static_cast<double>(ms.size() - 1))];
        };
        std::printf("%-44s median %8.2f ms, 90th %8.2f ms, longest %8.2f ms (%zu, %d failed)\n",
                    what, at(0.5), at(0.9), ms.empty() ? 0.0 : ms.back(), ms.size(), failed);
    }
};

long ResidentKiB() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Normal requests, start page and submission in turn, `rounds` of each.
void NormalClient(int port, int rounds, int& serial, clFigures& pages, clFigures& submissions) {
    for (int i = 0; i < rounds; ++i) {
        pages.Add(Exchange(port, "GET / HTTP/1.0\r\n\r\n"));
        submissions.Add(Exchange(port, Submission(serial, 1)));
    }
}

bool SlowClients(const std::string& database, int slowCount) {
    clScoreStore store;
    std::string error;
    if (!store.Open(database, error)) return false;
    clScoreServer server(store);
    clListeningServer listening(server);
    if (!listening.IsRunning()) return false;
    int serial = 0;
    clFigures alonePages;
    clFigures aloneSubmissions;
    NormalClient(listening.Port(), 100, serial, alonePages, aloneSubmissions);
    alonePages.Print("start page, alone");
    aloneSubmissions.Print("submission of 1 score, alone");

    // The slow clients send their request's first line, then a header byte
    // every 2 to 4 s, on a thread of their own.
    std::vector<int> slow;
    for (int i = 0; i < slowCount; ++i) {
        const int fd = Connect(listening.Port(), "127.0.0.1", false);
        if (fd >= 0) slow.push_back(fd);
    }
    std::this_thread::sleep_for(500ms);
    const std::string start = "POST /topscores/qarvel/submit.php HTTP/1.1\r\nHost: x\r\nX-Slow: ";
    for (int fd : slow)
        ::send(fd, start.data(), start.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    std::atomic<bool> done = false;
    std::thread trickle([&slow, &done] {
        std::mt19937 random(20261210);
        std::vector<std::chrono::steady_clock::time_point> next(slow.size());
        for (auto& at : next)
            at = std::chrono::steady_clock::now() +
                 std::chrono::milliseconds(2000 + random() % 2000);
        while (!done) {
            const auto now = std::chrono::steady_clock::now();
            for (std::size_t i = 0; i < slow.size(); ++i) {
                if (next[i] > now) continue;
                ::send(slow[i], "a", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
                next[i] = now + std::chrono::milliseconds(2000 + random() % 2000);
            }
            std::this_thread::sleep_for(20ms);
        }
    });
    std::this_thread::sleep_for(1s);
    clFigures slowPages;
    clFigures slowSubmissions;
    NormalClient(listening.Port(), 100, serial, slowPages, slowSubmissions);
    char what[64];
    std::snprintf(what, sizeof what, "start page, %zu slow connections", slow.size());
    slowPages.Print(what);
    std::snprintf(what, sizeof what, "submission of 1 score, %zu slow connections", slow.size());
    slowSubmissions.Print(what);
    const bool ok =
        alonePages.failed + aloneSubmissions.failed + slowPages.failed + slowSubmissions.failed ==
        0;

    const auto stopStart = std::chrono::steady_clock::now();
    listening.Stop();
    std::printf("stop with %zu slow connections open: %.1f ms\n", slow.size(),
                clMilliseconds(std::chrono::steady_clock::now() - stopStart).count());
    done = true;
    trickle.join();
    for (int fd : slow)
        ::close(fd);
    return ok;
}

// `count` scores of Klondike from as many players, straight into the
// database.
bool Fill(const std::string& database, std::int64_t count) {
    sqlite3* db = nullptr;
    if (sqlite3_open(database.c_str(), &db) != SQLITE_OK) return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO scores (game, score, round, name, location, email, player, "
                       "submitted) VALUES ('Klondike', ?1, 1, ?2, 'Filler', ?3, 'filler', 0)",
                       -1, &insert, nullptr);
    std::mt19937 random(20261210);
    bool ok = insert != nullptr;
    for (std::int64_t i = 0; ok && i < count; ++i) {
        const std::string name = "Filler " + std::to_string(i);
        const std::string email = "filler" + std::to_string(i) + "@example.org";
        sqlite3_bind_int64(insert, 1, static_cast<std::int64_t>(random() % 100000));
        sqlite3_bind_text(insert, 2, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, email.data(), static_cast<int>(email.size()),
                          SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

bool ManyScores(const std::string& database, std::int64_t count) {
    {
        // The schema first, then the scores.
        clScoreStore store;
        std::string error;
        if (!store.Open(database, error)) return false;
    }
    const auto fillStart = std::chrono::steady_clock::now();
    if (!Fill(database, count)) return false;
    std::printf(
        "stored %lld scores of Klondike in %.1f s\n", static_cast<long long>(count),
        std::chrono::duration<double>(std::chrono::steady_clock::now() - fillStart).count());

    const long residentBefore = ResidentKiB();
    const auto openStart = std::chrono::steady_clock::now();
    clScoreStore store;
    std::string error;
    if (!store.Open(database, error)) return false;
    std::printf("opening the database: %.2f s, %.1f MiB more memory\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - openStart).count(),
                static_cast<double>(ResidentKiB() - residentBefore) / 1024.0);
    clScoreServer server(store);
    clListeningServer listening(server);
    if (!listening.IsRunning()) return false;

    int serial = 0;
    clFigures one;
    clFigures many;
    clFigures pages;
    for (int i = 0; i < 200; ++i)
        one.Add(Exchange(listening.Port(), Submission(serial, 1)));
    for (int i = 0; i < 50; ++i)
        many.Add(
            Exchange(listening.Port(), Submission(serial, static_cast<int>(kMaxSubmittedScores))));
    for (int i = 0; i < 50; ++i)
        pages.Add(Exchange(listening.Port(),
                           "GET /topscores/scores/qarvel/klondike.html HTTP/1.0\r\n\r\n"));
    char what[64];
    std::snprintf(what, sizeof what, "submission of 1 score, %lld stored",
                  static_cast<long long>(count));
    one.Print(what);
    std::snprintf(what, sizeof what, "submission of %zu scores, %lld stored", kMaxSubmittedScores,
                  static_cast<long long>(count));
    many.Print(what);
    pages.Print("the game's score page");
    return one.failed + many.failed + pages.failed == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 3 || (argc > 1 && (std::string_view(argv[1]) == "--help" ||
                                  std::string_view(argv[1]) == "-h"))) {
        std::cerr << kUsage;
        return argc > 3 ? 2 : 0;
    }
    const auto slow = argc > 1 ? ParseCount(argv[1], 0, 10'000) : 1000;
    const auto scores = argc > 2 ? ParseCount(argv[2], 0, 100'000'000) : 1'000'000;
    if (!slow || !scores) {
        std::cerr << "qarvel_score_hostile: SLOW must be 0 to 10000 and SCORES 0 to 100000000\n"
                  << kUsage;
        return 2;
    }
    // The slow clients and the server's connections share this process.
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
    clScratchFolder folder;
    if (folder.Path().empty()) {
        std::cerr << "qarvel_score_hostile: cannot make a temporary folder\n";
        return 2;
    }
    std::printf("qarvel_score_hostile: %lld slow connections, %lld stored scores (%u cores)\n",
                static_cast<long long>(*slow), static_cast<long long>(*scores),
                std::thread::hardware_concurrency());
    const bool slowOk = SlowClients((folder.Path() / "slow.db").string(), static_cast<int>(*slow));
    const bool manyOk = ManyScores((folder.Path() / "many.db").string(), *scores);
    if (!slowOk || !manyOk) {
        std::puts("FAILED");
        return 1;
    }
    return 0;
}
