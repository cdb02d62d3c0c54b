#pragma once

#include <QImage>
#include <functional>

#include "dialogs/dialog_base.h"
#include "graphics/interface_layout.h"

class QCheckBox;
class QPushButton;

// "Qarvel Help Center": the help picture, whose hot rectangles open the help
// pages and the web site's pages, the "show at start" box and "Play".
class clHelpCenter final : public clDialog {
public:
    using clOpener = std::function<void(const clInterfaceLayout::clHotRectangle&)>;

    // `picture` is the help image (784 x 568; empty when it is missing);
    // `showAtStart` is the player's `help` setting.
    clHelpCenter(QWidget* parent, QImage picture, bool showAtStart, clOpener open);

    // The box as the dialog closed (either way).
    bool ShowAtStart() const;
    QCheckBox* ShowAtStartBox() const { return showBox; }
    QPushButton* PlayButton() const { return playButton; }
    // The hot rectangle under a point of the picture, or null.
    static const clInterfaceLayout::clHotRectangle* HotRectangleAt(const QPoint& point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture;
    clOpener open;
    QCheckBox* showBox;
    QPushButton* playButton;
};
