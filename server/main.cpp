// qarvel-score-server: the game's online score server.
//
//   qarvel-score-server --db FILE [--port N] [--bind ADDR]
//
// Keeps its scores in the SQLite database FILE (created when missing) and
// answers on ADDR (127.0.0.1 unless given) and port N (8080 unless given; 0
// takes any free port). It prints the address it serves once it listens,
// and stops on SIGINT or SIGTERM.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>

#include <pthread.h>

#include "score_server.h"
#include "score_store.h"

namespace {

constexpr std::string_view kUsage =
    "usage: qarvel-score-server --db FILE [--port N] [--bind ADDR]\n";

int Refuse(std::string_view why) {
    std::cerr << "qarvel-score-server: " << why << "\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string database;
    std::string address = "127.0.0.1";
    int port = 8080;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= argc) return Refuse("missing value after " + std::string(option));
        const std::string value = argv[++i];
        if (option == "--db") {
            database = value;
        } else if (option == "--bind") {
            address = value;
        } else if (option == "--port") {
            char* end = nullptr;
            const long number = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || number < 0 || number > 65535)
                return Refuse("not a port: " + value);
            port = static_cast<int>(number);
        } else {
            return Refuse("unknown option " + std::string(option));
        }
    }
    if (database.empty()) return Refuse("--db FILE is needed");

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
    clScoreServer server(store);
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
