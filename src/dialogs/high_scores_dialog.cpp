#include "dialogs/high_scores_dialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/dialog_style.h"
#include "dialogs/identity_fields.h"
#include "dialogs/score_table.h"
#include "online/score_actions.h"
#include "online/web_pages.h"
#include "player/settings.h"
#include "toolkit/messages.h"

namespace {

constexpr std::uint32_t kDarkRed = 0x000080;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kListWidthUnits = 385;
constexpr int kListHeightUnits = 125;
constexpr int kMarginUnits = 7;

struct clColumn {
    const char* header;
    int width;  // pixels
    clHighScoreColumn sort;
};

constexpr clColumn kColumns[] = {
    {"Game", 120, clHighScoreColumn::Game},
    {"Score", 90, clHighScoreColumn::Score},
    {"Round", 45, clHighScoreColumn::Round},
    {"Overall Rank", 90, clHighScoreColumn::OverallRank},
    {"Recent Rank", 90, clHighScoreColumn::RecentRank},
    {"Date Played", 120, clHighScoreColumn::DatePlayed},
};

QTableWidgetItem* Item(const QString& text) {
    return new QTableWidgetItem(text);
}

}  // namespace

clHighScoresDialog::clHighScoresDialog(const clScoreServices& services, QWidget* parent)
    : QDialog(parent), services(services), dateTime(services.settings.Flag(clFlag::DateTime)) {
    setWindowTitle(QStringLiteral("High Scores"));
    PaintDialog(this, kDarkRed, kWhite);
    const clDialogUnits units(font());

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetNoConstraint);
    outer->setContentsMargins(units.X(kMarginUnits), units.Y(kMarginUnits), units.X(kMarginUnits),
                              units.Y(kMarginUnits));
    list = new QTableWidget(this);
    SetUpReportList(list);
    list->setFixedHeight(units.Y(kListHeightUnits));
    const int columns = dateTime ? 6 : 5;
    list->setColumnCount(columns);
    for (int i = 0; i < columns; ++i) {
        list->setHorizontalHeaderItem(i, Item(QString::fromLatin1(kColumns[i].header)));
    }
    connect(list->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortBy(column); });
    outer->addWidget(list, 0, Qt::AlignHCenter);

    auto* grid = new QGridLayout;
    identity = std::make_unique<clIdentityFields>(services.settings, grid, 0);
    identity->OnChange([this] { UpdateSubmitButton(); });
    grid->setColumnStretch(1, 1);
    viewButton = new QPushButton(QStringLiteral("View High Scores"), this);
    viewButton->setAutoDefault(false);
    submitButton = new QPushButton(QStringLiteral("Submit High Score Data"), this);
    submitButton->setAutoDefault(false);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    grid->addWidget(viewButton, 0, 2);
    grid->addWidget(submitButton, 1, 2);
    grid->addWidget(okButton, 2, 2);
    outer->addLayout(grid);
    connect(viewButton, &QPushButton::clicked, this,
            [this] { this->services.openUrl(StartPageUrl(this->services.settings)); });
    connect(submitButton, &QPushButton::clicked, this, [this] { SubmitAll(); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    const QFont bold = ControlFont(font());
    for (QWidget* control :
         std::initializer_list<QWidget*>{list, identity->Name(), identity->Location(),
                                         identity->Email(), viewButton, submitButton, okButton})
        control->setFont(bold);

    {
        const clWaitCursor wait(services.messages);
        rows = FillHighScoreRows(services.settings, services.folders, services.clock);
    }
    Fill();
    UpdateSubmitButton();
}

clHighScoresDialog::~clHighScoresDialog() = default;

void clHighScoresDialog::Fill() {
    list->clearContents();
    FitRowHeight(list);
    list->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < list->rowCount(); ++i) {
        const clHighScoreRow& row = rows[static_cast<std::size_t>(i)];
        const clScoreRanks& ranks = row.entry.ranks;
        list->setItem(i, 0, Item(QString::fromStdString(row.entry.gameName)));
        list->setItem(i, 1, Item(QString::number(row.entry.score)));
        list->setItem(i, 2, Item(QString::number(row.entry.round)));
        if (ranked) {
            list->setItem(i, 3,
                          Item(QString::fromStdString(
                              RankColumnText(ranks.overallRank, ranks.overallCount))));
            list->setItem(
                i, 4,
                Item(QString::fromStdString(RankColumnText(ranks.recentRank, ranks.recentCount))));
        }
        if (dateTime) list->setItem(i, 5, Item(DateText(services.dateFormat, row.when)));
    }
    std::vector<int> widths;
    for (const clColumn& column : kColumns)
        widths.push_back(column.width);
    FitColumns(list, widths);
    FitSize();
}

// The template's size, or larger where the list's columns or the captions
// need more room; the width never shrinks.
void clHighScoresDialog::FitSize() {
    const clDialogUnits units(font());
    FitListWidth(list, units.X(kListWidthUnits));
    layout()->invalidate();
    const QSize least = layout()->totalMinimumSize();
    const QSize size(std::max({units.X(kWidthUnits), least.width(), fitted ? width() : 0}),
                     std::max(units.Y(kHeightUnits), least.height()));
    fitted = true;
    setFixedSize(size);
}

void clHighScoresDialog::SortBy(int column) {
    if (column < 0 || column >= list->columnCount()) return;
    reversed = column == sortColumn && !reversed;
    sortColumn = column;
    SortHighScoreRows(rows, kColumns[column].sort, reversed);
    Fill();
}

void clHighScoresDialog::UpdateSubmitButton() {
    submitButton->setEnabled(CanSubmit(identity->Fields(), false, !rows.empty()));
}

void clHighScoresDialog::SubmitAll() {
    std::vector<clScoreEntry> entries;
    entries.reserve(rows.size());
    for (const clHighScoreRow& row : rows)
        entries.push_back({row.entry.gameName, row.entry.score, row.entry.round, {}});
    const clSubmitOutcome outcome =
        SubmitOnline(services.settings, services.clock, identity->Fields(), entries,
                     {services.messages, services.playSound});
    if (outcome != clSubmitOutcome::Submitted) return;
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].entry.ranks = entries[i].ranks;
    ranked = true;
    submitButton->hide();
    Fill();
}
