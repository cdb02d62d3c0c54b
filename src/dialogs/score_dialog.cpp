#include "dialogs/score_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/dialog_style.h"
#include "dialogs/identity_fields.h"
#include "dialogs/score_table.h"
#include "player/settings.h"

namespace {

// The local score list's size in dialog units.
constexpr int kListWidthUnits = 238;
constexpr int kListHeightUnits = 129;
constexpr int kMarginUnits = 6;

}  // namespace

clScoreDialog::clScoreDialog(const clScoreServices& services, int heightUnits, QWidget* parent)
    : QDialog(parent), services(services), heightUnits(heightUnits) {
    const clDialogUnits units(font());
    const int marginX = units.X(kMarginUnits);
    const int marginY = units.Y(kMarginUnits);

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetNoConstraint);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // The upper part, all that shows while offline.
    upper = new QWidget(this);
    auto* upperRow = new QHBoxLayout(upper);
    upperRow->setContentsMargins(marginX, marginY, marginX, marginY);
    upperRow->setSpacing(marginX);
    scoreTable =
        new clScoreTable(services.dateFormat, services.settings.Flag(clFlag::DateTime), upper);
    scoreTable->setFixedHeight(units.Y(kListHeightUnits));
    scoreTable->onFilled = [this] { FitTableWidth(); };
    upperRow->addWidget(scoreTable, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->setSpacing(units.Y(2));
    textColumn = new QVBoxLayout;
    textColumn->setSpacing(units.Y(2));
    right->addLayout(textColumn);
    summaryList = MakeSummaryList(upper);
    right->addWidget(summaryList, 1);
    buttonRow = new QHBoxLayout;
    right->addLayout(buttonRow);
    upperRow->addLayout(right, 1);
    outer->addWidget(upper);

    // The lower part, which shows while online, with its margins.
    lower = new QWidget(this);
    onlineGroup = new QGroupBox(QStringLiteral("Online High Scores"), lower);
    onlineGrid = new QGridLayout(onlineGroup);
    auto* lowerColumn = new QVBoxLayout(lower);
    lowerColumn->setContentsMargins(marginX, 0, marginX, marginY);
    lowerColumn->addWidget(onlineGroup);
    outer->addWidget(lower, 1);

    onlineButton = new QPushButton(QStringLiteral("Offline"), this);
    onlineButton->setAutoDefault(false);
    connect(onlineButton, &QPushButton::clicked, this, [this] {
        if (online) {
            GoOffline();
        } else {
            GoOnline();
        }
    });
    viewButton = new QPushButton(QStringLiteral("View High Scores"), onlineGroup);
    viewButton->setAutoDefault(false);
    overallRank = new QLabel(QStringLiteral("Overall rank:"), onlineGroup);
    recentRank = new QLabel(QStringLiteral("Recent rank:"), onlineGroup);
    refusal = new QLabel(onlineGroup);
    refusal->setWordWrap(true);
    refusal->setMinimumHeight(2 * QFontMetrics(ControlFont(font())).lineSpacing());
    refusal->hide();
}

clScoreDialog::~clScoreDialog() = default;

// The templates' sizes, or larger where the texts in the player's font need
// it; the same width on- and offline.
QSize clScoreDialog::OfflineSize() const {
    const clDialogUnits units(font());
    const QSize upperLeast = upper->layout()->totalMinimumSize();
    const int width = std::max(
        {units.X(kWidthUnits), upperLeast.width(), lower->minimumSizeHint().width(), widthSoFar});
    return {width, std::max(units.Y(kUpperHeightUnits), upperLeast.height())};
}

QSize clScoreDialog::FullSize() const {
    const clDialogUnits units(font());
    const QSize offline = OfflineSize();
    const int group = lower->minimumSizeHint().height();
    return {offline.width(), std::max(units.Y(heightUnits), offline.height() + group)};
}

