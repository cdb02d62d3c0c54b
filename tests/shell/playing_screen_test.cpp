// The playing screen as a player meets it: the Take Score control on the
// table, the Undo command's state, and the clock around the game's dialogs.
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "cards/card.h"
#include "dialogs/dialog_base.h"
#include "graphics/display.h"
#include "piles/pile.h"
#include "shell/commands.h"
#include "shell/window_fixture.h"

namespace {

class clPlayingScreenTest : public clWindowTest {
protected:
    clTakeScoreControl& Control() const { return *window->TakeScoreControl(); }

    // The middle of the control, in the drawing area.
    QPoint ControlPoint() const { return Control().geometry().center(); }

    // A press and release at a point of the drawing area, delivered to
    // whatever is drawn there (the table, or a control on it).
    void ClickAt(const QPoint& at) {
        QWidget* target = Viewport()->childAt(at);
        if (!target) target = Viewport();
        const QPoint local = target->mapFrom(Viewport(), at);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, local);
    }

    // The control dragged by the player from one point of the drawing area
    // to another (in steps, as a hand does).
    void DragControl(const QPoint& from, const QPoint& to) {
        clTakeScoreControl& control = Control();
        QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier,
                          control.mapFrom(Viewport(), from));
        for (int i = 1; i <= 4; ++i) {
            const QPoint at = from + (to - from) * i / 4;
            QTest::mouseMove(&control, control.mapFrom(Viewport(), at));
        }
        QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier,
                            control.mapFrom(Viewport(), to));
    }

    // A rectangle of the virtual screen on the drawing area: every logical
    // pixel it covers a part of.
    QRect Shown(const clRect& r) const {
        return QRectF(ToViewport({r.left, r.top}), ToViewport({r.right, r.bottom})).toAlignedRect();
    }

    // Every card's rectangle on the drawing area.
    std::vector<QRect> CardRects() const {
        std::vector<QRect> rects;
        for (const auto& pile : Game().AllPiles()) {
            for (std::uint32_t i = 0; i < pile->Count(); ++i) {
                if (const auto r = Game().Graphics().CardRect(*pile->At(i))) {
                    rects.push_back(Shown(*r));
                }
            }
        }
        return rects;
    }

    // A face-up tableau card that can go to a foundation now (a deal is
    // picked that has one).
    const clCard* CardThatGoesUp() {
        for (std::int32_t deal = 1; deal < 300; ++deal) {
            Game().StartDeal(deal);
            for (int i = 0; i < Game().TableauCount(); ++i) {
                const clCard* top = Game().Tableau(i)->Top();
                if (top && !top->faceDown && top->IsAce()) {
                    Game().Repaint();
                    return top;
                }
            }
        }
        return nullptr;
    }

    // Starts the round's clock with a click on the stock.
    void StartClock() {
        ClickAt(PointOf(*Game().Stock()->Top()));
        ASSERT_TRUE(Game().Timer().IsRunning());
    }
};

// The control is part of the table: a child of the drawing area, never a
// window of its own.
TEST_F(clPlayingScreenTest, TakeScoreIsAControlOnTheTable) {
    ASSERT_TRUE(Open("Klondike", 1));
    EXPECT_EQ(Control().parentWidget(), Viewport());
    EXPECT_FALSE(Control().isWindow());
    EXPECT_TRUE(Control().isVisible());
    EXPECT_TRUE(Viewport()->rect().contains(Control().geometry()));
    ClickAt(ControlPoint());
    EXPECT_EQ(dialogs.roundsOver + dialogs.gamesOver, 1);
}

