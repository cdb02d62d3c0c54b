// The screens in the window: the chooser and the games, made, installed and
// closed; games started by name, from a saved game or by a later start of the
// program; the player changed under them.
#include <QAction>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <string_view>
#include <utility>

#include "engine/catalogue.h"
#include "engine/saved_game.h"
#include "engine/solitaire_rules.h"
#include "engine/solitaire_type.h"
#include "online/online_scores.h"
#include "shell/commands.h"
#include "shell/game_list.h"
#include "shell/hint_control.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "toolkit/file.h"
#include "toolkit/product.h"
#include "variants/registry.h"

void clMainWindow::ShowChooser() {
    CloseScreen();
    auto chooser = std::make_unique<clGameList>(*this, program);
    clGameList* list = chooser.get();
    screen = std::move(chooser);
    table->SetScoreboard(nullptr);
    table->SetPaused(false);
    table->SetAutoScroll(false);
    table->SetScrollBarsAllowed(false);
    SetPlayerTitle();
    list->Initialize();
    Action(clCommand::kPracticeMode)->setChecked(program.Settings().Flag(clFlag::Practice));
}

// A game chosen in the list starts once the chooser's own event is over.
void clMainWindow::RequestGame(const std::string& name) {
    if (gameRequested) return;  // one start at a time
    gameRequested = true;
    QTimer::singleShot(0, this, [this, name] {
        gameRequested = false;
        StartGame(name);
    });
}

bool clMainWindow::StartGame(const std::string& name) {
    std::unique_ptr<clSolitaireType> made = MakeScreen(name);
    if (!made) return false;
    program.PlaySound(clSound::Shuffle);
    Install(std::move(made));
    if (program.Settings().Flag(clFlag::Practice)) {
        UpdateWindow();
        dialogs.ShowMessage(this,
                            "You are currently in Practice Mode.  In this mode, game rounds do "
                            "not automatically end when the time bonus is gone.  However, scores "
                            "earned in practice mode are not added to your statistics, and they "
                            "are not eligible for high scores.",
                            "Practice Mode");
    }
    return true;
}

void clMainWindow::ShowGameStatistics(const std::string& name) {
    dialogs.ShowStatistics(this, {name, KeyOf(name)});
}

// "Qarvel 1.60 [player]", the title while no game is played.
void clMainWindow::SetPlayerTitle() {
    setWindowTitle(QStringLiteral("%1 %2 [%3]")
                       .arg(kProductName, kProductVersion,
                            QString::fromStdString(program.Settings().Player())));
}

// A save cut short by a crash leaves a hidden file beside the player's saved
// games; it goes at the next start (or when the player is taken up again).
void clMainWindow::RemoveStaleSaves() {
    constexpr std::string_view kSaveExtensions[] = {".qarvel", ".tmp", ".record"};
    if (const std::optional<std::filesystem::path> folder = PlayerFolder()) {
        RemoveStaleTemporaries(*folder, kSaveExtensions, std::chrono::minutes(1));
    }
}

// A new player's card back, card set and background, and the title.
void clMainWindow::AfterPlayerChange() {
    RemoveStaleSaves();
    program.ApplyDisplaySettings();
    if (program.HasDisplay()) {
        clDisplay& display = program.Display();
        display.SetCardBack(program.DisplayOptions().cardBack);
        display.ChangeCardSet();
        display.ChangeBackground();
        display.CopyBackgroundToScreen();
    }
    SetPlayerTitle();
    FillCardSetMenu();
    UpdateCardSizeChecks();
    table->viewport()->update();
}

// The player's options go in with the screen: it loads the player's
// automatic save of that game as it initialises.
std::unique_ptr<clSolitaireType> clMainWindow::MakeScreen(const std::string& name,
                                                          std::optional<clDailyRun> run) {
    if (name.empty() || !IsRegistered(name)) return nullptr;
    clSettings& settings = program.Settings();
    settings.LoadGameValues(name, true);
    const clPlayOptions options = PlayOptionsFor(true, run);
    madeDaily = std::move(run);
    madeRecorder = std::make_unique<clPlayRecorder>(name);
    return CreateVariant(name, this, &options, madeRecorder.get());
}

