// The playing screen's window side: sounds, scoreboard, menus, title and the
// questions and dialogs of the rounds, each through the host when there is one.
#include <cstdio>

#include "engine/solitaire_type.h"
#include "graphics/text_painter.h"
#include "toolkit/product.h"

namespace {

constexpr const char* kResignQuestion = "Do you want to resign the current game?";
constexpr const char* kResignCaption = "New Game";

}  // namespace

clMenuState clSolitaireType::MenuState() const {
    clMenuState state;
    // Undo is offered exactly when it would be done: Undo refuses at a score
    // of 0 or less, since each undo costs points.
    state.undoEnabled = !paused && !roundEnded && history && history->Position() > 0 && score > 0;
    state.takeScoreEnabled = !paused;
    state.pauseChecked = paused;
    state.autoSaveChecked = options.autoSave;
    return state;
}

std::string clSolitaireType::WindowTitle(const std::string& player) const {
    return std::string(kProductName) + " " + kProductVersion + ": " + displayName + " [" + player +
           "]";
}

void clSolitaireType::PlaySound(clSound sound) {
    if (host) host->PlaySound(sound);
}

void clSolitaireType::UpdateWindow() {
    if (host) host->UpdateWindow();
}

void clSolitaireType::RefreshScore() {
    UpdateScoreboard();
}

void clSolitaireType::RefreshBonus() {
    UpdateScoreboard();
}

clScoreboard::clValues clSolitaireType::ScoreboardValues() const {
    clScoreboard::clValues values{Score(),      BonusPoints(),    Round(), Goal(),
                                  IsBonusLow(), HasReachedGoal(), {}};
    UpdateScoreboardExtra(values.extra);
    return values;
}

void clSolitaireType::UpdateScoreboard() {
    if (!host) return;
    clTextPainter* painter = host->TextPainter();
    if (!painter) return;
    const clScoreboard::clValues values = ScoreboardValues();
    // A game whose panels changed in number or place is laid out again.
    if (scoreboard.IsLaidOut() && !scoreboard.FitsLayout(values)) {
        RelayScoreboard();
    } else if (scoreboard.Update(*painter, values)) {
        host->ScoreboardChanged();
    }
}

void clSolitaireType::RelayScoreboard() {
    if (!host || !graphics) return;
    clTextPainter* painter = host->TextPainter();
    const clImage* background = host->TableBackground();
    const std::optional<clTableMetrics> metrics = graphics->Metrics();
    if (!painter || !background || !metrics) return;
    scoreboard.Relay(*metrics, *background, *painter, ScoreboardValues());
    host->ScoreboardChanged();
}

void clSolitaireType::UpdateMenus() {
    if (host) host->SetMenuState(MenuState());
}

void clSolitaireType::ShowStatus(const std::string& text) {
    if (host) host->ShowStatus(text);
}

void clSolitaireType::UpdateTitle() {
    if (host) host->SetTitle(WindowTitle(host->PlayerName()));
}

void clSolitaireType::RecreateTakeScoreButton() {
    if (host) host->RecreateTakeScoreButton();
}

void clSolitaireType::Wait(int milliseconds) {
    if (host) host->Wait(milliseconds);
}

bool clSolitaireType::IsControlKeyDown() const {
    return host && host->IsControlKeyDown();
}

bool clSolitaireType::IsAnimationOn() const {
    return host && host->IsAnimationOn();
}

bool clSolitaireType::ConfirmResign() {
    return !host || host->AskYesNo(kResignQuestion, kResignCaption);
}

void clSolitaireType::LogResult(clResultKind kind, std::int32_t finalScore,
                                std::int32_t finalRound) {
    if (host) host->LogResult(kind == clResultKind::Completed, finalScore, finalRound);
}

void clSolitaireType::ShowGameOver(std::int32_t finalScore, std::int32_t finalRound) {
    if (host) host->ShowGameOver(finalScore, finalRound);
}

bool clSolitaireType::ShowRoundOver() {
    return host && host->ShowRoundOver(lastRoundScore, round);
}