// By default it lies where no card of the game's layout can be: beside the
// score panel, clear of both panels and of every dealt card, in games of
// every shape and at small and large windows.
TEST_F(clPlayingScreenTest, TakeScoreStartsClearOfTheCardsAndScoreboard) {
    ASSERT_TRUE(Open("Klondike", 3));
    for (const char* game : {"Klondike", "FreeCell", "Spider", "Pyramid", "Golf", "Triple Towers",
                             "Forty Thieves", "Gaps", "Nestor"}) {
        ASSERT_TRUE(window->StartGame(game));
        Game().StartDeal(3);
        for (const QSize size : {QSize(800, 600), QSize(1600, 1000)}) {
            SCOPED_TRACE(std::string(game) + " at " + std::to_string(size.width()));
            ResizeWindow(size);
            // "@2x" on a doubled screen, beside the pictures at 1.
            window->grab().save(
                QStringLiteral(QARVEL_SCREENSHOT_DIR "/takescore-%1-%2%3.png")
                    .arg(QString::fromLatin1(game).remove(' '))
                    .arg(size.width())
                    .arg(Ratio() > 1 ? QStringLiteral("@%1x").arg(Ratio()) : QString()));
            const QRect control = Control().geometry();
            EXPECT_TRUE(Control().isVisible());
            EXPECT_TRUE(Viewport()->rect().contains(control));
            for (const QRect& card : CardRects())
                EXPECT_FALSE(card.intersects(control)) << "a card lies under it";
            for (int i = 0; i < 2; ++i) {
                EXPECT_FALSE(Shown(Game().Scoreboard().PanelRect(i)).intersects(control))
                    << "it covers panel " << i;
            }
        }
    }
}

// Dragged, it keeps its place on the table: across resizes, and when the
// game is opened again; another game keeps its own place.
TEST_F(clPlayingScreenTest, TakeScoreKeepsThePlaceThePlayerGaveIt) {
    ASSERT_TRUE(Open("Klondike", 1));
    ResizeWindow({900, 700});
    const QPoint from = ControlPoint();
    const QPoint to(Viewport()->width() / 2, Viewport()->height() - 40);
    DragControl(from, to);
    EXPECT_EQ(dialogs.roundsOver + dialogs.gamesOver, 0) << "a drag is not a click";
    EXPECT_EQ(ControlPoint(), to);
    EXPECT_TRUE(program->Settings().HasButtonPlace());

    // At any window size it stays at the same place relative to the table.
    const auto relative = [this] {
        const clRect area = {0, 0, Viewport()->width(), Viewport()->height()};
        return std::pair{double(ControlPoint().x()) / area.Width(),
                         double(ControlPoint().y()) / area.Height()};
    };
    const auto before = relative();
    ResizeWindow({1400, 950});
    EXPECT_NEAR(relative().first, before.first, 0.03);
    EXPECT_TRUE(Viewport()->rect().contains(Control().geometry()));

    window->ExecuteCommand(clCommand::kExit);  // back to the chooser
    ASSERT_TRUE(window->StartGame("FreeCell"));
    QApplication::processEvents();
    EXPECT_NE(ControlPoint(), to) << "FreeCell has a place of its own";
    ASSERT_TRUE(window->StartGame("Klondike"));
    QApplication::processEvents();
    EXPECT_NEAR(relative().first, before.first * 1.0, 0.03);
}

// A stored place, however large or far off, leaves the control whole on the
// screen (and costs nothing: its size is the control's own).
TEST_F(clPlayingScreenTest, AHostileStoredPlaceStaysOnTheScreen) {
    ASSERT_TRUE(Open("Klondike", 1));
    const struct {
        double x, y;
    } places[] = {{1e300, 1e300}, {-1e9, 3.0}, {0.4, -2147483647.0}, {-0.25, 0.25}};
    QSize size(900, 700);
    for (const auto& place : places) {
        program->Settings().SetButtonRect({0, 0, 20000, 20000});
        program->Settings().SetButtonPosition(place.x, place.y);
        size = size == QSize(900, 700) ? QSize(920, 720) : QSize(900, 700);
        ResizeWindow(size);
        EXPECT_TRUE(Viewport()->rect().contains(Control().geometry())) << place.x << " " << place.y;
        EXPECT_LT(Control().width(), 300);
    }
}

// It is there after every new deal, resign and round, and hidden while
// paused and while a round's closing dialog shows.
TEST_F(clPlayingScreenTest, TakeScoreComesBackAfterEveryDealResignAndRound) {
    ASSERT_TRUE(Open("Klondike", 1));
    StartClock();
    dialogs.yes = true;
    Press(Qt::Key_N, Qt::ControlModifier);  // resign
    EXPECT_EQ(dialogs.questions, 1);
    EXPECT_TRUE(Control().isVisible());

    ClickAt(ControlPoint());  // a round that misses its goal ends the game
    EXPECT_EQ(dialogs.gamesOver + dialogs.roundsOver, 1);
    QApplication::processEvents();  // the new game the dialog asked for
    EXPECT_TRUE(Control().isVisible());

    Press(Qt::Key_Escape);
    EXPECT_FALSE(Control().isVisible());
    Press(Qt::Key_Escape);
    EXPECT_TRUE(Control().isVisible());
}