void clScoreDialog::FitTableWidth() {
    FitListWidth(scoreTable, clDialogUnits(font()).X(kListWidthUnits));
    if (sized) FitSize();
}

// The width only grows: the buttons stay under the pointer when a list
// empties.
void clScoreDialog::FitSize() {
    sized = true;
    upper->setFixedHeight(OfflineSize().height());
    const QSize size = online ? FullSize() : OfflineSize();
    widthSoFar = size.width();
    setFixedSize(size);
}

void clScoreDialog::BuildSubmitPart(const std::vector<QPushButton*>& buttons) {
    submitButtons = buttons;
    identity = std::make_unique<clIdentityFields>(services.settings, onlineGrid, 0);
    identity->OnChange([this] { UpdateSubmitButtons(); });
    onlineGrid->setColumnStretch(1, 1);
    onlineGrid->addWidget(viewButton, 0, 2);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setAutoDefault(false);
        onlineGrid->addWidget(buttons[i], static_cast<int>(i) + 1, 2);
    }
    onlineGrid->addWidget(overallRank, 1, 2);
    onlineGrid->addWidget(recentRank, 2, 2);
    onlineGrid->addWidget(refusal, 3, 0, 1, 3);
    overallRank->hide();
    recentRank->hide();
}

void clScoreDialog::BuildRankPart(const std::vector<QPushButton*>& buttons, QLabel* extraText) {
    onlineGrid->setColumnStretch(0, 1);
    onlineGrid->addWidget(overallRank, 0, 0);
    onlineGrid->addWidget(recentRank, 1, 0);
    onlineGrid->addWidget(extraText, 2, 0);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setAutoDefault(false);
        onlineGrid->addWidget(buttons[i], static_cast<int>(i), 1);
    }
}

void clScoreDialog::FinishLayout() {
    buttonRow->addWidget(onlineButton);
    UpdateSubmitButtons();
    if (services.settings.Flag(clFlag::Online)) {
        GoOnline();
    } else {
        GoOffline();
    }
}

void clScoreDialog::UseControlFont(const std::vector<QWidget*>& controls) {
    const QFont bold = ControlFont(font());
    for (QWidget* control : controls)
        control->setFont(bold);
}

void clScoreDialog::GoOffline() {
    online = false;
    lower->hide();
    onlineButton->setText(QStringLiteral("Online"));
    services.settings.SetFlag(clFlag::Online, false);
    FitSize();
}

void clScoreDialog::GoOnline() {
    online = true;
    if (identity) {
        for (QPushButton* button : submitButtons)
            button->setVisible(!submitted);
        overallRank->setVisible(submitted && !refused);
        recentRank->setVisible(submitted && !refused);
        refusal->setVisible(submitted && refused);
    }
    lower->show();
    onlineButton->setText(QStringLiteral("Offline"));
    services.settings.SetFlag(clFlag::Online, true);
    FitSize();
}

bool clScoreDialog::Submit(std::vector<clScoreEntry>& entries) {
    if (!identity) return false;
    const clSubmitOutcome outcome =
        SubmitOnline(services.settings, services.clock, identity->Fields(), entries, Feedback());
    if (outcome != clSubmitOutcome::Submitted) return false;
    submitted = true;
    for (QPushButton* button : submitButtons)
        button->hide();
    overallRank->show();
    recentRank->show();
    return true;
}

void clScoreDialog::ShowSubmitted(const std::string& refusedBecause, const std::string& overall,
                                  const std::string& recent) {
    refused = !refusedBecause.empty();
    overallRank->setVisible(!refused);
    recentRank->setVisible(!refused);
    refusal->setVisible(refused);
    refusal->setText(QString::fromStdString(refusedBecause));
    SetRankTexts(overall, recent);
}

void clScoreDialog::SetRankTexts(const std::string& overall, const std::string& recent) {
    overallRank->setText(QString::fromStdString(overall));
    recentRank->setText(QString::fromStdString(recent));
    if (sized) FitSize();
}
