#pragma once

#include <cstdint>
#include <vector>

#include "cards/card.h"

class clRandom;

// The cards of one playing screen, with their deal order (position k holds the
// card dealt k-th) and their draw order.
class clDeck {
public:
    // At most this many packs, so a card count always fits the piles' storage.
    static constexpr int kMaxPacks = 64;

    // Packs in order, each suit 4, 3, 2, 1 from ace to king, then the jokers
    // (52, 53, 52, ...). False, leaving the deck as it was, for decks <= 0,
    // jokers < 0 or more than the deck can hold.
    bool Build(int decks, int jokers);
    // Every card unplaced, deal and draw orders back to build order.
    void Reset();
    // Fisher-Yates from the top; calls the generator exactly Count() times.
    void Shuffle(clRandom& random);
    // Stable sort of the draw order by ascending draw key.
    void SortDrawOrder();

    int Count() const { return static_cast<int>(cards.size()); }
    // The card at a deal position, or null when out of range.
    clCard* CardAt(int k);
    const clCard* CardAt(int k) const;
    // The card at a draw position, or null when out of range.
    clCard* DrawCardAt(int k);

private:
    std::vector<clCard> cards;
    std::vector<clCard*> dealOrder;
    std::vector<clCard*> drawOrder;
};
