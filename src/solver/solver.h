#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "engine/move.h"
#include "engine/solitaire_type.h"

// What a search found out about a position.
enum class clVerdict {
    Won,      // a winning line was found and replays to a won round
    Lost,     // proved: every line from here was tried and none wins
    Unknown,  // the limits ran out first
};

// "won", "lost" or "unknown".
const char* VerdictName(clVerdict verdict);

// How far a search may go. It stops at whichever limit comes first, and as
// soon as `cancel` turns true (checked between nodes).
struct clSolveLimits {
    std::int64_t nodes = 1'000'000;
    std::chrono::milliseconds time{1000};
    const std::atomic<bool>* cancel = nullptr;
};

struct clSolveResult {
    clVerdict verdict = clVerdict::Unknown;
    // Won: the player's moves from the position to the won round, as the
    // history records them; the automatic moves the game makes after them
    // (with the options the search was given) are not in it.
    std::vector<clMove> line;
    // The move that keeps the most options open, for a hint when the
    // verdict is not Won; none when no move is possible.
    std::optional<clMove> bestGuess;
    std::int64_t nodes = 0;
    std::chrono::microseconds elapsed{0};
};

// Solves the position reached from `deal` of the variant `displayName` by
// the moves `played` (as its history holds them), with the player's
// options (automatic play on or off changes the lines). It works on a headless
// screen of its own, with a generator of its own, so it may run on any
// thread while the window plays on. The search plays through the game's own
// rules: every move it tries passes the game's validation and is committed
// as a player's move would be, and a line is reported Won only when it
// replays to a won round on a fresh deal.
clSolveResult SolvePosition(std::string_view displayName, std::int32_t deal,
                            std::span<const clMove> played, const clPlayOptions& options,
                            const clSolveLimits& limits);
