// The window itself: made, opened where the player left it, and closed; the
// round timer, and what follows focus, minimising and the tray.
#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QWindow>
#include <algorithm>

#include "engine/catalogue.h"
#include "engine/saved_game.h"
#include "engine/solitaire_type.h"
#include "online/online_scores.h"
#include "shell/commands.h"
#include "shell/hint_control.h"
#include "shell/program.h"
#include "shell/take_score_control.h"
#include "toolkit/product.h"

namespace {

constexpr int kRoundTimerMs = 100;
// How long the drawing area keeps its size before the cards follow it.
constexpr int kCardSettleMs = 150;
constexpr int kUsualTableWidth = 9;
constexpr int kUsualTableHeight = 5;

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
    hints = new clHintControl(this, program.Settings());
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
    statusBar()->addPermanentWidget(hints->Indicator());
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
