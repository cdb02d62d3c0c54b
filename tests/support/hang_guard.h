#pragma once

#include <algorithm>
#include <csignal>
#include <string_view>

#include <unistd.h>

// Ends the test process with a message, instead of letting it hang, when the
// guarded block has not finished after `seconds`: a test of something that
// must not block (a read of a FIFO, of an endless device) then fails even
// when the fault comes back, and the rest of the run goes on. The bound is
// generous; it is no timing to meet. One guard at a time.
class clHangGuard {
public:
    explicit clHangGuard(std::string_view what, unsigned seconds = 60) {
        constexpr std::string_view kBefore = "\nhang guard: ";
        constexpr std::string_view kAfter = " did not return; the test fails.\n";
        const std::size_t length =
            std::min(what.size(), sizeof message - kBefore.size() - kAfter.size());
        char* end = std::copy(kBefore.begin(), kBefore.end(), message);
        end = std::copy_n(what.begin(), length, end);
        end = std::copy(kAfter.begin(), kAfter.end(), end);
        messageLength = static_cast<std::size_t>(end - message);
        struct sigaction action {};
        action.sa_handler = &OnAlarm;
        sigemptyset(&action.sa_mask);
        sigaction(SIGALRM, &action, &saved);
        alarm(seconds);
    }
    ~clHangGuard() {
        alarm(0);
        sigaction(SIGALRM, &saved, nullptr);
    }
    clHangGuard(const clHangGuard&) = delete;
    clHangGuard& operator=(const clHangGuard&) = delete;

private:
    static void OnAlarm(int) {
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message, messageLength);
        _exit(1);
    }

    static inline char message[512];
    static inline std::size_t messageLength = 0;
    struct sigaction saved {};
};
