#include "shell/main_window.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <optional>
#include <span>

#include "dialogs/help_window.h"
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
#include "shell/take_score_control.h"
#include "shell/window_dialogs.h"
#include "toolkit/file.h"
#include "toolkit/user_account.h"

namespace {

constexpr int kRoundTimerMs = 100;
// How long the drawing area keeps its size before the cards follow it.
constexpr int kCardSettleMs = 150;
// How long a note about a refused command stays in the status line.
constexpr int kStatusNoteMs = 5000;
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
    : program(program),
      dialogs(dialogs, dialogDepth),
      pump(program.Clock(), [this] { AnimationFrame(); }),
      cardLoader(this, [this](const clCardLoadPlan& plan, clCardPictures&& pictures, bool ok,
                              const std::vector<std::string>&) {
          CardsLoaded(plan, std::move(pictures), ok);
      }) {
    setWindowTitle(QStringLiteral("%1 %2").arg(kProductName, kProductVersion));
    table = new clTableView(*this, this);
    setCentralWidget(table);
    clTakeScoreControl::clHandlers handlers;
    handlers.pressed = [this] { ExecuteCommand(clCommand::kTakeScoreButton); };
    handlers.hidden = [this] {
        this->program.Settings().SetFlag(clFlag::ScoreButton, false);
        ShowControls();
    };
    handlers.moved = [this](const QRect& place) { TakeScoreControlMoved(place); };
    takeScoreControl = new clTakeScoreControl(table->viewport(), std::move(handlers));
    takeScoreControl->hide();
    BuildMenus();
    BuildToolBar();
    // The status line: the chooser's texts, or on a playing screen the deal
    // number and the notes about refused commands.
    dealLabel = new QLabel(this);
    statusBar()->addPermanentWidget(dealLabel);
    // The chooser's line is a widget of the status bar, not a passing
    // message: a menu's status tips hide it only while they are shown.
    chooserStatus = new QLabel(this);
    statusBar()->addWidget(chooserStatus, 1);
    chooserStatus->hide();
    statusBar()->hide();
    cardSettle.setSingleShot(true);
    cardSettle.setInterval(kCardSettleMs);
    connect(&cardSettle, &QTimer::timeout, this, [this] { CardSizeSettled(); });
    roundTimer.setInterval(kRoundTimerMs);
    connect(&roundTimer, &QTimer::timeout, this, [this] { TimerTick(); });
    qApp->installEventFilter(this);
    // Leaving the game from one of its other windows (the help window) is
    // losing the focus too.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive && dialogDepth == 0) FocusLost();
            });
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
    RemoveStaleSaves();

    // A game asked for comes first, so that the display loads its cards once,
    // at the size that game's table needs in this window. An unknown name
    // leaves the chooser shown.
    std::unique_ptr<clSolitaireType> first;
    std::string file = line.file;
    std::string refused;
    if (!file.empty()) {
        // A saved game opens its own variant; a file that names none is
        // refused with a word once the window is up.
        if (const auto name = clSavedGameFile::ReadName(file)) first = MakeScreen(*name);
        if (!first) refused = std::exchange(file, {});
    }
    if (!first) {
        if (const clCatalogueRow* row = LookUpVariant(line.game, true)) {
            first = MakeScreen(std::string(row->displayName));
        }
    }

    const clWindowPlacement& place = settings.Window();
    toolBar->setVisible(settings.Flag(clFlag::Toolbar));
    setGeometry(StartGeometry(place));
    layout()->activate();
    // Without a game the chooser comes first: cards are loaded for a table of
    // the usual size, not for the largest (none is shown yet).
    if (first) {
        program.SetTableSize(first->TableWidth(), first->TableHeight());
    } else {
        program.SetTableSize(kUsualTableWidth, kUsualTableHeight);
    }
    table->TakeSizeNow();
    const QSize area = table->DeviceSize();
    if (!program.CreateDisplay(std::max(1, area.width()), std::max(1, area.height()),
                               table->Scale(), true)) {
        return false;
    }
    program.Display().SetInvalidateHandler(
        [this](const clRect& rect) { table->InvalidateVirtual(rect); });
    table->SetDisplay(&program.Display());
    table->SetPausePicture(&program.PausePicture());
    FillCardSetMenu();
    UpdateCardSizeChecks();

    if (first) {
        Install(std::move(first));
        if (!file.empty() && playing) playing->OpenFile(file);
    } else {
        ShowChooser();
    }
    roundTimer.start();
    if (place.maximized) showMaximized();
    if (!refused.empty()) {
        QTimer::singleShot(0, this, [this, refused] {
            dialogs.ShowMessage(this, RefusedFileMessage(refused), "Open");
        });
    }
    return true;
}