// Its context menu hides it, which turns its option off.
TEST_F(clPlayingScreenTest, HidingTakeScoreTurnsItsOptionOff) {
    ASSERT_TRUE(Open("Klondike", 1));
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == QStringLiteral("Hide This Button")) {
                QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                                  menu->actionGeometry(action).center());
            }
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, Control().rect().center(),
                            Control().mapToGlobal(Control().rect().center()));
    QApplication::sendEvent(&Control(), &event);
    EXPECT_FALSE(program->Settings().Flag(clFlag::ScoreButton));
    EXPECT_FALSE(Control().isVisible());
}

// Undo, its menu item and its tool button are enabled exactly when an undo
// would be done; a refused undo says why in the status line.
TEST_F(clPlayingScreenTest, UndoIsOfferedOnlyWhenItWouldBeDone) {
    ASSERT_TRUE(Open("Klondike", 1));
    QAction* item = window->Action(clCommand::kUndo);
    QAction* tool = window->ToolAction(clCommand::kUndo);
    ASSERT_NE(tool, nullptr);
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(tool->isEnabled());

    // A deal earns nothing (and no card goes up by itself): the score stays 0.
    program->Settings().SetCurrentAutoPlay(false);
    window->RefreshInterface();
    ClickAt(PointOf(*Game().Stock()->Top()));
    ASSERT_EQ(Game().History().Position(), 1u);
    ASSERT_EQ(Game().Score(), 0);
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(tool->isEnabled());
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Game().History().Position(), 1u);
    EXPECT_TRUE(window->statusBar()->isVisible());
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              "Undo needs a score above 0: each undo costs 500 points.");

    // A card played up (a right click on it) earns points: undo is offered.
    dialogs.yes = true;
    Press(Qt::Key_N, Qt::ControlModifier);
    const clCard* up = CardThatGoesUp();
    ASSERT_NE(up, nullptr);
    QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, PointOf(*up));
    ASSERT_GT(Game().Score(), 0);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(tool->isEnabled());
    const std::size_t position = Game().History().Position();
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Game().History().Position(), position - 1);
}

// The game's own dialogs stop the clock while they are open and leave the
// game running when they close; only another program taking the focus
// pauses it.
TEST_F(clPlayingScreenTest, TheGamesOwnDialogsHoldTheClockWithoutPausing) {
    ASSERT_TRUE(Open("Klondike", 1));
    program->Settings().SetFlag(clFlag::AutoPause, true);
    window->RefreshInterface();
    StartClock();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());

    std::int32_t during = -1, after = -1;
    bool pausedDuring = true;
    dialogs.onDialog = [&](clDialog& dialog) {
        dialog.activateWindow();
        QApplication::setActiveWindow(&dialog);
        QApplication::processEvents();
        const std::int32_t count = Game().Timer().Count();
        for (int i = 0; i < 20; ++i)
            window->TimerTick();
        during = Game().Timer().Count() - count;
        pausedDuring = Game().IsPaused();
        return false;
    };
    window->Action(clCommand::kGameOptions)->trigger();  // "Game..."
    ASSERT_EQ(dialogs.dialogsRun, 1);
    EXPECT_EQ(during, 0) << "the clock ran while the dialog was open";
    EXPECT_FALSE(pausedDuring);
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    EXPECT_FALSE(Game().IsPaused());
    const std::int32_t count = Game().Timer().Count();
    for (int i = 0; i < 5; ++i)
        window->TimerTick();
    after = count - Game().Timer().Count();
    EXPECT_EQ(after, 5) << "the clock runs again once the dialog is closed";

    // The resign question holds it too; No leaves the game running.
    dialogs.yes = false;
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(dialogs.questions, 1);
    EXPECT_FALSE(Game().IsPaused());
    EXPECT_TRUE(Game().Timer().IsRunning());

    // Another program taking the focus pauses the game.
    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(Game().IsPaused());
}

