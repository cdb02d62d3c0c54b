#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/solitaire_rules.h"
#include "piles/pile.h"

// A plain pile that takes part in play: it gives any unblocked group and
// takes any group, and offers its top card from its own location kind.
class clTestPile : public clPile {
public:
    explicit clTestPile(clLocationKind kind, std::uint32_t capacity = kLargeCapacity);
    bool GetTop(clLocation& location, std::int32_t& dealIndex) const override;

private:
    clLocationKind kind;
};

// A foundation for tests: one card at a time, up in suit from its base rank,
// turning the corner from king to ace when the base is not the ace.
class clTestFoundation : public clTestPile {
public:
    explicit clTestFoundation(int baseRank = 1)
        : clTestPile(clLocationKind::Foundation, 13), baseRank(baseRank) {}
    bool CanAccept(int index, const clGroup& moving, const clLocation& source) const override;

private:
    int baseRank;
};

// The shape of a small test layout.
struct clTestLayout {
    int foundations = 0;
    int foundationBase = 1;
    int tableau = 4;
    int reserves = 0;
    bool stock = true;
    bool waste = false;
    int decks = 1;
    int tableauDeal = 0;
    int stockDeal = 0;
    int reserveDeal = 0;
    int wasteDeal = 0;
    int faceDown = 0;
    bool autoPlay = false;
    // Turn up the top card of every tableau pile after each move.
    bool turnUpTops = false;
    // Refill an emptied tableau pile from the stock, chained into the move.
    bool refillFromStock = false;
};

// A playing screen over base piles, headless, recording the sounds it plays.
class clTestTable : public clSolitaireRules {
public:
    explicit clTestTable(const clTestLayout& layout);

    void CreateLayout() override;
    // A goal of 1000 more points each round and 60 seconds of bonus.
    void SetupRounds() override;
    void SetupPoints() override {}
    void AfterMove() override;
    void OnMoveCommitted(const clMove& move) override;
    bool IsGameWon() override { return won ? *won : clSolitaireRules::IsGameWon(); }

    // Undo as the Undo command does it: step back and rebuild.
    bool UndoLast();
    // Redo: the next record of the tail applied again, as a replay does.
    bool RedoNext();
    // The next record of the tail played again as a new move (with its
    // bookkeeping), as when the player repeats the move they undid.
    bool ReplayNext();

    using clSolitaireRules::SafeAutoPlay;
    using clSolitaireRules::SafeAutoPlayFromBase;

    void SetControlKeyDown(bool down) { controlDown = down; }
    void EndRound() { roundEnded = true; }
    void SetScore(std::int32_t newScore) { score = newScore; }
    void SetCounters(std::int32_t newStockActions, std::int32_t newStreak,
                     std::int32_t newCountingPilesEmptied) {
        stockActions = newStockActions;
        streak = newStreak;
        countingPilesEmptied = newCountingPilesEmptied;
    }
    clPointSystem& PointSystem() { return points; }
    using clSolitaireType::CheckRoundEnd;

    std::vector<clSound> sounds;
    // What the rounds asked of the window, the log and the saved games, in order.
    std::vector<std::string> events;
    // Forces the won test when set.
    std::optional<bool> won;
    // The player's answers.
    bool continueRounds = false;
    bool agreeToResign = true;

protected:
    void PlaySound(clSound sound) override { sounds.push_back(sound); }
    bool IsControlKeyDown() const override { return controlDown; }
    bool ConfirmResign() override;
    void LogResult(clResultKind kind, std::int32_t finalScore, std::int32_t finalRound) override;
    void SaveAutomatically() override { events.push_back("save"); }
    void DeleteAutomaticSave() override { events.push_back("delete save"); }
    void ShowGameOver(std::int32_t finalScore, std::int32_t finalRound) override;
    bool ShowRoundOver() override;

private:
    clTestLayout layout;
    bool controlDown = false;
};

// Every fact of the table a replay must reproduce: each pile's cards with
// their flags and positions, and the engine's counters.
std::string Snapshot(const clSolitaireRules& game);

// The first card of the deck with this rank and suit.
clCard* FindCard(clDeck& deck, int rank, clSuit suit);
// Empties the pile and puts these cards on it, face up and free, bottom first.
void Lay(clPile& pile, std::initializer_list<clCard*> cards);

// A variant dealt with a given deal number, its round started, without
// automatic play or saving.
template <class Variant>
std::unique_ptr<Variant> Dealt(std::int32_t number) {
    auto game = std::make_unique<Variant>();
    game->Initialize();
    game->SetOptions({.autoSave = false, .autoPlay = false});
    game->StartRound(number);
    return game;
}

// A card move of the cards from `position` up of one pile onto the top of another.
clMove MoveBetween(const clSolitaireRules& game, clLocation from, clLocation toPile);
