#include "dialogs/round_over_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_style.h"
#include "dialogs/score_table.h"
#include "online/online_scores.h"
#include "online/web_pages.h"
#include "player/statistics.h"

namespace {

constexpr std::uint32_t kDarkGreen = 0x004000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

}  // namespace

clRoundOverDialog::clRoundOverDialog(const clScoreServices& services, clStatistics& statistics,
                                     std::string gameName, std::string key, std::int32_t score,
                                     std::int32_t round, clOnlineScores& onlineScores,
                                     QWidget* parent)
    : clScoreDialog(services, kHeightUnits, parent),
      gameName(std::move(gameName)),
      key(std::move(key)),
      score(score),
      onlineScores(onlineScores),
      inProgress(clStatistics::MakeInterrupted(score, round, services.clock)),
      shower(services.table) {
    setWindowTitle(QStringLiteral("Round Over"));
    PaintDialog(this, kDarkGreen, kWhite);

    messageText = new QLabel(
        QStringLiteral("Congratulations!\nYou have qualified for the next round."), this);
    scoreText = new QLabel(this);
    TextColumn()->addWidget(messageText);
    TextColumn()->addWidget(scoreText);
    continueButton = new QPushButton(QStringLiteral("Continue"), this);
    continueButton->setDefault(true);
    exitButton = new QPushButton(QStringLiteral("Exit"), this);
    exitButton->setAutoDefault(false);
    ButtonRow()->addWidget(continueButton);
    ButtonRow()->addWidget(exitButton);
    connect(continueButton, &QPushButton::clicked, this, [this] { done(kContinue); });
    connect(exitButton, &QPushButton::clicked, this, [this] { done(kExit); });

    retrieveButton = new QPushButton(QStringLiteral("Retrieve Score Data"), OnlineGroup());
    lastUpdate = new QLabel(OnlineGroup());
    BuildRankPart({retrieveButton, ViewButton()}, lastUpdate);
    connect(retrieveButton, &QPushButton::clicked, this, [this] { Retrieve(); });
    connect(ViewButton(), &QPushButton::clicked, this,
            [this] { this->services.openUrl(ScorePageUrl(this->services.settings, this->key)); });
    // The time of the last update keeps the dialog's own font.
    UseControlFont({ScoreTable(), SummaryList(), messageText, scoreText, continueButton, exitButton,
                    OnlineButton(), ViewButton(), retrieveButton, OverallRank(), RecentRank()});

    // The game goes on: it shows where its score so far ranks.
    ScoreTable()->SetRows(statistics.HighScoreRows(&inProgress));
    FillSummaryList(SummaryList(), statistics.SummaryLines());
    scoreText->setText(QStringLiteral("Current score: %1\nCurrent rank: %2")
                           .arg(score)
                           .arg(QString::fromStdString(statistics.RankText(inProgress))));
    ShowRanks();
    FinishLayout();
}

void clRoundOverDialog::Retrieve() {
    RetrieveOnline(onlineScores, gameName, services.settings, Feedback());
    ShowRanks();
}

void clRoundOverDialog::ShowRanks() {
    const clRoundOverTexts texts = RoundOverTexts(onlineScores, score, services.dateFormat);
    lastUpdate->setText(QString::fromStdString(texts.lastUpdate));
    SetRankTexts(texts.overall, texts.recent);
}
