#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "dialogs/dialog_base.h"

class QComboBox;
class QScrollBar;
class clCardSetList;
class clDisplay;
struct clDisplayOptions;

// The strip of the card-back chooser shows six backs at a time.
inline constexpr int kVisibleBacks = 6;

// The first back shown when back `selected` of `count` is chosen: the strip
// starts one before it, but never so far right that fewer than six show.
int FirstVisibleBack(int selected, int count);

// The six backs from the first visible one, the selected one on yellow.
class clBackStrip final : public QWidget {
public:
    explicit clBackStrip(QWidget* parent);

    // The backs' pictures (all of one size, each shown at its own pixel
    // ratio) and the state to show.
    void SetBacks(std::vector<QImage> pictures);
    void SetFirst(int first);
    void SetSelected(int selected);
    int First() const { return first; }
    int Selected() const { return selected; }
    int CellWidth() const { return cell.width(); }

    // A press on a cell selects its back; a double click also chooses it.
    std::function<void()> onSelect;
    std::function<void()> onChoose;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::vector<QImage> pictures;
    QSize cell{4, 4};
    int first = 0;
    int selected = 0;
};

// "Select Card Back": the installed card sets that have backs, and the
// backs of the one chosen. Choosing another set loads it at once; Cancel
// puts the set of the start back; OK makes the selected back the player's.
class clSelectBack final : public clDialog {
public:
    clSelectBack(QWidget* parent, clDisplay& display, clDisplayOptions& options,
                 const clCardSetList& catalogue);

    int Selected() const { return strip->Selected(); }
    clBackStrip* Strip() const { return strip; }
    QScrollBar* ScrollBar() const { return scrollBar; }
    QComboBox* Sets() const { return sets; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCancel() override;

private:
    // The loaded backs into the strip and the scroll bar, with `selected`.
    void ShowBacks(int selected);
    void ChooseSet(int index);

    clDisplay& display;
    clDisplayOptions& options;
    const clCardSetList& catalogue;
    // The catalogue's entries listed in the combo box, in its order.
    std::vector<int> entries;
    std::string openingSet;
    QComboBox* sets;
    clBackStrip* strip;
    QScrollBar* scrollBar;
};
