#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>

#include "graphics/table_coords.h"

class clDisplay;
class clImage;
class clScoreboard;

// What the table view passes on: pointer events in virtual-screen pixels and
// the size of its drawing area.
class clTableInput {
public:
    virtual ~clTableInput() = default;
    virtual void TableLeftDown(clPoint point) = 0;
    virtual void TableLeftUp(clPoint point) = 0;
    virtual void TableRightDown(clPoint point) = 0;
    virtual void TableRightUp(clPoint point) = 0;
    virtual void TableMiddleDown() = 0;
    virtual void TableMouseMove(clPoint point) = 0;
    virtual void TableResized(int width, int height) = 0;
};

// The drawing area of the main window: shows the display's virtual screen
// (scrolled when it is larger than the area), the scoreboard panels over it
// and, while the game is paused, the pause picture in the middle.
class clTableView : public QAbstractScrollArea {
public:
    clTableView(clTableInput& input, QWidget* parent);

    void SetDisplay(clDisplay* shown);
    void SetScoreboard(const clScoreboard* board) { scoreboard = board; }
    void SetPausePicture(const clImage* picture) { pausePicture = picture; }
    void SetPaused(bool on);
    // Scrolling by itself while the pointer is near an edge (the "autoscroll" option).
    void SetAutoScroll(bool on) { autoScroll = on; }
    // The chooser has no scroll bars.
    void SetScrollBarsAllowed(bool on) {
        scrollBarsAllowed = on;
        UpdateScrollBars();
    }
    // Runs once, after the first paint that showed the table.
    void OnFirstPaint(std::function<void()> handler) { firstPaint = std::move(handler); }

    // A changed rectangle of the virtual screen is painted again.
    void InvalidateVirtual(const clRect& rect);
    // The virtual screen's logical size changed: the scroll bars follow.
    void UpdateScrollBars();
    // The virtual-screen pixel under a point of the drawing area (which lies
    // between whole units on a doubled screen: the pointer moves by device
    // pixels), and back.
    clPoint ToVirtual(const QPointF& point) const;
    QPoint ToWidget(clPoint point) const;
    // A length in virtual-screen pixels and in the drawing area's units.
    int ToVirtualLength(int length) const;
    int ToWidgetLength(int length) const;
    // Device pixels per unit of the drawing area: the virtual screen holds
    // device pixels, so the table is drawn sharp on a doubled screen.
    double Scale() const;
    // A window not yet shown has given its table a size but not yet told it:
    // the viewport takes that size now, so that what is made for the drawing
    // area before the first show (the virtual screen, the first cards) is
    // made once, at the size it will be shown at.
    void TakeSizeNow();
    // The drawing area's size in device pixels.
    QSize DeviceSize() const;
    // The scroll position, in virtual-screen pixels.
    QPoint Scroll() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    void Press(QMouseEvent* event);
    bool HasScrollBars() const;
    void AutoScrollStep();
    QRect PauseRect() const;
    QRect ToWidgetRect(const clRect& rect) const;

    clTableInput& input;
    clDisplay* display = nullptr;
    const clScoreboard* scoreboard = nullptr;
    const clImage* pausePicture = nullptr;
    bool paused = false;
    std::function<void()> firstPaint;
    bool autoScroll = true;
    bool scrollBarsAllowed = true;
    bool autoScrollArmed = false;
    QTimer* autoScrollTimer;
};
