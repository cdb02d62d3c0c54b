#pragma once

#include <vector>

#include "variants/solitaire_game.h"

// The open games: every card is dealt face up, and single free cells hold
// cards in waiting. None has a stock or a waste.

// Eight columns building down in alternating colours, four cells, any card
// in spaces; runs move as far as the empty cells and columns allow.
class clFreeCell : public clSolitaireGame {
public:
    clFreeCell();
    void CreateLayout() override;

protected:
    // FreeCell's layout with another number of columns and cells.
    void FreeCellLayout(int columns, int cells);
    void FreeCellRules(const std::vector<clPile*>& cells);
};

// FreeCell with Kings only in spaces.
class clFreeCellKings : public clFreeCell {
public:
    clFreeCellKings();
    void CreateLayout() override;

protected:
    void KingsOnly();
};

// FreeCell Kings under another name.
class clForeCell : public clFreeCellKings {
public:
    clForeCell();
};

class clThreeCells : public clFreeCell {
public:
    clThreeCells();
    void CreateLayout() override;
};

class clTwoCells : public clFreeCell {
public:
    clTwoCells();
    void CreateLayout() override;
};

// Seven columns and four cells.
class clSevenByFour : public clFreeCell {
public:
    clSevenByFour();
    void CreateLayout() override;
};

class clSevenByFourKings : public clFreeCellKings {
public:
    clSevenByFourKings();
    void CreateLayout() override;
};

// Seven columns, five cells, the foundations in a column on the right.
class clSevenByFive : public clFreeCell {
public:
    clSevenByFive();
    void CreateLayout() override;
};

// Four long columns and ten cells in two columns.
class clFourByTen : public clFreeCell {
public:
    clFourByTen();
    void CreateLayout() override;
};

// Ten columns and one cell.
class clTenByOne : public clFreeCell {
public:
    clTenByOne();
    void CreateLayout() override;
};

// Ten columns building down in suit and four cells, two of them dealt.
class clSeaTowers : public clSolitaireGame {
public:
    clSeaTowers();
    void CreateLayout() override;
    // The cards but the last reserveDealCount round-robin over the columns,
    // then those onto the cells from cell 1 on, wrapping.
    void DealCards() override;

protected:
    // The in-suit columns and the cells of this family, with their keys.
    void InSuitLayout(int columns, int cells);
    // The first cell the cell cards go to.
    int firstDealtCell = 1;
};

class clSeaTowersKings : public clSeaTowers {
public:
    clSeaTowersKings();
    void CreateLayout() override;
};

// Two packs: eleven columns, nine cells, five of them dealt.
class clDoubleSeaTowers : public clSeaTowers {
public:
    clDoubleSeaTowers();
    void CreateLayout() override;
};

// FreeCell's table building down in suit.
class clBakersGame : public clSeaTowers {
public:
    clBakersGame();
    void CreateLayout() override;
};

class clBakersGameKings : public clBakersGame {
public:
    clBakersGameKings();
    void CreateLayout() override;
};

// Eight in-suit columns and eight cells, four of them dealt; Kings only in
// spaces. Columns carry letters and cells digits.
class clEightOff : public clBakersGameKings {
public:
    clEightOff();
    void CreateLayout() override;
    // The generic deal: the cell cards go to cells 0, 1, ...
    void DealCards() override;
};

// Eight Off with the Aces at the bottoms of the first four columns and all
// eight cells dealt.
class clEightOn : public clEightOff {
public:
    clEightOn();
    void CreateLayout() override;
    void DealCards() override;
};

// Seven in-suit columns and seven cells; the first card dealt sets the base
// rank of the foundations, and the other three of its rank start them.
class clPenguin : public clSolitaireGame {
public:
    clPenguin();
    void CreateLayout() override;
    void DealCards() override;

protected:
    void PenguinLayout(int cells, double cellsX, int cellsPixelX);
};

// Penguin's table with Ace foundations and Kings only in spaces.
class clTuxedo : public clPenguin {
public:
    clTuxedo();
    void CreateLayout() override;
    // Seven rows of seven, then the last three cards onto columns 0, 3 and 6.
    void DealCards() override;
};

// Penguin with five cells.
class clOpus : public clPenguin {
public:
    clOpus();
    void CreateLayout() override;
};

// The Aces start the foundations; eight fans build down regardless of suit,
// one card at a time, and take any card when empty.
class clBeleagueredCastle : public clSolitaireGame {
public:
    clBeleagueredCastle();
    void CreateLayout() override;
    void DealCards() override;
};
