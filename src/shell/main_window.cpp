#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QUrl>
#include <span>

#include "engine/catalogue.h"
#include "engine/product.h"
#include "engine/registry.h"
#include "engine/saved_game.h"
#include "engine/solitaire_rules.h"
#include "online/online_scores.h"
#include "online/web_pages.h"
#include "player/statistics.h"
#include "shell/commands.h"
#include "shell/desktop_shortcut.h"
#include "shell/game_list.h"
#include "shell/picture_windows.h"
#include "shell/program.h"
#include "shell/take_score_window.h"
#include "shell/window_dialogs.h"

namespace {

constexpr int kRoundTimerMs = 100;
constexpr int kUsualTableWidth = 9;
constexpr int kUsualTableHeight = 5;

// The accelerator table: keys that run a command whichever child has the focus.
struct clAccelerator {
    int key;
    bool control;
    int command;
};

constexpr clAccelerator kAccelerators[] = {
    {Qt::Key_A, true, clCommand::kAbout},          {Qt::Key_N, true, clCommand::kNew},
    {Qt::Key_U, true, clCommand::kUndo},           {Qt::Key_Backspace, false, clCommand::kUndo},
    {Qt::Key_Delete, true, clCommand::kMinimize},  {Qt::Key_Escape, false, clCommand::kPause},
    {Qt::Key_F1, false, clCommand::kRules},        {Qt::Key_F2, false, clCommand::kHelpCenter},
    {Qt::Key_F3, false, clCommand::kAbout},        {Qt::Key_F5, false, clCommand::kOpen},
    {Qt::Key_F6, false, clCommand::kSave},         {Qt::Key_Pause, false, clCommand::kPause},
    {Qt::Key_Space, false, clCommand::kTakeScore}, {Qt::Key_X, true, clCommand::kExit},
    {Qt::Key_Z, true, clCommand::kUndo},
};

int AcceleratorCommand(const QKeyEvent& event) {
    const bool control = event.modifiers() & Qt::ControlModifier;
    for (const clAccelerator& a : kAccelerators) {
        if (a.key == event.key() && a.control == control) return a.command;
    }
    return 0;
}

// Web pages by command.
struct clWebCommand {
    int command;
    const char* key;
    const char* suffix;
};

constexpr clWebCommand kWebCommands[] = {
    {clCommand::kWebSite, "index", ""},         {clCommand::kLatestVersion, "latest", "160"},
    {clCommand::kCardSetsPage, "cardsets", ""}, {clCommand::kCardSetsDownload, "cardsets", ""},
    {clCommand::kNewsletter, "newsletter", ""}, {clCommand::kCustomerService, "customer", ""},
    {clCommand::kForum, "forum", ""},           {clCommand::kOnlineGames, "games", ""},
};

}  // namespace

clMainWindow::clMainWindow(clProgram& program, clWindowDialogs& dialogs)
    : program(program), dialogs(dialogs), pump(program.Clock(), [this] { AnimationFrame(); }) {
    setWindowTitle(QStringLiteral("%1 %2").arg(kProductName, kProductVersion));
    table = new clTableView(*this, this);
    setCentralWidget(table);
    BuildMenus();
    BuildToolBar();
    // The status line belongs to the game chooser; a playing screen has none.
    statusBar()->hide();
    roundTimer.setInterval(kRoundTimerMs);
    connect(&roundTimer, &QTimer::timeout, this, [this] { TimerTick(); });
    qApp->installEventFilter(this);
}

clMainWindow::~clMainWindow() {
    qApp->removeEventFilter(this);
    CloseScreen();
}

// Start and the screens ------------------------------------------------------

