#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/score_services.h"
#include "online/score_actions.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class clIdentityFields;
class clScoreTable;

// What the Statistics, Game Over and Round Over dialogs share: an upper part
// with the local score list on the left and the statistics text on the
// right, and below it the group "Online High Scores", shown or hidden by the
// "Offline"/"Online" button. The group follows the player's "online"
// setting when the dialog opens, and the button sets it.
class clScoreDialog : public QDialog {
public:
    // Widths and heights in dialog units: the dialog, and its upper part,
    // which is all of it while offline.
    static constexpr int kWidthUnits = 424;
    static constexpr int kUpperHeightUnits = 141;

    ~clScoreDialog() override;

    bool IsOnline() const { return online; }
    // Hides the online group and shrinks the dialog to its upper part; the
    // button reads "Online" and the setting becomes 0.
    void GoOffline();
    // Shows the online group (with the submit buttons until a submission,
    // the rank texts after one) at the dialog's full size; the button reads
    // "Offline" and the setting becomes 1.
    void GoOnline();
    // The dialog's sizes on- and offline: the template's, or larger where
    // the texts need more room.
    QSize FullSize() const;
    QSize OfflineSize() const;

    QPushButton* OnlineButton() const { return onlineButton; }
    clScoreTable* ScoreTable() const { return scoreTable; }
    QListWidget* SummaryList() const { return summaryList; }
    QGroupBox* OnlineGroup() const { return onlineGroup; }
    QPushButton* ViewButton() const { return viewButton; }
    // The rank texts "Overall rank:" and "Recent rank:".
    QLabel* OverallRank() const { return overallRank; }
    QLabel* RecentRank() const { return recentRank; }
    // Why the server refused a submitted score, across the group in place of
    // the ranks; hidden otherwise.
    QLabel* Refusal() const { return refusal; }
    // Null in the Round Over dialog, which has no fields.
    clIdentityFields* Identity() const { return identity.get(); }

protected:
    clScoreDialog(const clScoreServices& services, int heightUnits, QWidget* parent);

    // Where a dialog puts its texts above the statistics text, and its
    // buttons below it (the online button comes last).
    QVBoxLayout* TextColumn() const { return textColumn; }
    QHBoxLayout* ButtonRow() const { return buttonRow; }
    QGridLayout* OnlineGrid() const { return onlineGrid; }

    // The online group of the Statistics and Game Over dialogs: the identity
    // fields, "View High Scores", the submit buttons, and in their place after
    // a submission the rank texts. The buttons' enabling runs at every change
    // of a field.
    void BuildSubmitPart(const std::vector<QPushButton*>& submitButtons);
    // The Round Over dialog's: the rank texts, which always show, and the
    // buttons in a column beside them.
    void BuildRankPart(const std::vector<QPushButton*>& buttons, QLabel* extraText);
    virtual void UpdateSubmitButtons() {}

    // Sends the entries with the fields' identity. On success the submit
    // buttons give way to the rank texts; true then.
    bool Submit(std::vector<clScoreEntry>& entries);
    // The texts "Overall rank:" and "Recent rank:" show, and the dialog
    // grows when they need it.
    void SetRankTexts(const std::string& overall, const std::string& recent);
    // After a submission: the ranks, or, when the server gave a reason for
    // refusing the score, that reason in their place.
    void ShowSubmitted(const std::string& refusedBecause, const std::string& overall,
                       const std::string& recent);
    // The dialog takes the size its state and its texts need; after a change
    // of what it shows.
    void FitSize();
    clOnlineFeedback Feedback() const { return {services.messages, services.playSound}; }

    // The last step of every dialog's construction: the buttons' enabling, and
    // offline when the setting says so.
    void FinishLayout();
    // The bold 16-pixel font of the coloured dialogs, for every control that
    // has an identifier (lists, fields, buttons and the named texts).
    void UseControlFont(const std::vector<QWidget*>& controls);

    clScoreServices services;
    QPushButton* onlineButton;
    clScoreTable* scoreTable;
    QListWidget* summaryList;
    QGroupBox* onlineGroup;
    QPushButton* viewButton;
    QLabel* overallRank;
    QLabel* recentRank;
    QLabel* refusal;
    std::unique_ptr<clIdentityFields> identity;

private:
    // The score list as wide as its columns need, and the dialog with it.
    void FitTableWidth();

    QWidget* upper;
    QWidget* lower;
    int heightUnits;
    int widthSoFar = 0;
    bool sized = false;
    bool online = true;
    bool submitted = false;
    bool refused = false;
    std::vector<QPushButton*> submitButtons;
    QVBoxLayout* textColumn;
    QHBoxLayout* buttonRow;
    QGridLayout* onlineGrid;
};
