#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "toolkit/sound.h"

class clAnimationPump;
class clImage;
class clTextPainter;

// The state of the playing screen's menu items and tool-bar buttons.
struct clMenuState {
    bool undoEnabled = false;
    bool takeScoreEnabled = false;
    bool pauseChecked = false;
    bool autoSaveChecked = false;
    friend bool operator==(const clMenuState&, const clMenuState&) = default;
};

// The window around the current playing screen, as the screen sees it: the
// sounds, the title, the menus, the scoreboard's pictures, questions to the
// player, the results log, the player's folder and the saved-game dialogs. The shell supplies one;
// headless play has none, and the screen then shows nothing and asks nothing.
class clScreenHost {
public:
    virtual ~clScreenHost() = default;

    // Plays when the player's sounds are on; a new sound cuts the previous one.
    virtual void PlaySound(clSound sound) = 0;
    // Paints what is invalidated now (before a pause or a dialog).
    virtual void UpdateWindow() = 0;
    // Lets the window handle its events for about that long.
    virtual void Wait(int milliseconds) = 0;
    virtual bool IsControlKeyDown() const = 0;
    // Moves are animated (the player's option, with a window to show them).
    virtual bool IsAnimationOn() const = 0;
    // A question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual const std::string& PlayerName() const = 0;
    virtual void SetMenuState(const clMenuState& state) = 0;
    // A short note for the player in the window's status line (why a command
    // was refused); it fades after a few seconds.
    virtual void ShowStatus(const std::string& text) = 0;

    // The scoreboard's panels are drawn with this painter over the table's
    // background picture; null while the window has no display.
    virtual clTextPainter* TextPainter() = 0;
    virtual const clImage* TableBackground() const = 0;
    // The panels changed: the window paints them again.
    virtual void ScoreboardChanged() = 0;
    virtual void RecreateTakeScoreButton() = 0;

    // A finished (game over) or resigned game for the statistics log.
    virtual void LogResult(bool completed, std::int32_t score, std::int32_t round) = 0;
    // The end-of-game dialog; the end-of-round dialog, true to go on to the
    // next round.
    virtual void ShowGameOver(std::int32_t score, std::int32_t round) = 0;
    virtual bool ShowRoundOver(std::int32_t score, std::int32_t round) = 0;

    // A message with an OK button (a save that failed, a file refused).
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // The current player's folder (their statistics logs and saved games),
    // made when missing; nothing when there is none.
    virtual std::optional<std::filesystem::path> PlayerFolder() = 0;
    // The Open and Save dialogs for saved games: the chosen file, or nothing
    // when the player cancels.
    virtual std::optional<std::filesystem::path> AskOpenFile() = 0;
    virtual std::optional<std::filesystem::path> AskSaveFile() = 0;
    // The saved game at `path` belongs to the variant of that display name:
    // the window makes that variant's screen current and opens the file in
    // it. It does so after the asking screen's call has returned, since the
    // new screen replaces it.
    virtual void OpenVariantWithFile(const std::string& displayName,
                                     const std::filesystem::path& path) = 0;
    // Makes `name` the current player: the old player's settings stored, the
    // new player's loaded and given to the screen (SetOptions), the card set
    // and background changed to theirs, their statistics log read. False,
    // changing nothing, when there is no such player.
    virtual bool SwitchPlayer(const std::string& name) = 0;
};