// The first start opens centred on the screen at a good share of it; later
// starts open where the player left the window, maximised or not.
TEST_F(clPlayingScreenTest, TheWindowOpensCentredAndWhereItWasLeft) {
    clCommandLine line;
    line.game = "Klondike";
    ASSERT_TRUE(window->Start(line));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect available = window->QWidget::screen()->availableGeometry();
    const QRect first = window->geometry();
    EXPECT_GE(first.width(), available.width() * 3 / 4);
    EXPECT_GE(first.height(), available.height() * 3 / 4);
    EXPECT_LE(std::abs(first.center().x() - available.center().x()), 1);
    EXPECT_LE(std::abs(first.center().y() - available.center().y()), 1);

    const QRect moved(available.left() + 20, available.top() + 30, 700, 500);
    window->setGeometry(moved);
    window->ExecuteCommand(clCommand::kExit);  // to the chooser
    window->ExecuteCommand(clCommand::kExit);  // and out: the place is stored
    window = std::make_unique<clMainWindow>(*program, dialogs);
    ASSERT_TRUE(window->Start(line));
    EXPECT_EQ(window->geometry(), moved);

    // Maximised, it opens maximised and keeps the size to restore to.
    window->show();
    window->showMaximized();
    QApplication::processEvents();
    window->ExecuteCommand(clCommand::kExit);
    window->ExecuteCommand(clCommand::kExit);
    EXPECT_TRUE(program->Settings().Window().maximized);
    window = std::make_unique<clMainWindow>(*program, dialogs);
    ASSERT_TRUE(window->Start(line));
    window->show();
    QApplication::processEvents();
    EXPECT_TRUE(window->isMaximized());
    window->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(window->geometry(), moved);
}

// A new player's cards fit the window, and the menu says so; a size picked
// after a larger one leaves no trace of it (no stale size, no scroll bars).
TEST_F(clPlayingScreenTest, CardSizeMenuTicksTheModeAndForgetsTheSizeBefore) {
    ASSERT_TRUE(Open("Klondike", 1));
    EXPECT_TRUE(window->Action(clCommand::kFitToWindow)->isChecked());
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(window->Action(clCommand::kCardSizeFirst + i)->isChecked()) << i;
    EXPECT_EQ(program->Display().CardWidth(), program->Display().FitCardSize().width);

    window->Action(clCommand::kCardSizeFirst)->trigger();  // Automatic
    ASSERT_TRUE(WaitForCards());
    const int automatic = program->Display().CardWidth();
    for (const int size : {1, 5, 0}) {  // Huge, Tiny, Automatic
        window->Action(clCommand::kCardSizeFirst + size)->trigger();
        EXPECT_TRUE(window->Action(clCommand::kCardSizeFirst + size)->isChecked());
        EXPECT_FALSE(window->Action(clCommand::kFitToWindow)->isChecked());
    }
    ASSERT_TRUE(WaitForCards());
    EXPECT_EQ(program->Display().CardWidth(), automatic);
    EXPECT_EQ(window->Table()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

// Resampling runs off the window's thread: the menu command returns with
// the old cards still shown (the table whole, never half-drawn), the new ones
// replace them once made, and closing the window meanwhile stops the work.
TEST_F(clPlayingScreenTest, CardsAreResampledWithoutHoldingTheWindow) {
    ASSERT_TRUE(Open("Klondike", 1));
    // Medium, a native size at either scale (90 x 120, or 180 x 240 doubled).
    const int medium = static_cast<int>(90 * window->devicePixelRatioF());
    window->Action(clCommand::kCardSizeFirst + 3)->trigger();
    ASSERT_EQ(program->Display().CardWidth(), medium);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window->IsCardSizeSettling(); }, 5000));

    window->Action(clCommand::kFitToWindow)->trigger();
    EXPECT_EQ(program->Display().CardWidth(), medium);
    EXPECT_TRUE(window->IsCardSizeSettling());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window->IsCardSizeSettling(); }, 5000));
    EXPECT_EQ(program->Display().CardWidth(), program->Display().FitCardSize().width);
    EXPECT_NE(program->Display().CardWidth(), medium);

    window->Action(clCommand::kCardSizeFirst + 3)->trigger();
    window->Action(clCommand::kFitToWindow)->trigger();
    ASSERT_TRUE(window->IsCardSizeSettling());
    window->close();
    window.reset();
}

