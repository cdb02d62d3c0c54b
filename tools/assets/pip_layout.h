#pragma once

#include <span>

// One pip of a number card: its column (-1 left, 0 centre, 1 right) and its
// height in the pip area (0 the top row, 1 the bottom row). Pips below the
// middle are drawn upside down, as on a printed card.
struct clPip {
    int column = 0;
    double row = 0;
};

// The pips of ranks 2 to 10 in their traditional places; empty for other ranks.
std::span<const clPip> PipLayout(int rank);
