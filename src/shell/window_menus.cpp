// The window's two menus and tool bars, the chooser's and a playing screen's,
// and what the chooser shows of them.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <span>

#include "dialogs/qt_picture.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/program.h"

namespace {

// The tool bar of a playing screen: picture index, command, tip.
struct clToolButton {
    int picture;
    int command;
    const char* tip;
};

constexpr clToolButton kToolButtons[] = {
    {3, clCommand::kUndo, "Undo"},
    {2, clCommand::kNew, "New Game"},
    {5, clCommand::kStatistics, "Statistics"},
    {6, clCommand::kWebSite, "Web Site"},
    {0, clCommand::kRules, "How to Play"},
    {4, clCommand::kPause, "Pause"},
    {10, clCommand::kTakeScore, "Take Score"},
    {1, clCommand::kExit, "Close"},
};

constexpr clToolButton kChooserToolButtons[] = {
    {8, clCommand::kRandom, "Random"},       {7, clCommand::kOptions, "Options"},
    {6, clCommand::kWebSite, "Web Site"},    {5, clCommand::kHighScores, "High Scores"},
    {0, clCommand::kHelpCenterTool, "Help"}, {1, clCommand::kExit, "Exit"},
};

QIcon IconOf(const clImage& picture) {
    if (picture.IsEmpty()) return {};
    return QIcon(QPixmap::fromImage(ImageView(picture).copy()));
}

}  // namespace

QAction* clMainWindow::AddCommand(QMenu* menu, int command, const QString& caption,
                                  bool checkable) {
    auto* action = new QAction(caption, this);
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, command] { ExecuteCommand(command); });
    menu->addAction(action);
    (*building)[command] = action;
    return action;
}

// The shown menu's item first, else the other menu's.
QAction* clMainWindow::Action(int command) const {
    const std::map<int, QAction*>& shown = chooserShown ? chooserActions : playingActions;
    const std::map<int, QAction*>& other = chooserShown ? playingActions : chooserActions;
    if (const auto it = shown.find(command); it != shown.end()) return it->second;
    const auto it = other.find(command);
    return it == other.end() ? nullptr : it->second;
}

QAction* clMainWindow::ToolAction(int command) const {
    const auto it = playingToolsByCommand.find(command);
    return it == playingToolsByCommand.end() ? nullptr : it->second;
}

// The playing screen's menu. Captions carry the accelerator after a tab;
// the keys themselves go through the accelerator table.
void clMainWindow::BuildMenus() {
    building = &playingActions;
    auto addMenu = [this](const QString& title) {
        auto* menu = new QMenu(title, this);
        playingMenus.push_back(menu);
        return menu;
    };
    QMenu* game = addMenu(QStringLiteral("&Game"));
    AddCommand(game, clCommand::kNew, QStringLiteral("&New\tCtrl+N"));
    AddCommand(game, clCommand::kDailyChallenge, QStringLiteral("&Daily Challenge"));
    AddCommand(game, clCommand::kOpen, QStringLiteral("&Open...\tF5"));
    AddCommand(game, clCommand::kSave, QStringLiteral("&Save...\tF6"));
    AddCommand(game, clCommand::kAddToFavorites, QStringLiteral("Add to &Favorites"));
    AddCommand(game, clCommand::kCreateShortcut, QStringLiteral("&Create Desktop Shortcut"));
    game->addSeparator();
    AddCommand(game, clCommand::kExit, QStringLiteral("E&xit\tCtrl+X"));

    QMenu* action = addMenu(QStringLiteral("&Action"));
    AddCommand(action, clCommand::kTakeScore, QStringLiteral("&Take Score\tSpace"));
    AddCommand(action, clCommand::kUndo, QStringLiteral("&Undo\tCtrl+U"));
    AddCommand(action, clCommand::kHint, QStringLiteral("&Hint\tH"));
    AddCommand(action, clCommand::kPause, QStringLiteral("&Pause\tEsc"), true);

    QMenu* options = addMenu(QStringLiteral("&Options"));
    AddCommand(options, clCommand::kOptions, QStringLiteral("&Options..."));
    AddCommand(options, clCommand::kGameOptions, QStringLiteral("&Game..."));
    AddCommand(options, clCommand::kStatistics, QStringLiteral("St&atistics"));
    AddCommand(options, clCommand::kGameSaving, QStringLiteral("Game &Saving"), true);
    AddCommand(options, clCommand::kCardBacks, QStringLiteral("Card &Backs..."));
    cardSetMenu = options->addMenu(QStringLiteral("Card Set"));
    cardSizeMenu = options->addMenu(QStringLiteral("Card Size"));
    AddCommand(cardSizeMenu, clCommand::kFitToWindow, QStringLiteral("Fit to Window"), true);
    cardSizeMenu->addSeparator();
    const char* sizes[] = {"Automatic", "Huge", "Large", "Medium", "Small", "Tiny"};
    for (int i = 0; i < 6; ++i) {
        AddCommand(cardSizeMenu, clCommand::kCardSizeFirst + i, QString::fromLatin1(sizes[i]),
                   true);
    }
    cardSizeMenu->addSeparator();
    AddCommand(cardSizeMenu, clCommand::kCustomSize, QStringLiteral("Custom..."), true);

    AddInternetItems(addMenu(QStringLiteral("&Internet")), clCommand::kGameHighScoresPage);
    AddHelpItems(addMenu(QStringLiteral("&Help")), QStringLiteral("&Rules\tF1"));
    BuildChooserMenus();
    ShowMenus(false);
}

