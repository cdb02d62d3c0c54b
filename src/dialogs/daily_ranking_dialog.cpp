#include "dialogs/daily_ranking_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/dialog_style.h"
#include "dialogs/score_table.h"
#include "online/score_actions.h"
#include "online/web_pages.h"
#include "player/statistics.h"
#include "toolkit/messages.h"

namespace {

constexpr std::uint32_t kDarkGreen = 0x003000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kListHeightUnits = 120;
constexpr int kMarginUnits = 7;
constexpr int kRankWidth = 70;
constexpr int kScoreWidth = 110;

// The place a score takes among today's: after every higher score and every
// equal one already there.
std::int32_t PlaceOf(const std::vector<std::int32_t>& scores, std::int32_t score) {
    return static_cast<std::int32_t>(
               std::ranges::count_if(scores, [score](std::int32_t s) { return s >= score; })) +
           1;
}

}  // namespace

clDailyRankingDialog::clDailyRankingDialog(const clScoreServices& services, std::string gameName,
                                           std::string key, std::string day, std::int32_t score,
                                           bool counted, clFetch fetch, QWidget* parent)
    : QDialog(parent),
      services(services),
      gameName(std::move(gameName)),
      key(std::move(key)),
      score(score),
      counted(counted),
      fetch(std::move(fetch)) {
    setWindowTitle(QStringLiteral("Daily Challenge"));
    PaintDialog(this, kDarkGreen, kWhite);
    const clDialogUnits units(font());
    const QFont bold = ControlFont(font());

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetNoConstraint);
    outer->setContentsMargins(units.X(kMarginUnits), units.Y(kMarginUnits), units.X(kMarginUnits),
                              units.Y(kMarginUnits));
    headerText =
        new QLabel(QStringLiteral("Today's ranking: %1, %2 (UTC)")
                       .arg(QString::fromStdString(this->gameName), QString::fromStdString(day)),
                   this);
    headerText->setFont(bold);
    headerText->setWordWrap(true);
    outer->addWidget(headerText);

    list = new QTableWidget(this);
    SetUpReportList(list);
    list->setColumnCount(2);
    list->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Rank")));
    list->setHorizontalHeaderItem(1, new QTableWidgetItem(QStringLiteral("Score")));
    list->setMinimumHeight(units.Y(kListHeightUnits));
    list->setFont(bold);
    outer->addWidget(list, 1);

    resultText = new QLabel(this);
    resultText->setWordWrap(true);
    resultText->setFont(bold);
    outer->addWidget(resultText);

    auto* buttons = new QHBoxLayout;
    retryButton = new QPushButton(QStringLiteral("Retry"), this);
    retryButton->setAutoDefault(false);
    viewButton = new QPushButton(QStringLiteral("View Daily Page"), this);
    viewButton->setAutoDefault(false);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    for (QPushButton* button : {retryButton, viewButton, okButton}) {
        button->setFont(bold);
        buttons->addWidget(button);
    }
    outer->addLayout(buttons);
    connect(retryButton, &QPushButton::clicked, this, [this] { Retrieve(); });
    connect(viewButton, &QPushButton::clicked, this,
            [this] { this->services.openUrl(DailyPageUrl(this->services.settings, this->key)); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    retryButton->hide();
    Fill({});
    resultText->clear();
    FitSize();
}

void clDailyRankingDialog::Retrieve() {
    bool cancelled = false;
    const std::optional<std::vector<std::int32_t>> scores = fetch ? fetch(cancelled) : std::nullopt;
    if (!scores) {
        Fill({});
        resultText->setText(
            cancelled ? QStringLiteral("The ranking was not retrieved: you cancelled it. Press "
                                       "Retry to ask the server again.")
                      : QStringLiteral("Unable to retrieve today's ranking: the score server "
                                       "could not be reached or gave no usable answer. Check "
                                       "your connection, then press Retry."));
        retryButton->show();
        FitSize();
        return;
    }
    retryButton->hide();
    Fill(*scores);
    const std::string place = clStatistics::Ordinal(PlaceOf(*scores, score));
    const std::string of = std::to_string(scores->size() + (ownRow < 0 ? 1 : 0));
    QString text;
    if (!counted) {
        text = QStringLiteral(
                   "This game was practice: its score %1 is not in the ranking. It "
                   "would rank %2 of %3.")
                   .arg(score)
                   .arg(QString::fromStdString(place), QString::fromStdString(of));
    } else if (ownRow >= 0) {
        text = QStringLiteral("Your score %1 is %2 of %3 today.")
                   .arg(score)
                   .arg(QString::fromStdString(clStatistics::Ordinal(ownRow + 1)),
                        QString::number(scores->size()));
    } else {
        text = QStringLiteral(
                   "Your score %1 is not in today's ranking: it was not submitted, "
                   "or the server did not verify it. It would rank %2 of %3.")
                   .arg(score)
                   .arg(QString::fromStdString(place), QString::fromStdString(of));
    }
    if (scores->empty()) text = QStringLiteral("No scores yet today. ") + text;
    resultText->setText(text);
    FitSize();
}

// The player's score is the first of its value among today's: a score
// equal to an earlier one ranks below it, but the row shows the same.
void clDailyRankingDialog::Fill(const std::vector<std::int32_t>& scores) {
    list->clearContents();
    FitRowHeight(list);
    list->setRowCount(static_cast<int>(scores.size()));
    ownRow = -1;
    for (int i = 0; i < list->rowCount(); ++i) {
        const std::int32_t value = scores[static_cast<std::size_t>(i)];
        auto* rank = new QTableWidgetItem(QString::fromStdString(clStatistics::Ordinal(i + 1)));
        auto* points = new QTableWidgetItem(QString::number(value));
        if (counted && ownRow < 0 && value == score) {
            ownRow = i;
            rank->setIcon(ScoreIcon(clScoreIcon::Latest));
        }
        list->setItem(i, 0, rank);
        list->setItem(i, 1, points);
    }
    FitColumns(list, {kRankWidth, kScoreWidth});
    if (ownRow >= 0) {
        list->selectRow(ownRow);
        list->scrollToItem(list->item(ownRow, 0));
    }
}

// The template's size, or larger where the texts need more room.
void clDailyRankingDialog::FitSize() {
    const clDialogUnits units(font());
    FitListWidth(list, units.X(kWidthUnits - 2 * kMarginUnits));
    layout()->invalidate();
    const QSize least = layout()->totalMinimumSize();
    const int widthNow = std::max(units.X(kWidthUnits), least.width());
    const int heightNow = std::max(units.Y(kHeightUnits), layout()->totalHeightForWidth(widthNow));
    setFixedSize(widthNow, std::max(heightNow, least.height()));
}

clDailyRankingDialog::clFetch DailyFetch(const clScoreServices& services, std::string gameName) {
    return
        [&settings = services.settings, &clock = services.clock, &messages = services.messages,
         name = std::move(gameName)](bool& cancelled) -> std::optional<std::vector<std::int32_t>> {
            clOnlineScores scores(settings, clock);
            std::optional<std::vector<std::int32_t>> list = scores.RetrieveDaily(
                name, [&messages](const std::function<void(std::stop_token)>& work) {
                    return messages.RunCancellable(std::string(kRetrievingText), work);
                });
            cancelled = scores.WasCancelled();
            return list;
        };
}
