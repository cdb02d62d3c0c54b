#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/move.h"

// A game in progress as a saved-game file holds it: the deal is rebuilt from
// its number and the moves are replayed on it.
struct clSavedGame {
    std::string name;             // the variant's display name
    std::int32_t dealNumber = 0;  // 0: saved between two rounds
    std::int32_t bonusCount = 0;  // the time bonus left, in tenths of a second
    std::int32_t score = 0;
    std::int32_t round = 0;
    std::vector<clMove> moves;  // the applied moves, oldest first
};

// The saved-game file: a 96-byte little-endian header ("LVRQ", version 1,
// the display name in 64 zero-padded bytes, deal number, bonus count, score,
// round, the number of move records, the size of an extra block), the move
// records, then the extra block, which the program never writes and never
// reads.
//
// Files come from anywhere, so reading checks every field before it is used:
// the name must end within its 64 bytes, the deal number lie in 0..2147483646,
// round and bonus count must not be negative, the record count must fit the
// history and the bytes present; a card move names location kinds 1-5 at both
// ends, a set removal lists 1-8 cards, a compound holds 1-8 parts and never
// another compound. Whether the moves fit the variant is for the screen that
// replays them.
class clSavedGameFile {
public:
    static constexpr std::size_t kHeaderSize = 96;
    static constexpr std::size_t kNameSize = 64;
    static constexpr std::uint32_t kVersion = 1;
    // The highest deal number (2^31 - 2, the generator's largest state).
    static constexpr std::int32_t kMaxDealNumber = 2147483646;

    // The file's bytes; nothing when a move cannot be stored (a card move
    // without a pile at one end, or a record the reader would refuse) or the
    // name does not fit.
    static std::optional<std::vector<std::uint8_t>> Encode(const clSavedGame& game);
    // The game in the bytes; nothing for anything but a well-formed file.
    static std::optional<clSavedGame> Decode(std::span<const std::uint8_t> bytes);

    // Writes the file safely: the bytes go to a new file in the same folder,
    // which replaces `path` only once complete. False when nothing was
    // replaced; a file already at `path` is then as it was.
    static bool Write(const std::filesystem::path& path, const clSavedGame& game);
    // The game in the file; nothing when it cannot be read or is not a
    // well-formed saved game.
    static std::optional<clSavedGame> Read(const std::filesystem::path& path);
    // Only the header: the display name of the variant the file belongs to.
    static std::optional<std::string> ReadName(const std::filesystem::path& path);
};