// The Internet menu: the same in both menus but for whose scores "View High
// Scores" shows (every game's on the chooser, the current game's in play).
void clMainWindow::AddInternetItems(QMenu* internet, int highScoresCommand) {
    AddCommand(internet, clCommand::kWebSite, QStringLiteral("Qarvel on the Web"));
    AddCommand(internet, clCommand::kLatestVersion, QStringLiteral("Download Latest Version"));
    AddCommand(internet, clCommand::kCardSetsPage, QStringLiteral("Download Additional Card Sets"));
    AddCommand(internet, highScoresCommand, QStringLiteral("View High Scores"));
    AddCommand(internet, clCommand::kNewsletter, QStringLiteral("Free Email Newsletter"));
    AddCommand(internet, clCommand::kCustomerService, QStringLiteral("Customer Service"));
    AddCommand(internet, clCommand::kForum, QStringLiteral("Discussion Forum"));
    AddCommand(internet, clCommand::kOnlineGames, QStringLiteral("Online Games"));
}

// The Help menu; F1 is the current game's rules, or the games' on the chooser.
void clMainWindow::AddHelpItems(QMenu* help, const QString& rulesCaption) {
    AddCommand(help, clCommand::kRules, rulesCaption);
    AddCommand(help, clCommand::kHelpCenter, QStringLiteral("&Help Center\tF2"));
    help->addAction(QStringLiteral("Customer Service"), this,
                    [this] { ExecuteCommand(clCommand::kCustomerService); });
    AddCommand(help, clCommand::kAbout, QStringLiteral("&About\tF3"));
}

// The chooser's menu.
void clMainWindow::BuildChooserMenus() {
    building = &chooserActions;
    auto addMenu = [this](const QString& title) {
        auto* menu = new QMenu(title, this);
        chooserMenus.push_back(menu);
        return menu;
    };
    QMenu* game = addMenu(QStringLiteral("&Game"));
    AddCommand(game, clCommand::kRandom, QStringLiteral("&Random"));
    AddCommand(game, clCommand::kExit, QStringLiteral("E&xit\tCtrl+X"));
    QMenu* action = addMenu(QStringLiteral("&Action"));
    AddCommand(action, clCommand::kNew, QStringLiteral("&Play"));
    AddCommand(action, clCommand::kTakeScore, QStringLiteral("&Rules"));
    AddCommand(action, clCommand::kStatistics, QStringLiteral("St&atistics"));
    QMenu* options = addMenu(QStringLiteral("&Options"));
    AddCommand(options, clCommand::kOptions, QStringLiteral("&Options..."));
    AddCommand(options, clCommand::kHighScores, QStringLiteral("&High Scores..."));
    AddCommand(options, clCommand::kPracticeMode, QStringLiteral("Practice Mode"), true);
    QMenu* view = options->addMenu(QStringLiteral("&View"));
    AddCommand(view, clCommand::kLargeIcons, QStringLiteral("Large Icons"), true);
    AddCommand(view, clCommand::kSmallIcons, QStringLiteral("Small Icons"), true);
    AddCommand(view, clCommand::kList, QStringLiteral("List"), true);
    AddCommand(view, clCommand::kDetails, QStringLiteral("Details"), true);
    AddCommand(view, clCommand::kResetColumns, QStringLiteral("Reset"));
    view->addSeparator();
    AddCommand(view, clCommand::kPreviewPane, QStringLiteral("Preview"), true);
    AddInternetItems(addMenu(QStringLiteral("&Internet")), clCommand::kAllHighScoresPage);
    AddHelpItems(addMenu(QStringLiteral("&Help")), QStringLiteral("&Games\tF1"));
    building = &playingActions;
}

