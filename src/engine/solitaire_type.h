#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/deck.h"
#include "engine/game.h"
#include "engine/history.h"
#include "engine/move.h"
#include "engine/point_system.h"
#include "engine/scoreboard.h"
#include "engine/timer.h"
#include "graphics/graphics.h"
#include "player/score_record.h"
#include "toolkit/screen_host.h"
#include "toolkit/sound.h"

class clRandom;

// The player's options that change how a round runs.
struct clPlayOptions {
    bool practice = false;           // rounds do not end at 0; nothing is logged
    bool promptBeforeResign = true;  // ask before a new game abandons this one
    bool pauseOnFocusLoss = true;
    bool autoSave = true;  // save automatically when a round is won
    bool autoPlay = true;  // this variant's AutoPlay setting
};

// The screen on which one variant is played. It owns the deck, the drawing
// object, the move history and the countdown, runs the rounds (deal, goal,
// time bonus, Take Score, round won, game over, resign, undo, pause), and
// declares the operations through which the rules engine and the variants
// fill in play.
//
// The window-facing hooks (sounds, score display, scoreboard, menus, dialogs,
// saving, the statistics log) do nothing here; the window's screen gives them
// a body, and headless play (tests, qarvel-table) runs without them.
class clSolitaireType : public clGame {
public:
    clSolitaireType();
    ~clSolitaireType() override;

    // Lays out the variant, fills its point system and creates the deck,
    // drawing object and history. Throws the operation error of the failing step.
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
    const clTimer& Timer() const { return timer; }
    const clPointSystem& Points() const { return points; }
    // The program-wide generator the deals draw from.
    clRandom& Random() { return *random; }

    std::int32_t DealNumber() const { return dealNumber; }
    std::int32_t Score() const { return score; }
    std::int32_t Round() const { return round; }
    std::int32_t Goal() const { return goal; }
    std::int32_t BonusStart() const { return bonusStart; }
    // The time bonus as shown and scored: the count in tenths times 10.
    std::int32_t BonusPoints() const { return timer.Count() * 10; }
    // The bonus is shown in red from 10 seconds down.
    bool IsBonusLow() const { return timer.Count() <= 100; }
    // The score is shown in yellow once it reaches the goal.
    bool HasReachedGoal() const { return score >= goal; }
    bool RoundEnded() const { return roundEnded; }
    // How the last round ended: reached its goal (won) or not (game over).
    bool LastRoundWon() const { return lastRoundWon; }
    // The score at the end of the last round, bonus included (kept after a
    // game over puts the score back to 0).
    std::int32_t LastRoundScore() const { return lastRoundScore; }
    bool IsTimeUp() const { return timeUp; }
    bool IsPaused() const override { return paused; }

    void SetOptions(const clPlayOptions& newOptions) { options = newOptions; }
    // The window around the screen, or null (headless). Set before Initialize.
    void SetHost(clScreenHost* windowHost) { host = windowHost; }
    clScreenHost* Host() const { return host; }
    const clScoreboard& Scoreboard() const { return scoreboard; }
    // What the menus and tool bar show now.
    clMenuState MenuState() const;
    // "Qarvel 1.60: Klondike [player]".
    std::string WindowTitle(const std::string& player) const;
    const clPlayOptions& Options() const { return options; }

    // Starts the next round: round + 1, its goal and bonus, and a new deal
    // (of the given deal number, or a fresh one for 0).
    void StartRound(std::int32_t number = 0);
    // Starts a new deal: a fresh deal number from the generator, then the deal.
    void StartDeal();
    // Deals a given deal number (a replay, a test or a saved game). A number
    // below 1 is not a deal: a fresh one is drawn instead.
    void StartDeal(std::int32_t number);
    // Starts the countdown (the first action of a round, or resuming); does
    // nothing while paused or after the round has ended.
    void StartTimer();
    // One 100 ms tick of the platform's round timer.
    void TimerTick();

    // Commands.
    void NewGame() override;
    void Undo() override;
    void TakeScore() override;
    void Pause() override;
    void OnFocusLost() override;
    void OnTimerTick() override;
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
    // Window-facing hooks. Each goes to the host when there is one; headless
    // play shows nothing and answers every question with yes.
    virtual void PlaySound(clSound sound);
    virtual void UpdateWindow();
    // Redraws the score, the bonus (red once IsBonusLow()) or both.
    virtual void RefreshScore();
    virtual void RefreshBonus();
    virtual void UpdateScoreboard();
    // Lays the scoreboard out again for the current card size and table.
    virtual void RelayScoreboard();
    virtual void UpdateMenus();
    virtual void UpdateTitle();
    virtual void RecreateTakeScoreButton();
    // Lets the window catch up for a while (the pause after the alarm).
    virtual void Wait(int milliseconds);
    // Whether the Ctrl key is held down (automatic play is then off).
    virtual bool IsControlKeyDown() const;
    // Whether moves are animated (the animation option, with a display).
    virtual bool IsAnimationOn() const;
    // "Do you want to resign the current game?"; yes without a window.
    virtual bool ConfirmResign();
    // Appends a finished or resigned game to the statistics log (never in practice mode).
    virtual void LogResult(clResultKind kind, std::int32_t finalScore, std::int32_t finalRound);
    // Writes the automatic save (after a won round, with no deal in it).
    virtual void SaveAutomatically() {}
    virtual void DeleteAutomaticSave() {}
    // The end-of-game dialog, after score and round went back to 0.
    virtual void ShowGameOver(std::int32_t finalScore, std::int32_t finalRound);
    // The end-of-round dialog; true when the player goes on to the next round.
    // Without a window the round stays ended and the caller decides.
    virtual bool ShowRoundOver();

    // The end-of-round check after every committed move, undo and deal.
    void CheckRoundEnd();
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
    clTimer timer;
    clPointSystem points;
    clRandom* random;
    clPlayOptions options;
    clScreenHost* host = nullptr;
    clScoreboard scoreboard;

    std::int32_t dealNumber = 0;  // 0: no deal in progress
    std::int32_t score = 0;
    std::int32_t round = 0;
    std::int32_t goal = 0;
    std::int32_t bonusStart = 0;
    bool paused = false;
    bool timeUp = false;
    // From the end of a round until the next deal: nothing is recorded.
    bool roundEnded = false;
    bool lastRoundWon = false;
    std::int32_t lastRoundScore = 0;

private:
    // Adds the remaining bonus and decides: round won or game over.
    void EndRound();
    void GameOver();
    void RoundWon();
};