// Where the window opens: where the player left it, when that is still on a
// screen; the first time (or when that screen is gone), centred on the
// screen at a good share of it, with a drawing area of at least 640 x 480.
QRect clMainWindow::StartGeometry(const clWindowPlacement& place) const {
    const QScreen* shown = QWidget::screen() ? QWidget::screen() : QGuiApplication::primaryScreen();
    if (place.IsValid()) {
        const QRect stored(place.left, place.top, place.width, place.height);
        for (const QScreen* each : QGuiApplication::screens()) {
            const QRect visible = each->availableGeometry().intersected(stored);
            // Enough of it to grab and move.
            if (visible.width() >= std::min(stored.width(), 160) &&
                visible.height() >= std::min(stored.height(), 80)) {
                return stored;
            }
        }
    }
    const int bars = menuBar()->sizeHint().height() +
                     (toolBar->isVisibleTo(this) ? toolBar->sizeHint().height() : 0) +
                     statusBar()->sizeHint().height();
    QSize size(640, 480 + bars);
    if (!shown) return QRect(QPoint(0, 0), size);
    const QRect available = shown->availableGeometry();
    size = size.expandedTo(QSize(available.width() * 4 / 5, available.height() * 17 / 20))
               .boundedTo(available.size());
    QRect centred(QPoint(0, 0), size);
    centred.moveCenter(available.center());
    return centred;
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
    constexpr std::string_view kSaveExtensions[] = {".qarvel", ".tmp"};
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
    TableResized(table->DeviceSize().width(), table->DeviceSize().height());
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
    takeScoreControl->hide();
    table->SetScoreboard(nullptr);
    playing = nullptr;
    screen.reset();
    onlineScores.reset();
}

