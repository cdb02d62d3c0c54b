#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "toolkit/qt_date_format.h"

class QWidget;
class clDialog;
class clOnlineScores;
class clOptionsSheet;
class clProgram;
struct clScoreServices;

// What the player chose at the end of a game.
enum class clGameOverChoice { NewGame, Exit };

// The game a score dialog is about: its display name and short key, and the
// playing screen's cached online lists (null: none kept).
struct clScoreGame {
    std::string displayName;
    std::string key;
    clOnlineScores* onlineScores = nullptr;
    // The encoded play record of the game that just ended (Game Over).
    std::string record{};
    // A daily challenge: its results are logged apart from the ordinary
    // games'; a repeat of the day's challenge is practice.
    bool daily = false;
    bool practice = false;
    // The game that just ended was played with hints: it is not submitted.
    bool hinted = false;
};

// The questions and score dialogs the window puts to the player. The game
// uses message boxes and its score dialogs; tests answer in their place.
class clWindowDialogs {
public:
    virtual ~clWindowDialogs() = default;
    virtual bool AskYesNo(QWidget* parent, const std::string& text, const std::string& caption) = 0;
    virtual void ShowMessage(QWidget* parent, const std::string& text,
                             const std::string& caption) = 0;
    // After the game's result was logged.
    virtual clGameOverChoice ShowGameOver(QWidget* parent, const clScoreGame& game,
                                          std::int32_t score, std::int32_t round) = 0;
    // True for "Continue", false for "Exit".
    virtual bool ShowRoundOver(QWidget* parent, const clScoreGame& game, std::int32_t score,
                               std::int32_t round) = 0;
    // The statistics of a game, read from its log.
    virtual void ShowStatistics(QWidget* parent, const clScoreGame& game) = 0;
    // After a daily challenge's Game Over: today's ranking of the game, with
    // the player's final score (`day` is today, UTC, as "2026-12-11").
    virtual void ShowDailyRanking(QWidget* parent, const clScoreGame& game, const std::string& day,
                                  std::int32_t score) = 0;
    // The best result of every game the player has finished.
    virtual void ShowHighScores(QWidget* parent) = 0;
    // "Add Player"'s name; nothing on Cancel.
    virtual std::optional<std::string> AskPlayerName(QWidget* parent) = 0;
    // The colour chooser, starting at a colour (0x00BBGGRR); nothing on Cancel.
    virtual std::optional<std::uint32_t> ChooseColour(QWidget* parent, std::uint32_t colour) = 0;
    // A picture file to open; nothing on Cancel.
    virtual std::optional<std::string> ChooseImageFile(QWidget* parent) = 0;
    // Runs one of the small dialogs, or the options sheet, modally: true when
    // the dialog ended with OK.
    virtual bool RunDialog(clDialog& dialog) = 0;
    virtual void RunOptions(clOptionsSheet& sheet) = 0;
    // Hands a web or mail address to the desktop (its browser, its mail
    // program): false when nothing could be started for it.
    virtual bool OpenUrl(const std::string& url) = 0;
};

// Opens a web or mail address on the desktop; when that fails, a message
// over `parent` says so with the address.
void OpenAddress(clWindowDialogs& dialogs, QWidget* parent, const std::string& url);

// Message boxes with the game's texts, and the score dialogs over the
// program's table.
class clGameDialogs final : public clWindowDialogs {
public:
    using clQuestion = std::function<bool(const std::string& text, const std::string& caption)>;
    // True when the address was opened.
    using clUrlOpener = std::function<bool(const std::string& url)>;

    explicit clGameDialogs(clProgram& program);

    bool AskYesNo(QWidget* parent, const std::string& text, const std::string& caption) override;
    void ShowMessage(QWidget* parent, const std::string& text, const std::string& caption) override;
    clGameOverChoice ShowGameOver(QWidget* parent, const clScoreGame& game, std::int32_t score,
                                  std::int32_t round) override;
    bool ShowRoundOver(QWidget* parent, const clScoreGame& game, std::int32_t score,
                       std::int32_t round) override;
    void ShowStatistics(QWidget* parent, const clScoreGame& game) override;
    void ShowDailyRanking(QWidget* parent, const clScoreGame& game, const std::string& day,
                          std::int32_t score) override;
    void ShowHighScores(QWidget* parent) override;
    std::optional<std::string> AskPlayerName(QWidget* parent) override;
    std::optional<std::uint32_t> ChooseColour(QWidget* parent, std::uint32_t colour) override;
    std::optional<std::string> ChooseImageFile(QWidget* parent) override;
    bool RunDialog(clDialog& dialog) override;
    void RunOptions(clOptionsSheet& sheet) override;
    bool OpenUrl(const std::string& url) override;

    // Who answers the Yes/No questions, and where web pages open: a message
    // box and the browser unless set (tests answer in the player's place).
    void SetQuestion(clQuestion question) { askQuestion = std::move(question); }
    void SetUrlOpener(clUrlOpener opener) { openUrl = std::move(opener); }

private:
    clScoreServices Services(QWidget* parent);

    clProgram& program;
    clQtDateFormat dateFormat;
    clQuestion askQuestion;
    clUrlOpener openUrl;
};

// The game's own dialogs stop the round's clock while they are open: this
// passes every dialog on to another set of dialogs and counts, in `depth`,
// how many are open.
class clClockHoldingDialogs final : public clWindowDialogs {
public:
    clClockHoldingDialogs(clWindowDialogs& dialogs, int& depth) : dialogs(dialogs), depth(depth) {}

    bool AskYesNo(QWidget* parent, const std::string& text, const std::string& caption) override;
    void ShowMessage(QWidget* parent, const std::string& text, const std::string& caption) override;
    clGameOverChoice ShowGameOver(QWidget* parent, const clScoreGame& game, std::int32_t score,
                                  std::int32_t round) override;
    bool ShowRoundOver(QWidget* parent, const clScoreGame& game, std::int32_t score,
                       std::int32_t round) override;
    void ShowStatistics(QWidget* parent, const clScoreGame& game) override;
    void ShowDailyRanking(QWidget* parent, const clScoreGame& game, const std::string& day,
                          std::int32_t score) override;
    void ShowHighScores(QWidget* parent) override;
    std::optional<std::string> AskPlayerName(QWidget* parent) override;
    std::optional<std::uint32_t> ChooseColour(QWidget* parent, std::uint32_t colour) override;
    std::optional<std::string> ChooseImageFile(QWidget* parent) override;
    bool RunDialog(clDialog& dialog) override;
    void RunOptions(clOptionsSheet& sheet) override;
    // Opening an address shows no dialog of the game's: nothing is held.
    bool OpenUrl(const std::string& url) override { return dialogs.OpenUrl(url); }

private:
    // Counts one open dialog for as long as it lives.
    class clHold {
    public:
        explicit clHold(int& depth) : depth(depth) { ++depth; }
        ~clHold() { --depth; }
        clHold(const clHold&) = delete;
        clHold& operator=(const clHold&) = delete;

    private:
        int& depth;
    };

    clWindowDialogs& dialogs;
    int& depth;
};
