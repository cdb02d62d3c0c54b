#pragma once

#include <memory>
#include <string>

#include "dialogs/score_dialog.h"

class QTabBar;
class clStatistics;

// The statistics of one variant: its history with ranks, the statistics
// text, "Clear", and the online group with "Submit Highest Score" and
// "Submit Top Scores" (the best three). Two tabs: the ordinary games, and
// apart from them the daily challenge's, whose log the dialog reads itself
// (their scores reach the daily ranking from Game Over only, so the submit
// buttons stay off there).
class clStatsDialog final : public clScoreDialog {
public:
    static constexpr int kHeightUnits = 226;

    clStatsDialog(const clScoreServices& services, clStatistics& statistics, std::string gameName,
                  std::string key, QWidget* parent = nullptr);

    QPushButton* OkButton() const { return okButton; }
    QPushButton* ClearButton() const { return clearButton; }
    QPushButton* SubmitBestButton() const { return submitBestButton; }
    QPushButton* SubmitTopButton() const { return submitTopButton; }
    QTabBar* Sections() const { return sections; }
    static constexpr int kGamesSection = 0;
    static constexpr int kDailySection = 1;
    // The statistics the dialog shows now.
    clStatistics& Shown() const;

    // "Clear": after a Yes, the shown statistics are cleared and both lists
    // emptied.
    void Clear();

private:
    void Fill();
    void UpdateSubmitButtons() override;
    void SubmitBest(std::int32_t count);

    bool IsDailyShown() const;

    clStatistics& statistics;
    std::unique_ptr<clStatistics> daily;
    std::string gameName;
    std::string key;
    QPushButton* okButton;
    QPushButton* clearButton;
    QPushButton* submitBestButton;
    QPushButton* submitTopButton;
    QTabBar* sections;
};