bool clMainWindow::Start(const clCommandLine& line) {
    clSettings& settings = program.Settings();
    for (const std::string& player : line.players) {
        if (program.Players().ChangePlayer(player)) program.ApplyDisplaySettings();
    }
    if (line.HasStartRequest()) settings.SetFlag(clFlag::Practice, false);

    // A game asked for comes first, so that the display loads its cards once,
    // at the size that game's table needs in this window. An unknown name
    // leaves the chooser shown.
    std::unique_ptr<clSolitaireType> first;
    std::string file = line.file;
    if (!file.empty()) {
        // A saved game opens its own variant.
        if (const auto name = clSavedGameFile::ReadName(file)) first = MakeScreen(*name);
        if (!first) file.clear();
    }
    if (!first) {
        if (const clCatalogueRow* row = LookUpVariant(line.game, true)) {
            first = MakeScreen(std::string(row->displayName));
        }
    }

    const clWindowPlacement& place = settings.Window();
    toolBar->setVisible(settings.Flag(clFlag::Toolbar));
    if (place.IsValid()) {
        setGeometry(place.left, place.top, place.width, place.height);
        layout()->activate();
    } else {
        // A drawing area of 640 x 480.
        const int bars = menuBar()->sizeHint().height() +
                         (toolBar->isVisibleTo(this) ? toolBar->sizeHint().height() : 0);
        resize(640, 480 + bars);
        layout()->activate();
    }
    // Without a game the chooser comes first: cards are loaded for a table of
    // the usual size, not for the largest (none is shown yet).
    if (first) {
        program.SetTableSize(first->TableWidth(), first->TableHeight());
    } else {
        program.SetTableSize(kUsualTableWidth, kUsualTableHeight);
    }
    if (!program.CreateDisplay(std::max(1, table->viewport()->width()),
                               std::max(1, table->viewport()->height()))) {
        return false;
    }
    program.Display().SetInvalidateHandler(
        [this](const clRect& rect) { table->InvalidateVirtual(rect); });
    table->SetDisplay(&program.Display());
    table->SetPausePicture(&program.PausePicture());
    FillCardSetMenu();

    if (first) {
        Install(std::move(first));
        if (!file.empty() && playing) playing->OpenFile(file);
    } else {
        ShowChooser();
    }
    roundTimer.start();
    if (place.maximized) showMaximized();
    return true;
}

// The chooser ------------------------------------------------------------------

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

