#include "online/http_client.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include "online/scramble.h"

namespace {

using namespace std::chrono_literals;

// The time the server has to take the connection before the request is sent.
constexpr auto kWritableWait = 1000ms;

// The socket is closed on every way out of an exchange.
class clSocketHandle {
public:
    clSocketHandle() : fd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {}
    ~clSocketHandle() {
        if (fd >= 0) ::close(fd);
    }
    clSocketHandle(const clSocketHandle&) = delete;
    clSocketHandle& operator=(const clSocketHandle&) = delete;

    int Fd() const { return fd; }

private:
    int fd;
};

// A descriptor that becomes readable once a stop is requested, so that a
// poll on the socket ends at once; for the life of one exchange. Without a
// token that can stop, there is none (-1).
class clStopSignal {
public:
    explicit clStopSignal(std::stop_token token)
        : fd(token.stop_possible() ? ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK) : -1),
          callback(token, clRaise{fd}) {}
    ~clStopSignal() {
        if (fd >= 0) ::close(fd);
    }
    clStopSignal(const clStopSignal&) = delete;
    clStopSignal& operator=(const clStopSignal&) = delete;

    int Fd() const { return fd; }

private:
    struct clRaise {
        int fd;
        void operator()() const noexcept {
            const std::uint64_t one = 1;
            if (fd >= 0) [[maybe_unused]]
                const ssize_t written = ::write(fd, &one, sizeof one);
        }
    };

    int fd;  // before the callback, which may run in its constructor
    std::stop_callback<clRaise> callback;
};

// A name look-up on a thread of its own: the client waits for it only as
// long as its limits allow and then leaves it to finish by itself, so the
// look-up owns everything it touches.
struct clLookup {
    std::mutex mutex;
    std::condition_variable_any finished;
    bool done = false;
    std::optional<std::uint32_t> address;
};

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsHostChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == ':';
}

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string ErrnoText(std::string_view what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// What the header of a reply says about its body.
struct clReplyHead {
    std::int32_t status = 0;
    std::optional<std::uint64_t> contentLength;
    bool closes = false;  // the server ends the connection after the reply
};

// The status line and the fields the body depends on; nothing for a header
// that is not an HTTP/1.x reply's.
std::optional<clReplyHead> ParseHead(std::string_view header) {
    clReplyHead head;
    std::size_t lineEnd = header.find('\n');
    const std::string_view statusLine = Trim(header.substr(0, lineEnd));
    if (!statusLine.starts_with("HTTP/")) return std::nullopt;
    const std::size_t blank = statusLine.find(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    std::string_view code = statusLine.substr(blank + 1);
    code = code.substr(0, code.find(' '));
    if (code.size() != 3 || !IsDigits(code) || code[0] == '0') return std::nullopt;
    head.status = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
    const bool http10 = statusLine.starts_with("HTTP/1.0");
    std::optional<bool> keepAlive;

    while (lineEnd != std::string_view::npos) {
        const std::size_t start = lineEnd + 1;
        lineEnd = header.find('\n', start);
        const std::string_view line = Trim(header.substr(start, lineEnd - start));
        if (line.empty()) continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        const std::string_view name = Trim(line.substr(0, colon));
        const std::string_view value = Trim(line.substr(colon + 1));
        if (EqualNoCase(name, "Content-Length")) {
            // A length beyond any body we take is as good as any: refused.
            if (!IsDigits(value) || value.size() > 12) return std::nullopt;
            const std::uint64_t length = std::stoull(std::string(value));
            if (head.contentLength && *head.contentLength != length) return std::nullopt;
            head.contentLength = length;
        } else if (EqualNoCase(name, "Transfer-Encoding")) {
            if (!EqualNoCase(value, "identity")) return std::nullopt;
        } else if (EqualNoCase(name, "Connection")) {
            keepAlive = !EqualNoCase(value, "close");
        }
    }
    head.closes = keepAlive ? !*keepAlive : http10;
    return head;
}

}  // namespace

void clHttpClient::SetTimeout(std::chrono::milliseconds value) {
    timeout = std::max(value, std::chrono::milliseconds(1));
}

std::optional<clUrl> clHttpClient::ParseUrl(std::string_view address) {
    clUrl url;
    std::size_t hostStart = 0;
    if (const std::size_t scheme = address.find("://"); scheme != std::string_view::npos) {
        if (!EqualNoCase(address.substr(0, scheme), "HTTP")) return std::nullopt;
        hostStart = scheme + 3;
    }
    std::size_t hostEnd = hostStart;
    while (hostEnd < address.size() && IsHostChar(address[hostEnd]))
        ++hostEnd;
    for (std::size_t i = hostStart; i < hostEnd; ++i)
        url.host += Upper(address[i]);
    url.path = std::string(address.substr(hostEnd));
    if (url.path.empty()) url.path = "/";
    // The path goes into the request line as it is.
    for (char c : url.path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) return std::nullopt;
    }
    if (const std::size_t colon = url.host.find(':'); colon != std::string::npos) {
        const std::string_view port = std::string_view(url.host).substr(colon + 1);
        if (!IsDigits(port) || port.size() > 5) return std::nullopt;
        const int number = std::stoi(std::string(port));
        if (number < 1 || number > 65535) return std::nullopt;
        url.port = static_cast<std::uint16_t>(number);
        url.host.resize(colon);
    }
    return url;
}

