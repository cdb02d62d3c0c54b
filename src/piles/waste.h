#pragma once

#include <cstdint>

#include "piles/group.h"
#include "piles/location.h"
#include "piles/pile.h"

// Turns every card of the pile face up and frees its top card, as a waste
// shows the cards turned from the stock.
void ShowAsWaste(clGroup& pile);

// The cards turned from the stock, one card in and one card out at a time.
class clWaste : public clPile {
public:
    clWaste();

    // Arriving cards turn face up and the new top card is free.
    bool AddCards(clGroup& group) override;
    // Waste location with the top index (0 when empty).
    bool GetTop(clLocation& location, std::int32_t& dealIndex) const override;
};

// A waste that never gives a card back.
class clWasteDiscard : public clWaste {
public:
    clWasteDiscard();
};

// Takes cards from the stock only.
class clWasteFromStock : public clWaste {
public:
    clWasteFromStock();
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;

protected:
    // The only kind of pile this waste takes cards from.
    clLocationKind takesFrom = clLocationKind::Stock;
};

// A clWasteFromStock whose clicks run the variant's action.
class clWasteFromStockSelect : public clWasteFromStock {
public:
    clWasteFromStockSelect();
};

// A clWasteFromStock with room for one card.
class clWasteFromStockSingle : public clWasteFromStock {
public:
    clWasteFromStockSingle();
};

// A selectable waste that takes cards from a reserve only.
class clWasteFromReserveSelect : public clWasteFromStock {
public:
    clWasteFromReserveSelect();
};
