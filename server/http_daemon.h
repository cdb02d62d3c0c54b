#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// What a request gets back.
struct clServerReply {
    int status = 200;
    std::string body;
    std::string contentType = "text/plain";
};

// What holds whatever clients send or fail to send.
struct clHttpLimits {
    // Connections served at a time. As many more may wait to be served;
    // beyond that a connection is closed at once.
    int maxConnections = 256;
    // Connections of one address (an IPv6 /64 network) served at a time; the
    // address's further connections wait their turn, within the waiting
    // connections above.
    int maxPerAddress = 16;
    // The longest a request may take, from its connection (or the end of the
    // connection's previous request) to the last byte of its answer, however
    // the client spreads its bytes; the connection is closed then. A waiting
    // connection counts its wait in it.
    std::chrono::milliseconds requestTime{10'000};
};

// An HTTP/1.1 server on GNU libmicrohttpd: a few threads serve every
// connection, each request's header held in at most kMaxHeaderBytes and its
// body in at most `maxBody` bytes, so one connection's memory is bounded and
// so is the total, by the limits. A body announced or growing beyond
// `maxBody` gets 413 and the connection is closed; a header beyond
// kMaxHeaderBytes (however many lines it takes) gets 431 from the library.
//
// The handler gets the method, the decoded path without its query and the
// body, on one of the serving threads; GET also answers HEAD.
class clHttpDaemon {
public:
    static constexpr std::size_t kMaxHeaderBytes = 16 * 1024;

    struct clRequest {
        std::string_view method;
        std::string_view path;
        std::string_view body;
    };
    using clHandler = std::function<clServerReply(const clRequest&)>;

    clHttpDaemon(clHandler handler, std::size_t maxBody, clHttpLimits limits);
    ~clHttpDaemon();
    clHttpDaemon(const clHttpDaemon&) = delete;
    clHttpDaemon& operator=(const clHttpDaemon&) = delete;

    // Binds the address ("127.0.0.1", "::") and port (0: any free one) and
    // listens with as long a queue as the system allows; the port bound, or
    // -1, also for a port another server holds.
    int Bind(const std::string& address, int port);
    // Serves until Stop; false when it could not start.
    bool Listen();
    // True once Listen takes connections.
    bool IsRunning() const;
    // Ends Listen within moments, whatever the clients do: their connections
    // are closed. A Stop before Listen makes Listen return at once.
    void Stop();

private:
    struct clImpl;
    std::unique_ptr<clImpl> impl;
};