std::optional<std::uint32_t> clHttpClient::Resolve(const std::string& host) {
    if (host.empty()) return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return std::nullopt;
    std::optional<std::uint32_t> address;
    if (found->ai_family == AF_INET && found->ai_addrlen >= sizeof(sockaddr_in)) {
        address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    }
    ::freeaddrinfo(found);
    return address;
}

bool clHttpClient::Fail(std::string text) {
    lastError = std::move(text);
    return false;
}

bool clHttpClient::Post(std::string_view address, std::string_view text,
                        std::optional<std::string_view> agent, std::stop_token stopToken) {
    status = 0;
    header.clear();
    body.clear();
    lastError.clear();
    if (agent) userAgent = std::string(agent->substr(0, kMaxUserAgent));
    // Socket waits are the platform's own: they run on its monotonic clock.
    deadline = std::chrono::steady_clock::now() + 2 * timeout + 1s;
    stop = stopToken;
    const clStopSignal signal(stop);
    wakeFd = signal.Fd();
    const bool done = Exchange(address, text);
    wakeFd = -1;
    if (!done && Stopped()) {
        status = 0;
        header.clear();
        body.clear();
        return Fail("cancelled");
    }
    return done;
}

bool clHttpClient::Exchange(std::string_view address, std::string_view text) {
    const auto url = ParseUrl(address);
    if (!url) return Fail("not an HTTP address");
    const clSocketHandle socket;
    if (socket.Fd() < 0) return Fail(ErrnoText("socket", errno));
    const auto ip = ResolveWithin(url->host);
    if (!ip) return false;
    if (!Connect(socket.Fd(), *ip, url->port)) return false;
    if (!SendRequest(socket.Fd(), *url, text)) return false;
    return ReceiveResponse(socket.Fd());
}

std::optional<std::uint32_t> clHttpClient::ResolveWithin(const std::string& host) {
    if (host.empty()) {
        Fail("no host in the address");
        return std::nullopt;
    }
    auto lookup = std::make_shared<clLookup>();
    try {
        std::thread([lookup, host, resolver = resolve] {
            std::optional<std::uint32_t> address;
            try {
                address = resolver(host);
            } catch (...) {
                // A resolver that throws found nothing.
            }
            const std::lock_guard lock(lookup->mutex);
            lookup->address = address;
            lookup->done = true;
            lookup->finished.notify_all();
        }).detach();
    } catch (const std::system_error& error) {
        Fail(std::string("name look-up: ") + error.what());
        return std::nullopt;
    }
    std::unique_lock lock(lookup->mutex);
    const auto until = std::min(deadline, std::chrono::steady_clock::now() + timeout);
    lookup->finished.wait_until(lock, stop, until, [&] { return lookup->done; });
    if (!lookup->done) {
        Fail("cannot find the host " + host + " within the time-out");
        return std::nullopt;
    }
    if (!lookup->address) Fail("cannot find the host " + host);
    return lookup->address;
}

bool clHttpClient::Wait(int socket, bool forWriting, std::chrono::milliseconds limit) {
    for (;;) {
        if (Stopped()) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const auto wait = std::min(limit, left);
        if (wait.count() <= 0) return false;
        pollfd entries[2] = {{socket, static_cast<short>(forWriting ? POLLOUT : POLLIN), 0},
                             {wakeFd, POLLIN, 0}};
        const nfds_t count = wakeFd >= 0 ? 2 : 1;
        const int ready = ::poll(entries, count, static_cast<int>(wait.count()));
        if (Stopped()) return false;
        if (ready > 0) return true;  // an error or hang-up is readable: the next call says
        if (ready == 0) return false;
        if (errno != EINTR) return false;
        limit = wait;
    }
}

bool clHttpClient::Connect(int socket, std::uint32_t address, std::uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0) return true;
    if (errno != EINPROGRESS && errno != EINTR) return Fail(ErrnoText("connect", errno));
    if (!Wait(socket, true, timeout)) return Fail("connect: no answer within the time-out");
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
    if (error != 0) return Fail(ErrnoText("connect", error));
    return true;
}

bool clHttpClient::SendAll(int socket, std::string_view bytes) {
    while (!bytes.empty()) {
        // No SIGPIPE when the server has gone: the send fails instead.
        const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!Wait(socket, true, timeout)) return Fail("send: no progress within the time-out");
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else {
            return Fail(ErrnoText("send", errno));
        }
    }
    return true;
}

