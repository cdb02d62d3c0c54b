#pragma once

#include "variants/solitaire_game.h"

// One-pack games whose columns build down in suit one card at a time and
// whose redeal gathers the columns and lays them out again.

// Eighteen fans of three face-up cards; an emptied fan stays empty. The
// redeal symbol gathers the fans, shuffles them and deals them again three
// to a fan, as often as the player likes, for a growing cost.
class clFastFan : public clSolitaireGame {
public:
    static constexpr int kFans = 18;
    static constexpr int kCardsPerFan = 3;

    clFastFan();
    void CreateLayout() override;
    // Shows the redeal mark, then deals three cards to each fan in order.
    void DealCards() override;
    // A press on the redeal symbol asks for a redeal.
    void OnEmptyPick() override;
    // The fans in order give their cards into one group, which is shuffled
    // with the game's generator (so a replay redeals alike) and dealt back
    // face up, three to each fan in order.
    void StockAction(bool animated) override;
    bool ValidateStockAction() override { return true; }

    // The redeal symbol, or null in the games without one.
    const clPile* ReshuffleSymbol() const { return reshuffle; }

protected:
    // Foundations and fans, placed and keyed.
    template <class Fan>
    void FanLayout();
    void AddReshuffleSymbol();
    void AddCells();

    clPile* reshuffle = nullptr;

private:
    clGroup gathered{kGroupCapacity};
};

// Fast Fan with two free cells and no redeal.
class clFreeFan : public clFastFan {
public:
    clFreeFan();
    void CreateLayout() override;
    // There is no redeal symbol: the fans are never redealt.
    bool ValidateStockAction() override { return false; }
};

// Free Fan whose empty fans take a King.
class clFreeFanEasy : public clFreeFan {
public:
    clFreeFanEasy();
    void CreateLayout() override;
};

// Fast Fan with two free redeals and no more.
class clLaBelleLucie : public clFastFan {
public:
    static constexpr int kRedeals = 2;

    clLaBelleLucie();
    void OnEmptyPick() override;
    // After the last redeal the symbol shows the no-more-redeals mark. The
    // click stops at two redeals; the redeal move itself is always valid, as
    // in the other fan games.
    void StockAction(bool animated) override;
};

// Twelve piles of four with the Aces dealt to the foundations; cards build
// down in suit one at a time and spaces stay empty. The redeal symbol picks
// the piles up in order and deals them again four to a pile, unshuffled.
class clCruel : public clSolitaireGame {
public:
    static constexpr int kCardsPerPile = 4;

    clCruel();
    void CreateLayout() override;
    // Every Ace to the next foundation, then the other cards in deal order,
    // four to a pile.
    void DealCards() override;
    void OnEmptyPick() override;
    // The piles from the last to the first give their cards from the top down
    // into one group, which is dealt back from its last card to its first,
    // four to a pile: the cards keep their order, read pile by pile. Cards
    // taken back from the foundations can make more than the piles hold four
    // to a pile; the last pile takes the rest.
    void StockAction(bool animated) override;
    bool ValidateStockAction() override { return true; }

private:
    clGroup gathered{kGroupCapacity};
};
