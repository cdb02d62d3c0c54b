#pragma once

#include <cstdint>

#include "piles/group.h"
#include "variants/removal.h"

// The games that remove cards in pairs from overlapping rows.

// Twenty-eight cards in a pyramid of seven rows. Two free cards whose ranks
// add up to 13 are removed together, a King alone. The stock deals through a
// reserve to the waste, whose top cards also pair; once the stock is empty,
// waste and reserve go back to it, each time at a growing cost.
class clPyramid : public clRemovalGame {
public:
    clPyramid();
    void CreateLayout() override;
    // Every card removed: tableau, stock, reserve and waste empty.
    bool IsGameWon() override;
    // An empty stock asks for the redeal; an empty reserve or waste deals.
    void OnEmptyPick() override;
    // The stock deals; a table, reserve or waste card is selected for a pair.
    void OnPileClick() override;
    // The reserve's card, then the waste from its top down, back onto the
    // stock face down, so the stock regains its dealing order.
    void StockAction(bool animated) override;
    // A deal: the reserve's card to the waste, then the stock's top card into
    // the reserve (checked with the reserve's card lifted aside).
    bool ValidateCompound(const clMove& move) override;
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
    // The stock is empty and the reserve or the waste holds cards.
    bool ValidateStockAction() override;

protected:
    // The pyramid, its row values and the stock, reserve and waste below it.
    void PyramidLayout();
    // The reserve's card to the waste and the stock's top card to the reserve.
    void DealThroughReserve();

private:
    clGroup lifted{1};
};

// Pyramid with all but the bottom row dealt face down.
class clHiddenPyramid : public clPyramid {
public:
    clHiddenPyramid();
    void CreateLayout() override;
};

// Two packs: two pyramids whose rows merge.
class clDoublePyramid : public clPyramid {
public:
    clDoublePyramid();
    void CreateLayout() override;
};

// Pyramid pairing equal ranks and neighbouring ranks (no King with an Ace);
// nothing goes alone.
class clCheops : public clPyramid {
public:
    clCheops();
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
};

// Pyramid without a reserve: the stock turns three cards at a time onto the
// waste, whose top card pairs, and the waste is turned over without limit.
// Won when the pyramid is gone.
class clKingTut : public clPyramid {
public:
    clKingTut();
    void CreateLayout() override;
    bool IsGameWon() override;
    void OnEmptyPick() override;
    void OnPileClick() override;
    void StockAction(bool animated) override;
    bool ValidateCompound(const clMove& move) override;
    bool ValidateStockAction() override;
};

// Six rows of six and five cards; equal or neighbouring ranks pair, a King
// with an Ace too. The stock turns one card at a time and is not redealt.
// Won when the table is cleared.
class clPickingPairs : public clRemovalGame {
public:
    clPickingPairs();
    void CreateLayout() override;
    void OnPileClick() override;
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
};