void clMainWindow::Quit() {
    if (closing) return;
    closing = true;
    cardLoader.Cancel();
    roundTimer.stop();
    clSettings& settings = program.Settings();
    if (!isMinimized()) {
        // A maximised window keeps the size it had before, for a restore.
        const QRect frame = isMaximized() ? normalGeometry() : geometry();
        clWindowPlacement place = settings.Window();
        if (frame.isValid()) place = {frame.x(), frame.y(), frame.width(), frame.height(), false};
        place.maximized = isMaximized();
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
        case clCommand::kFitToWindow:
            ChooseCardSize(-1);
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
        case clCommand::kPreviewPane:
            current->TogglePreview();
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

// index 0..5: Automatic, Huge ... Tiny; -1: Fit to Window.
void clMainWindow::ChooseCardSize(int index) {
    if (!program.HasDisplay()) return;
    cardSettle.stop();
    if (index < 0) {
        program.Display().ChooseFitToWindow();
    } else {
        program.Display().ChooseCardSize(index);
    }
    program.StoreDisplaySettings();
    UpdateCardSizeChecks();
    RepaintScreen();
    ShowControls();
}

// The Card Size menu ticks the size mode in force: Fit to Window, one of the
// sizes, or Custom for a native or typed size (none when the limits differ).
void clMainWindow::UpdateCardSizeChecks() {
    if (!program.HasDisplay()) return;
    const clDisplay& display = program.Display();
    const clDisplayOptions& options = program.DisplayOptions();
    const bool custom = display.IsNativeSize() || display.IsCustomSize();
    const bool fit = display.IsFitToWindow();
    if (QAction* item = Action(clCommand::kFitToWindow)) item->setChecked(fit);
    for (int i = 0; i < 6; ++i) {
        if (QAction* item = Action(clCommand::kCardSizeFirst + i)) {
            item->setChecked(!custom && !fit && options.minSize == options.maxSize &&
                             options.minSize == i);
        }
    }
    if (QAction* item = Action(clCommand::kCustomSize)) item->setChecked(custom);
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
        const bool ours = widget && widget->window() == this;
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

// The display follows the drawing area and the screen lays itself out
// again at once; the cards follow the new size once the size has settled, so
// that dragging the window's edge never waits for cards to be resampled.
void clMainWindow::TableResized(int width, int height) {
    if (!program.HasDisplay() || width < 1 || height < 1) return;
    if (program.Display().OnWindowSize(width, height, false)) RepaintScreen();
    table->UpdateScrollBars();
    ShowControls();
    if (screen) screen->ShowControls();
    cardSettle.start();
}

void clMainWindow::CardSizeSettled() {
    if (!program.HasDisplay()) return;
    if (program.Display().ReloadForArea()) {
        RepaintScreen();
        ShowControls();
    }
    program.Display().ReleaseBackgroundSource();
    RequestCards();
}

void clMainWindow::RequestCards() {
    if (!program.HasDisplay() || closing) return;
    const std::optional<clCardLoadPlan> plan = program.Display().PendingCardLoad();
    if (!plan) {
        cardLoader.Cancel();
    } else if (plan != failedCardLoad) {
        cardLoader.Load(*plan);
    }
}

// The shown pictures are swapped for the new ones in one step and the table
// drawn again, so that no half-drawn table is ever shown. A load that failed
// (the file changed since) is done once more here, where the display's own
// load says why and falls back to the default card set.
void clMainWindow::CardsLoaded(const clCardLoadPlan& plan, clCardPictures&& pictures, bool ok) {
    if (!program.HasDisplay()) return;
    clDisplay& display = program.Display();
    if (ok) {
        if (!display.AdoptCardPictures(plan, std::move(pictures))) {
            RequestCards();
            return;
        }
    } else {
        failedCardLoad = plan;
        display.SetDeferredLoading(false);
        display.ChangeCardSet();
        display.SetDeferredLoading(true);
        FillCardSetMenu();
    }
    display.ReleaseBackgroundSource();
    RepaintScreen();
    ShowControls();
#ifdef __GLIBC__
    // The pictures replaced, and what the loading thread used, go back to
    // the system rather than stay resident in the allocator's free lists.
    malloc_trim(0);
#endif
}

void clMainWindow::RepaintScreen() {
    if (screen) screen->Repaint();
    table->UpdateScrollBars();
    table->viewport()->update();
    RequestCards();
}

// Round timer, focus, minimising ----------------------------------------------

void clMainWindow::TimerTick() {
    if (playing && !IsClockHeld()) playing->TimerTick();
}

bool clMainWindow::IsClockHeld() const {
    if (dialogDepth > 0 || QApplication::activeModalWidget() != nullptr) return true;
    const QWidget* active = QApplication::activeWindow();
    return active != nullptr && active != this;
}

void clMainWindow::AnimationFrame() {
    if (screen) screen->OnAnimationStep();
}

void clMainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (!screen) return;
    // Only another program taking the focus counts as losing it: the game's
    // own dialogs and windows hold the clock instead (see IsClockHeld).
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() &&
        QApplication::activeWindow() == nullptr && dialogDepth == 0) {
        FocusLost();
    } else if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        if (!screen->IsPaused()) ExecuteCommand(clCommand::kPause);
        if (program.Settings().Flag(clFlag::TaskbarIcon)) EnterTray();
    }
}

// The floating button keeps its place over the table as the window moves.
void clMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A screen of another pixel density: the table is drawn again for it.
    if (QWindow* handle = windowHandle(); handle && !screenWatched) {
        screenWatched = true;
        connect(handle, &QWindow::screenChanged, this, [this] { FollowScale(); });
    }
    ShowControls();
}

