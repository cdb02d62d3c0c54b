#pragma once

#include <cstdint>

#include "piles/group.h"
#include "piles/location.h"
#include "piles/pile.h"

// A pile of the game's reserve list: free cells, discard heaps, single
// waiting spaces. Only its subclasses are built.
class clReserve : public clPile {
public:
    // Reserve location with the pile number and the top index (0 when empty).
    bool GetTop(clLocation& location, std::int32_t& dealIndex) const override;

protected:
    clReserve();
};

// A free cell: one card.
class clCell : public clReserve {
public:
    clCell();
};

// A heap that takes any number of cards and never gives one back; it grows
// upward by 2 pixels a card.
class clReserveDiscard : public clReserve {
public:
    clReserveDiscard();
};

// A single space whose card leaves but which takes none by a move.
class clReserveDiscardOnly : public clReserve {
public:
    clReserveDiscardOnly();
};

// A single space between the stock and the waste, showing its card as a waste does.
class clReserveFromStockToWaste : public clReserve {
public:
    clReserveFromStockToWaste();
    bool AddCards(clGroup& group) override;
};

// Takes any number of cards; only the top card leaves. Grows downward by 2 pixels a card.
class clReserveMoveTopCard : public clReserve {
public:
    clReserveMoveTopCard();
};

// As clReserveMoveTopCard, but takes no card by a move.
class clReserveRemoveTopCard : public clReserve {
public:
    clReserveRemoveTopCard();
};

// A clickable mark without cards, such as a redeal button.
class clSymbolPile : public clPile {
public:
    clSymbolPile();
};

// The reshuffle button: the redeal mark, on the Tab key.
class clSymbolReshuffle : public clSymbolPile {
public:
    clSymbolReshuffle();
};
