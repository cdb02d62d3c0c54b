#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Small servers on 127.0.0.1 for the client's tests, each on a port the
// system picks when the test runs.

// Takes one connection, reads one request (its header and as many body
// bytes as it announces), then answers with the scripted bytes and either
// closes or stays open until the client closes.
class clScriptedServer {
public:
    enum class clAfter { Close, StayOpen };

    explicit clScriptedServer(std::string reply, clAfter after = clAfter::Close);
    ~clScriptedServer();
    clScriptedServer(const clScriptedServer&) = delete;
    clScriptedServer& operator=(const clScriptedServer&) = delete;

    std::uint16_t Port() const { return port; }
    // "http://127.0.0.1:<port>" + path.
    std::string Address(std::string_view path = "/topscores/qarvel/submit.php") const;
    // Waits until the connection is over; then the request it read, and
    // whether the client closed its end.
    void Finish();
    const std::string& Request() const { return request; }
    bool SawClientClose() const { return sawClientClose; }
    // Whether the whole request has come (the scripted reply follows).
    bool RequestRead() const { return requestRead; }

private:
    void Serve(std::string reply, clAfter after);

    int listener = -1;
    std::uint16_t port = 0;
    std::thread thread;
    std::string request;
    bool sawClientClose = false;
    std::atomic<bool> requestRead = false;
};

// A port on 127.0.0.1 that nothing listens on (bound, then closed).
std::uint16_t UnusedPort();

// Sends the bytes to 127.0.0.1:port and returns what comes back until the
// server closes or `wait` passes without a byte; without reading the reply
// when the send fails part way. The connection comes from the loopback
// address `from` when one is given ("127.0.0.2": another client than the
// usual 127.0.0.1).
std::string RawExchange(std::uint16_t port, std::string_view bytes,
                        std::chrono::milliseconds wait = std::chrono::milliseconds(2000),
                        const char* from = nullptr);

// The number of open file descriptors of this process.
int OpenDescriptors();