bool clHttpClient::SendRequest(int socket, const clUrl& url, std::string_view text) {
    if (url.host.empty() || url.path.empty() || socket < 0) return Fail("nothing to send");
    if (!Wait(socket, true, kWritableWait)) return Fail("the connection is not writable");
    const std::vector<std::uint8_t> scrambled = ScrambleBody(text);
    // One send per piece of the request.
    const std::string pieces[] = {
        "POST " + url.path + " HTTP/1.0\r\n",
        "Host: " + url.host + "\r\n",
        "User-Agent: " + userAgent + "\r\n",
        "Content-Length: " + std::to_string(scrambled.size()) + "\r\n",
        "Content-Type: binary\r\n",
        "\r\n",
    };
    for (const std::string& piece : pieces)
        if (!SendAll(socket, piece)) return false;
    return SendAll(socket, std::string_view(reinterpret_cast<const char*>(scrambled.data()),
                                            scrambled.size()));
}

bool clHttpClient::ReceiveResponse(int socket) {
    if (!Wait(socket, false, timeout)) return Fail("no reply within the time-out");
    clHttpReplyReader reply;
    char chunk[4096];
    while (reply.State() == clHttpReplyReader::clState::More) {
        const ssize_t got = ::recv(socket, chunk, sizeof chunk, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) return Fail(ErrnoText("recv", errno));
            if (!Wait(socket, false, timeout)) {
                return Fail(reply.HeaderRead() ? "the body stopped before its end"
                                               : "the header stopped before its end");
            }
            continue;
        }
        if (got == 0) {
            reply.Close();
        } else {
            reply.Feed(std::string_view(chunk, static_cast<std::size_t>(got)));
        }
    }
    if (reply.State() == clHttpReplyReader::clState::Failed) return Fail(reply.Error());

    status = reply.Status();
    header = reply.Header();
    body = reply.Body();
    if (status != 200 && status != 204) return Fail("status " + std::to_string(status));
    return true;
}

clHttpReplyReader::clState clHttpReplyReader::Fail(std::string text) {
    error = std::move(text);
    status = 0;
    header.clear();
    body.clear();
    received.clear();
    return state = clState::Failed;
}

clHttpReplyReader::clState clHttpReplyReader::Feed(std::string_view bytes) {
    if (state != clState::More) return state;
    if (headerRead) {
        body.append(bytes);
        return CheckBody();
    }

    // The header: lines up to the first empty one (a lone CR counts as empty).
    std::size_t headerEnd = std::string::npos;
    const std::size_t from = received.size();
    received.append(bytes);
    for (std::size_t i = from; i < received.size(); ++i) {
        if (received[i] == '\0') return Fail("a zero byte in the header");
        if (received[i] != '\n') continue;
        const std::string_view line(received.data() + lineStart, i - lineStart);
        if (line.empty() || line == "\r") {
            headerEnd = i + 1;
            break;
        }
        lineStart = i + 1;
    }
    const std::size_t headerSize = headerEnd == std::string::npos ? received.size() : headerEnd;
    if (headerSize > kMaxHeaderSize) return Fail("the header is too large");
    if (headerEnd == std::string::npos) return state;

    const auto head = ParseHead(std::string_view(received).substr(0, headerEnd));
    if (!head) return Fail("not an HTTP reply");
    headerRead = true;
    const bool hasBody = head->status >= 200 && head->status != 204 && head->status != 304;
    if (hasBody) {
        announced = head->contentLength;
        closes = head->closes;
        if (announced && *announced > kMaxBodySize) return Fail("the body is too large");
        body = received.substr(headerEnd);
    }
    status = head->status;
    header = received.substr(0, headerEnd);
    received.clear();
    return hasBody ? CheckBody() : state = clState::Done;
}

// A body is complete at its announced length on a connection that stays
// open: what follows is not this reply's, however the bytes were cut into
// pieces. Otherwise it is read to the end of the connection, so that bytes
// beyond the announced length are seen.
clHttpReplyReader::clState clHttpReplyReader::CheckBody() {
    if (announced && !closes && body.size() >= *announced) {
        body.resize(static_cast<std::size_t>(*announced));
        return state = clState::Done;
    }
    if (body.size() > kMaxBodySize) return Fail("the body is too large");
    if (announced && body.size() > *announced) return Fail("the body is longer than announced");
    return state;
}

clHttpReplyReader::clState clHttpReplyReader::Close() {
    if (state != clState::More) return state;
    if (!headerRead) return Fail("the connection closed before the header's end");
    if (announced && body.size() != *announced)
        return Fail("the connection closed inside the body");
    return state = clState::Done;
}

clHttpReplyReader ParseHttpReply(std::string_view bytes) {
    clHttpReplyReader reply;
    reply.Feed(bytes);
    reply.Close();
    return reply;
}
