#include "piles/tableau_limits.h"

#include <algorithm>
#include <cstddef>

#include "piles/tableau.h"

namespace {

std::uint32_t CountEmpty(clPileList piles) {
    return static_cast<std::uint32_t>(std::count_if(
        piles.begin(), piles.end(), [](const clPile* pile) { return pile && pile->Count() == 0; }));
}

void SetMoveLimit(clPile& pile, std::uint32_t limit) {
    pile.SetMaxIn(limit);
    pile.SetMaxOut(limit);
}

// Calls set(pile, i) for the i-th pile of the range.
template <class Set>
void ForEachPile(clPileList piles, int n, int first, Set set) {
    const clPileList range = PileRange(piles, n, first);
    for (std::size_t i = 0; i < range.size(); ++i) {
        if (range[i] != nullptr) set(*range[i], i);
    }
}

template <class Set>
void ForEachStore(clPileList piles, int n, int first, Set set) {
    ForEachPile(piles, n, first, [&](clPile& pile, std::size_t) {
        if (auto* store = dynamic_cast<clStore*>(&pile)) set(*store);
    });
}

std::uint32_t NonNegative(long long value) {
    return value < 0 ? 0 : static_cast<std::uint32_t>(value);
}

}  // namespace

clPileList PileRange(clPileList piles, int n, int first) {
    if (n < 0 || first < 0 || static_cast<std::size_t>(first) >= piles.size()) return {};
    const std::size_t left = piles.size() - static_cast<std::size_t>(first);
    const std::size_t length = n == 0 ? left : std::min(left, static_cast<std::size_t>(n));
    return piles.subspan(static_cast<std::size_t>(first), length);
}

void CellCounting(clPileList tableau, clPileList reserves) {
    const std::uint32_t emptyPiles = CountEmpty(tableau);
    const std::uint32_t emptyCells = CountEmpty(reserves);
    for (clPile* pile : tableau) {
        if (pile == nullptr) continue;
        SetMoveLimit(*pile, pile->Count() == 0 ? emptyPiles * (emptyCells + 1)
                                               : (emptyCells + 1) * (emptyPiles + 1));
    }
}

void KingsCellCounting(clPileList tableau, clPileList reserves) {
    const std::uint32_t emptyCells = CountEmpty(reserves);
    for (clPile* pile : tableau) {
        if (pile != nullptr) SetMoveLimit(*pile, emptyCells + 1);
    }
}

void SetTableauEmptyRank(clPileList tableau, int rank, int n, int first) {
    ForEachStore(tableau, n, first, [&](clStore& store) { store.SetEmptyRank(rank); });
}

void SetTableauEmptyRank(clPileList tableau, clRank rank, int n, int first) {
    SetTableauEmptyRank(tableau, static_cast<int>(rank), n, first);
}

void SetTableauSymbol(clPileList tableau, clPileSymbol symbol, int n, int first) {
    ForEachPile(tableau, n, first, [&](clPile& pile, std::size_t) { pile.SetSymbol(symbol); });
}

void SetTableauStopRank(clPileList tableau, int rank, int n, int first) {
    ForEachStore(tableau, n, first, [&](clStore& store) { store.SetStopRank(rank); });
}

void SetTableauMoveLimit(clPileList tableau, std::uint32_t limit, int n, int first) {
    ForEachPile(tableau, n, first, [&](clPile& pile, std::size_t) { SetMoveLimit(pile, limit); });
}

void SetTableauRowValue(clPileList tableau, std::uint32_t rowValue, int n, int first) {
    ForEachPile(tableau, n, first, [&](clPile& pile, std::size_t) {
        clTableauScoring scoring = pile.Scoring();
        scoring.rowValue = rowValue;
        pile.SetScoring(scoring);
    });
}

void SetTableauRequiredRank(clPileList tableau, clRank rank, int n, int first) {
    ForEachPile(tableau, n, first, [&](clPile& pile, std::size_t) {
        clTableauScoring scoring = pile.Scoring();
        scoring.requiredRank = static_cast<std::uint32_t>(rank);
        scoring.rowLength = 1;
        pile.SetScoring(scoring);
    });
}

void SetTableauRowSequence(clPileList tableau, int firstRank, int firstValue, int step, int n,
                           int first) {
    const auto rowLength = static_cast<std::uint32_t>(PileRange(tableau, n, first).size());
    ForEachPile(tableau, n, first, [&](clPile& pile, std::size_t i) {
        const auto at = static_cast<long long>(i);
        clTableauScoring scoring = pile.Scoring();
        scoring.requiredRank = NonNegative(firstRank + at);
        scoring.rowValue = NonNegative(firstValue + at * step);
        if (i == 0) scoring.rowLength = rowLength;
        pile.SetScoring(scoring);
    });
}

void SetTableauCounting(clPileList tableau, bool counting, int n, int first) {
    ForEachPile(tableau, n, first, [&](clPile& pile, std::size_t) {
        clTableauScoring scoring = pile.Scoring();
        scoring.counting = counting;
        pile.SetScoring(scoring);
    });
}
