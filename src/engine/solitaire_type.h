#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

class clPlayObserver;
class clRandom;
struct clSavedGame;

// The player's options that change how a round runs.
struct clPlayOptions {
    bool practice = false;           // rounds do not end at 0; nothing is logged
    bool promptBeforeResign = true;  // ask before a new game abandons this one
    bool pauseOnFocusLoss = true;
    bool autoSave = true;  // the automatic save: written on leaving and after a won round
    bool autoPlay = true;  // this variant's AutoPlay setting
    // The deal of each round when the caller chooses them (the daily
    // challenge); empty: a fresh deal every round. A game dealt so stays
    // apart from the player's ordinary game of the variant: it neither
    // reads, writes nor deletes the automatic save.
    std::function<std::int32_t(std::int32_t round)> roundDeal{};
};

// What the player is told when a saved game cannot be opened.
std::string RefusedFileMessage(const std::filesystem::path& path);

class clSolitaireType;
// Makes a blank screen of one variant (the registry holds one per variant).
using clScreenMaker = std::unique_ptr<clSolitaireType> (*)();

// Makes a screen with `make` and initialises it, in the window `host` when
// one is given, with the player's options when given (a screen in a window
// loads its automatic save as it initialises), heard by `observer` when one
// is given. Whatever goes wrong while it
// initialises (a refused step, a failed allocation) leaves nothing behind:
// null, and the half-built screen is destroyed. The screen keeps `make` to
// try saved games on a scratch copy of itself.
std::unique_ptr<clSolitaireType> BuildScreen(clScreenMaker make, clScreenHost* host = nullptr,
                                             const clPlayOptions* options = nullptr,
                                             clPlayObserver* observer = nullptr);

// The screen on which one variant is played. It owns the deck, the drawing
// object, the move history and the countdown, runs the rounds (deal, goal,
// time bonus, Take Score, round won, game over, resign, undo, pause), and
// declares the operations through which the rules engine and the variants
// fill in play.
//
// The window-facing hooks (sounds, score display, scoreboard, menus, dialogs,
// the statistics log, the player's folder) go to the host; headless play
// (tests, qarvel-table) runs without one, shows nothing and saves nothing
// automatically.
class clSolitaireType : public clGame {
public:
    clSolitaireType();
    ~clSolitaireType() override;

    // Lays out the variant, fills its point system and creates the deck,
    // drawing object and history. Throws the operation error of the failing
    // step. In a window it ends with StartPlay; a headless screen is dealt by
    // its caller.
    bool Initialize() override;
    // Leaving the screen: the automatic save is written when it is on and a
    // game is in progress (a score or moves).
    void Shutdown() override;

    const std::string& DisplayName() const { return displayName; }
    const std::string& Key() const { return key; }
    int HelpTopic() const { return helpTopic; }
    int TableWidth() const { return tableWidth; }
    int TableHeight() const { return tableHeight; }
    // Whether the variant plays cards to the foundations by itself (then the
    // Options menu offers to turn that off).
    virtual bool OffersAutoPlay() const { return false; }

    // Where a pile's cards lie on the virtual screen; `growsDown` when the
    // pile takes cards and fans them downwards, so it may reach the bottom.
    struct clPileExtent {
        clRect rect;
        bool growsDown = false;
    };
    // The piles with a place on the table; none headless.
    virtual std::vector<clPileExtent> PileExtents() const { return {}; }
    // Draws a move's cards and where they go as highlighted cards (a hint);
    // nothing on a screen without piles.
    virtual void HighlightMove(const clMove& move) { (void)move; }

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
    // Where the generator this screen deals from stands (its redeals that
    // shuffle draw from it).
    std::int32_t GeneratorState() const;

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
    // Deals from a generator of the caller's instead of the program's, so
    // that a game made on another thread (a preview) leaves that one alone.
    void SetGenerator(clRandom& generator) { random = &generator; }
    // The window around the screen, or null (headless). Set before Initialize.
    void SetHost(clScreenHost* windowHost) { host = windowHost; }
    clScreenHost* Host() const { return host; }
    // The listener told of every round, record, undo and automatic save, or
    // null. It must outlive the screen's play.
    void SetPlayObserver(clPlayObserver* listener) { observer = listener; }
    const clScoreboard& Scoreboard() const { return scoreboard; }
    // What the menus and tool bar show now.
    clMenuState MenuState() const;
    // "Qarvel 1.60: Klondike [player]".
    std::string WindowTitle(const std::string& player) const;
    const clPlayOptions& Options() const { return options; }

    // Starts the next round: round + 1, its goal and bonus, and a new deal
    // (of the given deal number; for 0 the options' deal of the round, or a
    // fresh one).
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
    // One frame of the cards in flight (the window's animation pump).
    void OnAnimationStep() override;
    // Ends every card animation at once: the table shows where the cards are.
    // Every press, key and command that acts on the table does it first.
    // True when there was one.
    bool FinishAnimation();
    // Shows the deal card by card when nothing has been played on it yet and
    // moves are animated: for a screen that dealt before the window could
    // show it.
    void ShowFreshDeal();

