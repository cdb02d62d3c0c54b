#include "http_daemon.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using clClock = std::chrono::steady_clock;

// Threads serving connections; each runs its own event loop over the
// connections given to it in turn.
constexpr int kWorkers = 4;
// How often deadlines are checked while connections are open.
constexpr int kTickMs = 50;
// Connections taken from the listening queue in one go, so the deadlines
// are still checked under a flood.
constexpr int kAcceptsPerTick = 256;

// The address a connection counts against: an IPv4 address (also one
// mapped into IPv6), or the /64 network of an IPv6 address, since one host
// commonly holds a whole /64.
std::string AddressKey(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        return std::string(reinterpret_cast<const char*>(&v4.sin_addr), 4);
    }
    if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        const auto* bytes = reinterpret_cast<const char*>(&v6.sin6_addr);
        if (IN6_IS_ADDR_V4MAPPED(&v6.sin6_addr)) return std::string(bytes + 12, 4);
        return std::string(bytes, 8);
    }
    return {};
}

// A Content-Length of at most `limit`.
bool IsLengthWithin(const char* length, std::size_t limit) {
    const std::string_view text(length);
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    std::size_t value = 0;
    for (char c : text)
        value = value * 10 + static_cast<std::size_t>(c - '0');
    return value <= limit;
}

// A request's body as it arrives; it lives from the first call of the
// access handler to the library's completion notice.
struct clRequestState {
    std::string body;
};

}  // namespace

struct clHttpDaemon::clImpl {
    clHandler handler;
    std::size_t maxBody;
    clHttpLimits limits;

    int listener = -1;
    int wake = -1;  // an eventfd that ends the acceptor's wait
    std::atomic<bool> running{false};
    std::atomic<bool> stopping{false};
    std::vector<MHD_Daemon*> workers;
    std::size_t nextWorker = 0;

    // A connection given to a worker, by its socket. The workers' notices
    // of closed connections come before the library closes the socket, so
    // a socket found here is still this connection's.
    struct clServed {
        std::string address;
        clClock::time_point deadline;
        bool cut = false;
    };
    std::mutex lock;
    std::unordered_map<int, clServed> served;
    std::unordered_map<std::string, int> servedByAddress;

    // Connections taken from the listening queue that wait for a turn of
    // their address; only the acceptor touches them.
    struct clWaiting {
        int socket;
        sockaddr_storage address;
        socklen_t addressLength;
        std::string key;
        clClock::time_point deadline;
    };
    std::deque<clWaiting> waiting;

    clImpl(clHandler handler, std::size_t maxBody, clHttpLimits limits)
        : handler(std::move(handler)), maxBody(maxBody), limits(limits) {
        wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    }
    ~clImpl() {
        if (listener >= 0) ::close(listener);
        if (wake >= 0) ::close(wake);
    }

    void Wake() {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wake, &one, sizeof one);
    }

    bool StartWorkers();
    void StopWorkers();
    void AcceptWaiting();
    bool Accept();
    bool HasRoom(const std::string& key);
    void Serve(clWaiting connection);
    void CutLate(clClock::time_point now);
    void Forget(int socket);

    static MHD_Result Answer(void* self, MHD_Connection* connection, const char* url,
                             const char* method, const char* version, const char* upload,
                             std::size_t* uploadSize, void** context);
    static void Completed(void* self, MHD_Connection* connection, void** context,
                          MHD_RequestTerminationCode why);
    static void Notified(void* self, MHD_Connection* connection, void** socketContext,
                         MHD_ConnectionNotificationCode what);
};

namespace {

MHD_Result Queue(MHD_Connection* connection, const clServerReply& reply, bool close) {
    MHD_Response* response = MHD_create_response_from_buffer(
        reply.body.size(), const_cast<char*>(reply.body.data()), MHD_RESPMEM_MUST_COPY);
    if (response == nullptr) return MHD_NO;
    if (reply.status != 204)
        MHD_add_response_header(response, "Content-Type", reply.contentType.c_str());
    if (close) MHD_add_response_header(response, "Connection", "close");
    const MHD_Result queued =
        MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return queued;
}

const clServerReply kTooLarge{413, "the request is too large\n", "text/plain"};

}  // namespace

