#include "toolkit/qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

void clQtMessages::ShowMessage(const std::string& text) {
    if (toStandardError) {
        std::fprintf(stderr, "qarvel: %s\n", text.c_str());
        std::fflush(stderr);
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Qarvel"),
                             QString::fromStdString(text));
}

void clQtMessages::BeginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void clQtMessages::EndWait() {
    QApplication::restoreOverrideCursor();
}
