#pragma once

#include <QWidget>
#include <functional>

// The "Take Score" control: a small panel drawn on the table in the
// scoreboard's style (the table darkened behind light lettering), a child of
// the table's drawing area. A click takes the score; the player can drag it
// anywhere on the table, and its context menu hides it (which turns its
// option off).
class clTakeScoreControl : public QWidget {
public:
    struct clHandlers {
        std::function<void()> pressed;
        std::function<void()> hidden;
        // The player dropped it at a new place (its rectangle in the parent).
        std::function<void(const QRect&)> moved;
    };

    static constexpr const char* kCaption = "Take Score";

    clTakeScoreControl(QWidget* parent, clHandlers handlers);

    // The control's size for a scoreboard panel of that height (in the
    // parent's coordinates): as high as a panel, as wide as its two lines of
    // caption need.
    void SetPanelHeight(int height);
    // Puts it at a place of the parent, kept inside the parent.
    void Place(const QPoint& topLeft);
    bool IsDragging() const { return dragging; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPoint Clamped(const QPoint& topLeft) const;
    QFont CaptionFont() const;

    clHandlers handlers;
    bool hovered = false;
    bool pressed = false;
    bool dragging = false;
    bool sized = false;
    QPoint pressPoint;  // where the press was, in the control
    QPoint pressGlobal;
};
