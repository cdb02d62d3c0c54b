#pragma once

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/solitaire_rules.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/window_dialogs.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/messages.h"
#include "toolkit/name_prompt.h"
#include "toolkit/user_account.h"

// Answers the window's questions in the player's place and counts them.
class clScriptedDialogs final : public clWindowDialogs {
public:
    bool yes = true;
    bool continueRounds = true;
    clGameOverChoice gameOver = clGameOverChoice::NewGame;
    int questions = 0;
    int roundsOver = 0;
    int gamesOver = 0;
    int statistics = 0;
    std::int32_t lastScore = 0;
    clScoreGame lastGame;

    bool AskYesNo(QWidget*, const std::string&, const std::string&) override {
        ++questions;
        return yes;
    }
    // The messages shown, and the addresses handed to the desktop, which
    // opens them unless `urlsOpen` is false.
    std::vector<std::string> messages;
    std::vector<std::string> urls;
    bool urlsOpen = true;
    void ShowMessage(QWidget*, const std::string& text, const std::string&) override {
        messages.push_back(text);
    }
    bool OpenUrl(const std::string& url) override {
        urls.push_back(url);
        return urlsOpen;
    }
    clGameOverChoice ShowGameOver(QWidget*, const clScoreGame& game, std::int32_t score,
                                  std::int32_t) override {
        ++gamesOver;
        lastScore = score;
        lastGame = game;
        return gameOver;
    }
    bool ShowRoundOver(QWidget*, const clScoreGame& game, std::int32_t score,
                       std::int32_t) override {
        ++roundsOver;
        lastScore = score;
        lastGame = game;
        return continueRounds;
    }
    void ShowStatistics(QWidget*, const clScoreGame& game) override {
        ++statistics;
        lastGame = game;
    }
    void ShowHighScores(QWidget*) override {}
    // The daily rankings asked for: the day and the player's score.
    std::vector<std::pair<std::string, std::int32_t>> dailyRankings;
    void ShowDailyRanking(QWidget*, const clScoreGame& game, const std::string& day,
                          std::int32_t score) override {
        lastGame = game;
        dailyRankings.emplace_back(day, score);
    }

    // The player's answers to the Options menu's dialogs: a name for "Add
    // Player", a colour, a picture file; and what is done with a dialog or
    // the sheet while it is open (by default: OK on the dialog, nothing on
    // the sheet).
    std::optional<std::string> playerName;
    std::optional<std::uint32_t> colour;
    std::optional<std::string> imageFile;
    std::function<bool(clDialog&)> onDialog;
    std::function<void(clOptionsSheet&)> onOptions;
    int dialogsRun = 0;

    std::optional<std::string> AskPlayerName(QWidget*) override { return playerName; }
    std::optional<std::uint32_t> ChooseColour(QWidget*, std::uint32_t) override { return colour; }
    std::optional<std::string> ChooseImageFile(QWidget*) override { return imageFile; }
    bool RunDialog(clDialog& dialog) override;
    void RunOptions(clOptionsSheet& sheet) override;
};

class clFixedNamePrompt final : public clNamePrompt {
public:
    std::optional<std::string> AskPlayerName(std::string_view) override { return "Tester"; }
};

// A real main window on the offscreen platform, with the shipped data of the
// build, settings in memory, no sound device and a temporary data folder.
class clWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a game and deals a fixed deal; false when the game cannot be opened.
    bool Open(const std::string& game, std::int32_t deal);
    clSolitaireRules& Game() const;
    QWidget* Viewport() const { return window->Table()->viewport(); }

    // The table's two kinds of pixels. The core counts device pixels (card
    // rectangles, the display's card sizes, the virtual screen); the viewport
    // counts logical ones (widget geometry, pointer events), each Ratio() by
    // Ratio() device pixels: 2 x 2 under QT_SCALE_FACTOR=2. Worked out here
    // from the viewport's pixel ratio and the scroll bars, apart from the
    // table view's own sums, which the tests check.
    double Ratio() const;
    // A length of logical pixels in device pixels.
    int ToDevice(int logical) const;
    // The virtual screen's device pixel under a point of the viewport.
    clPoint ToDevice(QPointF point) const;
    // Where a device pixel of the virtual screen begins on the viewport: between
    // two logical pixels for every other device pixel of a doubled screen,
    // which a real pointer reaches (QTest's points are whole).
    QPointF ToViewport(clPoint device) const;

    // A button pressed or released, or the pointer moved with the button held,
    // delivered to the viewport as QTest delivers its own, at any point.
    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton);
    void Click(QPointF at, Qt::MouseButton button = Qt::LeftButton);

    // The window point of the middle of a card (or a little below its top edge
    // with `nearTop`).
    QPoint PointOf(const clCard& card, bool nearTop = false) const;
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Type(char character);
    void Drag(const QPoint& from, const QPoint& to);
    // Resizes the window and lets the cards follow the new size.
    void ResizeWindow(const QSize& size);
    // Until the cards have followed the window's size or size mode (they are
    // resampled off the window's thread).
    bool WaitForCards() const;

    clTempFolder folder;
    // The shipped data the program starts with (a test may set its own
    // before SetUp).
    std::filesystem::path dataFolder = QARVEL_BUILD_DATA_DIR;
    clMemorySettingsStore store;
    std::unique_ptr<clFixedUserAccount> account;
    clFixedNamePrompt prompt;
    clHeadlessMessages messages;
    clFixedClock clock;
    clScriptedDialogs dialogs;
    std::unique_ptr<clProgram> program;
    std::unique_ptr<clMainWindow> window;
};
