#pragma once

#include "variants/solitaire_game.h"

// Two-pack games with eight foundations up in suit and a stock dealt one card
// at a time to a waste that is turned back over without limit.

// Ten columns of four face-up cards building down in suit; one card moves at
// a time; any card fills a space.
class clFortyThieves : public clSolitaireGame {
public:
    clFortyThieves();
    void CreateLayout() override;
};

// Seven columns dealt in rows alternately face up and face down; in-suit runs
// move together.
class clInterchange : public clFortyThieves {
public:
    clInterchange();
    void CreateLayout() override;
    void DealCards() override;
};

// Interchange with Kings only in spaces.
class clInterchangeKings : public clInterchange {
public:
    clInterchangeKings();
    void CreateLayout() override;
};

// Ten face-up columns of 1, 3, 5, 7, 9, 10, 8, 6, 4 and 2 cards building down
// in alternating colours; Kings only in spaces.
class clThievesOfEgypt : public clFortyThieves {
public:
    clThievesOfEgypt();
    void CreateLayout() override;
    void DealCards() override;
};
