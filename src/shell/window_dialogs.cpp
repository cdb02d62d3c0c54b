#include "shell/window_dialogs.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <optional>

#include "dialogs/game_over_dialog.h"
#include "dialogs/high_scores_dialog.h"
#include "dialogs/round_over_dialog.h"
#include "dialogs/score_services.h"
#include "dialogs/stats_dialog.h"
#include "online/online_scores.h"
#include "player/statistics.h"
#include "shell/program.h"

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

clGameDialogs::clGameDialogs(clProgram& program) : program(program) {}

bool clGameDialogs::AskYesNo(QWidget* parent, const std::string& text, const std::string& caption) {
    if (askQuestion) return askQuestion(text, caption);
    return QMessageBox::question(parent, Text(caption), Text(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void clGameDialogs::ShowMessage(QWidget* parent, const std::string& text,
                                const std::string& caption) {
    QMessageBox::information(parent, Text(caption), Text(text));
}

clScoreServices clGameDialogs::Services(QWidget* parent) {
    clScoreServices services{
        program.Settings(),
        program.Players().Folders(),
        program.Clock(),
        program.Messages(),
        dateFormat,
        [this](clSound sound) { program.PlaySound(sound); },
        [this](const std::string& url) {
            if (openUrl) {
                openUrl(url);
            } else {
                QDesktopServices::openUrl(QUrl(Text(url)));
            }
        },
        [this, parent](const std::string& text, const std::string& caption) {
            return AskYesNo(parent, text, caption);
        },
    };
    if (program.HasDisplay()) services.table = &program.Target();
    return services;
}

clGameOverChoice clGameDialogs::ShowGameOver(QWidget* parent, const clScoreGame& game,
                                             std::int32_t score, std::int32_t round) {
    const clScoreServices services = Services(parent);
    clStatistics statistics(program.Settings(), program.Players().Folders(), program.Clock());
    statistics.LoadLog(game.key, game.displayName, false);
    clGameOverDialog dialog(services, statistics, game.displayName, game.key, score, round, parent);
    return dialog.exec() == clGameOverDialog::kNew ? clGameOverChoice::NewGame
                                                   : clGameOverChoice::Exit;
}

bool clGameDialogs::ShowRoundOver(QWidget* parent, const clScoreGame& game, std::int32_t score,
                                  std::int32_t round) {
    const clScoreServices services = Services(parent);
    clStatistics statistics(program.Settings(), program.Players().Folders(), program.Clock());
    statistics.LoadLog(game.key, game.displayName, false);
    // Without the screen's lists the dialog keeps its own while it is open.
    std::optional<clOnlineScores> ownScores;
    clOnlineScores* scores = game.onlineScores;
    if (scores == nullptr) scores = &ownScores.emplace(program.Settings(), program.Clock());
    clRoundOverDialog dialog(services, statistics, game.displayName, game.key, score, round,
                             *scores, parent);
    return dialog.exec() == clRoundOverDialog::kContinue;
}

void clGameDialogs::ShowStatistics(QWidget* parent, const clScoreGame& game) {
    const clScoreServices services = Services(parent);
    clStatistics statistics(program.Settings(), program.Players().Folders(), program.Clock());
    statistics.LoadLog(game.key, game.displayName, false);
    clStatsDialog dialog(services, statistics, game.displayName, game.key, parent);
    dialog.exec();
}

void clGameDialogs::ShowHighScores(QWidget* parent) {
    clHighScoresDialog dialog(Services(parent), parent);
    dialog.exec();
}
