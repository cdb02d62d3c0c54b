#include "toolkit/qt_messages.h"

#include <QApplication>
#include <QInputDialog>
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

std::optional<std::string> clQtNamePrompt::AskPlayerName(std::string_view suggestion) {
    bool ok = false;
    const QString name = QInputDialog::getText(
        nullptr, QStringLiteral("Qarvel"), QStringLiteral("Please enter your name:"),
        QLineEdit::Normal,
        QString::fromUtf8(suggestion.data(), static_cast<qsizetype>(suggestion.size())), &ok);
    if (!ok) return std::nullopt;
    return name.toStdString();
}
