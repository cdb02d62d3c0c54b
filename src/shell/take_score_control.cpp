#include "shell/take_score_control.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

// The scoreboard's look: the table behind darkened by half, a light edge,
// white bold lettering with a dark shadow.
constexpr int kShade = 128;
constexpr int kHoverShade = 160;
constexpr int kPressedShade = 200;
constexpr qreal kRadius = 6;

}  // namespace

clTakeScoreControl::clTakeScoreControl(QWidget* parent, clHandlers handlers)
    : QWidget(parent), handlers(std::move(handlers)) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Take the score and end the round (Space). Drag to move."));
    setAccessibleName(QString::fromLatin1(kCaption));
    SetPanelHeight(48);
}

// Two lines, "TAKE" over "SCORE", in the lettering of the score panel's
// labels: the control reads as one more panel of the scoreboard.
QFont clTakeScoreControl::CaptionFont() const {
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(std::max(10, height() * 5 / 14));
    return font;
}

// Called after every move: the lettering is measured only when the height changes.
void clTakeScoreControl::SetPanelHeight(int height) {
    height = std::max(height, 32);
    if (height == this->height() && sized) return;
    sized = true;
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(std::max(10, height * 5 / 14));
    const QFontMetrics metrics(font);
    const int text = std::max(metrics.horizontalAdvance(QStringLiteral("TAKE")),
                              metrics.horizontalAdvance(QStringLiteral("SCORE")));
    resize(text + height / 2, height);
}

QPoint clTakeScoreControl::Clamped(const QPoint& topLeft) const {
    if (!parentWidget()) return topLeft;
    const QSize area = parentWidget()->size();
    return {std::clamp(topLeft.x(), 0, std::max(0, area.width() - width())),
            std::clamp(topLeft.y(), 0, std::max(0, area.height() - height()))};
}

void clTakeScoreControl::Place(const QPoint& topLeft) {
    move(Clamped(topLeft));
}

void clTakeScoreControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const int shade = pressed && !dragging ? kPressedShade : hovered ? kHoverShade : kShade;
    QPainterPath path;
    path.addRoundedRect(box, kRadius, kRadius);
    painter.fillPath(path, QColor(0, 0, 0, shade));
    painter.setPen(QPen(QColor(255, 255, 255, hovered ? 150 : 80), 1));
    painter.drawPath(path);

    painter.setFont(CaptionFont());
    const QString caption = QStringLiteral("TAKE\nSCORE");
    const int shadow = std::max(1, height() / 28);
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(rect().translated(shadow, shadow), Qt::AlignCenter, caption);
    painter.setPen(hovered ? QColor(255, 255, 160) : QColor(255, 255, 255));
    painter.drawText(rect(), Qt::AlignCenter, caption);
}

void clTakeScoreControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressed = true;
    dragging = false;
    pressPoint = event->position().toPoint();
    pressGlobal = event->globalPosition().toPoint();
    update();
}

void clTakeScoreControl::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed) return;
    const QPoint global = event->globalPosition().toPoint();
    if (!dragging &&
        (global - pressGlobal).manhattanLength() >= QApplication::startDragDistance()) {
        dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    if (dragging) {
        // The grab point stays under the pointer.
        Place(mapToParent(event->position().toPoint()) - pressPoint);
        update();
    }
}

void clTakeScoreControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed) return;
    pressed = false;
    if (dragging) {
        dragging = false;
        setCursor(Qt::PointingHandCursor);
        update();
        if (handlers.moved) handlers.moved(geometry());
        return;
    }
    update();
    if (rect().contains(event->position().toPoint()) && handlers.pressed) handlers.pressed();
}

void clTakeScoreControl::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Take Score"), this, [this] {
        if (handlers.pressed) handlers.pressed();
    });
    menu.addAction(QStringLiteral("Hide This Button"), this, [this] {
        if (handlers.hidden) handlers.hidden();
    });
    menu.exec(event->globalPos());
}

void clTakeScoreControl::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    hovered = true;
    update();
}

void clTakeScoreControl::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    hovered = false;
    update();
}
