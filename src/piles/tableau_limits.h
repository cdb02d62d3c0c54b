#pragma once

#include <cstdint>
#include <span>

#include "cards/card.h"
#include "piles/pile.h"
#include "piles/pile_symbol.h"

// A game's list of piles of one kind, in pile-number order. Null entries are skipped.
using clPileList = std::span<clPile* const>;

// The piles [first, first + n) of a list, cut at its end; n = 0 runs to the
// end; a negative n or first, or a first past the end, gives none.
clPileList PileRange(clPileList piles, int n, int first);

// Multi-card move limits, recomputed by the variant after every move. With e
// empty tableau piles and f empty reserves (cells), every empty tableau pile
// may take and give e * (f + 1) cards at once, every other (f + 1) * (e + 1).
void CellCounting(clPileList tableau, clPileList reserves);
// For games whose spaces take only kings: every tableau pile f + 1.
void KingsCellCounting(clPileList tableau, clPileList reserves);

// Range setters: each changes `n` piles from index `first` of the list, n = 0
// meaning every pile from `first` to the end. A range reaching past the end
// stops there; a negative n or first, or a first past the end, changes nothing.
// Piles that are not tableau piles keep their rank settings.

// Also sets the symbol to the rank's mark, or none for 0.
void SetTableauEmptyRank(clPileList tableau, int rank, int n = 0, int first = 0);
void SetTableauEmptyRank(clPileList tableau, clRank rank, int n = 0, int first = 0);
void SetTableauSymbol(clPileList tableau, clPileSymbol symbol, int n = 0, int first = 0);
void SetTableauStopRank(clPileList tableau, int rank, int n = 0, int first = 0);
// Max in and max out together; 0 means no limit.
void SetTableauMoveLimit(clPileList tableau, std::uint32_t limit, int n = 0, int first = 0);
void SetTableauRowValue(clPileList tableau, std::uint32_t rowValue, int n = 0, int first = 0);
// The rank scored at the bottom of each pile; marks each pile as scored (rowLength 1).
void SetTableauRequiredRank(clPileList tableau, clRank rank, int n = 0, int first = 0);
// A row scored as a sequence: pile i of the row requires rank firstRank + i
// and has rowValue firstValue + i * step (never below 0); the row's first pile
// carries the row's length.
void SetTableauRowSequence(clPileList tableau, int firstRank, int firstValue, int step, int n = 0,
                           int first = 0);
void SetTableauCounting(clPileList tableau, bool counting, int n = 0, int first = 0);
