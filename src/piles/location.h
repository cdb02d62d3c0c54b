#pragma once

#include <cstdint>

// Where a pile lies in the game's typed lists. The numbers are stored in saved games.
enum class clLocationKind : std::int32_t {
    None = 0,  // no place, or a pile in no typed list
    Foundation = 1,
    Tableau = 2,
    Reserve = 3,
    Stock = 4,
    Waste = 5,
};

// A place on the table. For foundations, tableau piles and reserves, `first`
// is the pile's index in its list and `second` the card position (0 = bottom);
// for the stock and the waste, `first` is the card position.
struct clLocation {
    clLocationKind kind = clLocationKind::None;
    std::int32_t first = 0;
    std::int32_t second = 0;

    static clLocation Pile(clLocationKind kind, std::int32_t index, std::int32_t position) {
        return {kind, index, position};
    }
    static clLocation Single(clLocationKind kind, std::int32_t position) {
        return {kind, position, 0};
    }

    bool HasPileIndex() const {
        return kind == clLocationKind::Foundation || kind == clLocationKind::Tableau ||
               kind == clLocationKind::Reserve;
    }
    // The card position within the pile.
    std::int32_t Position() const { return HasPileIndex() ? second : first; }
    // The same place with another card position.
    clLocation WithPosition(std::int32_t position) const {
        clLocation at = *this;
        (HasPileIndex() ? at.second : at.first) = position;
        return at;
    }

    // The same pile, whatever the card position.
    bool SamePile(const clLocation& other) const {
        if (kind != other.kind) return false;
        return !HasPileIndex() || first == other.first;
    }

    friend bool operator==(const clLocation& a, const clLocation& b) {
        if (a.kind != b.kind) return false;
        if (a.kind == clLocationKind::None) return true;
        if (a.HasPileIndex()) return a.first == b.first && a.second == b.second;
        return a.first == b.first;
    }
};
