#include "shell/table_view.h"

#include <QCoreApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <cmath>

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
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setSingleStep(3);
    verticalScrollBar()->setSingleStep(4);
    autoScrollTimer = new QTimer(this);
    autoScrollTimer->setSingleShot(true);
    connect(autoScrollTimer, &QTimer::timeout, this, [this] { AutoScrollStep(); });
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

double clTableView::Scale() const {
    return viewport()->devicePixelRatioF();
}

void clTableView::TakeSizeNow() {
    QResizeEvent event(size(), size());
    QCoreApplication::sendEvent(this, &event);
}

QSize clTableView::DeviceSize() const {
    const double scale = Scale();
    return {static_cast<int>(std::lround(viewport()->width() * scale)),
            static_cast<int>(std::lround(viewport()->height() * scale))};
}

int clTableView::ToVirtualLength(int length) const {
    return static_cast<int>(std::lround(length * Scale()));
}

int clTableView::ToWidgetLength(int length) const {
    return static_cast<int>(std::lround(length / Scale()));
}

clPoint clTableView::ToVirtual(const QPointF& point) const {
    const double scale = Scale();
    const QPoint scroll = Scroll();
    return {static_cast<int>(std::floor(point.x() * scale)) + scroll.x(),
            static_cast<int>(std::floor(point.y() * scale)) + scroll.y()};
}

// A rectangle of the virtual screen on the drawing area, grown to whole units.
QRect clTableView::ToWidgetRect(const clRect& rect) const {
    const double scale = Scale();
    const QPoint scroll = Scroll();
    const int left = static_cast<int>(std::floor((rect.left - scroll.x()) / scale));
    const int top = static_cast<int>(std::floor((rect.top - scroll.y()) / scale));
    const int right = static_cast<int>(std::ceil((rect.right - scroll.x()) / scale));
    const int bottom = static_cast<int>(std::ceil((rect.bottom - scroll.y()) / scale));
    return QRect(left, top, right - left, bottom - top);
}

QPoint clTableView::ToWidget(clPoint point) const {
    const double scale = Scale();
    const QPoint scroll = Scroll();
    return {static_cast<int>(std::lround((point.x - scroll.x()) / scale)),
            static_cast<int>(std::lround((point.y - scroll.y()) / scale))};
}

void clTableView::InvalidateVirtual(const clRect& rect) {
    viewport()->update(ToWidgetRect(rect));
}

// Both bars show together, whenever the virtual screen does not fit the area.
// A page step jumps to the end of the range.
void clTableView::UpdateScrollBars() {
    if (!display || !display->IsCreated()) return;
    // Whether the screen fits is judged on the whole area, without the bars.
    const double scale = Scale();
    const QSize area(static_cast<int>(std::lround(contentsRect().width() * scale)),
                     static_cast<int>(std::lround(contentsRect().height() * scale)));
    const int width = display->VirtualWidth() - area.width();
    const int height = display->VirtualHeight() - area.height();
    const Qt::ScrollBarPolicy policy = scrollBarsAllowed && (width > 0 || height > 0)
                                           ? Qt::ScrollBarAlwaysOn
                                           : Qt::ScrollBarAlwaysOff;
    if (policy != horizontalScrollBarPolicy()) {
        setHorizontalScrollBarPolicy(policy);
        setVerticalScrollBarPolicy(policy);
        viewport()->update();
    }
    if (policy == Qt::ScrollBarAlwaysOff) autoScrollTimer->stop(), autoScrollArmed = false;
    // The area may have changed with the bars: measure again.
    const QSize shown = DeviceSize();
    const bool bars = policy == Qt::ScrollBarAlwaysOn;
    const int horizontal = bars ? std::max(0, display->VirtualWidth() - shown.width()) : 0;
    const int vertical = bars ? std::max(0, display->VirtualHeight() - shown.height()) : 0;
    horizontalScrollBar()->setRange(0, horizontal);
    horizontalScrollBar()->setPageStep(std::max(1, horizontal));
    verticalScrollBar()->setRange(0, vertical);
    verticalScrollBar()->setPageStep(std::max(1, vertical));
}

