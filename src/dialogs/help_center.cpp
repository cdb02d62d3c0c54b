#include "dialogs/help_center.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

QRect RectOf(const clRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

}  // namespace

clHelpCenter::clHelpCenter(QWidget* parent, QImage picture, bool showAtStart, clOpener open)
    : clDialog(parent),
      picture(std::move(picture)),
      open(std::move(open)),
      showBox(new QCheckBox(this)),
      playButton(new QPushButton(QStringLiteral("Play"), this)) {
    using namespace clInterfaceLayout;
    setWindowTitle(QStringLiteral("Qarvel Help Center"));
    setFixedSize(kHelpWidth, kHelpHeight);
    setMouseTracking(true);
    // The box's caption is part of the picture; it still has its name for
    // screen readers.
    showBox->setGeometry(RectOf(kHelpCheckBox));
    showBox->setAccessibleName(
        QString::fromLatin1(kHelpCheckBoxCaption.data(), kHelpCheckBoxCaption.size()));
    showBox->setChecked(showAtStart);
    playButton->setGeometry(RectOf(kHelpPlayButton));
    playButton->setDefault(true);
    connect(playButton, &QPushButton::clicked, this, &QDialog::accept);
}

bool clHelpCenter::ShowAtStart() const {
    return showBox->isChecked();
}

const clInterfaceLayout::clHotRectangle* clHelpCenter::HotRectangleAt(const QPoint& point) {
    for (const auto& hot : clInterfaceLayout::kHelpHotRectangles) {
        if (RectOf(hot.rect).contains(point)) return &hot;
    }
    return nullptr;
}

// Without its picture the dialog still names its places, so that it can be used.
void clHelpCenter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture.isNull()) {
        painter.drawImage(0, 0, picture);
        return;
    }
    painter.fillRect(rect(), QColor(0x20, 0x40, 0x30));
    painter.setPen(Qt::white);
    for (const auto& hot : clInterfaceLayout::kHelpHotRectangles) {
        const QRect place = RectOf(hot.rect);
        painter.drawRect(place.adjusted(0, 0, -1, -1));
        painter.drawText(place, Qt::AlignCenter,
                         QString::fromLatin1(hot.caption.data(), hot.caption.size()));
    }
    painter.drawText(
        RectOf(clInterfaceLayout::kHelpCheckBox).translated(24, 0).adjusted(0, 0, 400, 0),
        Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromLatin1(clInterfaceLayout::kHelpCheckBoxCaption.data(),
                            clInterfaceLayout::kHelpCheckBoxCaption.size()));
}

void clHelpCenter::mouseMoveEvent(QMouseEvent* event) {
    if (HotRectangleAt(event->pos())) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

void clHelpCenter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const auto* hot = HotRectangleAt(event->pos()); hot && open) open(*hot);
}
