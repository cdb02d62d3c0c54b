#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/move.h"

// The record of a played game that goes with a score to the server, which
// replays it: for every round its deal number, each step the player took
// with the countdown (in tenths of a second) at that moment, and the count
// the round ended with.
struct clRecordStep {
    enum class clKind : std::uint8_t {
        Move = 1,  // a record pushed onto the history (after its chained moves)
        Undo = 2,  // the Undo command took the last applied record back
        Turn = 3,  // a card turned up at the game's card-turn cost
    };
    clKind kind = clKind::Move;
    std::int32_t count = 0;
    clMove move;            // Move
    std::int32_t card = 0;  // Turn: the card's deal index
    friend bool operator==(const clRecordStep&, const clRecordStep&) = default;
};

struct clRecordRound {
    std::int32_t dealNumber = 0;
    std::vector<clRecordStep> steps;
    // The count when the round ended; nothing while it is played.
    std::optional<std::int32_t> endCount;
    friend bool operator==(const clRecordRound&, const clRecordRound&) = default;
};

struct clPlayRecord {
    std::string gameName;  // the variant's display name
    std::vector<clRecordRound> rounds;
    friend bool operator==(const clPlayRecord&, const clPlayRecord&) = default;
};

// The record's bytes: "QPR1", the name (a length byte and its bytes), then
// the rounds, every number a LEB128 varint (signed ones zig-zagged). A step
// stores the count as the difference from the one before (the round's deal
// starts from 0 difference to its first step's absolute count), so a record
// of a typical move takes about ten bytes: a 20-round game of 1,000 moves
// stays well under 16 KiB.
//
// Records come from anywhere: decoding checks every field and refuses what a
// game cannot have made, and anything longer than kMaxRecordBytes.
class clPlayRecordCodec {
public:
    static constexpr std::size_t kMaxRecordBytes = 40'000;
    static constexpr std::size_t kMaxRounds = 1000;
    static constexpr std::size_t kMaxNameBytes = 63;

    // The bytes; nothing when they would pass kMaxRecordBytes or a field
    // cannot be stored (a name too long, a move the saved-game file refuses).
    static std::optional<std::string> Encode(const clPlayRecord& record);
    static std::optional<clPlayRecord> Decode(std::span<const std::uint8_t> bytes,
                                              std::size_t maxBytes = kMaxRecordBytes);
    static std::optional<clPlayRecord> Decode(std::string_view bytes,
                                              std::size_t maxBytes = kMaxRecordBytes);
};

// Base64 (RFC 4648, with padding) for the record inside a text request.
std::string ToBase64(std::string_view bytes);
// Nothing for a text that is not whole base64 or would decode to more than
// maxBytes.
std::optional<std::string> FromBase64(std::string_view text, std::size_t maxBytes);
