#include "shell/table_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "engine/scoreboard.h"
#include "graphics/display.h"
#include "graphics/image.h"

namespace {

// A view of a picture's pixels; the screen's alpha is not shown.
QImage ViewOf(const clImage& image) {
    return QImage(image.Pixels(), image.Width(), image.Height(), image.Stride(),
                  QImage::Format_RGB32);
}

QRect ToQRect(const clRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

}  // namespace

clTableView::clTableView(clTableInput& input, QWidget* parent)
    : QAbstractScrollArea(parent), input(input) {
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void clTableView::SetDisplay(clDisplay* shown) {
    display = shown;
    UpdateScrollBars();
    viewport()->update();
}

void clTableView::SetPaused(bool on) {
    if (paused == on) return;
    paused = on;
    viewport()->update(PauseRect());
}

QPoint clTableView::Scroll() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

clPoint clTableView::ToVirtual(const QPoint& point) const {
    const QPoint at = point + Scroll();
    return {at.x(), at.y()};
}

void clTableView::InvalidateVirtual(const clRect& rect) {
    viewport()->update(ToQRect(rect).translated(-Scroll()));
}

void clTableView::UpdateScrollBars() {
    if (!display || !display->IsCreated()) return;
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, display->VirtualWidth() - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setRange(0, std::max(0, display->VirtualHeight() - area.height()));
    verticalScrollBar()->setPageStep(area.height());
}

QRect clTableView::PauseRect() const {
    if (!pausePicture || pausePicture->IsEmpty()) return {};
    const QSize area = viewport()->size();
    return QRect((area.width() - pausePicture->Width()) / 2,
                 (area.height() - pausePicture->Height()) / 2, pausePicture->Width(),
                 pausePicture->Height());
}

void clTableView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    if (!display || !display->IsCreated()) {
        painter.fillRect(dirty, Qt::black);
        return;
    }
    const QPoint scroll = Scroll();
    const QRect shown(0, 0, display->VirtualWidth(), display->VirtualHeight());
    const QRect source = dirty.translated(scroll).intersected(shown);
    if (!source.isEmpty()) {
        painter.drawImage(source.topLeft() - scroll, ViewOf(display->Screen()), source);
    }
    // Outside the virtual screen (only while the window grows) stays black.
    const QRegion outside = QRegion(dirty) - QRegion(shown.translated(-scroll));
    for (const QRect& r : outside)
        painter.fillRect(r, Qt::black);

    if (scoreboard && scoreboard->IsLaidOut()) {
        for (int i = 0; i < 2; ++i) {
            const QRect at = ToQRect(scoreboard->PanelRect(i)).translated(-scroll);
            if (at.intersects(dirty)) painter.drawImage(at.topLeft(), ViewOf(scoreboard->Panel(i)));
        }
    }
    if (paused && pausePicture && !pausePicture->IsEmpty()) {
        const QImage picture(pausePicture->Pixels(), pausePicture->Width(), pausePicture->Height(),
                             pausePicture->Stride(), QImage::Format_ARGB32);
        painter.drawImage(PauseRect().topLeft(), picture);
    }
    if (firstPaint) {
        auto handler = std::move(firstPaint);
        firstPaint = nullptr;
        handler();
    }
}

void clTableView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    input.TableResized(viewport()->width(), viewport()->height());
    UpdateScrollBars();
}

void clTableView::Press(QMouseEvent* event) {
    const clPoint at = ToVirtual(event->position().toPoint());
    switch (event->button()) {
        case Qt::LeftButton:
            input.TableLeftDown(at);
            break;
        case Qt::RightButton:
            input.TableRightDown(at);
            break;
        case Qt::MiddleButton:
            input.TableMiddleDown();
            break;
        default:
            break;
    }
}

void clTableView::mousePressEvent(QMouseEvent* event) {
    Press(event);
}

// The window decides what a double click is (a second press at the same
// place in time), so Qt's double click is a press like any other.
void clTableView::mouseDoubleClickEvent(QMouseEvent* event) {
    Press(event);
}

void clTableView::mouseReleaseEvent(QMouseEvent* event) {
    const clPoint at = ToVirtual(event->position().toPoint());
    if (event->button() == Qt::LeftButton) input.TableLeftUp(at);
    if (event->button() == Qt::RightButton) input.TableRightUp(at);
}

void clTableView::mouseMoveEvent(QMouseEvent* event) {
    input.TableMouseMove(ToVirtual(event->position().toPoint()));
}

void clTableView::scrollContentsBy(int, int) {
    viewport()->update();
}

// Tab is a key of the game (a pile's label), not a focus change.
bool clTableView::focusNextPrevChild(bool) {
    return false;
}
