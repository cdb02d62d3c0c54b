#include "dialogs/game_over_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_style.h"
#include "dialogs/identity_fields.h"
#include "dialogs/score_table.h"
#include "online/web_pages.h"
#include "player/settings.h"
#include "player/statistics.h"

namespace {

constexpr std::uint32_t kDarkBlue = 0x400000;
constexpr std::uint32_t kYellow = 0x00FFFF;

}  // namespace

clGameOverDialog::clGameOverDialog(const clScoreServices& services, clStatistics& statistics,
                                   std::string gameName, std::string key, std::int32_t score,
                                   std::int32_t round, QWidget* parent, std::string record,
                                   bool practiceGame)
    : clScoreDialog(services, kHeightUnits, parent),
      statistics(statistics),
      gameName(std::move(gameName)),
      key(std::move(key)),
      score(score),
      round(round),
      record(std::move(record)),
      practice(practiceGame || services.settings.Flag(clFlag::Practice)),
      inProgress(clStatistics::MakeInterrupted(score, round, services.clock)),
      shower(services.table) {
    setWindowTitle(QStringLiteral("Game Over"));
    PaintDialog(this, kDarkBlue, kYellow);

    messageText = new QLabel(QStringLiteral("Sorry!\nYou did not reach the required score."), this);
    scoreText = new QLabel(this);
    TextColumn()->addWidget(messageText);
    TextColumn()->addWidget(scoreText);
    newButton = new QPushButton(QStringLiteral("New"), this);
    newButton->setDefault(true);
    exitButton = new QPushButton(QStringLiteral("Exit"), this);
    exitButton->setAutoDefault(false);
    ButtonRow()->addWidget(newButton);
    ButtonRow()->addWidget(exitButton);
    connect(newButton, &QPushButton::clicked, this, [this] { done(kNew); });
    connect(exitButton, &QPushButton::clicked, this, [this] { done(kExit); });

    submitButton = new QPushButton(QStringLiteral("Submit High Score Data"), OnlineGroup());
    BuildSubmitPart({submitButton});
    connect(submitButton, &QPushButton::clicked, this, [this] { SubmitScore(); });
    connect(ViewButton(), &QPushButton::clicked, this,
            [this] { this->services.openUrl(ScorePageUrl(this->services.settings, this->key)); });
    UseControlFont({ScoreTable(), SummaryList(), messageText, scoreText, newButton, exitButton,
                    OnlineButton(), ViewButton(), submitButton, OverallRank(), RecentRank(),
                    Identity()->Name(), Identity()->Location(), Identity()->Email()});

    // A game played in Practice Mode was not logged: it shows where it would
    // have ranked. Otherwise the game just logged is the latest result.
    ScoreTable()->SetRows(statistics.HighScoreRows(practice ? &inProgress : nullptr));
    FillSummaryList(SummaryList(), statistics.SummaryLines());
    const std::string rank =
        practice ? statistics.RankText(inProgress) : statistics.LatestRankText();
    scoreText->setText(
        QStringLiteral("Final score: %1\nRank: %2").arg(score).arg(QString::fromStdString(rank)));
    FinishLayout();
}

void clGameOverDialog::UpdateSubmitButtons() {
    submitButton->setEnabled(!playedWithHints && CanSubmit(Identity()->Fields(), practice, true));
}

void clGameOverDialog::MarkPlayedWithHints() {
    playedWithHints = true;
    submitButton->setText(QStringLiteral("Played with Hints: Not Submitted"));
    submitButton->setToolTip(
        QStringLiteral("A game played with hints is kept in your statistics but never "
                       "submitted online."));
    UpdateSubmitButtons();
    FitSize();
}

void clGameOverDialog::SubmitScore() {
    if (practice || playedWithHints) return;
    std::vector<clScoreEntry> entries = {{gameName, score, round, {}}};
    entries.front().record = record;
    if (!Submit(entries)) return;
    ShowSubmitted(VerdictText(entries.front()), SubmittedOverallRankText(entries.front()),
                  SubmittedRecentRankText(entries.front()));
}
