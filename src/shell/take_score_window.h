#pragma once

#include <QWidget>
#include <functional>

class QPushButton;

// The floating "Take Score" button: a small tool window over the table.
// Pressing the button takes the score; closing the window turns the button's
// option off; moving or resizing it is reported so its place can be kept.
class clTakeScoreWindow : public QWidget {
public:
    struct clHandlers {
        std::function<void()> pressed;
        std::function<void()> closed;
        std::function<void(const QRect&)> moved;  // the frame, in the parent's coordinates
    };

    clTakeScoreWindow(QWidget* parent, clHandlers handlers);

    QPushButton* Button() const { return button; }
    // Puts the window at a place of the screen; only the player's own moves
    // are reported.
    void Place(const QRect& frame);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Report();

    clHandlers handlers;
    QPushButton* button;
    bool placing = true;
};
