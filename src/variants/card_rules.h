#pragma once

#include <cstdlib>

#include "cards/card.h"

// The rank rules the games judge cards by, named as the rules say them.

inline bool HaveSameRank(const clCard& a, const clCard& b) {
    return a.GetRank() == b.GetRank();
}

// Jacks count 11, Queens 12 and Kings 13.
inline bool RanksAddUpTo(int total, const clCard& a, const clCard& b) {
    return a.GetRank() + b.GetRank() == total;
}

// Whether a King and an Ace are neighbours too.
enum class clRankWrap { None, KingAndAce };

// One rank above or below.
inline bool AreNeighbours(const clCard& a, const clCard& b, clRankWrap wrap) {
    const int apart = std::abs(a.GetRank() - b.GetRank());
    return apart == 1 || (wrap == clRankWrap::KingAndAce && apart == 12);
}
