#pragma once

#include <string>

#include "dialogs/card_shower.h"
#include "dialogs/score_dialog.h"
#include "player/score_record.h"

class clOnlineScores;
class clStatistics;

// After a won round: the local high scores with the game in progress, the
// score so far and its rank, "Continue" and "Exit", and the online group with
// the rank of the score so far against the screen's cached online lists,
// "Retrieve Score Data" and the time of the last retrieval. Cards shower over
// the table behind it. Runs to kContinue or kExit; Escape and the close
// button choose nothing.
class clRoundOverDialog final : public clScoreDialog {
public:
    static constexpr int kHeightUnits = 201;
    enum clResult { kExit = 0, kContinue = 1 };

    clRoundOverDialog(const clScoreServices& services, clStatistics& statistics,
                      std::string gameName, std::string key, std::int32_t score, std::int32_t round,
                      clOnlineScores& onlineScores, QWidget* parent = nullptr);

    QLabel* ScoreText() const { return scoreText; }
    QLabel* MessageText() const { return messageText; }
    QLabel* LastUpdate() const { return lastUpdate; }
    QPushButton* ContinueButton() const { return continueButton; }
    QPushButton* ExitButton() const { return exitButton; }
    QPushButton* RetrieveButton() const { return retrieveButton; }
    clCardShower& Shower() { return shower; }

    // "Retrieve Score Data": fetches the lists, then shows the ranks again.
    void Retrieve();

    void reject() override {}

private:
    void ShowRanks();

    std::string gameName;
    std::string key;
    std::int32_t score;
    clOnlineScores& onlineScores;
    clScoreRecord inProgress;
    QLabel* messageText;
    QLabel* scoreText;
    QLabel* lastUpdate;
    QPushButton* continueButton;
    QPushButton* exitButton;
    QPushButton* retrieveButton;
    clCardShower shower;
};
