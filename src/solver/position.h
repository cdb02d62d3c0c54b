#pragma once

#include <cstdint>
#include <vector>

#include "solver/family.h"

class clPile;
class clSolitaireRules;
class clStock;
class clStore;

// How the search sees a position of one game: a compact key that stays the
// same for positions that play alike, and a weight that ranks positions.
// Made once per game; it reads the table and changes nothing.
class clPositionView {
public:
    clPositionView(const clSolitaireRules& game, const clFamilyTraits& traits);

    // The key: every pile's cards with their faces, the screen's generator
    // (redeals that shuffle) and the stock's passes where they are limited.
    // Piles of a kind whose order cannot matter (single cells alike, and
    // columns alike where the family says so) count as one set: their
    // order does not change the key.
    std::uint64_t Key() const;
    // The position's weight by the family's traits; the larger the better.
    std::int64_t Weight() const;
    // Whether two piles belong to the same set of alike piles.
    bool SameSet(const clPile* a, const clPile* b) const;

private:
    // A set of piles alike, keyed as a sorted list.
    struct clPileSet {
        std::vector<const clPile*> piles;
    };
    void GroupAlike(const std::vector<const clPile*>& candidates);
    std::int64_t InPlace() const;

    const clSolitaireRules& game;
    clFamilyTraits traits;
    std::vector<const clPile*> single;  // keyed in place
    std::vector<clPileSet> sets;
    std::vector<const clStore*> columns;
    const clStock* stock = nullptr;
};
