#pragma once

#include "variants/solitaire_game.h"

// The games built down in long runs whose goal is complete King-to-Ace suits.

// Two packs, ten columns built down in any suit that move only runs in suit;
// a completed suit leaves for a foundation as one move. A click on the stock
// deals a card onto every column, but only while no column is empty.
class clSpider : public clSolitaireGame {
public:
    clSpider();
    void CreateLayout() override;
    // Offers the top 13 cards of each column, when the 13th is face up, to
    // the foundations as one move.
    bool AutoPlay() override;
    void OnPileClick() override;
    // One card from the stock's top onto each tableau pile in order, until
    // the stock runs out.
    void StockAction(bool animated) override;
    // The stock is not empty and no tableau pile is.
    bool ValidateStockAction() override;
    // The stock gives its cards only through the stock action, never by a card move.
    bool ValidateCardMove(const clMove& move) override;
};

// Spider with every card in one suit.
class clSpiderOneSuit : public clSpider {
public:
    clSpiderOneSuit();
    bool CreateDeck() override;
};

// Spider with two suits: the black cards become spades, the red ones hearts.
class clSpiderTwoSuits : public clSpider {
public:
    clSpiderTwoSuits();
    bool CreateDeck() override;
};

// One pack, seven columns and a holding pile that takes anything and gives
// back its top card.
class clSpiderWeb : public clSpider {
public:
    clSpiderWeb();
    void CreateLayout() override;
};

// One pack, seven columns built and completed in suit inside the tableau;
// any face-up group moves; the three stock cards go onto the first three
// columns whenever the player asks, spaces or not.
class clScorpion : public clSpider {
public:
    clScorpion();
    void CreateLayout() override;
    void DealCards() override;
    // The stock is empty and every column is empty or one run in suit from a
    // face-up King at the bottom to the Ace on top.
    bool IsGameWon() override;
    bool ValidateStockAction() override;

protected:
    // Round the columns; a card is face down while fewer than faceDownCount
    // cards went before it and its column is below `faceDownColumns`.
    void DealScorpion(int faceDownColumns);
};

// Scorpion with three face-down cards in each of the first four columns.
class clClassicScorpion : public clScorpion {
public:
    clClassicScorpion();
    void CreateLayout() override;
};

// Classic Scorpion with Kings only in spaces.
class clScorpionKings : public clClassicScorpion {
public:
    clScorpionKings();
    void CreateLayout() override;
};

// Scorpion with face-down cards in the first three columns only.
class clScorpionII : public clScorpion {
public:
    clScorpionII();
    void DealCards() override;
};
