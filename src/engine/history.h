#pragma once

#include <cstddef>
#include <vector>

#include "engine/move.h"

// The moves of the current round: records 0 .. Position()-1 are on the table,
// records from Position() to Count()-1 are the redoable tail left by undo.
class clHistory {
public:
    static constexpr std::size_t kCapacity = 65536;

    // Records the move at the current position. Replaying the next record of
    // the tail only advances; any other move drops the tail. False, recording
    // nothing, when the history is full.
    bool Push(const clMove& move);
    // Adds a chained move to the last applied record: a card move becomes a
    // compound of itself and the move, a compound with room gains a part;
    // otherwise the move is pushed. False when nothing could be recorded.
    bool Append(const clMove& move);
    // Whether Push(move) or Append(move) would record it.
    bool CanPush(const clMove& move) const;
    bool CanAppend(const clMove& move) const;

    // The record before the position (the position moves back), or null at 0.
    const clMove* StepBack();
    // The record at the position (the position moves on), or null at the end.
    const clMove* StepForward();
    // Moves the position anywhere within 0..Count().
    void SetPosition(std::size_t newPosition);
    void Clear();

    std::size_t Count() const { return records.size(); }
    std::size_t Position() const { return position; }
    const clMove& At(std::size_t i) const { return records[i]; }
    // The last applied record, or null at position 0.
    const clMove* Last() const { return position > 0 ? &records[position - 1] : nullptr; }

private:
    std::vector<clMove> records;
    std::size_t position = 0;
};
