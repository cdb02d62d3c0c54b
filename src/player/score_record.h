#pragma once

#include <cstdint>

#include "toolkit/clock.h"

// How a game ended. The numbers are those of the log's records.
enum class clResultKind : std::uint32_t {
    None = 0,
    Interrupted = 1,  // resigned while in progress, or still in progress in a list
    Completed = 2,    // ended by game over
};

// One result of a variant.
struct clScoreRecord {
    clResultKind kind = clResultKind::None;
    std::int32_t score = 0;
    std::int32_t round = 0;
    std::int32_t rank = 0;  // 1-based place in the variant's ranking; 0 when not ranked
    clDateTime when;        // local time
    bool hinted = false;    // the game was played with hints: never submitted online

    friend bool operator==(const clScoreRecord&, const clScoreRecord&) = default;
};