MHD_Result clHttpDaemon::clImpl::Answer(void* self, MHD_Connection* connection, const char* url,
                                        const char* method, const char*, const char* upload,
                                        std::size_t* uploadSize, void** context) {
    auto& impl = *static_cast<clImpl*>(self);
    auto* state = static_cast<clRequestState*>(*context);
    if (state == nullptr) {
        // The header is in. A body larger than any request the game sends
        // is refused from its announced length, before a byte of it is read.
        // The library holds it until Completed takes it back.
        *context = state = std::make_unique<clRequestState>().release();
        const char* length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND,
                                                         MHD_HTTP_HEADER_CONTENT_LENGTH);
        if (length != nullptr && !IsLengthWithin(length, impl.maxBody))
            return Queue(connection, kTooLarge, true);
        return MHD_YES;
    }
    if (*uploadSize > 0) {
        // A body without a length is cut off at the same size.
        if (*uploadSize > impl.maxBody - state->body.size()) {
            *uploadSize = 0;
            return Queue(connection, kTooLarge, true);
        }
        state->body.append(upload, *uploadSize);
        *uploadSize = 0;
        return MHD_YES;
    }
    std::string_view verb = method;
    if (verb == MHD_HTTP_METHOD_HEAD) verb = MHD_HTTP_METHOD_GET;
    return Queue(connection, impl.handler({verb, url, state->body}), false);
}

void clHttpDaemon::clImpl::Completed(void* self, MHD_Connection* connection, void** context,
                                     MHD_RequestTerminationCode why) {
    const std::unique_ptr<clRequestState> state(static_cast<clRequestState*>(*context));
    *context = nullptr;
    if (why != MHD_REQUEST_TERMINATED_COMPLETED_OK) return;
    // The connection may carry another request: it gets the whole time again.
    auto& impl = *static_cast<clImpl*>(self);
    const MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    if (info == nullptr) return;
    const std::lock_guard guard(impl.lock);
    const auto found = impl.served.find(info->connect_fd);
    if (found != impl.served.end() && !found->second.cut)
        found->second.deadline = clClock::now() + impl.limits.requestTime;
}

void clHttpDaemon::clImpl::Notified(void* self, MHD_Connection* connection, void**,
                                    MHD_ConnectionNotificationCode what) {
    if (what != MHD_CONNECTION_NOTIFY_CLOSED) return;
    auto& impl = *static_cast<clImpl*>(self);
    const MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    if (info == nullptr) return;
    {
        const std::lock_guard guard(impl.lock);
        impl.Forget(info->connect_fd);
    }
    // A waiting connection of the same address may take its place.
    impl.Wake();
}

void clHttpDaemon::clImpl::Forget(int socket) {
    const auto found = served.find(socket);
    if (found == served.end()) return;
    const auto count = servedByAddress.find(found->second.address);
    if (count != servedByAddress.end() && --count->second <= 0) servedByAddress.erase(count);
    served.erase(found);
}

bool clHttpDaemon::clImpl::StartWorkers() {
    // The library's own time-out restarts with every byte: it only backs up
    // the whole-request deadline the acceptor keeps.
    const auto idleSeconds = static_cast<unsigned>(
        std::chrono::ceil<std::chrono::seconds>(limits.requestTime).count() + 1);
    for (int i = 0; i < kWorkers; ++i) {
        MHD_Daemon* worker = MHD_start_daemon(
            MHD_USE_EPOLL_INTERNAL_THREAD | MHD_USE_NO_LISTEN_SOCKET | MHD_USE_ITC, 0, nullptr,
            nullptr, &clImpl::Answer, this, MHD_OPTION_CONNECTION_MEMORY_LIMIT,
            static_cast<std::size_t>(kMaxHeaderBytes), MHD_OPTION_CONNECTION_LIMIT,
            static_cast<unsigned>(limits.maxConnections), MHD_OPTION_CONNECTION_TIMEOUT,
            idleSeconds, MHD_OPTION_NOTIFY_COMPLETED, &clImpl::Completed, this,
            MHD_OPTION_NOTIFY_CONNECTION, &clImpl::Notified, this, MHD_OPTION_END);
        if (worker == nullptr) {
            StopWorkers();
            return false;
        }
        workers.push_back(worker);
    }
    return true;
}

void clHttpDaemon::clImpl::StopWorkers() {
    // Stopping a worker closes its connections, whatever state they are in.
    for (MHD_Daemon* worker : workers)
        MHD_stop_daemon(worker);
    workers.clear();
    const std::lock_guard guard(lock);
    served.clear();
    servedByAddress.clear();
}

bool clHttpDaemon::clImpl::HasRoom(const std::string& key) {
    const std::lock_guard guard(lock);
    if (served.size() >= static_cast<std::size_t>(limits.maxConnections)) return false;
    const auto count = servedByAddress.find(key);
    return count == servedByAddress.end() || count->second < limits.maxPerAddress;
}

void clHttpDaemon::clImpl::Serve(clWaiting connection) {
    {
        const std::lock_guard guard(lock);
        served[connection.socket] = {connection.key, connection.deadline, false};
        ++servedByAddress[connection.key];
    }
    MHD_Daemon* worker = workers[nextWorker++ % workers.size()];
    if (MHD_add_connection(worker, connection.socket,
                           reinterpret_cast<const sockaddr*>(&connection.address),
                           connection.addressLength) != MHD_YES) {
        // The library has closed the socket.
        const std::lock_guard guard(lock);
        Forget(connection.socket);
    }
}