    // Saved games. A game is its deal number, bonus count, score, round and
    // applied moves; a file of it is written and read whole.
    enum class clLoadResult {
        Loaded,        // taken over and resumed
        Refused,       // unreadable, damaged, or a move the rules refuse
        OtherVariant,  // a saved game of another variant
    };
    // Writes the game to `path`, replacing a file there only once the new one
    // is complete. A redoable tail is not saved. False when it was not written.
    bool Save(const std::filesystem::path& path) const;
    // Reads a saved game of this variant and replays it on a fresh copy of
    // the variant, every move checked by the rules. Only when all of it
    // passed does this screen take it over and resume it.
    // Otherwise the running game stays exactly as it was; for a file of
    // another variant its registered display name goes to `otherVariant`.
    clLoadResult Load(const std::filesystem::path& path, std::string* otherVariant = nullptr);
    // The first game of the screen, and of a new player: the automatic save
    // resumed when there is one, else a new game.
    void StartPlay();
    // "klondike.qarvel", or "klondike.tmp" in practice mode.
    std::string AutomaticSaveName() const;
    // The automatic save in the player's folder; nothing without a host, and
    // nothing for a game whose rounds the caller deals.
    std::optional<std::filesystem::path> AutomaticSavePath() const;
    // Whether `path` names this game's automatic save, in or out of practice
    // mode: a file the game itself overwrites and deletes.
    bool IsAutomaticSave(const std::filesystem::path& path) const;

    // Commands.
    void NewGame() override;
    void Undo() override;
    // A hint is charged as an undo is, on the same terms: it needs a score
    // above 0 and takes the undo's cost off it. False, taking nothing and
    // saying why in the status line, when the score is too low.
    bool ChargeHint();
    void TakeScore() override;
    void Pause() override;
    void OnFocusLost() override;
    void OnTimerTick() override;
    // The table (concealed while paused), the scoreboard and the menus.
    void Repaint() override;
    // Save: the game is paused and written where the player chooses.
    void SaveGame() override;
    // Open: the game is paused and saved automatically; the chosen file is
    // loaded, or handed to the window when it is another variant's; a refused
    // file is reported and the game goes on.
    void OpenGame() override;
    // A file handed to the running screen (by the window or the command
    // line): as Open without the dialog. True when it was loaded.
    bool OpenFile(const std::string& path) override;
    // The automatic save of the old player is written, the window switches
    // players, and the new player starts from a cleared game: their own
    // automatic save, or a new game.
    void ChangePlayer(const std::string& name) override;

    // Variant steps.
    virtual void CreateLayout() = 0;
    virtual void SetupRounds() = 0;
    virtual void SetupPoints() = 0;
    virtual bool CreateDeck() = 0;
    virtual void Deal() = 0;
    // Shows a deal just made card by card, when moves are animated; the
    // table is drawn.
    virtual void AnimateDeal() { DrawTable(); }
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
    // Rebuilds the table before `move` and takes back its points. The table
    // need not be drawn: the caller draws it.
    virtual void UndoMove(const clMove& move) = 0;
    // Re-deals the current deal and replays the history up to its position.
    virtual void Rebuild() = 0;
    // The points of a move on the table before it.
    virtual std::int32_t ScoreMove(const clMove& move) {
        (void)move;
        return 0;
    }
    virtual bool IsAutoPlayOn() = 0;
    // What the game adds to the scoreboard: rows below the score panel's
    // two, labels above its piles (Golf's runs, BlackJack's totals). Nothing
    // unless a game says so.
    virtual void UpdateScoreboardExtra(clScoreboard::clExtra& extra) const { (void)extra; }
    // The scoreboard's values as they are now.
    clScoreboard::clValues ScoreboardValues() const;

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
    // A note in the window's status line; nothing without a window.
    void ShowStatus(const std::string& text);
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
    // Writes the automatic save (on leaving, and after a won round with no
    // deal in it); a failure is reported to the player.
    virtual void SaveAutomatically();
    // At game over and on resigning.
    virtual void DeleteAutomaticSave();
    // A message with an OK button; nothing headless.
    void ShowMessage(const std::string& text, const std::string& caption);
    // Whether a saved game replays on a fresh copy of this variant: every
    // move names piles it has and passes its rules. This screen is untouched.
    virtual bool ReplaysCleanly(const clSavedGame& game) const = 0;
    // The end-of-game dialog, after score and round went back to 0.
    virtual void ShowGameOver(std::int32_t finalScore, std::int32_t finalRound);
    // The end-of-round dialog; true when the player goes on to the next round.
    // Without a window the round stays ended and the caller decides.
    virtual bool ShowRoundOver();

    // The end-of-round check after every committed move, undo and deal.
    void CheckRoundEnd();
    // Play on after a load: the saved deal is rebuilt and checked for a win,
    // and paused when its clock had started, so that the player resumes it;
    // a file saved between rounds starts the next round with its score.
    void ResumeLoadedGame();
    // Loads a file the player chose: a refused file is reported, one of
    // another variant handed to the window.
    clLoadResult OpenChosenFile(const std::filesystem::path& path);
    // Plays the grow or shrink sound when the score crossed the goal.
    void GoalCrossingSounds(std::int32_t oldScore);
    // Tells the play observer of the history's last record, just pushed or
    // (chained) just extended, and of a card turned at a cost.
    void NoteRecorded(bool chained);
    void NoteCardTurned(std::int32_t dealIndex);

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
    clPlayObserver* observer = nullptr;
    clScoreboard scoreboard;
    // How this screen was made, for scratch copies; null when it was not
    // made by BuildScreen, and then no saved game replays on it.
    clScreenMaker maker = nullptr;

    // Adds (or, negative, takes) points. The score saturates at the limits of
    // its type instead of wrapping round: a saved game may hold a score near them.
    void AddToScore(std::int64_t points) {
        score = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(std::int64_t{score} + points, INT32_MIN, INT32_MAX));
    }

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
    friend std::unique_ptr<clSolitaireType> BuildScreen(clScreenMaker, clScreenHost*,
                                                        const clPlayOptions*, clPlayObserver*);

    // Adds the remaining bonus and decides: round won or game over.
    void EndRound();
    void GameOver();
    void RoundWon();
};
