#pragma once

#include <cstdint>
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
// player and the results log. The shell supplies one; headless play has
// none, and the screen then shows nothing and asks nothing.
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
};
