#pragma once

#include <string>

#include "dialogs/score_dialog.h"

class clStatistics;

// The statistics of one variant: its history with ranks, the statistics
// text, "Clear", and the online group with "Submit Highest Score" and
// "Submit Top Scores" (the best three).
class clStatsDialog final : public clScoreDialog {
public:
    static constexpr int kHeightUnits = 226;

    clStatsDialog(const clScoreServices& services, clStatistics& statistics, std::string gameName,
                  std::string key, QWidget* parent = nullptr);

    QPushButton* OkButton() const { return okButton; }
    QPushButton* ClearButton() const { return clearButton; }
    QPushButton* SubmitBestButton() const { return submitBestButton; }
    QPushButton* SubmitTopButton() const { return submitTopButton; }

    // "Clear": after a Yes, the statistics are cleared and both lists emptied.
    void Clear();

private:
    void Fill();
    void UpdateSubmitButtons() override;
    void SubmitBest(std::int32_t count);

    clStatistics& statistics;
    std::string gameName;
    std::string key;
    QPushButton* okButton;
    QPushButton* clearButton;
    QPushButton* submitBestButton;
    QPushButton* submitTopButton;
};
