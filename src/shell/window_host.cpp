// The window as its screen's host: sounds, waits, questions and messages, the
// title, menu state and status line, results, and the Save and Open dialogs.
#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <utility>

#include "engine/saved_game.h"
#include "player/statistics.h"
#include "shell/commands.h"
#include "shell/hint_control.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "toolkit/user_account.h"

namespace {

// How long a note about a refused command stays in the status line.
constexpr int kStatusNoteMs = 5000;

}  // namespace

void clMainWindow::PlaySound(clSound sound) {
    program.PlaySound(sound);
}

void clMainWindow::UpdateWindow() {
    table->viewport()->repaint();
}

// The window goes on painting, but the player's input waits.
void clMainWindow::Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool clMainWindow::IsControlKeyDown() const {
    return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}

bool clMainWindow::IsAnimationOn() const {
    return program.HasDisplay() && program.Settings().Flag(clFlag::Animation);
}

bool clMainWindow::AskYesNo(const std::string& text, const std::string& caption) {
    return dialogs.AskYesNo(this, text, caption);
}

void clMainWindow::SetStatusText(const std::string& text) {
    chooserStatus->setText(QString::fromStdString(text));
}

void clMainWindow::ShowStatus(const std::string& text) {
    statusBar()->showMessage(QString::fromStdString(text), kStatusNoteMs);
}

namespace {

// "Daily Challenge 2026-12-11", and "(practice)" after it for a repeat.
QString DailyText(const clDay& day, bool practice) {
    return QStringLiteral("Daily Challenge %1%2")
        .arg(QString::fromStdString(FormatDay(day)),
             practice ? QStringLiteral(" (practice)") : QString());
}

}  // namespace

void clMainWindow::SetTitle(const std::string& title) {
    QString text = QString::fromStdString(title);
    if (playing && daily) text += QStringLiteral(" - ") + DailyText(daily->day, daily->practice);
    setWindowTitle(text);
}

const std::string& clMainWindow::PlayerName() const {
    return program.Settings().Player();
}

void clMainWindow::SetMenuState(const clMenuState& state) {
    // Every deal, move and undo ends here: the hint follows the position.
    hints->PositionMaybeChanged();
    if (playing) {
        const std::int32_t deal = playing->DealNumber();
        QString text = deal > 0 ? QStringLiteral("Deal %1").arg(deal) : QString();
        if (daily) text = DailyText(daily->day, daily->practice) + QStringLiteral("   ") + text;
        dealLabel->setText(text.trimmed());
    }
    // A new deal, a resign or a new round brings the Take Score control back.
    ShowControls();
    // The tool buttons follow their menu items.
    for (const auto& [command, enabled] :
         {std::pair{clCommand::kUndo, state.undoEnabled},
          std::pair{clCommand::kTakeScore, state.takeScoreEnabled}}) {
        Action(command)->setEnabled(enabled);
        if (QAction* tool = ToolAction(command)) tool->setEnabled(enabled);
    }
    Action(clCommand::kPause)->setChecked(state.pauseChecked);
    Action(clCommand::kGameSaving)->setChecked(state.autoSaveChecked);
    table->SetPaused(state.pauseChecked);
}

clTextPainter* clMainWindow::TextPainter() {
    return &textPainter;
}

const clImage* clMainWindow::TableBackground() const {
    return program.HasDisplay() ? &program.Display().Background() : nullptr;
}

void clMainWindow::ScoreboardChanged() {
    if (!playing) return;
    const clScoreboard& board = playing->Scoreboard();
    // Where the panels were (a game's panels come and go) and where they are.
    for (const clRect& was : shownPanels)
        table->InvalidateVirtual(was);
    shownPanels.clear();
    for (int i = 0; i < board.PanelCount(); ++i) {
        shownPanels.push_back(board.PanelRect(i));
        table->InvalidateVirtual(shownPanels.back());
    }
}

// A daily challenge's result goes to its own log and leaves the game's
// summary (the chooser's figures) alone.
void clMainWindow::LogResult(bool completed, std::int32_t score, std::int32_t round) {
    if (!playing) return;
    const std::string key = daily ? DailyLogKey(playing->Key()) : playing->Key();
    clStatistics statistics(program.Settings(), program.Players().Folders(), program.Clock());
    statistics.LoadLog(key, daily ? std::string() : playing->DisplayName(), false);
    clScoreRecord record = completed ? clStatistics::MakeCompleted(score, round, program.Clock())
                                     : clStatistics::MakeInterrupted(score, round, program.Clock());
    record.hinted = hints->GameHinted();
    statistics.AppendResult(key, record);
    if (daily) {
        // A game over follows a completed result at once.
        dailyResultLogged = completed && !daily->practice;
        EndDailyAttempt();
    }
}

