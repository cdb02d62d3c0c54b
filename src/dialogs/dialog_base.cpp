#include "dialogs/dialog_base.h"

#include <QGuiApplication>
#include <QScreen>

clDialog::clDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void clDialog::Prepare() {
    if (prepared) return;
    prepared = true;
    adjustSize();
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (over) {
        area = over->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
    OnInit();
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
