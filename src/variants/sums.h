#pragma once

#include "variants/removal.h"

// The addition games: a pyramid-like table of 22 single cards over a stock
// and a waste, court cards counted as aces. The player clicks free cards
// (and the waste's top card) into a selection; as soon as the selected cards
// add up to exactly 11 they leave the table. A click on a selected card
// takes it out of the selection again. A click on the stock turns its next
// card onto the waste; a right click on it turns the waste back under the
// stock, while the stock, the waste and the three bottom piles hold cards.
class clHiddenSums : public clRemovalGame {
public:
    clHiddenSums();
    void CreateLayout() override;
    // Jacks, queens and kings become the ace of their suit.
    bool CreateDeck() override;
    // Won with every table pile and the stock empty.
    bool IsGameWon() override;
    void OnPileClick() override;
    // A right click on the stock turns the waste back under it.
    bool OnRightClick() override;
    // Free cards (and the waste's top card) adding up to exactly 11.
    bool ValidateRemoval(int count, const std::int32_t* cards) override;
    // The waste goes back under the stock, the stock's cards staying on top.
    void StockAction(bool animated) override;
    // Stock, waste and the bottom piles 7, 20 and 21 must all hold cards.
    bool ValidateStockAction() override;
    // The games make no compound moves.
    bool ValidateCompound(const clMove& move) override {
        (void)move;
        return false;
    }
};

// Hidden Sums with every table card dealt face up.
class clGet11 : public clHiddenSums {
public:
    clGet11();
    void CreateLayout() override;
};