void clMainWindow::ShowChooserFrame(bool on) {
    ShowMenus(on);
    statusBar()->setVisible(on);
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

// A new player's card back, card set and background, and the title.
void clMainWindow::AfterPlayerChange() {
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
    table->viewport()->update();
}

clSolitaireRules* clMainWindow::Rules() const {
    return dynamic_cast<clSolitaireRules*>(playing);
}

// The player's options go in with the screen: it loads the player's
// automatic save of that game as it initialises.
std::unique_ptr<clSolitaireType> clMainWindow::MakeScreen(const std::string& name) {
    if (name.empty() || !IsRegistered(name)) return nullptr;
    clSettings& settings = program.Settings();
    settings.LoadGameValues(name, true);
    const clPlayOptions options = program.PlayOptions(true);
    return CreateVariant(name, this, &options);
}

void clMainWindow::Install(std::unique_ptr<clSolitaireType> made) {
    CloseScreen();
    playing = made.get();
    screen = std::move(made);
    ShowChooserFrame(false);
    table->SetScrollBarsAllowed(true);
    onlineScores = std::make_unique<clOnlineScores>(program.Settings(), program.Clock());

    clSettings& settings = program.Settings();
    auto* rules = Rules();
    const bool offersAutoPlay = rules && rules->AutoPlaySupported();
    settings.SetCurrentGame(playing->DisplayName(), playing->Key());
    settings.LoadGameValues(playing->DisplayName(), offersAutoPlay);
    playing->SetOptions(program.PlayOptions(offersAutoPlay));
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
    // The screen has dealt or resumed its game already.
    playing->Repaint();
    TableResized(table->viewport()->width(), table->viewport()->height());
    playing->ShowFreshDeal();
    table->viewport()->update();
}

void clMainWindow::CloseScreen() {
    if (!screen) return;
    if (playing) {
        program.Settings().SaveGameValues(playing->DisplayName(),
                                          Rules() && Rules()->AutoPlaySupported());
    }
    screen->Shutdown();
    if (takeScoreWindow) {
        takeScoreWindow->hide();
        takeScoreWindow->deleteLater();
        takeScoreWindow = nullptr;
    }
    table->SetScoreboard(nullptr);
    playing = nullptr;
    screen.reset();
    onlineScores.reset();
}

void clMainWindow::Quit() {
    if (closing) return;
    closing = true;
    roundTimer.stop();
    clSettings& settings = program.Settings();
    if (!isMinimized()) {
        clWindowPlacement place = settings.Window();
        if (isMaximized()) {
            place.maximized = true;
        } else {
            const QRect frame = geometry();
            place = {frame.x(), frame.y(), frame.width(), frame.height(), false};
        }
        settings.SetWindow(place);
    }
    if (trayIcon) trayIcon->hide();
    CloseScreen();
    program.ShutDown();
    QCoreApplication::quit();
}

// Closing a game goes back to the chooser; closing the chooser (or from the
// tray) ends the program.
void clMainWindow::closeEvent(QCloseEvent* event) {
    if (screen && !screen->IsGameList() && !closing && isVisible()) {
        event->ignore();
        ShowChooser();
        return;
    }
    Quit();
    event->accept();
}

// Commands -------------------------------------------------------------------

void clMainWindow::ExecuteCommand(int command) {
    if (command >= clCommand::kCardSetFirst && command <= clCommand::kCardSetLast) {
        ChooseCardSet(command - clCommand::kCardSetFirst);
        return;
    }
    if (command >= clCommand::kCardSizeFirst && command <= clCommand::kCardSizeLast) {
        ChooseCardSize(command - clCommand::kCardSizeFirst);
        return;
    }
    for (const clWebCommand& web : kWebCommands) {
        if (web.command == command) {
            OpenWebPage(web.key, web.suffix);
            return;
        }
    }
    clGame* current = screen.get();
    switch (command) {
        case clCommand::kExit:
            close();
            return;
        case clCommand::kMinimize:
            showMinimized();
            return;
        case clCommand::kAbout:
            clAboutWindow::Open(program.AboutPicture(), this);
            return;
        case clCommand::kHelpCenter:
        case clCommand::kHelpCenterTool:
            ShowHelpCenter();
            return;
        case clCommand::kOptions:
            ShowOptions();
            return;
        case clCommand::kCardBacks:
            ShowCardBacks();
            return;
        case clCommand::kCustomSize:
            ShowCustomSize();
            return;
        case clCommand::kGameHighScoresPage:
            if (playing) OpenUrl(ScorePageUrl(program.Settings(), playing->Key()));
            return;
        case clCommand::kTrayPlay:
            LeaveTray();
            return;
        case clCommand::kHighScores:
            dialogs.ShowHighScores(this);
            return;
        case clCommand::kPracticeMode: {
            clSettings& settings = program.Settings();
            settings.SetFlag(clFlag::Practice, !settings.Flag(clFlag::Practice));
            Action(clCommand::kPracticeMode)->setChecked(settings.Flag(clFlag::Practice));
            return;
        }
        case clCommand::kAllHighScoresPage:
            OpenUrl(StartPageUrl(program.Settings()));
            return;
        default:
            break;
    }
    if (!current) return;
    switch (command) {
        case clCommand::kRandom:
            current->RandomGame();
            break;
        case clCommand::kNew:
            current->NewGame();
            break;
        case clCommand::kOpen:
            current->OpenGame();
            break;
        case clCommand::kSave:
            current->SaveGame();
            break;
        case clCommand::kAddToFavorites:
            AddToFavorites();
            break;
        case clCommand::kCreateShortcut:
            CreateDesktopShortcut();
            break;
        case clCommand::kTakeScore:
        case clCommand::kTakeScoreButton:
            current->TakeScore();
            break;
        case clCommand::kPause:
            current->Pause();
            table->SetPaused(current->IsPaused());
            ShowControls();
            break;
        case clCommand::kUndo:
            current->Undo();
            break;
        case clCommand::kGameOptions:
            ShowGameOptions();
            break;
        case clCommand::kStatistics:
            if (playing) {
                dialogs.ShowStatistics(this, {playing->DisplayName(), playing->Key()});
            } else {
                current->ShowStatistics();
            }
            break;
        case clCommand::kGameSaving:
            ToggleAutoSave();
            break;
        case clCommand::kLargeIcons:
            current->ViewLargeIcons();
            break;
        case clCommand::kSmallIcons:
            current->ViewSmallIcons();
            break;
        case clCommand::kList:
            current->ViewList();
            break;
        case clCommand::kDetails:
            current->ViewDetails();
            break;
        case clCommand::kResetColumns:
            current->ResetColumns();
            break;
        case clCommand::kRules:
            if (playing) {
                OpenHelpTopic(playing->HelpTopic());
            } else {
                current->ShowRules();
            }
            break;
        default:
            break;
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
    settings.SaveGameValues(playing->DisplayName(), Rules() && Rules()->AutoPlaySupported());
}

void clMainWindow::ChooseCardSize(int index) {
    if (!program.HasDisplay()) return;
    program.Display().ChooseCardSize(index);
    for (int i = 0; i < 6; ++i)
        Action(clCommand::kCardSizeFirst + i)->setChecked(i == index);
    Action(clCommand::kCustomSize)->setChecked(false);
    RepaintScreen();
}

void clMainWindow::ChooseCardSet(int index) {
    const clCardSetList& catalogue = program.Catalogue();
    if (index < 0 || index >= catalogue.Count() || !program.HasDisplay()) return;
    program.DisplayOptions().cardSet = catalogue.Entry(index).Path();
    program.Display().ChangeCardSet();
    program.StoreDisplaySettings();
    RepaintScreen();
    ShowControls();
    FillCardSetMenu();
}

void clMainWindow::OpenWebPage(const std::string& key, const std::string& suffix) {
    OpenUrl(WebPageUrl(program.Settings(), key, suffix));
}

void clMainWindow::OpenUrl(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

// The help pages: the contents (topic 0) or a game's page by its topic number.
void clMainWindow::OpenHelpTopic(int topic) {
    const std::filesystem::path page = program.DataFolder() / "help" /
                                       (topic > 0 ? std::to_string(topic) + ".html" : "index.html");
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())));
}

