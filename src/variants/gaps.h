#pragma once

#include <array>

#include "cards/card.h"
#include "variants/solitaire_game.h"

// Four rows of thirteen single-card spaces, the aces left out as gaps. A gap
// takes the card one above its left neighbour in suit (a 2 in a row's first
// space); each row is to be laid out 2 to King of one suit. The redeal keeps
// each row's leading run and shuffles the rest.
class clGaps : public clSolitaireGame {
public:
    static constexpr int kRows = 4;
    static constexpr int kColumns = 13;

    clGaps();
    void CreateLayout() override;
    // Every card but the aces onto its space in deal order.
    void DealCards() override;
    bool ValidateCardMove(const clMove& move) override;
    bool IsGameWon() override;
    // A press on the redeal button asks for a redeal.
    void OnEmptyPick() override;
    // Redeals are unlimited; each costs more than the one before.
    bool ValidateStockAction() override { return true; }
    void StockAction(bool animated) override;

    clPile* Space(int row, int column) const { return Tableau(row * kColumns + column); }

protected:
    // The length of a row's leading run: the cards from its first space that
    // have their space's rank and the first card's suit.
    int RunLength(int row) const;
    // Moves every card after the runs into the working group and shuffles it,
    // with the four gap markers among them when asked. Yields each row's run length.
    std::array<int, kRows> Gather(bool withMarkers);
    // Lays the working group out after the runs, from `skip` spaces after
    // each run on; a marker leaves its space empty.
    void Spread(const std::array<int, kRows>& runs, int skip);

    clGroup working{kRows * kColumns};
    std::array<clCard, kRows> markers{};
};

// Gaps whose redeal lets the four gaps fall anywhere after the runs.
class clMontana : public clGaps {
public:
    clMontana();
    void StockAction(bool animated) override;
};
