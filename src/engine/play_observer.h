#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

struct clMove;

// What a playing screen tells one listener about the game as it is played:
// enough to write down every round (its deal, the history's records with the
// countdown at each, undos, the round's end) and to keep that beside the
// automatic save. Counts are the timer's, in tenths of a second.
class clPlayObserver {
public:
    virtual ~clPlayObserver() = default;

    // A round was dealt (the first of a game has round 1).
    virtual void RoundStarted(std::int32_t round, std::int32_t dealNumber,
                              std::int32_t bonusStart) = 0;
    // A record went onto the history; `chained` when the move was added to
    // the last record instead, which `record` then is as a whole.
    virtual void MoveRecorded(const clMove& record, bool chained, std::int32_t count) = 0;
    // The last applied record was taken back by the Undo command.
    virtual void MoveUndone(std::int32_t count) = 0;
    // A card was turned up at the game's card-turn cost (no record is made).
    virtual void CardTurned(std::int32_t dealIndex, std::int32_t count) = 0;
    // The round ended with this count; its bonus is in `score`.
    virtual void RoundEnded(std::int32_t count, std::int32_t score) = 0;
    // The automatic save was written to, or removed from, `path`.
    virtual void AutomaticSaveWritten(const std::filesystem::path& path) = 0;
    virtual void AutomaticSaveDeleted(const std::filesystem::path& path) = 0;
    // A saved game was taken over from `path`, the automatic save or not:
    // its round, deal number (0 between rounds) and applied moves.
    virtual void GameLoaded(const std::filesystem::path& path, bool automatic, std::int32_t round,
                            std::int32_t dealNumber, std::size_t moves) = 0;
};