// Pictures to look at: four games at 800 x 600 and maximised (run with a
// 1600 x 1000 offscreen screen, and with QT_SCALE_FACTOR=2 for the @2x ones).
TEST_F(clPlayingScreenTest, Screenshots) {
    ASSERT_TRUE(Open("Klondike", 7));
    const QString scale = window->devicePixelRatioF() > 1 ? QStringLiteral("@2x") : QString();
    for (const char* game : {"Klondike", "FreeCell", "Spider", "Pyramid"}) {
        ASSERT_TRUE(window->StartGame(game));
        Game().StartDeal(7);
        const QString name = QString::fromLatin1(game).toLower();
        window->showNormal();
        ResizeWindow({800, 600});
        Game().Repaint();
        EXPECT_TRUE(window->grab().save(
            QStringLiteral(QARVEL_SCREENSHOT_DIR "/playing-%1-800x600%2.png").arg(name, scale)));
        window->showMaximized();
        ResizeWindow(window->size());
        Game().Repaint();
        EXPECT_TRUE(window->grab().save(
            QStringLiteral(QARVEL_SCREENSHOT_DIR "/playing-%1-maximised%2.png").arg(name, scale)));
    }
    window->showNormal();
}

}  // namespace

namespace {

// BlackJack shows each pile's total above it, Golf and the Towers games
// their runs at the table's bottom right: clear of every card, of the
// scoreboard and of Take Score, at small and large windows.
TEST_F(clPlayingScreenTest, GamePanelsLieClearOfTheCards) {
    ASSERT_TRUE(Open("Golf", 3));
    for (const char* game : {"Golf", "Triple Towers", "Twin Peaks", "Crown Peaks", "Rapunzel",
                             "BlackJack Best", "BlackJack Speed"}) {
        ASSERT_TRUE(window->StartGame(game));
        Game().StartDeal(3);
        for (const QSize size : {QSize(800, 600), QSize(1600, 1000)}) {
            SCOPED_TRACE(std::string(game) + " at " + std::to_string(size.width()));
            ResizeWindow(size);
            const clScoreboard& board = Game().Scoreboard();
            ASSERT_GT(board.PanelCount(), 2);
            for (int i = 2; i < board.PanelCount(); ++i) {
                const QRect panel = Shown(board.PanelRect(i));
                EXPECT_TRUE(Viewport()->rect().contains(panel)) << "panel " << i;
                for (const QRect& card : CardRects())
                    EXPECT_FALSE(card.intersects(panel)) << "a card lies under panel " << i;
                for (int j = 0; j < 2; ++j)
                    EXPECT_FALSE(Shown(board.PanelRect(j)).intersects(panel)) << "panel " << i;
                EXPECT_FALSE(Control().geometry().intersects(panel)) << "panel " << i;
            }
        }
        window->grab().save(
            QStringLiteral(QARVEL_SCREENSHOT_DIR "/panels-%1%2.png")
                .arg(QString::fromLatin1(game).remove(' '))
                .arg(Ratio() > 1 ? QStringLiteral("@%1x").arg(Ratio()) : QString()));
    }
}

// A click on a BlackJack pile plays the waste's card onto it, and the label
// above the pile shows its new total.
TEST_F(clPlayingScreenTest, ABlackJackPileShowsItsTotal) {
    ASSERT_TRUE(Open("BlackJack Best", 3));
    ResizeWindow(QSize(1600, 1000));
    const clCard* waste = Game().Waste()->Top();
    ASSERT_NE(waste, nullptr);
    const int rank = waste->GetRank();
    const std::string total = std::to_string(rank == 1 ? 11 : std::min(rank, 10));
    ASSERT_EQ(Game().ScoreboardValues().extra.labels.at(0).text, "0");
    const QRect label = Shown(Game().Scoreboard().PanelRect(2));
    const QRect pixels(label.topLeft() * Ratio(), label.size() * Ratio());
    const QImage before = Viewport()->grab().toImage().copy(pixels);

    ClickAt(PointOf(Game().Tableau(0)->GetAnchor()));
    ASSERT_EQ(Game().Tableau(0)->Count(), 1u);
    EXPECT_EQ(Game().ScoreboardValues().extra.labels.at(0).text, total);
    EXPECT_NE(Viewport()->grab().toImage().copy(pixels), before) << "the label is drawn again";
}

}  // namespace
