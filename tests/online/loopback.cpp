#include "online/loopback.h"

#include <cerrno>
#include <filesystem>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Every wait of these servers ends by itself: a test never hangs on them.
constexpr int kServerWaitMs = 5000;

int Listen(std::uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    at.sin_port = 0;
    socklen_t size = sizeof at;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
        ::listen(fd, 4) != 0 || ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        if (fd >= 0) ::close(fd);
        return -1;
    }
    port = ntohs(at.sin_port);
    return fd;
}

bool WaitReadable(int fd, int ms) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, ms) > 0;
}

std::size_t AnnouncedLength(const std::string& header) {
    const std::size_t at = header.find("Content-Length: ");
    if (at == std::string::npos) return 0;
    return static_cast<std::size_t>(std::stoul(header.substr(at + 16)));
}

}  // namespace

clScriptedServer::clScriptedServer(std::string reply, clAfter after) {
    listener = Listen(port);
    thread = std::thread([this, reply = std::move(reply), after] { Serve(reply, after); });
}

clScriptedServer::~clScriptedServer() {
    Finish();
    if (listener >= 0) ::close(listener);
}

std::string clScriptedServer::Address(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port) + std::string(path);
}

void clScriptedServer::Finish() {
    if (thread.joinable()) thread.join();
}

void clScriptedServer::Serve(std::string reply, clAfter after) {
    if (listener < 0 || !WaitReadable(listener, kServerWaitMs)) return;
    const int connection = ::accept(listener, nullptr, nullptr);
    if (connection < 0) return;
    char chunk[4096];
    std::size_t headerEnd = std::string::npos;
    while (WaitReadable(connection, kServerWaitMs)) {
        const ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0) break;
        request.append(chunk, static_cast<std::size_t>(got));
        if (headerEnd == std::string::npos) {
            const std::size_t end = request.find("\r\n\r\n");
            if (end != std::string::npos) headerEnd = end + 4;
        }
        if (headerEnd != std::string::npos &&
            request.size() >= headerEnd + AnnouncedLength(request.substr(0, headerEnd)))
            break;
    }
    requestRead = true;
    if (!reply.empty()) ::send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
    if (after == clAfter::StayOpen) {
        while (WaitReadable(connection, kServerWaitMs)) {
            const ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
            if (got == 0) {
                sawClientClose = true;
                break;
            }
            if (got < 0) break;
        }
    }
    ::close(connection);
}

std::uint16_t UnusedPort() {
    std::uint16_t port = 0;
    const int fd = Listen(port);
    if (fd >= 0) ::close(fd);
    return port;
}

std::string RawExchange(std::uint16_t port, std::string_view bytes, std::chrono::milliseconds wait,
                        const char* from) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && from != nullptr) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        ::inet_pton(AF_INET, from, &local.sin_addr);
        ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    std::string reply;
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        if (fd >= 0) ::close(fd);
        return reply;
    }
    // A server may answer and close before it has read everything: what it
    // sent is still read.
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) break;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    char chunk[4096];
    while (WaitReadable(fd, static_cast<int>(wait.count()))) {
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got <= 0) break;
        reply.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return reply;
}

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}
