// What the menu, accelerator and control commands do.
#include <QAction>
#include <QApplication>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <span>

#include "dialogs/help_window.h"
#include "engine/solitaire_type.h"
#include "online/web_pages.h"
#include "shell/commands.h"
#include "shell/desktop_shortcut.h"
#include "shell/hint_control.h"
#include "shell/main_window.h"
#include "shell/picture_windows.h"
#include "shell/program.h"
#include "toolkit/product.h"

// What each command does. The window's own commands work whatever is shown;
// the screen's act on the game or the chooser shown, and do nothing while
// there is none. A command in neither list does nothing.
void clMainWindow::ExecuteCommand(int command) {
    if (command >= clCommand::kCardSetFirst && command <= clCommand::kCardSetLast) {
        ChooseCardSet(command - clCommand::kCardSetFirst);
        return;
    }
    if (command >= clCommand::kCardSizeFirst && command <= clCommand::kCardSizeLast) {
        ChooseCardSize(command - clCommand::kCardSizeFirst);
        return;
    }
    struct clHandler {
        int command;
        void (*run)(clMainWindow& window);
    };
    static constexpr clHandler kWindowCommands[] = {
        {clCommand::kExit, [](clMainWindow& w) { w.close(); }},
        {clCommand::kMinimize, [](clMainWindow& w) { w.showMinimized(); }},
        {clCommand::kTrayPlay, [](clMainWindow& w) { w.LeaveTray(); }},
        {clCommand::kAbout,
         [](clMainWindow& w) { clAboutWindow::Open(w.program.AboutPicture(), &w); }},
        {clCommand::kHelpCenter, [](clMainWindow& w) { w.ShowHelpCenter(); }},
        {clCommand::kHelpCenterTool, [](clMainWindow& w) { w.ShowHelpCenter(); }},
        {clCommand::kOptions, [](clMainWindow& w) { w.ShowOptions(); }},
        {clCommand::kCardBacks, [](clMainWindow& w) { w.ShowCardBacks(); }},
        {clCommand::kCustomSize, [](clMainWindow& w) { w.ShowCustomSize(); }},
        {clCommand::kFitToWindow, [](clMainWindow& w) { w.ChooseCardSize(-1); }},
        {clCommand::kHighScores, [](clMainWindow& w) { w.dialogs.ShowHighScores(&w); }},
        {clCommand::kPracticeMode, [](clMainWindow& w) { w.TogglePracticeMode(); }},
        {clCommand::kWebSite, [](clMainWindow& w) { w.OpenWebPage("index"); }},
        {clCommand::kLatestVersion, [](clMainWindow& w) { w.OpenWebPage("latest", "160"); }},
        {clCommand::kCardSetsPage, [](clMainWindow& w) { w.OpenWebPage("cardsets"); }},
        {clCommand::kCardSetsDownload, [](clMainWindow& w) { w.OpenWebPage("cardsets"); }},
        {clCommand::kNewsletter, [](clMainWindow& w) { w.OpenWebPage("newsletter"); }},
        {clCommand::kCustomerService, [](clMainWindow& w) { w.OpenWebPage("customer"); }},
        {clCommand::kForum, [](clMainWindow& w) { w.OpenWebPage("forum"); }},
        {clCommand::kOnlineGames, [](clMainWindow& w) { w.OpenWebPage("games"); }},
        {clCommand::kAllHighScoresPage,
         [](clMainWindow& w) { w.OpenUrl(StartPageUrl(w.program.Settings())); }},
        {clCommand::kDailyChallenge,
         [](clMainWindow& w) {
             if (w.playing) w.RequestDailyChallenge(w.playing->DisplayName());
         }},
        {clCommand::kGameHighScoresPage,
         [](clMainWindow& w) {
             if (w.playing) w.OpenUrl(ScorePageUrl(w.program.Settings(), w.playing->Key()));
         }},
    };
    static constexpr clHandler kScreenCommands[] = {
        {clCommand::kRandom, [](clMainWindow& w) { w.screen->RandomGame(); }},
        {clCommand::kNew, [](clMainWindow& w) { w.screen->NewGame(); }},
        {clCommand::kOpen, [](clMainWindow& w) { w.screen->OpenGame(); }},
        {clCommand::kSave, [](clMainWindow& w) { w.screen->SaveGame(); }},
        {clCommand::kUndo, [](clMainWindow& w) { w.screen->Undo(); }},
        {clCommand::kHint, [](clMainWindow& w) { w.hints->Hint(); }},
        {clCommand::kTakeScore, [](clMainWindow& w) { w.screen->TakeScore(); }},
        {clCommand::kTakeScoreButton, [](clMainWindow& w) { w.screen->TakeScore(); }},
        {clCommand::kPause, [](clMainWindow& w) { w.TogglePause(); }},
        {clCommand::kRules, [](clMainWindow& w) { w.ShowScreenRules(); }},
        {clCommand::kStatistics, [](clMainWindow& w) { w.ShowScreenStatistics(); }},
        {clCommand::kGameOptions, [](clMainWindow& w) { w.ShowGameOptions(); }},
        {clCommand::kGameSaving, [](clMainWindow& w) { w.ToggleAutoSave(); }},
        {clCommand::kAddToFavorites, [](clMainWindow& w) { w.AddToFavorites(); }},
        {clCommand::kCreateShortcut, [](clMainWindow& w) { w.CreateDesktopShortcut(); }},
        {clCommand::kLargeIcons, [](clMainWindow& w) { w.screen->ViewLargeIcons(); }},
        {clCommand::kSmallIcons, [](clMainWindow& w) { w.screen->ViewSmallIcons(); }},
        {clCommand::kList, [](clMainWindow& w) { w.screen->ViewList(); }},
        {clCommand::kDetails, [](clMainWindow& w) { w.screen->ViewDetails(); }},
        {clCommand::kResetColumns, [](clMainWindow& w) { w.screen->ResetColumns(); }},
        {clCommand::kPreviewPane, [](clMainWindow& w) { w.screen->TogglePreview(); }},
    };
    const auto find = [command](std::span<const clHandler> handlers) -> const clHandler* {
        const auto it = std::ranges::find(handlers, command, &clHandler::command);
        return it == handlers.end() ? nullptr : &*it;
    };
    if (const clHandler* handler = find(kWindowCommands)) {
        handler->run(*this);
    } else if (const clHandler* handler = find(kScreenCommands); handler && screen) {
        handler->run(*this);
    }
}