bool clTableView::HasScrollBars() const {
    return horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

// One line toward each edge the pointer is near, again and again while it stays there.
void clTableView::AutoScrollStep() {
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    const QSize area = viewport()->size();
    bool scrolled = false;
    if (QRect(QPoint(0, 0), area).contains(at) && HasScrollBars()) {
        auto step = [&scrolled](QScrollBar* bar, QAbstractSlider::SliderAction action) {
            const int before = bar->value();
            bar->triggerAction(action);
            scrolled = scrolled || bar->value() != before;
        };
        if (at.x() < 32) step(horizontalScrollBar(), QAbstractSlider::SliderSingleStepSub);
        if (at.x() >= area.width() - 32) {
            step(horizontalScrollBar(), QAbstractSlider::SliderSingleStepAdd);
        }
        if (at.y() < 32) step(verticalScrollBar(), QAbstractSlider::SliderSingleStepSub);
        if (at.y() >= area.height() - 32) {
            step(verticalScrollBar(), QAbstractSlider::SliderSingleStepAdd);
        }
    }
    if (scrolled) {
        autoScrollTimer->start(20);
    } else {
        autoScrollArmed = false;
    }
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
    // Device pixels of the virtual screen go 1 : 1 to the device's pixels.
    const double scale = Scale();
    const QPoint scroll = Scroll();
    const auto toDevice = [scale, scroll](const QRectF& r) {
        return QRectF(r.x() * scale + scroll.x(), r.y() * scale + scroll.y(), r.width() * scale,
                      r.height() * scale);
    };
    const auto toWidget = [scale, scroll](const QRectF& r) {
        return QRectF((r.x() - scroll.x()) / scale, (r.y() - scroll.y()) / scale, r.width() / scale,
                      r.height() / scale);
    };
    const QRectF shown(0, 0, display->VirtualWidth(), display->VirtualHeight());
    const QRectF source = toDevice(QRectF(dirty)).intersected(shown);
    if (!source.isEmpty()) {
        const QRect whole = source.toAlignedRect();
        if (scale == 1.0) {
            // A plain copy, pixel for pixel.
            painter.drawImage(whole.topLeft() - scroll, ViewOf(display->Screen()), whole);
        } else {
            painter.drawImage(toWidget(QRectF(whole)), ViewOf(display->Screen()), QRectF(whole));
        }
    }
    // Outside the virtual screen (only while the window grows) stays black.
    const QRegion outside = QRegion(dirty) - QRegion(toWidget(shown).toAlignedRect());
    for (const QRect& r : outside)
        painter.fillRect(r, Qt::black);

    if (scoreboard && scoreboard->IsLaidOut()) {
        for (int i = 0; i < scoreboard->PanelCount(); ++i) {
            const QRectF at = toWidget(QRectF(ToQRect(scoreboard->PanelRect(i))));
            if (at.intersects(QRectF(dirty))) {
                painter.drawImage(at, ViewOf(scoreboard->Panel(i)));
            }
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
    const QSize area = DeviceSize();
    input.TableResized(area.width(), area.height());
    UpdateScrollBars();
}

void clTableView::Press(QMouseEvent* event) {
    const clPoint at = ToVirtual(event->position());
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
    const clPoint at = ToVirtual(event->position());
    if (event->button() == Qt::LeftButton) input.TableLeftUp(at);
    if (event->button() == Qt::RightButton) input.TableRightUp(at);
}

void clTableView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const QSize area = viewport()->size();
    const bool nearEdge =
        at.x() < 12 || at.x() >= area.width() - 12 || at.y() < 16 || at.y() >= area.height() - 16;
    if (autoScroll && HasScrollBars() && nearEdge && !autoScrollArmed) {
        autoScrollArmed = true;
        autoScrollTimer->start(100);
    }
    input.TableMouseMove(ToVirtual(at));
}

void clTableView::scrollContentsBy(int, int) {
    viewport()->update();
}

// Tab is a key of the game (a pile's label), not a focus change.
bool clTableView::focusNextPrevChild(bool) {
    return false;
}
