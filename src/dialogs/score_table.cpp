#include "dialogs/score_table.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <algorithm>
#include <array>

#include "toolkit/date_format.h"

namespace {

constexpr int kIconSize = 17;

// A face of 17 pixels: smiling or sad.
QPixmap Face(const QColor& colour, bool smiling) {
    QPixmap picture(kIconSize, kIconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(0.5, 0.5, 16, 16));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(5, 5, 2, 3));
    painter.drawEllipse(QRectF(10, 5, 2, 3));
    painter.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    if (smiling) {
        mouth.moveTo(4.5, 10);
        mouth.quadTo(8.5, 15, 12.5, 10);
    } else {
        mouth.moveTo(4.5, 13.5);
        mouth.quadTo(8.5, 9.5, 12.5, 13.5);
    }
    painter.drawPath(mouth);
    return picture;
}

// A blue arrow pointing right.
QPixmap Arrow() {
    QPixmap picture(kIconSize, kIconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 96), 1));
    painter.setBrush(QColor(32, 64, 224));
    const QPointF arrow[] = {{1.5, 6},  {8.5, 6},  {8.5, 2}, {15.5, 8.5},
                             {8.5, 15}, {8.5, 11}, {1.5, 11}};
    painter.drawPolygon(arrow, static_cast<int>(std::size(arrow)));
    return picture;
}

constexpr clScoreSort kSorts[] = {clScoreSort::Rank, clScoreSort::Score, clScoreSort::Round,
                                  clScoreSort::DatePlayed};

}  // namespace

QString DateText(const clDateFormat& format, const clDateTime& when) {
    return QString::fromStdString(format.ShortDate(when) + " " + format.ShortTime(when));
}

QIcon ScoreIcon(clScoreIcon icon) {
    // Drawn once, on first use (a picture needs the application).
    static const std::array<QIcon, 5> icons = {
        QIcon(),
        QIcon(Face(QColor(0, 200, 0), true)),
        QIcon(Face(QColor(255, 220, 0), true)),
        QIcon(Face(QColor(220, 0, 0), false)),
        QIcon(Arrow()),
    };
    const auto index = static_cast<std::size_t>(icon);
    return index < icons.size() ? icons[index] : QIcon();
}

void SetUpReportList(QTableWidget* list) {
    list->setShowGrid(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setIconSize(QSize(kIconSize, kIconSize));
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setSectionsClickable(true);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The last column takes the room the list has beyond its columns.
    list->horizontalHeader()->setStretchLastSection(true);
}

void FitRowHeight(QTableWidget* list) {
    list->verticalHeader()->setDefaultSectionSize(
        std::max(kIconSize + 4, list->fontMetrics().height() + 4));
}

void FitColumns(QTableWidget* list, const std::vector<int>& widths) {
    QHeaderView* header = list->horizontalHeader();
    for (int i = 0; i < list->columnCount() && i < static_cast<int>(widths.size()); ++i) {
        list->resizeColumnToContents(i);
        header->resizeSection(
            i, std::max(widths[static_cast<std::size_t>(i)], header->sectionSize(i)));
    }
}

void FitListWidth(QTableWidget* list, int leastWidth) {
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const int columns = list->horizontalHeader()->length() + 2 * list->frameWidth() + scrollBar;
    list->setFixedWidth(std::max(leastWidth, columns));
}

QListWidget* MakeSummaryList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

// Room for the longest statistics text, whatever lines it has now, so that
// the list keeps its size when the statistics are cleared.
void FillSummaryList(QListWidget* list, const std::vector<std::string>& lines) {
    list->clear();
    for (const std::string& line : lines)
        list->addItem(QString::fromStdString(line));
    const QFontMetrics metrics = list->fontMetrics();
    int width = 0;
    for (int i = 0; i < list->count(); ++i)
        width = std::max(width, metrics.horizontalAdvance(list->item(i)->text()));
    const auto* view = static_cast<const QAbstractItemView*>(list);
    const int line = list->count() > 0 ? view->sizeHintForRow(0) : metrics.height();
    const int frame = 2 * list->frameWidth();
    // A little room at the right, as items have their own margin.
    const int margin = 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list);
    list->setMinimumSize(std::max(list->minimumWidth(), width + frame + margin + 4),
                         std::max(list->minimumHeight(), line * kSummaryLines + frame));
}

clScoreTable::clScoreTable(const clDateFormat& format, bool dateTime, QWidget* parent)
    : QTableWidget(parent), format(format), dateTime(dateTime) {
    SetUpReportList(this);
    const std::vector<clScoreColumn> columns = clStatistics::HighScoreColumns(dateTime);
    setColumnCount(static_cast<int>(columns.size()));
    for (int i = 0; i < columnCount(); ++i) {
        const clScoreColumn& column = columns[static_cast<std::size_t>(i)];
        setHorizontalHeaderItem(
            i, new QTableWidgetItem(QString::fromUtf8(
                   column.header.data(), static_cast<qsizetype>(column.header.size()))));
        widths.push_back(column.width);
    }
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortBy(column); });
}

void clScoreTable::SetRows(std::vector<clScoreRow> newRows) {
    rows = std::move(newRows);
    sortColumn = -1;
    reversed = false;
    Fill();
}

void clScoreTable::SortBy(int column) {
    if (column < 0 || column >= columnCount()) return;
    reversed = column == sortColumn && !reversed;
    sortColumn = column;
    clStatistics::SortRows(rows, kSorts[column], reversed);
    Fill();
}

void clScoreTable::Fill() {
    clearContents();
    FitRowHeight(this);
    setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < rowCount(); ++i) {
        const clScoreRow& row = rows[static_cast<std::size_t>(i)];
        auto* rank = new QTableWidgetItem(ScoreIcon(row.icon), QString::number(row.rank));
        setItem(i, 0, rank);
        // A game played with hints says so beside its score.
        auto* score = new QTableWidgetItem(row.hinted ? QStringLiteral("%1 (hints)").arg(row.score)
                                                      : QString::number(row.score));
        if (row.hinted)
            score->setToolTip(QStringLiteral("Played with hints: not submitted online"));
        setItem(i, 1, score);
        setItem(i, 2, new QTableWidgetItem(QString::number(row.round)));
        if (dateTime) {
            const QString date =
                row.inProgress ? QStringLiteral("[in progress]") : DateText(format, row.when);
            setItem(i, 3, new QTableWidgetItem(date));
        }
    }
    FitColumns(this, widths);
    if (onFilled) onFilled();
}
