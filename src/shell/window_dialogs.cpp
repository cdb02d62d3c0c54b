#include "shell/window_dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <optional>

#include "dialogs/daily_ranking_dialog.h"
#include "dialogs/dialog_base.h"
#include "dialogs/dialog_style.h"
#include "dialogs/game_over_dialog.h"
#include "dialogs/high_scores_dialog.h"
#include "dialogs/options_sheet.h"
#include "dialogs/round_over_dialog.h"
#include "dialogs/score_services.h"
#include "dialogs/small_dialogs.h"
#include "dialogs/stats_dialog.h"
#include "online/online_scores.h"
#include "player/statistics.h"
#include "shell/program.h"
#include "toolkit/product.h"

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

clGameDialogs::clGameDialogs(clProgram& program) : program(program) {}

bool clGameDialogs::AskYesNo(QWidget* parent, const std::string& text, const std::string& caption) {
    if (askQuestion) return askQuestion(text, caption);
    clPromptDialog prompt(parent, text, caption, program.Settings().Flag(clFlag::Sounds));
    return prompt.DoModal();
}

std::optional<std::string> clGameDialogs::AskPlayerName(QWidget* parent) {
    clNameDialog dialog(parent, "Add Player", clNameDialog::kAddPlayerText, "");
    if (!dialog.DoModal()) return std::nullopt;
    return dialog.Text();
}

// The player's sixteen custom colours go in and are kept afterwards.
std::optional<std::uint32_t> clGameDialogs::ChooseColour(QWidget* parent, std::uint32_t colour) {
    clSettings& settings = program.Settings();
    std::array<std::uint32_t, 16> custom = settings.CustomColors();
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, ColourOf(custom[static_cast<std::size_t>(i)]));
    const QColor chosen = QColorDialog::getColor(ColourOf(colour), parent);
    for (int i = 0; i < 16; ++i)
        custom[static_cast<std::size_t>(i)] = BgrOf(QColorDialog::customColor(i));
    settings.SetCustomColors(custom);
    if (!chosen.isValid()) return std::nullopt;
    return BgrOf(chosen);
}

// The working folder is the program's own again afterwards.
std::optional<std::string> clGameDialogs::ChooseImageFile(QWidget* parent) {
    const QString folder = QDir::currentPath();
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Graphic files (*.bmp *.jpg *.jpeg *.png)"),
                           QStringLiteral("BMP files (*.bmp)"),
                           QStringLiteral("JPEG files (*.jpg *.jpeg)"),
                           QStringLiteral("PNG files (*.png)"), QStringLiteral("All files (*)")});
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QDir::setCurrent(folder);
    if (!chosen) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

bool clGameDialogs::RunDialog(clDialog& dialog) {
    return dialog.DoModal();
}

void clGameDialogs::RunOptions(clOptionsSheet& sheet) {
    sheet.Run();
}

bool clGameDialogs::OpenUrl(const std::string& url) {
    if (openUrl) return openUrl(url);
    return QDesktopServices::openUrl(QUrl(Text(url)));
}

void OpenAddress(clWindowDialogs& dialogs, QWidget* parent, const std::string& url) {
    if (dialogs.OpenUrl(url)) return;
    dialogs.ShowMessage(parent,
                        "Unable to open this address:\n" + url +
                            "\n\nNo web browser or e-mail program could be started for it.",
                        kProductName);
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
        [this, parent](const std::string& url) { OpenAddress(*this, parent, url); },
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
    statistics.LoadLog(game.daily ? DailyLogKey(game.key) : game.key, game.displayName, false);
    clGameOverDialog dialog(services, statistics, game.displayName, game.key, score, round, parent,
                            game.record, game.practice);
    if (game.hinted) dialog.MarkPlayedWithHints();
    return ExecCentred(dialog) == clGameOverDialog::kNew ? clGameOverChoice::NewGame
                                                         : clGameOverChoice::Exit;
}

