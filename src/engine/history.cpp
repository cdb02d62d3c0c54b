#include "engine/history.h"

#include <algorithm>

bool clHistory::CanPush(const clMove& move) const {
    if (position < records.size() && records[position] == move) return true;
    return position < kCapacity;
}

bool clHistory::CanAppend(const clMove& move) const {
    if (const clMove* last = Last()) {
        if (last->type == clMoveType::Card) return true;
        if (last->type == clMoveType::Compound && last->count < clMove::kMaxParts) return true;
    }
    return CanPush(move);
}

bool clHistory::Push(const clMove& move) {
    if (position < records.size() && records[position] == move) {
        ++position;
        return true;
    }
    if (position >= kCapacity) return false;
    records.resize(position);
    records.push_back(move);
    position = records.size();
    return true;
}

bool clHistory::Append(const clMove& move) {
    if (position > 0) {
        clMove& last = records[position - 1];
        if (last.type == clMoveType::Compound && last.count < clMove::kMaxParts) {
            last.AddPart(move);
            records.resize(position);
            return true;
        }
        if (last.type == clMoveType::Card) {
            last = clMove::CompoundMove({last, move});
            records.resize(position);
            return true;
        }
    }
    return Push(move);
}

const clMove* clHistory::StepBack() {
    if (position == 0) return nullptr;
    --position;
    return &records[position];
}

const clMove* clHistory::StepForward() {
    if (position >= records.size()) return nullptr;
    return &records[position++];
}

void clHistory::SetPosition(std::size_t newPosition) {
    position = std::min(newPosition, records.size());
}

void clHistory::Clear() {
    records.clear();
    position = 0;
}
