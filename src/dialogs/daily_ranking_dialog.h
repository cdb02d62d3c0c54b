#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/score_services.h"
#include "online/online_scores.h"

class QLabel;
class QPushButton;
class QTableWidget;

// Today's ranking of a game's daily challenge, after a daily game: every
// verified score of the day (UTC) from the score server, best first, with the
// player's own score marked and its place said in words. The list is fetched
// when the dialog opens, off the window's thread (the player may cancel); a
// failed or cancelled fetch says so in the dialog, and "Retry" asks again.
class clDailyRankingDialog final : public QDialog {
public:
    static constexpr int kWidthUnits = 260;
    static constexpr int kHeightUnits = 200;

    // Fetches today's scores of a game; nothing when the exchange failed or
    // was cancelled (`cancelled` says which).
    using clFetch = std::function<std::optional<std::vector<std::int32_t>>(bool& cancelled)>;

    // `score` is the player's final score; `counted` whether it was the day's
    // counted attempt (a practice game is only compared with the ranking).
    clDailyRankingDialog(const clScoreServices& services, std::string gameName, std::string key,
                         std::string day, std::int32_t score, bool counted, clFetch fetch,
                         QWidget* parent = nullptr);

    // Asks the server for the list and shows what came back.
    void Retrieve();

    QTableWidget* List() const { return list; }
    QLabel* HeaderText() const { return headerText; }
    QLabel* ResultText() const { return resultText; }
    QPushButton* RetryButton() const { return retryButton; }
    QPushButton* ViewButton() const { return viewButton; }
    QPushButton* OkButton() const { return okButton; }
    // The row of the player's score; -1 when it is not in the list.
    int OwnRow() const { return ownRow; }

private:
    void Fill(const std::vector<std::int32_t>& scores);
    void FitSize();

    clScoreServices services;
    std::string gameName;
    std::string key;
    std::int32_t score;
    bool counted;
    clFetch fetch;
    int ownRow = -1;
    QLabel* headerText;
    QTableWidget* list;
    QLabel* resultText;
    QPushButton* retryButton;
    QPushButton* viewButton;
    QPushButton* okButton;
};

// The fetch of the game's HTTP client: RetrieveDaily with the player's
// time-out, run through the program's messages (cancellable).
clDailyRankingDialog::clFetch DailyFetch(const clScoreServices& services, std::string gameName);