// Keys -----------------------------------------------------------------------

bool clMainWindow::IsInputAllowed() const {
    return screen && !screen->IsPaused();
}

// Every key typed into the window (whichever child has the focus) is first
// tried as an accelerator, then handed to the screen as a character.
bool clMainWindow::HandleKey(QKeyEvent* event) {
    if (event->modifiers() & Qt::AltModifier) return false;  // menu mnemonics
    const int command = AcceleratorCommand(*event);
    if (command != 0) ExecuteCommand(command);
    // The chooser's list keeps its own keys (arrows, Enter, letters).
    if (!playing) return command != 0;
    const QString text = event->text();
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (!control && text.size() == 1 && IsInputAllowed()) {
        const int character = text.at(0).unicode();
        if (character < 0x100) screen->OnChar(character);
    }
    return command != 0 || !text.isEmpty();
}

bool clMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool ours = widget && (widget->window() == this ||
                                     (takeScoreWindow && widget->window() == takeScoreWindow));
        if (ours && !QApplication::activePopupWidget()) {
            return HandleKey(static_cast<QKeyEvent*>(event));
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Pointer --------------------------------------------------------------------

bool clMainWindow::IsOnScreen(clPoint point) const {
    return program.HasDisplay() && point.x >= 0 && point.y >= 0 &&
           point.x < program.Display().VirtualWidth() &&
           point.y < program.Display().VirtualHeight();
}

void clMainWindow::TableLeftDown(clPoint point) {
    if (!IsInputAllowed() || !IsOnScreen(point)) return;
    const bool twice = lastLeftDown.isValid() && point == lastLeftPoint &&
                       lastLeftDown.elapsed() <= QApplication::doubleClickInterval();
    if (twice) {
        lastLeftDown.invalidate();
        lastLeftPoint = {-1, -1};
        screen->OnDoubleClick(point);
    } else {
        lastLeftDown.start();
        lastLeftPoint = point;
        screen->OnLeftDown(point);
    }
}

void clMainWindow::TableLeftUp(clPoint point) {
    if (IsInputAllowed()) screen->OnLeftUp(point);
}

void clMainWindow::TableRightDown(clPoint point) {
    if (IsInputAllowed() && IsOnScreen(point)) screen->OnRightDown(point);
}

void clMainWindow::TableRightUp(clPoint point) {
    if (IsInputAllowed()) screen->OnRightUp(point);
}

void clMainWindow::TableMiddleDown() {
    if (IsInputAllowed()) screen->Undo();
}

void clMainWindow::TableMouseMove(clPoint point) {
    if (screen) screen->OnMouseMove(point);
}

// The display follows the drawing area; the screen lays itself out again.
void clMainWindow::TableResized(int width, int height) {
    if (!program.HasDisplay() || width < 1 || height < 1) return;
    if (program.Display().OnWindowSize(width, height)) RepaintScreen();
    table->UpdateScrollBars();
    ShowControls();
    if (screen) screen->ShowControls();
}

void clMainWindow::RepaintScreen() {
    if (screen) screen->Repaint();
    table->UpdateScrollBars();
    table->viewport()->update();
}

// Round timer, focus, minimising ----------------------------------------------

void clMainWindow::TimerTick() {
    if (playing) playing->TimerTick();
}

void clMainWindow::AnimationFrame() {
    if (screen) screen->OnAnimationStep();
}

void clMainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (!screen) return;
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() &&
        !(takeScoreWindow && takeScoreWindow->isActiveWindow())) {
        screen->OnFocusLost();
        table->SetPaused(screen->IsPaused());
        ShowControls();
    } else if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        if (!screen->IsPaused()) ExecuteCommand(clCommand::kPause);
        if (program.Settings().Flag(clFlag::TaskbarIcon)) EnterTray();
    }
}