bool clGameDialogs::ShowRoundOver(QWidget* parent, const clScoreGame& game, std::int32_t score,
                                  std::int32_t round) {
    const clScoreServices services = Services(parent);
    clStatistics statistics(program.Settings(), program.Players().Folders(), program.Clock());
    statistics.LoadLog(game.daily ? DailyLogKey(game.key) : game.key, game.displayName, false);
    // Without the screen's lists the dialog keeps its own while it is open.
    std::optional<clOnlineScores> ownScores;
    clOnlineScores* scores = game.onlineScores;
    if (scores == nullptr) scores = &ownScores.emplace(program.Settings(), program.Clock());
    clRoundOverDialog dialog(services, statistics, game.displayName, game.key, score, round,
                             *scores, parent);
    return ExecCentred(dialog) == clRoundOverDialog::kContinue;
}

void clGameDialogs::ShowStatistics(QWidget* parent, const clScoreGame& game) {
    const clScoreServices services = Services(parent);
    clStatistics statistics(program.Settings(), program.Players().Folders(), program.Clock());
    statistics.LoadLog(game.key, game.displayName, false);
    clStatsDialog dialog(services, statistics, game.displayName, game.key, parent);
    ExecCentred(dialog);
}

// The list is asked for once the dialog shows, so that the player sees what
// it is waiting for.
void clGameDialogs::ShowDailyRanking(QWidget* parent, const clScoreGame& game,
                                     const std::string& day, std::int32_t score) {
    const clScoreServices services = Services(parent);
    clDailyRankingDialog dialog(services, game.displayName, game.key, day, score, !game.practice,
                                DailyFetch(services, game.displayName), parent);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.Retrieve(); });
    ExecCentred(dialog);
}

void clGameDialogs::ShowHighScores(QWidget* parent) {
    clHighScoresDialog dialog(Services(parent), parent);
    ExecCentred(dialog);
}

bool clClockHoldingDialogs::AskYesNo(QWidget* parent, const std::string& text,
                                     const std::string& caption) {
    const clHold hold(depth);
    return dialogs.AskYesNo(parent, text, caption);
}

void clClockHoldingDialogs::ShowMessage(QWidget* parent, const std::string& text,
                                        const std::string& caption) {
    const clHold hold(depth);
    dialogs.ShowMessage(parent, text, caption);
}

clGameOverChoice clClockHoldingDialogs::ShowGameOver(QWidget* parent, const clScoreGame& game,
                                                     std::int32_t score, std::int32_t round) {
    const clHold hold(depth);
    return dialogs.ShowGameOver(parent, game, score, round);
}

bool clClockHoldingDialogs::ShowRoundOver(QWidget* parent, const clScoreGame& game,
                                          std::int32_t score, std::int32_t round) {
    const clHold hold(depth);
    return dialogs.ShowRoundOver(parent, game, score, round);
}

void clClockHoldingDialogs::ShowStatistics(QWidget* parent, const clScoreGame& game) {
    const clHold hold(depth);
    dialogs.ShowStatistics(parent, game);
}

void clClockHoldingDialogs::ShowDailyRanking(QWidget* parent, const clScoreGame& game,
                                             const std::string& day, std::int32_t score) {
    const clHold hold(depth);
    dialogs.ShowDailyRanking(parent, game, day, score);
}

void clClockHoldingDialogs::ShowHighScores(QWidget* parent) {
    const clHold hold(depth);
    dialogs.ShowHighScores(parent);
}

std::optional<std::string> clClockHoldingDialogs::AskPlayerName(QWidget* parent) {
    const clHold hold(depth);
    return dialogs.AskPlayerName(parent);
}

std::optional<std::uint32_t> clClockHoldingDialogs::ChooseColour(QWidget* parent,
                                                                 std::uint32_t colour) {
    const clHold hold(depth);
    return dialogs.ChooseColour(parent, colour);
}

std::optional<std::string> clClockHoldingDialogs::ChooseImageFile(QWidget* parent) {
    const clHold hold(depth);
    return dialogs.ChooseImageFile(parent);
}

bool clClockHoldingDialogs::RunDialog(clDialog& dialog) {
    const clHold hold(depth);
    return dialogs.RunDialog(dialog);
}

void clClockHoldingDialogs::RunOptions(clOptionsSheet& sheet) {
    const clHold hold(depth);
    dialogs.RunOptions(sheet);
}
