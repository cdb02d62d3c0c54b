#include "shell/window_dialogs.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

bool clMessageBoxDialogs::AskYesNo(QWidget* parent, const std::string& text,
                                   const std::string& caption) {
    return QMessageBox::question(parent, Text(caption), Text(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void clMessageBoxDialogs::ShowMessage(QWidget* parent, const std::string& text,
                                      const std::string& caption) {
    QMessageBox::information(parent, Text(caption), Text(text));
}

clGameOverChoice clMessageBoxDialogs::ShowGameOver(QWidget* parent, std::int32_t score,
                                                   std::int32_t round) {
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Game Over"));
    box.setText(QStringLiteral("Sorry!\nYou did not reach the required score.\n\n"
                               "Final score: %1\nRound: %2")
                    .arg(score)
                    .arg(round));
    QPushButton* again = box.addButton(QStringLiteral("New"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Exit"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == again ? clGameOverChoice::NewGame : clGameOverChoice::Exit;
}

bool clMessageBoxDialogs::ShowRoundOver(QWidget* parent, std::int32_t score, std::int32_t round) {
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Round Over"));
    box.setText(QStringLiteral("Congratulations!\nYou have qualified for the next round.\n\n"
                               "Current score: %1\nRound: %2")
                    .arg(score)
                    .arg(round));
    QPushButton* go = box.addButton(QStringLiteral("Continue"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Exit"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == go;
}
