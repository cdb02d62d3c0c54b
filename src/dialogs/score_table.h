#pragma once

#include <QListWidget>
#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "player/statistics.h"

class clDateFormat;

// "01/08/2017 14:21": the short date and the time without seconds.
QString DateText(const clDateFormat& format, const clDateTime& when);

// A score list's row icon: the best, a high, the worst score, the latest
// result; none for the others.
QIcon ScoreIcon(clScoreIcon icon);

// A list of rows with icons, grid lines and clickable column headers.
void SetUpReportList(QTableWidget* list);
// Rows as high as the list's font and its icons need; before filling it.
void FitRowHeight(QTableWidget* list);
// Each column its width in pixels, or wider when its header or its texts in
// the list's font need more; after filling it.
void FitColumns(QTableWidget* list, const std::vector<int>& widths);
// The list at least `leastWidth` pixels wide and as wide as its columns and a
// vertical scroll bar need, so that no column is cut off; after FitColumns.
void FitListWidth(QTableWidget* list, int leastWidth);
// The statistics text: a list without a header, which shows all its lines
// (at most kSummaryLines) without scrolling.
inline constexpr int kSummaryLines = 6;
QListWidget* MakeSummaryList(QWidget* parent);
// Fills the list and makes it at least as large as its lines need.
void FillSummaryList(QListWidget* list, const std::vector<std::string>& lines);

// The local high scores or the history of a variant: Rank, Score, Round and,
// with the "datetime" setting, Date Played. A click on a column header sorts
// the rows; a second click on the same column reverses them.
class clScoreTable final : public QTableWidget {
public:
    clScoreTable(const clDateFormat& format, bool dateTime, QWidget* parent);

    void SetRows(std::vector<clScoreRow> newRows);
    const std::vector<clScoreRow>& Rows() const { return rows; }
    // What a click on the column's header does.
    void SortBy(int column);

    // Called after every filling, once the columns have their widths.
    std::function<void()> onFilled;

private:
    void Fill();

    const clDateFormat& format;
    bool dateTime;
    std::vector<int> widths;
    std::vector<clScoreRow> rows;
    int sortColumn = -1;
    bool reversed = false;
};
