#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/deck.h"
#include "engine/game.h"
#include "engine/history.h"
#include "engine/move.h"
#include "graphics/graphics.h"
#include "toolkit/sound.h"

class clRandom;

// The screen on which one variant is played. It owns the deck, the drawing
// object and the move history, holds the round state, and declares the
// operations through which the rules engine and the variants fill in play.
//
// The window-facing hooks (sounds, score display, scoreboard, menus) do
// nothing here; the window's screen gives them a body, and headless play
// (tests, qarvel-table) runs without them.
class clSolitaireType : public clGame {
public:
    clSolitaireType();
    ~clSolitaireType() override;

    // Lays out the variant and creates the deck, drawing object and history.
    // Throws the operation error of the failing step.
    bool Initialize() override;

    const std::string& DisplayName() const { return displayName; }
    const std::string& Key() const { return key; }
    int HelpTopic() const { return helpTopic; }
    int TableWidth() const { return tableWidth; }
    int TableHeight() const { return tableHeight; }

    // Owned objects; valid after Initialize.
    clDeck& Deck() { return *deck; }
    const clDeck& Deck() const { return *deck; }
    clGraphics& Graphics() { return *graphics; }
    clHistory& History() { return *history; }
    const clHistory& History() const { return *history; }
    // The program-wide generator the deals draw from.
    clRandom& Random() { return *random; }

    std::int32_t DealNumber() const { return dealNumber; }
    std::int32_t Score() const { return score; }
    bool RoundEnded() const { return roundEnded; }
    bool IsPaused() const override { return paused; }
    // The table (concealed while paused), the scoreboard and the menus.
    void Repaint() override;

    // Variant steps.
    virtual void CreateLayout() = 0;
    virtual void SetupRounds() = 0;
    virtual void SetupPoints() = 0;
    virtual bool CreateDeck() = 0;
    virtual void Deal() = 0;
    // After every deal and every played or replayed move.
    virtual void AfterMove() {}
    // After a move is recorded; refills chain their moves into the same record.
    virtual void OnMoveCommitted(const clMove& move) { (void)move; }
    virtual bool IsGameWon() = 0;
    // One automatic move to a foundation; false when there was none.
    virtual bool AutoPlay() = 0;
    virtual bool ValidateMove(const clMove& move) = 0;
    virtual void ResetDeal() = 0;
    virtual void DrawTable() = 0;
    virtual void DrawPausedTable() = 0;
    // Performs a move silently and without scoring.
    virtual void DoMove(const clMove& move) = 0;
    // Scores and performs a move, animated.
    virtual void PlayMove(const clMove& move) = 0;
    // Rebuilds the table before `move` and takes back its points.
    virtual void UndoMove(const clMove& move) = 0;
    // The points of a move on the table before it.
    virtual std::int32_t ScoreMove(const clMove& move) {
        (void)move;
        return 0;
    }
    virtual bool IsAutoPlayOn() = 0;
    virtual void InitScoreboardExtra() {}
    virtual void LayoutScoreboardExtra() {}
    virtual void DrawScoreboardExtra() {}
    virtual void UpdateScoreboardExtra() {}

protected:
    // Window-facing hooks.
    virtual void PlaySound(clSound sound) { (void)sound; }
    virtual void UpdateWindow() {}
    virtual void RefreshScore() {}
    virtual void UpdateScoreboard() {}
    virtual void RelayScoreboard() {}
    virtual void UpdateMenus() {}
    // Whether the Ctrl key is held down (automatic play is then off).
    virtual bool IsControlKeyDown() const { return false; }
    // Whether moves are animated (the animation option, with a display).
    virtual bool IsAnimationOn() const { return false; }
    // The end-of-round check after every committed move, undo and deal.
    virtual void CheckRoundEnd() {}
    // Plays the grow or shrink sound when the score crossed the goal.
    void GoalCrossingSounds(std::int32_t oldScore);

    std::string displayName = "Qarvel";
    std::string key = "qarvel";
    int helpTopic = 1000;
    int menuId = 110;
    int tableWidth = 7;
    int tableHeight = 1;

    std::unique_ptr<clGraphics> graphics;
    std::unique_ptr<clDeck> deck;
    std::unique_ptr<clHistory> history;
    clRandom* random;

    std::int32_t dealNumber = 0;  // 0: no deal in progress
    std::int32_t score = 0;
    std::int32_t round = 0;
    std::int32_t goal = 0;
    std::int32_t bonusStart = 0;
    bool paused = false;
    bool timeUp = false;
    // From the end of a round until the next deal: nothing is recorded.
    bool roundEnded = false;
};
