// qarvel-score-server: the game's online score server.
//
//   qarvel-score-server --db FILE [--port N] [--bind ADDR] [--max-connections N]
//                       [--per-address N] [--request-time SECONDS]
//                       [--max-pace MOVES] [--max-record BYTES] [--accept-unverified]
//
// Keeps its scores in the SQLite database FILE (created when missing) and
// answers on ADDR (127.0.0.1 unless given) and port N (8080 unless given; 0
// takes any free port). It serves at most --max-connections connections at
// a time (256), --per-address of them from one address (16), and gives a
// request at most --request-time seconds (10). It prints the address it
// serves once it listens, and stops on SIGINT or SIGTERM.
//
// Every score must come with the record of its game, which the server
// replays: at most --max-pace steps a second on average over a round (10),
// a record of at most --max-record bytes (40000). With --accept-unverified,
// scores sent without a record (by older games) are kept as unverified,
// outside the ranking, instead of refused.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include <pthread.h>
#include <sys/resource.h>

#include "score_server.h"
#include "score_store.h"

namespace {

constexpr std::string_view kUsage =
    "usage: qarvel-score-server --db FILE [--port N] [--bind ADDR] [--max-connections N]\n"
    "                           [--per-address N] [--request-time SECONDS]\n"
    "                           [--max-pace MOVES] [--max-record BYTES] [--accept-unverified]\n";

int Refuse(std::string_view why) {
    std::cerr << "qarvel-score-server: " << why << "\n" << kUsage;
    return 2;
}

// A whole number from `low` to `high`; nothing otherwise.
std::optional<int> Number(const std::string& text, long low, long high) {
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || number < low || number > high)
        return std::nullopt;
    return static_cast<int>(number);
}

// Room for the descriptors of every connection served or waiting, and a
// few more; false when the system does not allow as many.
bool MakeRoomForDescriptors(int maxConnections) {
    const auto wanted = static_cast<rlim_t>(maxConnections) * 2 + 64;
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
    if (limit.rlim_cur >= wanted) return true;
    if (limit.rlim_max < wanted) return false;
    limit.rlim_cur = wanted;
    return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string database;
    std::string address = "127.0.0.1";
    int port = 8080;
    clHttpLimits limits;
    clScoreChecks checks;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (option == "--accept-unverified") {
            checks.acceptUnverified = true;
            continue;
        }
        if (i + 1 >= argc) return Refuse("missing value after " + std::string(option));
        const std::string value = argv[++i];
        if (option == "--db") {
            database = value;
        } else if (option == "--bind") {
            address = value;
        } else if (option == "--port") {
            const auto number = Number(value, 0, 65535);
            if (!number) return Refuse("not a port: " + value);
            port = *number;
        } else if (option == "--max-connections") {
            const auto number = Number(value, 1, 100'000);
            if (!number) return Refuse("--max-connections takes 1 to 100000: " + value);
            limits.maxConnections = *number;
        } else if (option == "--per-address") {
            const auto number = Number(value, 1, 100'000);
            if (!number) return Refuse("--per-address takes 1 to 100000: " + value);
            limits.maxPerAddress = *number;
        } else if (option == "--request-time") {
            const auto number = Number(value, 1, 3600);
            if (!number) return Refuse("--request-time takes 1 to 3600 seconds: " + value);
            limits.requestTime = std::chrono::seconds(*number);
        } else if (option == "--max-pace") {
            const auto number = Number(value, 1, 1000);
            if (!number) return Refuse("--max-pace takes 1 to 1000 moves a second: " + value);
            checks.replay.maxPace = *number;
        } else if (option == "--max-record") {
            const auto number =
                Number(value, 16, static_cast<long>(clPlayRecordCodec::kMaxRecordBytes));
            if (!number) {
                return Refuse("--max-record takes 16 to " +
                              std::to_string(clPlayRecordCodec::kMaxRecordBytes) +
                              " bytes: " + value);
            }
            checks.maxRecord = static_cast<std::size_t>(*number);
        } else {
            return Refuse("unknown option " + std::string(option));
        }
    }
    if (database.empty()) return Refuse("--db FILE is needed");
    if (!MakeRoomForDescriptors(limits.maxConnections)) {
        std::cerr << "qarvel-score-server: the system allows too few open files for "
                  << limits.maxConnections << " connections\n";
        return 1;
    }

    // The signals are taken by a thread of their own, which stops the server;
    // every other thread blocks them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    clScoreStore store;
    std::string error;
    if (!store.Open(database, error)) {
        std::cerr << "qarvel-score-server: cannot open " << database << ": " << error << "\n";
        return 1;
    }
    clScoreServer server(store, limits, checks);
    const int bound = server.Bind(address, port);
    if (bound < 0) {
        std::cerr << "qarvel-score-server: cannot listen on " << address << " port " << port
                  << "\n";
        return 1;
    }
    std::cout << "qarvel-score-server: listening on http://" << address << ":" << bound << "/"
              << std::endl;

    std::thread stopper([&server, signals] {
        int signal = 0;
        sigwait(&signals, &signal);
        server.Stop();
    });
    const bool served = server.Listen();
    // Listen also ends when the server fails; the stopper then waits for a
    // signal that will not come.
    if (stopper.joinable()) {
        pthread_kill(stopper.native_handle(), SIGTERM);
        stopper.join();
    }
    return served ? 0 : 1;
}
