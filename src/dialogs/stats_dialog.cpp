#include "dialogs/stats_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "dialogs/identity_fields.h"
#include "dialogs/score_table.h"
#include "online/web_pages.h"
#include "player/settings.h"
#include "player/statistics.h"

namespace {

constexpr const char* kClearQuestion = "Are you sure you want to clear the statistics?";
constexpr const char* kClearDailyQuestion =
    "Are you sure you want to clear the daily challenge statistics?";
constexpr const char* kClearCaption = "Clear Statistics";
// How many of the best results "Submit Top Scores" sends at most.
constexpr std::int32_t kTopScores = 3;

}  // namespace

clStatsDialog::clStatsDialog(const clScoreServices& services, clStatistics& statistics,
                             std::string gameName, std::string key, QWidget* parent)
    : clScoreDialog(services, kHeightUnits, parent),
      statistics(statistics),
      gameName(std::move(gameName)),
      key(std::move(key)) {
    // The daily results are read here and write no summary: the chooser's
    // figures stay those of the ordinary games.
    daily = std::make_unique<clStatistics>(services.settings, services.folders, services.clock);
    daily->LoadLog(DailyLogKey(this->key), "", false);
    sections = new QTabBar(this);
    sections->addTab(QStringLiteral("Games"));
    sections->addTab(QStringLiteral("Daily Challenge"));
    sections->setExpanding(false);
    sections->setDrawBase(false);
    TextColumn()->addWidget(sections);
    connect(sections, &QTabBar::currentChanged, this, [this] { Fill(); });
    setWindowTitle(QStringLiteral("Statistics for %1").arg(QString::fromStdString(this->gameName)));

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    clearButton = new QPushButton(QStringLiteral("Clear"), this);
    clearButton->setAutoDefault(false);
    ButtonRow()->addWidget(okButton);
    ButtonRow()->addWidget(clearButton);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(clearButton, &QPushButton::clicked, this, [this] { Clear(); });

    submitBestButton = new QPushButton(QStringLiteral("Submit Highest Score"), OnlineGroup());
    submitTopButton = new QPushButton(QStringLiteral("Submit Top Scores"), OnlineGroup());
    BuildSubmitPart({submitBestButton, submitTopButton});
    connect(submitBestButton, &QPushButton::clicked, this, [this] { SubmitBest(1); });
    connect(submitTopButton, &QPushButton::clicked, this, [this] { SubmitBest(kTopScores); });
    connect(ViewButton(), &QPushButton::clicked, this,
            [this] { this->services.openUrl(ScorePageUrl(this->services.settings, this->key)); });

    Fill();
    FinishLayout();
}

bool clStatsDialog::IsDailyShown() const {
    return sections->currentIndex() == kDailySection;
}

clStatistics& clStatsDialog::Shown() const {
    return IsDailyShown() ? *daily : statistics;
}

void clStatsDialog::Fill() {
    ScoreTable()->SetRows(Shown().HistoryRows());
    FillSummaryList(SummaryList(), Shown().SummaryLines());
    clearButton->setEnabled(Shown().Count() > 0);
    UpdateSubmitButtons();
}

void clStatsDialog::Clear() {
    if (!services.askYesNo(IsDailyShown() ? kClearDailyQuestion : kClearQuestion, kClearCaption))
        return;
    Shown().ClearStatistics();
    Fill();
}

void clStatsDialog::UpdateSubmitButtons() {
    if (!Identity()) return;
    const clOnlineIdentity fields = Identity()->Fields();
    const bool practice = services.settings.Flag(clFlag::Practice) || IsDailyShown();
    // Games played with hints are never submitted.
    const auto results =
        static_cast<std::int32_t>(BestEntries(Shown(), gameName, kTopScores).size());
    submitBestButton->setEnabled(CanSubmit(fields, practice, results > 0));
    submitTopButton->setEnabled(CanSubmitTop(fields, practice, results));
    submitTopButton->setText(results >= 2 ? QString::fromStdString(SubmitTopLabel(results))
                                          : QStringLiteral("Submit Top Scores"));
}

void clStatsDialog::SubmitBest(std::int32_t count) {
    std::vector<clScoreEntry> entries = BestEntries(statistics, gameName, count);
    if (!Submit(entries)) return;
    // Past results have no record: a server that verifies scores says so.
    ShowSubmitted(entries.empty() ? std::string() : VerdictText(entries.front()),
                  SubmittedOverallRankText(entries), SubmittedRecentRankText(entries));
}
