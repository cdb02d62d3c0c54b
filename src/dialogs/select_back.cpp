#include "dialogs/select_back.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/qt_picture.h"
#include "graphics/card_set_info.h"
#include "graphics/display.h"

int FirstVisibleBack(int selected, int count) {
    if (selected < kVisibleBacks) return 0;
    int first = selected - 1;
    if (selected + kVisibleBacks - 1 > count) first = count - kVisibleBacks;
    return std::max(0, first);
}

clBackStrip::clBackStrip(QWidget* parent) : QWidget(parent) {
    setFixedSize(kVisibleBacks * cell.width(), cell.height());
}

void clBackStrip::SetBacks(std::vector<QImage> newPictures) {
    pictures = std::move(newPictures);
    const QSize back =
        pictures.empty() ? QSize(0, 0) : pictures.front().deviceIndependentSize().toSize();
    cell = back + QSize(4, 4);
    setFixedSize(kVisibleBacks * cell.width(), cell.height());
    update();
}

void clBackStrip::SetFirst(int newFirst) {
    if (newFirst == first) return;
    first = newFirst;
    update();
}

void clBackStrip::SetSelected(int newSelected) {
    selected = newSelected;
    update();
}

void clBackStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor grey(0x40, 0x40, 0x40);
    painter.fillRect(rect(), grey);
    const int count = static_cast<int>(pictures.size());
    for (int c = 0; c < kVisibleBacks && first + c < count; ++c) {
        const int index = first + c;
        const QRect place(c * cell.width(), 0, cell.width(), cell.height());
        painter.fillRect(place, index == selected ? QColor(0xFF, 0xFF, 0x00) : grey);
        painter.drawImage(place.topLeft() + QPoint(2, 2),
                          pictures[static_cast<std::size_t>(index)]);
    }
}

void clBackStrip::mousePressEvent(QMouseEvent* event) {
    const int count = static_cast<int>(pictures.size());
    if (event->button() != Qt::LeftButton || count == 0 || !rect().contains(event->pos())) return;
    SetSelected(std::min(first + event->pos().x() / cell.width(), count - 1));
    if (onSelect) onSelect();
}

void clBackStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && onChoose) onChoose();
}

clSelectBack::clSelectBack(QWidget* parent, clDisplay& display, clDisplayOptions& options,
                           const clCardSetList& catalogue)
    : clDialog(parent),
      display(display),
      options(options),
      catalogue(catalogue),
      sets(new QComboBox(this)),
      strip(new clBackStrip(this)),
      scrollBar(new QScrollBar(Qt::Horizontal, this)) {
    setWindowTitle(QStringLiteral("Select Card Back"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sets);
    layout->addWidget(strip, 0, Qt::AlignHCenter);
    layout->addWidget(scrollBar);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    scrollBar->setSingleStep(1);
    scrollBar->setPageStep(kVisibleBacks);
    connect(scrollBar, &QScrollBar::valueChanged, this,
            [this](int value) { strip->SetFirst(value); });
    strip->onChoose = [this] { accept(); };
}

void clSelectBack::OnInit() {
    openingSet = options.backs;
    {
        const QSignalBlocker quiet(sets);
        for (int i = 0; i < catalogue.Count(); ++i) {
            if (catalogue.Entry(i).BackSetCount() == 0) continue;
            entries.push_back(i);
            sets->addItem(QString::fromStdString(catalogue.Entry(i).ShownDescription()));
        }
        const auto current = catalogue.Find(options.backs);
        const auto at =
            current ? std::find(entries.begin(), entries.end(), *current) : entries.end();
        sets->setCurrentIndex(at == entries.end() ? -1 : static_cast<int>(at - entries.begin()));
    }
    connect(sets, &QComboBox::currentIndexChanged, this, [this](int index) { ChooseSet(index); });
    ShowBacks(options.cardBack);
}

void clSelectBack::ShowBacks(int selected) {
    const clCardBacks& backs = display.Backs();
    const int count = backs.Count();
    // The backs hold the table's device pixels: shown one for one, as large
    // on the desktop as the cards on the table and as sharp.
    std::vector<QImage> pictures;
    for (int i = 0; i < count; ++i) {
        const clImage* back = backs.Picture(i);
        QImage picture = back ? ImageView(*back).copy() : QImage();
        picture.setDevicePixelRatio(display.Scale());
        pictures.push_back(std::move(picture));
    }
    strip->SetBacks(std::move(pictures));
    if (selected < 0 || selected >= count) selected = 0;
    strip->SetSelected(selected);
    const int first = FirstVisibleBack(selected, count);
    const QSignalBlocker quiet(scrollBar);
    scrollBar->setRange(0, std::max(0, count - kVisibleBacks));
    scrollBar->setValue(first);
    scrollBar->setEnabled(count > kVisibleBacks);
    strip->SetFirst(first);
}

// Another set's backs load at once; the selected number stays when it has one.
void clSelectBack::ChooseSet(int index) {
    if (index < 0 || index >= static_cast<int>(entries.size())) return;
    options.backs = catalogue.Entry(entries[static_cast<std::size_t>(index)]).Path();
    display.ChangeCardSet();
    ShowBacks(strip->Selected());
}

bool clSelectBack::OnOK() {
    const int selected = strip->Selected();
    if (selected >= 0 && selected < display.Backs().Count()) display.SetCardBack(selected);
    return true;
}

bool clSelectBack::OnCancel() {
    if (options.backs != openingSet) {
        options.backs = openingSet;
        display.ChangeCardSet();
    }
    return true;
}
