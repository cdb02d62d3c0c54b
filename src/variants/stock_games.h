#pragma once

#include <vector>

#include "variants/solitaire_game.h"

// Stock-and-waste games with rules of their own: the twenty-one games, Aces
// and Kings, Osmosis and Fifteen Rush.

// Five empty piles built from the waste toward a total of 21; a discard heap
// takes what fits nowhere, at a cost.
class clBlackJackBest : public clSolitaireGame {
public:
    clBlackJackBest();
    void CreateLayout() override;
    // Recounts every pile's total and cards.
    void AfterMove() override;
    // Every pile holds cards totalling exactly 21.
    bool IsGameWon() override;
    // The stock and the waste deal a card; a pile or the discard heap takes
    // the waste's top card.
    void OnPileClick() override;
    void OnEmptyPick() override;

    int Total(int pile) const { return pile >= 0 && pile < TableauCount() ? totals[pile] : 0; }
    // Each pile's total in a label above it: yellow at 21, else white.
    void UpdateScoreboardExtra(clScoreboard::clExtra& extra) const override;

protected:
    void LayOut(int piles, double left, double step, std::uint32_t discardLimit);
    // The waste's top card onto the pressed pile, when that is a valid move.
    void PlayWasteOnto(clPile& pile);

    // Each pile's total and count.
    void SaveGameState(clStateWords& words) const override;
    void RestoreGameState(clStateReader& words) override;

    std::vector<int> totals;
    std::vector<int> counts;
};

// Four piles, and a pile that reaches 21 or holds five cards leaves the table.
class clBlackJackSpeed : public clBlackJackBest {
public:
    clBlackJackSpeed();
    void CreateLayout() override;
    void AfterMove() override;
    // Full piles leave at once, so the game is won when stock and waste are used up.
    bool IsGameWon() override;
};

// Two packs: four foundations up and four down in any suit, fed from four
// single spaces that refill from the stock, and two reserves.
class clAcesAndKings : public clSolitaireGame {
public:
    clAcesAndKings();
    void CreateLayout() override;
    void OnMoveCommitted(const clMove& move) override;
    // The first part a valid card move; each further part a refill of a space
    // from the stock's next card.
    bool ValidateCompound(const clMove& move) override;
};

// Foundations in suit from the first card's rank, each taking only ranks the
// foundation above already holds.
class clOsmosis : public clSolitaireGame {
public:
    clOsmosis();
    void CreateLayout() override;
    void DealCards() override;
    bool ValidateCardMove(const clMove& move) override;
};

// Pairs adding up to 15 (or two aces) leave; a space is refilled from the stock.
class clFifteenRush : public clSolitaireGame {
public:
    clFifteenRush();
    void CreateLayout() override;
    // Two face-up, free cards, each the top of its pile, adding up to 15
    // (or two aces).
    bool ValidatePair(std::int32_t first, std::int32_t second) override;
    // A pair takes the refills of the spaces it leaves with it.
    clMove PairMoveFor(std::int32_t first, std::int32_t second) const override {
        return PairWithRefills(first, second);
    }
    void OnPileClick() override;
    // Cards move on their own only as the stock deals them to the waste;
    // refills come with their pair.
    bool ValidateCardMove(const clMove& move) override;
    // A deal of three, or a pair with exactly the refills of the spaces it leaves.
    bool ValidateCompound(const clMove& move) override;
};