void clMainWindow::FollowScale() {
    if (!program.HasDisplay() || program.Display().Scale() == table->Scale()) return;
    program.Display().SetScale(table->Scale());
    const QSize area = table->DeviceSize();
    program.Display().OnWindowSize(area.width(), area.height(), false);
    CardSizeSettled();
    RepaintScreen();
}

void clMainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    ShowControls();
}

void clMainWindow::FocusLost() {
    if (!screen) return;
    screen->OnFocusLost();
    table->SetPaused(screen->IsPaused());
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

// The Take Score control -------------------------------------------------------

// One control lives as long as the window; a new round shows it again.
void clMainWindow::RecreateTakeScoreButton() {
    ShowControls();
}

namespace {

clRect Inflated(const clRect& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

bool Overlaps(const clRect& a, const clRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

// Between the two scoreboard panels when there is room; otherwise the free
// place nearest the score panel, clear of every pile as dealt, of the room a
// fanned pile that takes cards may grow into below it, and of the panels.
clRect clMainWindow::DefaultTakeScorePlace(const clRect& control) const {
    constexpr int kGap = 8;
    const int width = control.Width(), height = control.Height();
    const clScoreboard& board = playing->Scoreboard();
    const clRect score = board.PanelRect(0);
    const clRect round = board.PanelRect(1);
    const QPoint scroll = table->Scroll();
    const clRect shown{scroll.x(), scroll.y(), scroll.x() + table->DeviceSize().width(),
                       scroll.y() + table->DeviceSize().height()};
    std::vector<clRect> taken;
    for (int i = 0; i < board.PanelCount(); ++i)
        taken.push_back(Inflated(board.PanelRect(i), kGap));
    if (clSolitaireRules* rules = Rules()) {
        const clGraphics& graphics = rules->Graphics();
        for (const auto& pile : rules->AllPiles()) {
            clRect extent;
            if (const auto anchor = graphics.CardRect(pile->GetAnchor())) extent = *anchor;
            for (std::uint32_t i = 0; i < pile->Count(); ++i) {
                if (const auto card = graphics.CardRect(*pile->At(static_cast<int>(i)))) {
                    extent = extent.Union(*card);
                }
            }
            if (extent.IsEmpty()) continue;
            if (pile->CanReceive() && pile->Fan().dy > 0) extent.bottom = shown.bottom;
            taken.push_back(Inflated(extent, kGap));
        }
    }
    const auto isFree = [&taken](const clRect& place) {
        return std::none_of(taken.begin(), taken.end(),
                            [&place](const clRect& r) { return Overlaps(r, place); });
    };
    {
        const int left = (round.right + score.left - width) / 2;
        const int top = score.top + (score.Height() - height) / 2;
        const clRect between{left, top, left + width, top + height};
        if (score.left - round.right >= width + 2 * kGap && isFree(between)) return between;
    }
    // The nearest free place to the score panel's lower left corner, on a grid.
    constexpr int kStep = 8;
    const clPoint near{score.left - width, score.bottom + kGap};
    std::optional<clRect> best;
    std::int64_t bestDistance = 0;
    for (int top = shown.top + kGap; top + height <= shown.bottom - kGap; top += kStep) {
        for (int left = shown.left + kGap; left + width <= shown.right - kGap; left += kStep) {
            const clRect place{left, top, left + width, top + height};
            if (!isFree(place)) continue;
            const std::int64_t dx = left - near.x, dy = top - near.y;
            const std::int64_t distance = dx * dx + dy * dy;
            if (!best || distance < bestDistance) {
                best = place;
                bestDistance = distance;
            }
        }
    }
    if (best) return *best;
    // A table with no room at all: the lower right corner of what is shown.
    return {shown.right - kGap - width, shown.bottom - kGap - height, shown.right - kGap,
            shown.bottom - kGap};
}

// The control keeps its place on the table, as fractions of the table, so
// that it follows every resize and card size.
void clMainWindow::PlaceTakeScoreControl() {
    if (!playing || !program.HasDisplay() || !playing->Scoreboard().IsLaidOut()) return;
    const clDisplay& display = program.Display();
    const clScoreboard& board = playing->Scoreboard();
    takeScoreControl->SetPanelHeight(table->ToWidgetLength(board.PanelRect(0).Height()));
    const clRect size{0, 0, table->ToVirtualLength(takeScoreControl->width()),
                      table->ToVirtualLength(takeScoreControl->height())};
    const clSettings& settings = program.Settings();
    clRect place;
    if (settings.HasButtonPlace()) {
        // A stored place, however far off, puts the control on the screen.
        constexpr double kFar = 4.0;
        place = display.PositionInTable(std::clamp(settings.ButtonX(), -kFar, kFar),
                                        std::clamp(settings.ButtonY(), -kFar, kFar), size);
        const int dx =
            std::clamp(place.left, 0, std::max(0, display.VirtualWidth() - size.Width())) -
            place.left;
        const int dy =
            std::clamp(place.top, 0, std::max(0, display.VirtualHeight() - size.Height())) -
            place.top;
        place = {place.left + dx, place.top + dy, place.right + dx, place.bottom + dy};
    } else {
        // Found once per deal and table size, so that it stays put as cards move.
        const clTakeScoreLayout layout{playing,
                                       playing->DealNumber(),
                                       playing->Round(),
                                       display.VirtualWidth(),
                                       display.VirtualHeight(),
                                       display.CardWidth(),
                                       display.CardHeight(),
                                       table->Scroll().x(),
                                       table->Scroll().y(),
                                       size.Width(),
                                       size.Height()};
        if (!(layout == takeScoreLayout)) {
            takeScoreLayout = layout;
            takeScoreDefault = DefaultTakeScorePlace(size);
        }
        place = takeScoreDefault;
    }
    takeScoreControl->Place(table->ToWidget({place.left, place.top}));
}

// The player dropped the control: its place is kept for this game.
void clMainWindow::TakeScoreControlMoved(const QRect& place) {
    if (!playing || !program.HasDisplay()) return;
    const clPoint topLeft = table->ToVirtual(place.topLeft());
    const clRect rect{topLeft.x, topLeft.y, topLeft.x + table->ToVirtualLength(place.width()),
                      topLeft.y + table->ToVirtualLength(place.height())};
    double fx = 0, fy = 0;
    program.Display().TableFraction(rect, fx, fy);
    // (0, 0) means "never placed" to the settings.
    if (fx == 0 && fy == 0) fx = 1e-9;
    clSettings& settings = program.Settings();
    settings.SetButtonPosition(fx, fy);
    settings.SetButtonRect({rect.left, rect.top, rect.right, rect.bottom});
}

// The control shows while its option is on and a round is being played,
// never over the pause picture or the round's closing card shower.
void clMainWindow::ShowControls() {
    const bool show = playing && !playing->IsPaused() && !playing->RoundEnded() &&
                      program.Settings().Flag(clFlag::ScoreButton);
    if (show) {
        if (!takeScoreControl->IsDragging()) PlaceTakeScoreControl();
        takeScoreControl->show();
        takeScoreControl->raise();
    } else {
        takeScoreControl->hide();
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
    chooserStatus->setText(QString::fromStdString(text));
}

void clMainWindow::ShowStatus(const std::string& text) {
    statusBar()->showMessage(QString::fromStdString(text), kStatusNoteMs);
}

void clMainWindow::SetTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

const std::string& clMainWindow::PlayerName() const {
    return program.Settings().Player();
}

void clMainWindow::SetMenuState(const clMenuState& state) {
    if (playing) {
        const std::int32_t deal = playing->DealNumber();
        dealLabel->setText(deal > 0 ? QStringLiteral("Deal %1").arg(deal) : QString());
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
    ShowControls();
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
    ShowControls();
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
    return RunFileDialog(dialog);
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