// The floating button keeps its place over the table as the window moves.
void clMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ShowControls();
}

void clMainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    ShowControls();
}

void clMainWindow::EnterTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    if (!trayIcon) {
        trayIcon = new QSystemTrayIcon(windowIcon(), this);
        trayIcon->setToolTip(QString::fromLatin1(kProductName));
        auto* menu = new QMenu(this);
        menu->addAction(QString::fromLatin1(kProductName), this, [this] { LeaveTray(); });
        menu->addAction(QStringLiteral("Exit"), this, [this] { Quit(); });
        trayIcon->setContextMenu(menu);
        connect(trayIcon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger) LeaveTray();
                });
    }
    trayIcon->show();
    hide();
}

void clMainWindow::LeaveTray() {
    if (trayIcon) trayIcon->hide();
    if (program.Settings().Window().maximized) {
        showMaximized();
    } else {
        showNormal();
    }
    RepaintScreen();
}

// The Take Score button ------------------------------------------------------

void clMainWindow::RecreateTakeScoreButton() {
    if (takeScoreWindow) {
        takeScoreWindow->hide();
        takeScoreWindow->deleteLater();
    }
    clTakeScoreWindow::clHandlers handlers;
    handlers.pressed = [this] { ExecuteCommand(clCommand::kTakeScoreButton); };
    handlers.closed = [this] { program.Settings().SetFlag(clFlag::ScoreButton, false); };
    handlers.moved = [this](const QRect& frame) {
        program.Settings().SetButtonRect(
            {frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1});
    };
    takeScoreWindow = new clTakeScoreWindow(table->viewport(), std::move(handlers));
    ShowControls();
}

void clMainWindow::PlaceTakeScoreWindow() {
    if (!takeScoreWindow) return;
    const QSize area = table->viewport()->size();
    const clRect32 r = program.Settings().PlaceScoreButton(area.width(), area.height());
    QRect place(r.left, r.top, r.right - r.left, r.bottom - r.top);
    // It stays inside the table.
    place.moveLeft(std::clamp(place.left(), 0, std::max(0, area.width() - place.width())));
    place.moveTop(std::clamp(place.top(), 0, std::max(0, area.height() - place.height())));
    const QPoint global = table->viewport()->mapToGlobal(place.topLeft());
    takeScoreWindow->Place(QRect(global, place.size()));
}