void clMainWindow::TogglePracticeMode() {
    clSettings& settings = program.Settings();
    settings.SetFlag(clFlag::Practice, !settings.Flag(clFlag::Practice));
    Action(clCommand::kPracticeMode)->setChecked(settings.Flag(clFlag::Practice));
}

void clMainWindow::TogglePause() {
    screen->Pause();
    table->SetPaused(screen->IsPaused());
    ShowControls();
}

// A game's page in the help, or the chooser's own.
void clMainWindow::ShowScreenRules() {
    if (playing) {
        OpenHelpTopic(playing->HelpTopic());
    } else {
        screen->ShowRules();
    }
}

// A game's figures, or those of the game selected in the chooser.
void clMainWindow::ShowScreenStatistics() {
    if (playing) {
        dialogs.ShowStatistics(this, {playing->DisplayName(), playing->Key()});
    } else {
        screen->ShowStatistics();
    }
}

void clMainWindow::ToggleAutoSave() {
    clSettings& settings = program.Settings();
    settings.SetFlag(clFlag::Autosave, !settings.Flag(clFlag::Autosave));
    if (playing) {
        clPlayOptions options = playing->Options();
        options.autoSave = settings.Flag(clFlag::Autosave);
        playing->SetOptions(options);
    }
    Action(clCommand::kGameSaving)->setChecked(settings.Flag(clFlag::Autosave));
}

// A launcher on the desktop that starts this player's current game.
void clMainWindow::CreateDesktopShortcut() {
    if (!playing) return;
    const std::string& player = program.Settings().Player();
    const std::string& game = playing->DisplayName();
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const std::filesystem::path programFile = QApplication::applicationFilePath().toStdString();
    if (WriteDesktopShortcut(desktop.toStdString(), programFile, player, game)) {
        dialogs.ShowMessage(this, "A desktop shortcut has been created for " + game + ".",
                            kProductName);
    }
}

void clMainWindow::AddToFavorites() {
    if (!playing) return;
    clSettings& settings = program.Settings();
    settings.SetCurrentFavorite(true);
    settings.SaveGameValues(playing->DisplayName(), playing->OffersAutoPlay());
}

void clMainWindow::OpenWebPage(const std::string& key, const std::string& suffix) {
    OpenUrl(WebPageUrl(program.Settings(), key, suffix));
}

// A failure is said over the dialog that asked for the page, if any.
void clMainWindow::OpenUrl(const std::string& url) {
    QWidget* over = QApplication::activeModalWidget();
    OpenAddress(dialogs, over ? over : this, url);
}

// The shipped help pages: index.html (the contents) and one page per topic.
void clMainWindow::OpenHelpTopic(int topic) {
    if (!helpWindow) {
        const QString folder = QString::fromStdString((program.DataFolder() / "help").string());
        helpWindow = new clHelpWindow(
            this, folder,
            [this](QWidget* over, const QUrl& address) {
                OpenAddress(dialogs, over, address.toString().toStdString());
            },
            [this](QWidget* over, const QString& text) {
                dialogs.ShowMessage(over, text.toStdString(), "Qarvel Help");
            });
    }
    helpWindow->ShowPage(topic > 0 ? QStringLiteral("%1.html").arg(topic)
                                   : QStringLiteral("index.html"));
}
