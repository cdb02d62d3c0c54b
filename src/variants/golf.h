#pragma once

#include "variants/removal.h"

// The games played onto one waste pile from seven short columns.

// Seven columns of five face-up cards. A click plays a column's top card onto
// the waste when it is one rank above or below the waste's top card, without
// wrapping and never onto a King; a click on the stock turns its next card,
// and the stock is not redealt. Won when the columns are cleared.
class clGolf : public clWasteRunGame {
public:
    clGolf();
    void CreateLayout() override;
    bool ValidateCardMove(const clMove& move) override;

protected:
    // The seven columns, fanned down, with their keys and row values.
    void Columns();
};

// Golf in which King and Ace are neighbours and anything goes on a King.
class clPuttPutt : public clGolf {
public:
    clPuttPutt();
    bool ValidateCardMove(const clMove& move) override;
};

// Golf with the stock's cards face up and fanned, so the coming cards show.
class clDrivingRange : public clGolf {
public:
    clDrivingRange();
    void CreateLayout() override;
    // The generic deal with the stock's cards face up.
    void DealCards() override;
};

// Golf with only the columns' top cards showing.
class clNightGolf : public clGolf {
public:
    clNightGolf();
    // Every column face down but its top card, which is face up and free.
    void AfterMove() override;
};
