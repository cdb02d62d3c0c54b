#pragma once

#include <span>

#include "variants/removal.h"

// The games played onto one waste pile from peaks of overlapping cards.

// Three peaks of 28 cards, all but the bottom row face down. A click plays a
// free card onto the waste when it is one rank above or below the waste's top
// card, King and Ace being neighbours; a click on the stock turns its next
// card. Emptying a peak earns the next pile-cleared bonus. Won when the table
// is cleared.
class clTripleTowers : public clWasteRunGame {
public:
    clTripleTowers();
    void CreateLayout() override;
    bool ValidateCardMove(const clMove& move) override;

protected:
    // The table's piles along the rows, the first `peaks` of them counting
    // as peaks, with the stock and the waste side by side below, 4 pixels
    // apart.
    void TowersLayout(int piles, std::span<const clRowRun> rows, double firstY, double rowStep,
                      std::span<const clCover> table, int peaks, double stockY);
};

// Triple Towers dealt all face up.
class clTriplePeaks : public clTripleTowers {
public:
    clTriplePeaks();
    void CreateLayout() override;
};

// Two packs on the Double Pyramid's table, two peaks.
class clTwinPeaks : public clTripleTowers {
public:
    clTwinPeaks();
    void CreateLayout() override;
};

// Four packs: four peaks over thirteen rows that merge.
class clCrownPeaks : public clTripleTowers {
public:
    clCrownPeaks();
    void CreateLayout() override;
};

// Three packs: two towers over long zig-zag columns.
class clRapunzel : public clTripleTowers {
public:
    clRapunzel();
    void CreateLayout() override;
};