void clMainWindow::ShowGameOver(std::int32_t score, std::int32_t round) {
    ShowControls();
    UpdateWindow();
    if (!playing) return;
    std::string record;
    if (const std::optional<clPlayRecord> played = recorder ? recorder->Record() : std::nullopt)
        record = clPlayRecordCodec::Encode(*played).value_or("");
    // The counted daily game was logged just before; any other daily game
    // is practice.
    const bool counted = std::exchange(dailyResultLogged, false);
    const clScoreGame game{playing->DisplayName(), playing->Key(),
                           onlineScores.get(),     record,
                           daily.has_value(),      daily.has_value() && !counted,
                           hints->GameHinted()};
    const clGameOverChoice choice = dialogs.ShowGameOver(this, game, score, round);
    if (daily) dialogs.ShowDailyRanking(this, game, FormatDay(daily->day), score);
    // The game goes on once the move that ended it has finished.
    QTimer::singleShot(0, this, [this, choice] {
        if (choice == clGameOverChoice::NewGame) {
            ExecuteCommand(clCommand::kNew);
        } else {
            close();
        }
    });
}

bool clMainWindow::ShowRoundOver(std::int32_t score, std::int32_t round) {
    ShowControls();
    UpdateWindow();
    if (!playing) return false;
    const clScoreGame game{playing->DisplayName(), playing->Key(),   onlineScores.get(), {},
                           daily.has_value(),      IsDailyPractice()};
    if (dialogs.ShowRoundOver(this, game, score, round)) {
        return true;
    }
    QTimer::singleShot(0, this, [this] { close(); });
    return false;
}

void clMainWindow::ShowMessage(const std::string& text, const std::string& caption) {
    dialogs.ShowMessage(this, text, caption);
}

std::optional<std::filesystem::path> clMainWindow::PlayerFolder() {
    return program.Players().Folders().MakeFolder(program.Settings().Player());
}

namespace {

const QString kSavedGames = QStringLiteral("Qarvel files (*.qarvel *.qvl)");

bool IsFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error);
}

QString QtPath(const std::filesystem::path& path) {
    return QFile::decodeName(path.string().c_str());
}

}  // namespace

// Where the Save and Open dialogs start: the folder the player used last,
// else the documents folder, else the home folder; never the player's data
// folder by default, where the automatic saves lie.
QString clMainWindow::SavedGamesFolder() {
    if (const auto last = program.Settings().ReadGameFolder(); last && IsFolder(*last)) {
        return QtPath(*last);
    }
    const std::filesystem::path documents = program.Account().DocumentsFolder();
    if (IsFolder(documents)) return QtPath(documents);
    return QDir::homePath();
}

void clMainWindow::RememberSavedGamesFolder(const QString& file) {
    const QString folder = QFileInfo(file).absolutePath();
    program.Settings().WriteGameFolder(QFile::encodeName(folder).toStdString());
}

// The file the player chose, whose folder the next dialog starts in.
std::optional<std::filesystem::path> clMainWindow::RunFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString file = dialog.selectedFiles().front();
    RememberSavedGamesFolder(file);
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

std::optional<std::filesystem::path> clMainWindow::AskOpenFile() {
    QFileDialog dialog(this, QStringLiteral("Open"), SavedGamesFolder(),
                       kSavedGames + QStringLiteral(";;All files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt places its file dialogs over the window itself (they build their
    // controls as they show).
    const std::optional<std::filesystem::path> chosen = RunFileDialog(dialog);
    // A daily challenge plays the day's deals only: a saved game opens as an
    // ordinary game of its own, and the challenge is left.
    if (chosen && daily) {
        if (const std::optional<std::string> name = clSavedGameFile::ReadName(*chosen)) {
            OpenVariantWithFile(*name, *chosen);
            return std::nullopt;
        }
    }
    return chosen;
}

// The game asks itself before it overwrites a file. The dialog starts with
// no name: it never offers the automatic save's.
std::optional<std::filesystem::path> clMainWindow::AskSaveFile() {
    QFileDialog dialog(this, QStringLiteral("Save"), SavedGamesFolder(), kSavedGames);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qarvel"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return RunFileDialog(dialog);
}
