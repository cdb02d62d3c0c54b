#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "piles/location.h"

// The kinds of move record. The numbers are stored in saved games.
enum class clMoveType : std::int32_t {
    None = 0,
    Card = 1,      // cards from one pile to another
    Pair = 2,      // two cards (or one alone) removed from play
    Set = 3,       // up to 8 cards removed from play
    Stock = 4,     // the variant's stock action; carries no data
    Compound = 5,  // parts played as one move and undone together
};

// One recorded move. Card identities are deal indexes, so a record replays on
// any rebuild of the same deal.
struct clMove {
    // Most cards a set removal may list in a file, and most it may remove.
    static constexpr int kSetSlots = 16;
    static constexpr int kMaxSetCards = 8;
    // Most parts of a compound, whether built by chaining, read from a file,
    // validated or replayed.
    static constexpr int kMaxParts = 8;

    clMoveType type = clMoveType::None;
    std::int32_t first = 0;   // card move: bottom card moved; pair: first card
    clLocation from;          // card move
    clLocation to;            // card move
    std::int32_t second = 0;  // pair: second card (equal to first for a single card)
    std::int32_t count = 0;   // set: cards listed; compound: parts
    std::array<std::int32_t, kSetSlots> cards{};  // set: deal indexes
    std::vector<clMove> parts;                    // compound: card, pair, set or stock moves

    static clMove CardMove(std::int32_t first, clLocation from, clLocation to);
    static clMove PairMove(std::int32_t first, std::int32_t second);
    static clMove SetMove(const std::vector<std::int32_t>& dealIndexes);
    static clMove StockMove();
    static clMove CompoundMove(std::vector<clMove> parts);

    // Adds a part to a compound; false when it is full.
    bool AddPart(const clMove& part);

    friend bool operator==(const clMove& a, const clMove& b);
};
