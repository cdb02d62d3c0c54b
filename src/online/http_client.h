#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

// Where an HTTP address leads.
struct clUrl {
    std::string host;  // upper case, as the address gave it otherwise
    std::string path;  // as given, "/" when empty
    std::uint16_t port = 80;
    friend bool operator==(const clUrl&, const clUrl&) = default;
};

// Reads an HTTP/1.x reply from the bytes a connection delivers, in pieces of
// any size, without touching the connection: the client's socket loop feeds
// it, and so can a test. It trusts nothing: a header without its end, larger
// than kMaxHeaderSize or holding a zero byte, a header that is not an
// HTTP/1.x reply's, a body longer than kMaxBodySize or than announced, or a
// connection closed inside the announced body fails the reply. Bytes after
// the end of a reply that has no body, or whose connection stays open after
// its announced body, are not read.
class clHttpReplyReader {
public:
    static constexpr std::size_t kMaxHeaderSize = 16 * 1024;
    static constexpr std::size_t kMaxBodySize = 64 * 1024;

    enum class clState { More, Done, Failed };

    // The next bytes received; More while the reply is not complete.
    clState Feed(std::string_view bytes);
    // The connection closed (the end of the bytes).
    clState Close();

    clState State() const { return state; }
    // Whether the header's end has been read.
    bool HeaderRead() const { return headerRead; }
    // Why the reply failed; empty unless Failed.
    const std::string& Error() const { return error; }
    // Status, header and body of a Done reply; empty otherwise.
    std::int32_t Status() const { return status; }
    const std::string& Header() const { return header; }
    const std::string& Body() const { return body; }

private:
    clState CheckBody();
    clState Fail(std::string text);

    clState state = clState::More;
    bool headerRead = false;
    bool closes = false;
    std::optional<std::uint64_t> announced;
    std::size_t lineStart = 0;
    std::string received;  // the header's bytes so far
    std::int32_t status = 0;
    std::string header;
    std::string body;
    std::string error;
};

// The reply held in `bytes`, read as the whole of a connection's bytes.
clHttpReplyReader ParseHttpReply(std::string_view bytes);

// The game's own small HTTP/1.0 client: one POST of a text body, scrambled
// on the way out, and the reply read back as a status and a raw body. It
// blocks its caller (a worker thread in the window, while the window shows
// that it is working), every wait bounded: the name look-up and the
// connection within the time-out, the first reply byte within the time-out
// and the rest of the reply within it again, and the whole exchange, look-up
// included, within twice the time-out plus a second. A stop token ends any
// wait at once (the player's Cancel).
//
// A client lives for one exchange. It trusts nothing it reads: a reply that
// is not a whole, well-formed HTTP/1.x reply (garbage, a header without its
// end or larger than 16 KiB, a body shorter or longer than announced or
// longer than 64 KiB, silence past the time-out) fails the exchange and
// leaves no status, header or body behind.
class clHttpClient {
public:
    static constexpr std::string_view kDefaultUserAgent = "Ternlib 1.50";
    static constexpr std::chrono::milliseconds kDefaultTimeout{15000};
    static constexpr std::size_t kMaxUserAgent = 127;
    static constexpr std::size_t kMaxHeaderSize = clHttpReplyReader::kMaxHeaderSize;
    static constexpr std::size_t kMaxBodySize = clHttpReplyReader::kMaxBodySize;

    clHttpClient() = default;
    clHttpClient(const clHttpClient&) = delete;
    clHttpClient& operator=(const clHttpClient&) = delete;

    // POSTs the body to the address. True when the whole exchange succeeded
    // and the status is 200 or 204; a complete reply with another status
    // fails but keeps its status, header and body. A user agent given
    // replaces the client's (cut to 127 characters). A stop requested
    // through `stop` fails the exchange at once ("cancelled").
    bool Post(std::string_view address, std::string_view body,
              std::optional<std::string_view> userAgent = std::nullopt, std::stop_token stop = {});

    // Host, path and port of an "http://host[:port]/path" address (the scheme
    // in any case, or none); nothing for another scheme, a port that is not
    // 1 to 65535, or a path holding blanks or control characters.
    static std::optional<clUrl> ParseUrl(std::string_view address);
    // The first IPv4 address of the host, in network byte order; nothing for
    // an empty host or a failed look-up.
    static std::optional<std::uint32_t> Resolve(const std::string& host);

    // How Post finds a host's address; Resolve unless replaced (tests stand
    // in a name server that never answers). It runs on a thread of its own,
    // which Post stops waiting for at its deadline or a stop and leaves to
    // finish by itself, so it must not refer to the client.
    using clResolver = std::function<std::optional<std::uint32_t>(const std::string& host)>;
    void SetResolver(clResolver resolver) { resolve = std::move(resolver); }

    // What went wrong last, for diagnostics; empty after a success.
    const std::string& LastErrorText() const { return lastError; }

    std::chrono::milliseconds Timeout() const { return timeout; }
    // Time-outs below a millisecond are taken as one.
    void SetTimeout(std::chrono::milliseconds value);
    const std::string& UserAgent() const { return userAgent; }

    std::int32_t Status() const { return status; }
    const std::string& Header() const { return header; }
    const std::string& Body() const { return body; }
    std::int32_t BodyLength() const { return static_cast<std::int32_t>(body.size()); }

private:
    using clDeadline = std::chrono::steady_clock::time_point;

    bool Exchange(std::string_view address, std::string_view text);
    // The host's address, waited for no longer than the time-out, the
    // exchange's deadline or a stop.
    std::optional<std::uint32_t> ResolveWithin(const std::string& host);
    bool Connect(int socket, std::uint32_t address, std::uint16_t port);
    bool SendRequest(int socket, const clUrl& url, std::string_view text);
    bool ReceiveResponse(int socket);
    bool SendAll(int socket, std::string_view bytes);
    // Waits for the socket to become readable (or writable) within `limit`
    // and before the exchange's deadline; false at once on a stop.
    bool Wait(int socket, bool forWriting, std::chrono::milliseconds limit);
    bool Stopped() const { return stop.stop_requested(); }
    bool Fail(std::string text);

    std::chrono::milliseconds timeout = kDefaultTimeout;
    std::string body;
    std::int32_t status = 0;
    std::string header;
    std::string userAgent{kDefaultUserAgent};
    std::string lastError;
    clDeadline deadline{};
    std::stop_token stop;
    int wakeFd = -1;  // readable once a stop is requested, during Post
    clResolver resolve = Resolve;
};
