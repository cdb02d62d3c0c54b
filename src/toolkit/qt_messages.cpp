#include "toolkit/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

void clQtMessages::ShowMessage(const std::string& text) {
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Qarvel"),
                             QString::fromStdString(text));
}

void clQtMessages::BeginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void clQtMessages::EndWait() {
    QApplication::restoreOverrideCursor();
}
