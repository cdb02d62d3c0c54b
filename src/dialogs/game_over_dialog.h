#pragma once

#include <string>

#include "dialogs/card_shower.h"
#include "dialogs/score_dialog.h"
#include "player/score_record.h"

class clStatistics;

// After a lost round or a taken score: the local high scores with the game
// just ended, the final score and its rank, "New" and "Exit", and the online
// group with "Submit High Score Data". Cards shower over the table behind it.
// Runs to kNew or kExit; Escape and the close button choose nothing.
class clGameOverDialog final : public clScoreDialog {
public:
    static constexpr int kHeightUnits = 226;
    enum clResult { kExit = 0, kNew = 1 };

    // `record` is the encoded play record of the game, sent with its score
    // so that the server can verify it; empty when the game has none. A game
    // played as practice (Practice Mode, or `practice`: a daily challenge
    // played again) was not logged and cannot be submitted.
    clGameOverDialog(const clScoreServices& services, clStatistics& statistics,
                     std::string gameName, std::string key, std::int32_t score, std::int32_t round,
                     QWidget* parent = nullptr, std::string record = {}, bool practice = false);

    QLabel* ScoreText() const { return scoreText; }
    QLabel* MessageText() const { return messageText; }
    QPushButton* NewButton() const { return newButton; }
    QPushButton* ExitButton() const { return exitButton; }
    QPushButton* SubmitButton() const { return submitButton; }
    clCardShower& Shower() { return shower; }

    void reject() override {}

    // The game was played with hints: its score is not submitted, and the
    // submit button says so in its place.
    void MarkPlayedWithHints();
    bool PlayedWithHints() const { return playedWithHints; }

private:
    void UpdateSubmitButtons() override;
    void SubmitScore();

    clStatistics& statistics;
    std::string gameName;
    std::string key;
    std::int32_t score;
    std::int32_t round;
    std::string record;
    bool practice;
    clScoreRecord inProgress;
    bool playedWithHints = false;
    QLabel* messageText;
    QLabel* scoreText;
    QPushButton* newButton;
    QPushButton* exitButton;
    QPushButton* submitButton;
    clCardShower shower;
};
