#pragma once

#include "variants/solitaire_game.h"

// The pair games: the table is cleared by removing pairs chosen with two
// clicks, of equal ranks, of ranks adding up to 14, or to 13 with kings alone.

// A base for the pair games: a click on a card pile selects its top card.
// Cards leave only in pairs (or alone, where a game lets them); none moves
// from pile to pile.
class clPairGame : public clSolitaireGame {
public:
    void OnPileClick() override;
    bool ValidateCardMove(const clMove& move) override {
        (void)move;
        return false;
    }

protected:
    // Both cards on the table, different, face up and free, each the top of a pile.
    bool ArePlayable(std::int32_t first, std::int32_t second) const;
    // Two playable cards of the same rank.
    bool IsPairOfEqualRank(std::int32_t first, std::int32_t second) const;
    // Two playable cards whose ranks add up to `total`.
    bool IsPairSummingTo(int total, std::int32_t first, std::int32_t second) const;
    bool IsTopCard(std::int32_t card) const;
    const clCard* Card(std::int32_t dealIndex) const { return deck->CardAt(dealIndex); }
};

// Eight columns dealt so that no column holds two cards of a rank; pairs of
// equal rank leave.
class clNestor : public clPairGame {
public:
    clNestor();
    void CreateLayout() override;
    void DealCards() override;
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
    // Whether the deal may put the card on the column: it has room and holds
    // no card of that rank.
    virtual bool CanDealTo(const clPile& pile, const clCard& card) const;

protected:
    // The most cards the deal puts on a column.
    virtual std::uint32_t MostCards(const clPile& pile) const {
        (void)pile;
        return 6;
    }
    void LayOut(int columns, double reserveLeft, double reserveStep, int reserveCount);
};

// Nestor with seven columns (the middle one of seven cards) and nine reserves.
class clVertical : public clNestor {
public:
    clVertical();
    void CreateLayout() override;

protected:
    std::uint32_t MostCards(const clPile& pile) const override;
};

// Thirteen fans of four; pairs of equal rank leave.
class clPatientPairs : public clPairGame {
public:
    clPatientPairs();
    void CreateLayout() override;
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
};

// Twelve fans; pairs adding up to 14 leave.
class clFourteenOut : public clPairGame {
public:
    clFourteenOut();
    void CreateLayout() override;
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
};

// Five piles fed from the stock, five cards a deal; pairs adding up to 13
// leave, and kings alone.
class clFivePiles : public clPairGame {
public:
    clFivePiles();
    void CreateLayout() override;
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
    // A click on the stock deals when it can.
    void OnPileClick() override;
    // One card to each of the first five piles, or to all seven when the
    // stock holds exactly seven.
    void StockAction(bool animated) override;
    bool ValidateStockAction() override { return stock && stock->Count() > 0; }

protected:
    // The piles a stock deal feeds, in order.
    virtual std::vector<clPile*> DealTargets() const;
};

// Five piles and two reserves fed from the stock; pairs adding up to 14
// leave; a card may move into an empty pile.
class clFourteenUp : public clFivePiles {
public:
    clFourteenUp();
    void CreateLayout() override;
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
    // A pile's or a reserve's card into an empty pile; the stock gives its
    // cards only by its deals.
    bool ValidateCardMove(const clMove& move) override;
    // Plays the card under the pointer where it can go.
    bool OnRightClick() override;
};

// The memory game: every card face down; two turned up that match leave.
class clPelmanism : public clPairGame {
public:
    clPelmanism();
    void CreateLayout() override;
    // Every card face down but free to be turned.
    void DealCards() override;
    // Equal ranks, both on the table; turning cards up is not a move, so
    // their faces are not asked.
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
    void OnPileClick() override;
    // The cards turned up by clicks: the memory game's selection.
    int SelectionCount() const override { return turned; }

protected:
    // The cards turned up.
    void SaveGameState(clStateWords& words) const override;
    void RestoreGameState(clStateReader& words) override;

private:
    void TurnDown(std::int32_t card);
    void ChargeTurn();

    int turned = 0;
    std::int32_t turnedCards[2] = {0, 0};
};
