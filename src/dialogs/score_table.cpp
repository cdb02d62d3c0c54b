#include "dialogs/score_table.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
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

QListWidget* MakeSummaryList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

void FillSummaryList(QListWidget* list, const std::vector<std::string>& lines) {
    list->clear();
    for (const std::string& line : lines)
        list->addItem(QString::fromStdString(line));
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
        setItem(i, 1, new QTableWidgetItem(QString::number(row.score)));
        setItem(i, 2, new QTableWidgetItem(QString::number(row.round)));
        if (dateTime) {
            const QString date =
                row.inProgress ? QStringLiteral("[in progress]") : DateText(format, row.when);
            setItem(i, 3, new QTableWidgetItem(date));
        }
    }
    FitColumns(this, widths);
}