void clHttpDaemon::clImpl::AcceptWaiting() {
    // In order of arrival, as far as each address has room.
    for (auto it = waiting.begin(); it != waiting.end();) {
        if (HasRoom(it->key)) {
            clWaiting connection = *it;
            it = waiting.erase(it);
            Serve(std::move(connection));
        } else {
            ++it;
        }
    }
}

// False when the process is out of descriptors.
bool clHttpDaemon::clImpl::Accept() {
    for (int i = 0; i < kAcceptsPerTick; ++i) {
        clWaiting connection{};
        connection.addressLength = sizeof connection.address;
        connection.socket = ::accept4(listener, reinterpret_cast<sockaddr*>(&connection.address),
                                      &connection.addressLength, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection.socket < 0) return errno != EMFILE && errno != ENFILE;
        connection.key = AddressKey(connection.address);
        connection.deadline = clClock::now() + limits.requestTime;
        bool queued = false;
        for (const clWaiting& other : waiting)
            queued = queued || other.key == connection.key;
        if (!queued && HasRoom(connection.key)) {
            Serve(std::move(connection));
        } else if (waiting.size() < static_cast<std::size_t>(limits.maxConnections)) {
            waiting.push_back(std::move(connection));
        } else {
            ::close(connection.socket);
        }
    }
    return true;
}

void clHttpDaemon::clImpl::CutLate(clClock::time_point now) {
    while (!waiting.empty() && waiting.front().deadline <= now) {
        ::close(waiting.front().socket);
        waiting.pop_front();
    }
    // Shutting a socket down makes its worker see the end of the connection
    // and close it, whatever it was waiting for.
    const std::lock_guard guard(lock);
    for (auto& [socket, connection] : served) {
        if (connection.cut || connection.deadline > now) continue;
        ::shutdown(socket, SHUT_RDWR);
        connection.cut = true;
    }
}

clHttpDaemon::clHttpDaemon(clHandler handler, std::size_t maxBody, clHttpLimits limits)
    : impl(std::make_unique<clImpl>(std::move(handler), maxBody, limits)) {}

clHttpDaemon::~clHttpDaemon() = default;

int clHttpDaemon::Bind(const std::string& address, int port) {
    if (impl->listener >= 0 || port < 0 || port > 65535) return -1;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return -1;
    int bound = -1;
    for (addrinfo* at = found; at != nullptr && bound < 0; at = at->ai_next) {
        const int socket = ::socket(at->ai_family, at->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                    at->ai_protocol);
        if (socket < 0) continue;
        // The port may be taken while connections of an earlier run linger,
        // but never shared (no SO_REUSEPORT): a second server on the same
        // port would silently take part of the players' scores into its own
        // database.
        const int on = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_storage local{};
        socklen_t length = sizeof local;
        // Players arriving together wait in the listening queue, as long a
        // one as the system allows, rather than be turned away.
        if (::bind(socket, at->ai_addr, at->ai_addrlen) != 0 || ::listen(socket, SOMAXCONN) != 0 ||
            ::getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
            ::close(socket);
            continue;
        }
        impl->listener = socket;
        bound = ntohs(local.ss_family == AF_INET6
                          ? reinterpret_cast<const sockaddr_in6&>(local).sin6_port
                          : reinterpret_cast<const sockaddr_in&>(local).sin_port);
    }
    ::freeaddrinfo(found);
    return bound;
}

bool clHttpDaemon::Listen() {
    clImpl& self = *impl;
    if (self.stopping) return true;
    if (self.listener < 0 || self.wake < 0 || !self.StartWorkers()) return false;
    self.running = true;
    // Out of descriptors, the listening queue is left alone for a tick
    // rather than polled in a busy loop.
    bool acceptPaused = false;
    while (!self.stopping) {
        const bool paused = acceptPaused;
        acceptPaused = false;
        pollfd waits[2] = {{self.wake, POLLIN, 0}, {self.listener, POLLIN, 0}};
        bool busy = paused || !self.waiting.empty();
        {
            const std::lock_guard guard(self.lock);
            busy = busy || !self.served.empty();
        }
        if (::poll(waits, paused ? 1 : 2, busy ? kTickMs : -1) < 0 && errno != EINTR) break;
        if ((waits[0].revents & POLLIN) != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto got = ::read(self.wake, &count, sizeof count);
        }
        if (self.stopping) break;
        self.AcceptWaiting();
        if (!paused && (waits[1].revents & POLLIN) != 0) acceptPaused = !self.Accept();
        self.CutLate(clClock::now());
    }
    self.StopWorkers();
    for (const clImpl::clWaiting& connection : self.waiting)
        ::close(connection.socket);
    self.waiting.clear();
    self.running = false;
    return true;
}

bool clHttpDaemon::IsRunning() const {
    return impl->running;
}

void clHttpDaemon::Stop() {
    impl->stopping = true;
    impl->Wake();
}
