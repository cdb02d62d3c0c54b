#pragma once

#include <cstdint>

#include "piles/group.h"
#include "piles/location.h"
#include "piles/pile.h"

// The undealt cards. Cards arrive face down; a click on the stock runs the
// variant's stock action. clStock itself gives nothing.
class clStock : public clPile {
public:
    clStock();

    // Turns every card face down once the cards have arrived.
    bool AddCards(clGroup& group) override;
    // The top card lies at the anchor, where the empty stock shows its mark,
    // and each card below it one fan step further out. So the card a click
    // deals never moves: the stock shrinks from its far end, and a player
    // clicking where it lies reaches it (and its empty place) every time.
    void Arrange() override { LayOut(true); }
    // Stock location with the top index (0 when empty).
    bool GetTop(clLocation& location, std::int32_t& dealIndex) const override;
    // No card is ever moved onto a stock: cards come back to it only through
    // the game's own redeal, so a waste card dragged onto the stock is refused.
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override {
        (void)index, (void)moving, (void)source;
        return false;
    }
    // Counts one pass through the stock (a redeal).
    virtual void CountPass() { ++passes; }
    // The passes made and their limit.
    void SaveState(clStateWords& words) const override;
    void RestoreState(clStateReader& words) override;

    std::uint32_t Passes() const { return passes; }
    std::uint32_t PassLimit() const { return passLimit; }
    // 0 means no limit.
    void SetPassLimit(std::uint32_t limit) { passLimit = limit; }

protected:
    std::uint32_t passes = 0;
    std::uint32_t passLimit = 0;
};

// Gives its cards anywhere: the variant decides where dealt cards go.
class clStockDealOnly : public clStock {
public:
    clStockDealOnly();
};

// Deals to the waste only, and takes the waste back on a redeal.
class clStockToWaste : public clStock {
public:
    clStockToWaste();
    bool PickUp(int index, const clLocation& destination, clGroup& into) const override;
    // Shows the no-redeal mark once the pass limit is reached.
    void CountPass() override;

protected:
    // The only kind of pile this stock deals to.
    clLocationKind dealsTo = clLocationKind::Waste;
};

// Deals to a reserve only.
class clStockToReserve : public clStockToWaste {
public:
    clStockToReserve();
};

// Deals to the waste and is never redealt: it shows the no-redeal mark.
class clStockToWasteOnly : public clStockToWaste {
public:
    clStockToWasteOnly();
};

// As clStockToWasteOnly, with its cards face up.
class clStockToWasteOpen : public clStockToWasteOnly {
public:
    clStockToWasteOpen() = default;
    bool AddCards(clGroup& group) override;
};
