#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "dialogs/score_services.h"
#include "online/high_scores.h"

class QPushButton;
class QTableWidget;
class clIdentityFields;

// The best result of every variant the player has finished, with the ranks
// a submission of all of them gave; the rows sort by a click on a column
// header, and a second click on the same column reverses them.
class clHighScoresDialog final : public QDialog {
public:
    static constexpr int kWidthUnits = 399;
    static constexpr int kHeightUnits = 202;

    explicit clHighScoresDialog(const clScoreServices& services, QWidget* parent = nullptr);
    ~clHighScoresDialog() override;

    QTableWidget* List() const { return list; }
    const std::vector<clHighScoreRow>& Rows() const { return rows; }
    clIdentityFields* Identity() const { return identity.get(); }
    QPushButton* ViewButton() const { return viewButton; }
    QPushButton* SubmitButton() const { return submitButton; }
    QPushButton* OkButton() const { return okButton; }

    // What a click on the column's header does.
    void SortBy(int column);

private:
    void Fill();
    void FitSize();
    void UpdateSubmitButton();
    void SubmitAll();

    clScoreServices services;
    std::vector<clHighScoreRow> rows;
    bool ranked = false;
    bool fitted = false;
    bool dateTime;
    int sortColumn = -1;
    bool reversed = false;
    QTableWidget* list;
    std::unique_ptr<clIdentityFields> identity;
    QPushButton* viewButton;
    QPushButton* submitButton;
    QPushButton* okButton;
};
