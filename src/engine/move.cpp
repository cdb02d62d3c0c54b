#include "engine/move.h"

#include <algorithm>
#include <utility>

clMove clMove::CardMove(std::int32_t first, clLocation from, clLocation to) {
    clMove move;
    move.type = clMoveType::Card;
    move.first = first;
    move.from = from;
    move.to = to;
    return move;
}

clMove clMove::PairMove(std::int32_t first, std::int32_t second) {
    clMove move;
    move.type = clMoveType::Pair;
    move.first = first;
    move.second = second;
    return move;
}

clMove clMove::SetMove(const std::vector<std::int32_t>& dealIndexes) {
    clMove move;
    move.type = clMoveType::Set;
    move.count = static_cast<std::int32_t>(std::min<std::size_t>(dealIndexes.size(), kSetSlots));
    std::copy_n(dealIndexes.begin(), move.count, move.cards.begin());
    return move;
}

clMove clMove::StockMove() {
    clMove move;
    move.type = clMoveType::Stock;
    return move;
}

clMove clMove::CompoundMove(std::vector<clMove> parts) {
    clMove move;
    move.type = clMoveType::Compound;
    if (parts.size() > kMaxParts) parts.resize(kMaxParts);
    move.count = static_cast<std::int32_t>(parts.size());
    move.parts = std::move(parts);
    return move;
}

bool clMove::AddPart(const clMove& part) {
    if (type != clMoveType::Compound || count >= kMaxParts) return false;
    parts.push_back(part);
    count = static_cast<std::int32_t>(parts.size());
    return true;
}

bool operator==(const clMove& a, const clMove& b) {
    if (a.type != b.type) return false;
    switch (a.type) {
        case clMoveType::Card:
            return a.first == b.first && a.from == b.from && a.to == b.to;
        case clMoveType::Pair:
            return a.first == b.first && a.second == b.second;
        case clMoveType::Set: {
            if (a.count != b.count) return false;
            const int n = std::clamp(a.count, 0, clMove::kSetSlots);
            return std::equal(a.cards.begin(), a.cards.begin() + n, b.cards.begin());
        }
        case clMoveType::Compound:
            return a.count == b.count && a.parts == b.parts;
        default:
            return true;
    }
}
