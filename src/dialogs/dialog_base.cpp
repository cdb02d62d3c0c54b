#include "dialogs/dialog_base.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <algorithm>

clDialog::clDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

// OnInit may change what the dialog holds (the card backs' strip), so the
// size is taken after it.
void clDialog::Prepare() {
    if (prepared) return;
    prepared = true;
    OnInit();
    if (layout()) layout()->activate();
    adjustSize();
    CentreOver(*this, MainWindowOf(parentWidget()));
}

bool clDialog::DoModal() {
    Prepare();
    return exec() == QDialog::Accepted;
}

void clDialog::accept() {
    if (OnOK()) QDialog::accept();
}

void clDialog::reject() {
    if (OnCancel()) QDialog::reject();
}

QWidget* MainWindowOf(QWidget* widget) {
    QWidget* window = widget ? widget->window() : nullptr;
    while (window && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

namespace {

// The frame's widths on each side of a shown window's client area.
QMargins FrameOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

}  // namespace

void CentreOver(QWidget& window, const QWidget* over) {
    if (over) over = over->window();
    const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    QMargins frame;
    if (window.isVisible()) {
        frame = FrameOf(window);
    } else if (over && over->isVisible()) {
        frame = FrameOf(*over);
    }
    // Frame over frame: with title bars alike, the client areas share their
    // centre too.
    QRect framed(QPoint(0, 0), window.size().grownBy(frame));
    framed.moveCenter(over ? over->frameGeometry().center() : free.center());
    // Inside the screen, the top left corner first: the title bar stays
    // within reach.
    framed.moveLeft(
        std::max(free.left(), std::min(framed.left(), free.right() + 1 - framed.width())));
    framed.moveTop(
        std::max(free.top(), std::min(framed.top(), free.bottom() + 1 - framed.height())));
    // Placed by its client area: where a frame not yet made goes is the
    // platform's business.
    window.setGeometry(framed.marginsRemoved(frame));
}

int ExecCentred(QDialog& dialog) {
    if (dialog.layout()) dialog.layout()->activate();
    dialog.adjustSize();
    CentreOver(dialog, MainWindowOf(dialog.parentWidget()));
    return dialog.exec();
}