// The menu bar and tool bar of the chooser or of a playing screen.
void clMainWindow::ShowMenus(bool chooser) {
    chooserShown = chooser;
    menuBar()->clear();
    for (QMenu* menu : chooser ? chooserMenus : playingMenus)
        menuBar()->addMenu(menu);
    if (toolBar) FillToolBar(chooser);
}

// The card-set items: one per catalogue entry, then "Download Additional Card Sets".
void clMainWindow::FillCardSetMenu() {
    building = &playingActions;
    cardSetMenu->clear();
    const clCardSetList& catalogue = program.Catalogue();
    const std::optional<int> current = catalogue.Find(program.DisplayOptions().cardSet);
    for (int i = 0;
         i < catalogue.Count() && i <= clCommand::kCardSetLast - clCommand::kCardSetFirst; ++i) {
        QAction* item =
            AddCommand(cardSetMenu, clCommand::kCardSetFirst + i,
                       QString::fromStdString(catalogue.Entry(i).ShownDescription()), true);
        item->setChecked(current == i);
    }
    cardSetMenu->addSeparator();
    AddCommand(cardSetMenu, clCommand::kCardSetsDownload,
               QStringLiteral("Download Additional Card Sets"));
}

void clMainWindow::BuildToolBar() {
    toolBar = addToolBar(QStringLiteral("Tools"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(32, 32));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (bool chooser : {false, true}) {
        std::vector<QAction*>& buttons = chooser ? chooserTools : playingTools;
        const std::span<const clToolButton> list =
            chooser ? std::span<const clToolButton>(kChooserToolButtons)
                    : std::span<const clToolButton>(kToolButtons);
        for (const clToolButton& b : list) {
            auto* button = new QAction(IconOf(program.ToolPicture(b.picture)),
                                       QString::fromLatin1(b.tip), this);
            const int command = b.command;
            connect(button, &QAction::triggered, this,
                    [this, command] { ExecuteCommand(command); });
            buttons.push_back(button);
            if (!chooser) playingToolsByCommand[command] = button;
        }
    }
    FillToolBar(chooserShown);
}

// The chooser's tool bar starts with the player selector.
void clMainWindow::FillToolBar(bool chooser) {
    toolBar->clear();
    if (chooser) {
        playerBox = new QComboBox(toolBar);
        playerBox->setFixedWidth(152);
        connect(playerBox, &QComboBox::textActivated, this, [this](const QString& name) {
            if (screen) screen->ChangePlayer(name.toStdString());
        });
        toolBar->addWidget(playerBox);
        toolBar->addSeparator();
    }
    for (QAction* button : chooser ? chooserTools : playingTools) {
        toolBar->addAction(button);
        toolBar->addSeparator();
    }
}

void clMainWindow::ShowChooserFrame(bool on) {
    ShowMenus(on);
    statusBar()->clearMessage();
    dealLabel->setVisible(!on);
    chooserStatus->setVisible(on);
    // The chooser's buttons carry their captions under the pictures; the
    // game's keep pictures alone, with tool tips.
    toolBar->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    statusBar()->setVisible(true);
    layout()->activate();
}

void clMainWindow::SetChooserSelection(bool selected) {
    for (int command : {clCommand::kNew, clCommand::kTakeScore, clCommand::kStatistics}) {
        if (const auto it = chooserActions.find(command); it != chooserActions.end()) {
            it->second->setEnabled(selected);
        }
    }
}

void clMainWindow::SetChooserView(int view) {
    const int commands[] = {clCommand::kLargeIcons, clCommand::kSmallIcons, clCommand::kList,
                            clCommand::kDetails};
    for (int i = 0; i < 4; ++i)
        chooserActions[commands[i]]->setChecked(i == view);
    chooserActions[clCommand::kResetColumns]->setEnabled(view == 3);
    chooserActions[clCommand::kPreviewPane]->setChecked(program.Settings().Flag(clFlag::Preview));
}