void clMainWindow::Install(std::unique_ptr<clSolitaireType> made) {
    CloseScreen();
    recorder = std::move(madeRecorder);
    daily = std::exchange(madeDaily, std::nullopt);
    playing = made.get();
    screen = std::move(made);
    ShowChooserFrame(false);
    table->SetScrollBarsAllowed(true);
    onlineScores = std::make_unique<clOnlineScores>(program.Settings(), program.Clock());

    clSettings& settings = program.Settings();
    const bool offersAutoPlay = playing->OffersAutoPlay();
    settings.SetCurrentGame(playing->DisplayName(), playing->Key());
    settings.LoadGameValues(playing->DisplayName(), offersAutoPlay);
    playing->SetOptions(PlayOptionsFor(offersAutoPlay, daily));
    program.ApplyDisplaySettings();

    clDisplay& display = program.Display();
    display.SetLayout(playing->TableWidth(), playing->TableHeight());
    display.ChangeBackground();
    display.CopyBackgroundToScreen();
    playing->Graphics().SetAnimationPump(&pump);
    playing->Graphics().Attach(&program.Target());
    playing->Graphics().SetShowKeyLabels(settings.Flag(clFlag::Keyboard));
    playing->Graphics().SetDragShadow(settings.Flag(clFlag::Animation));
    table->SetAutoScroll(settings.Flag(clFlag::AutoScroll));
    table->SetScoreboard(&playing->Scoreboard());
    table->UpdateScrollBars();
    Action(clCommand::kGameSaving)->setChecked(settings.Flag(clFlag::Autosave));

    RecreateTakeScoreButton();
    hints->SetScreen(playing);
    // The screen has dealt or resumed its game already, and set the title
    // while it was not yet the window's.
    SetTitle(playing->WindowTitle(PlayerName()));
    playing->Repaint();
    TableResized(table->DeviceSize().width(), table->DeviceSize().height());
    playing->ShowFreshDeal();
    table->viewport()->update();
}

void clMainWindow::CloseScreen() {
    if (!screen) return;
    hints->SetScreen(nullptr);
    if (playing) {
        program.Settings().SaveGameValues(playing->DisplayName(), playing->OffersAutoPlay());
        // A daily challenge is never saved: leaving its counted game in
        // progress ends the attempt, which goes into the statistics as a
        // resigned game.
        if (daily && !daily->practice && (playing->Score() != 0 || playing->History().Count() > 0))
            LogResult(false, playing->Score(), playing->Round());
    }
    screen->Shutdown();
    takeScoreControl->hide();
    table->SetScoreboard(nullptr);
    playing = nullptr;
    screen.reset();
    recorder.reset();
    onlineScores.reset();
    daily.reset();
    dailyResultLogged = false;
}

// A game or saved game handed over by a second start: the window comes to
// the front and opens it (an unknown game leaves the chooser shown).
void clMainWindow::HandleStartRequest(const std::string& game, const std::string& file) {
    program.Settings().SetFlag(clFlag::Practice, false);
    if (trayIcon && trayIcon->isVisible()) {
        LeaveTray();
    } else if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
    if (!file.empty()) {
        if (const auto name = clSavedGameFile::ReadName(file)) {
            OpenGameFile(*name, file);
            return;
        }
    }
    if (const clCatalogueRow* row = LookUpVariant(game, true)) {
        if (StartGame(std::string(row->displayName))) return;
    }
    if (!screen || !screen->IsGameList()) ShowChooser();
}

// The asking screen is replaced, so this waits until its call has returned.
void clMainWindow::OpenVariantWithFile(const std::string& displayName,
                                       const std::filesystem::path& path) {
    QTimer::singleShot(0, this, [this, displayName, path] { OpenGameFile(displayName, path); });
}

void clMainWindow::OpenGameFile(const std::string& displayName, const std::filesystem::path& path) {
    std::unique_ptr<clSolitaireType> made = MakeScreen(displayName);
    if (!made) return;
    Install(std::move(made));
    if (playing) playing->OpenFile(path.string());
}

bool clMainWindow::SwitchPlayer(const std::string& name) {
    if (!program.Players().ChangePlayer(name)) return false;
    if (playing) {
        clSettings& settings = program.Settings();
        const bool offersAutoPlay = playing->OffersAutoPlay();
        settings.SetCurrentGame(playing->DisplayName(), playing->Key());
        settings.LoadGameValues(playing->DisplayName(), offersAutoPlay);
        // The new player's own attempt of the day, counted unless used.
        if (daily) {
            const std::string day = FormatDay(daily->day);
            daily->practice = settings.Flag(clFlag::Practice) ||
                              settings.DailyPlayed(playing->DisplayName()) == day;
            if (!daily->practice) settings.SetDailyPlayed(playing->DisplayName(), day);
        }
        playing->SetOptions(PlayOptionsFor(offersAutoPlay, daily));
    }
    AfterPlayerChange();
    RepaintScreen();
    return true;
}
