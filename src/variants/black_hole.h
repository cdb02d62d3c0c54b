#pragma once

#include "variants/solitaire_game.h"

// Games cleared by discarding: Black Hole and Binary Star play fans into
// holes one rank up or down; Aces Up discards lower cards of a suit.

// Seventeen fans of three around a hole that starts with the ace of spades.
class clBlackHole : public clSolitaireGame {
public:
    clBlackHole();
    void CreateLayout() override;
    void DealCards() override;
    // Won when every fan is empty.
    bool IsGameWon() override;
    // A click on a fan plays its top card into a hole.
    void OnPileClick() override;
    // Only a fan's top card moves, into a hole, one rank above or below the
    // hole's top card in any suit, the king next to the ace.
    bool ValidateCardMove(const clMove& move) override;

protected:
    // Places the seventeen fans: rows of five, two pairs, two pairs and four.
    void PlaceFans(double step, double left, double innerLeft, double innerRight,
                   double bottomLeft);
    // Plays a pile's top card into the first hole that takes it.
    bool PlayIntoHole(clPile& pile);
    // The holes, in the order a card is offered to them.
    virtual std::vector<clLocation> Holes() const;
};

// Two packs and two holes, one started by an ace of spades, one by a king of
// hearts; a hole's card may also move to the other.
class clBinaryStar : public clBlackHole {
public:
    clBinaryStar();
    void CreateLayout() override;
    void DealCards() override;
    void OnPileClick() override;
    bool ValidateCardMove(const clMove& move) override;

protected:
    std::vector<clLocation> Holes() const override;
};

// Four piles fed from the stock: a card leaves while a higher card of its suit
// (or its ace) lies on another pile; only the four aces are to stay.
class clAcesUp : public clSolitaireGame {
public:
    clAcesUp();
    void CreateLayout() override;
    // Won with the stock empty and an ace alone on every pile.
    bool IsGameWon() override;
    // The stock deals a card to every pile; a pile's top card leaves, or else
    // moves to an empty pile.
    void OnPileClick() override;
    void StockAction(bool animated) override;
    bool ValidateStockAction() override { return stock && stock->Count() > 0; }
    // A single removal: a top card, not an ace, with a higher card (or the
    // ace) of its suit on top of another pile.
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
    // A pile's top card into an empty pile; the stock gives its cards only
    // by its deals.
    bool ValidateCardMove(const clMove& move) override;
    // The aces-at-the-bases bonus is paid once, when the aces first all lie
    // at the bases, not again with every deal after it.
    std::int32_t ScoreMove(const clMove& move) override;

private:
    bool AcesAtBases() const;
};