// The button shows while its option is on and the game is not paused.
void clMainWindow::ShowControls() {
    if (!takeScoreWindow) return;
    const bool show = playing && !playing->IsPaused() && !isMinimized() && isVisible() &&
                      program.Settings().Flag(clFlag::ScoreButton);
    if (show) {
        PlaceTakeScoreWindow();
        if (!takeScoreWindow->isVisible()) {
            takeScoreWindow->show();
            PlaceTakeScoreWindow();  // showing may have moved it
        }
        takeScoreWindow->raise();
    } else {
        takeScoreWindow->hide();
    }
}

// The host ---------------------------------------------------------------------

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
    statusBar()->showMessage(QString::fromStdString(text));
}

void clMainWindow::SetTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

const std::string& clMainWindow::PlayerName() const {
    return program.Settings().Player();
}

void clMainWindow::SetMenuState(const clMenuState& state) {
    Action(clCommand::kUndo)->setEnabled(state.undoEnabled);
    Action(clCommand::kTakeScore)->setEnabled(state.takeScoreEnabled);
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
    for (int i = 0; i < 2; ++i) {
        table->InvalidateVirtual(shownPanels[i]);
        shownPanels[i] = board.PanelRect(i);
        table->InvalidateVirtual(shownPanels[i]);
    }
}

void clMainWindow::LogResult(bool completed, std::int32_t score, std::int32_t round) {
    if (!playing) return;
    clStatistics statistics(program.Settings(), program.Players().Folders(), program.Clock());
    statistics.LoadLog(playing->Key(), playing->DisplayName(), false);
    const clScoreRecord record = completed
                                     ? clStatistics::MakeCompleted(score, round, program.Clock())
                                     : clStatistics::MakeInterrupted(score, round, program.Clock());
    statistics.AppendResult(playing->Key(), record);
}

void clMainWindow::ShowGameOver(std::int32_t score, std::int32_t round) {
    UpdateWindow();
    if (!playing) return;
    const clGameOverChoice choice = dialogs.ShowGameOver(
        this, {playing->DisplayName(), playing->Key(), onlineScores.get()}, score, round);
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
    UpdateWindow();
    if (!playing) return false;
    if (dialogs.ShowRoundOver(this, {playing->DisplayName(), playing->Key(), onlineScores.get()},
                              score, round)) {
        return true;
    }
    QTimer::singleShot(0, this, [this] { close(); });
    return false;
}

// Saved games -----------------------------------------------------------------

void clMainWindow::ShowMessage(const std::string& text, const std::string& caption) {
    dialogs.ShowMessage(this, text, caption);
}

std::optional<std::filesystem::path> clMainWindow::PlayerFolder() {
    return program.Players().Folders().MakeFolder(program.Settings().Player());
}

namespace {

const QString kSavedGames = QStringLiteral("Qarvel files (*.qarvel *.qvl)");

QString StartFolder(const std::optional<std::filesystem::path>& folder) {
    return folder ? QString::fromStdString(folder->string()) : QString();
}

}  // namespace

std::optional<std::filesystem::path> clMainWindow::AskOpenFile() {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open"), StartFolder(PlayerFolder()),
                                     kSavedGames + QStringLiteral(";;All files (*)"));
    if (file.isEmpty()) return std::nullopt;
    return std::filesystem::path(file.toStdString());
}

// The game asks itself before it overwrites a file.
std::optional<std::filesystem::path> clMainWindow::AskSaveFile() {
    QFileDialog dialog(this, QStringLiteral("Save"), StartFolder(PlayerFolder()), kSavedGames);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qarvel"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
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
        const bool offersAutoPlay = Rules() && Rules()->AutoPlaySupported();
        settings.SetCurrentGame(playing->DisplayName(), playing->Key());
        settings.LoadGameValues(playing->DisplayName(), offersAutoPlay);
        playing->SetOptions(program.PlayOptions(offersAutoPlay));
    }
    AfterPlayerChange();
    RepaintScreen();
    return true;
}
