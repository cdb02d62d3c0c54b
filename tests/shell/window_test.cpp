// The game window with real widgets and synthesised keys and clicks.
#include <QAction>
#include <QDir>
#include <QPointer>
#include <QPushButton>

#include "cards/card.h"
#include "piles/pile.h"
#include "shell/commands.h"
#include "shell/picture_windows.h"
#include "shell/window_fixture.h"

namespace {

// Plays a tableau card to a foundation if the deal has one ready; true when
// a move was made.
bool PlayAnyCardUp(clSolitaireRules& game) {
    for (int i = 0; i < game.TableauCount(); ++i) {
        clLocation from;
        std::int32_t dealIndex = -1;
        if (game.Tableau(i)->GetTop(from, dealIndex) && game.MoveToFoundation(dealIndex, from)) {
            return true;
        }
    }
    return false;
}

// The first deal from `first` on where a card can go up at once.
std::int32_t DealWithACardUp(clSolitaireRules& game, std::int32_t first) {
    for (std::int32_t deal = first; deal < first + 200; ++deal) {
        game.StartDeal(deal);
        if (PlayAnyCardUp(game)) {
            game.StartDeal(deal);
            return deal;
        }
    }
    return 0;
}

}  // namespace

TEST_F(clWindowTest, OpensTheGameWithItsTitleMenusAndScoreboard) {
    ASSERT_TRUE(Open("Klondike", 1));
    EXPECT_EQ(window->windowTitle().toStdString(), "Qarvel 1.60: Klondike [Tester]");
    EXPECT_TRUE(Game().Scoreboard().IsLaidOut());
    EXPECT_FALSE(window->Action(clCommand::kUndo)->isEnabled());
    EXPECT_TRUE(window->Action(clCommand::kTakeScore)->isEnabled());
    ASSERT_NE(window->TakeScoreControl(), nullptr);
    EXPECT_TRUE(window->TakeScoreControl()->isVisible());
}

TEST_F(clWindowTest, UnknownGameOnTheCommandLineLeavesTheChooserShown) {
    clCommandLine line;
    line.game = "No Such Game";
    ASSERT_TRUE(window->Start(line));
    ASSERT_NE(window->Screen(), nullptr);
    EXPECT_TRUE(window->Screen()->IsGameList());
    EXPECT_EQ(window->PlayingScreen(), nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "Qarvel 1.60 [Tester]");
}

TEST_F(clWindowTest, SpaceTakesTheScoreAndEndsTheRound) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::int32_t bonus = Game().BonusPoints();
    Press(Qt::Key_Space);
    EXPECT_EQ(dialogs.roundsOver + dialogs.gamesOver, 1);
    EXPECT_EQ(dialogs.lastScore, bonus);
    // A second Take Score of the same round adds nothing.
    EXPECT_EQ(Game().LastRoundScore(), bonus);
}

TEST_F(clWindowTest, EscPausesAndResumes) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::string before = Game().DisplayName();
    Press(Qt::Key_Escape);
    ASSERT_TRUE(Game().IsPaused());
    EXPECT_TRUE(window->Action(clCommand::kPause)->isChecked());
    EXPECT_FALSE(window->TakeScoreControl()->isVisible());
    EXPECT_FALSE(window->Action(clCommand::kTakeScore)->isEnabled());
    // Clicks and keys do nothing while paused.
    const std::size_t moves = Game().History().Count();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, PointOf(*Game().Stock()->Top()));
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Game().History().Count(), moves);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Game().IsPaused());
    EXPECT_TRUE(window->TakeScoreControl()->isVisible());
}

TEST_F(clWindowTest, PausedTableShowsThePausePicture) {
    ASSERT_TRUE(Open("Klondike", 1));
    ASSERT_FALSE(program->PausePicture().IsEmpty());
    const QImage playing = Viewport()->grab().toImage();
    Press(Qt::Key_Escape);
    const QImage paused = Viewport()->grab().toImage();
    // The picture covers most of the 290 x 72 desktop pixels in the middle
    // (the grabbed pictures hold device pixels).
    const QRect middle(ToDevice(Viewport()->width() / 2 - 145),
                       ToDevice(Viewport()->height() / 2 - 36), ToDevice(290), ToDevice(72));
    ASSERT_EQ(paused.size(), Viewport()->size() * Ratio());
    int changed = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        for (int x = middle.left(); x <= middle.right(); ++x) {
            changed += playing.pixel(x, y) != paused.pixel(x, y);
        }
    }
    EXPECT_GT(changed, middle.width() * middle.height() / 2);
}

TEST_F(clWindowTest, BackspaceUndoesWithItsCost) {
    ASSERT_TRUE(Open("Klondike", 1));
    ASSERT_NE(DealWithACardUp(Game(), 1), 0);
    Game().DrawTable();
    ASSERT_TRUE(PlayAnyCardUp(Game()));
    const std::int32_t score = Game().Score();
    ASSERT_GT(score, 0);
    EXPECT_TRUE(window->Action(clCommand::kUndo)->isEnabled());
    const std::size_t position = Game().History().Position();
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Game().History().Position(), position - 1);
    EXPECT_EQ(Game().Score(), score - Game().Points().UndoCost());
}

TEST_F(clWindowTest, CardSizeMenuChangesTheCards) {
    ASSERT_TRUE(Open("Klondike", 1));
    // The sizes are desktop pixels; a size the card file lacks is resampled
    // (on a doubled screen, Tiny is).
    window->Action(clCommand::kCardSizeFirst + 5)->trigger();  // Tiny
    ASSERT_TRUE(WaitForCards());
    EXPECT_EQ(program->Display().CardWidth(), ToDevice(53));
    EXPECT_EQ(Game().Scoreboard().CurrentSize(), clScoreboard::Size::Small);
    window->Action(clCommand::kCardSizeFirst + 1)->trigger();  // Huge
    ASSERT_TRUE(WaitForCards());
    EXPECT_EQ(program->Display().CardWidth(), ToDevice(150));
    EXPECT_EQ(Game().Scoreboard().CurrentSize(), clScoreboard::Size::Large);
}

// Pictures of the window for a person to look at: a Klondike deal at two
// sizes, in the screen's device pixels ("@2x" on a doubled screen).
TEST_F(clWindowTest, ScreenshotsAtTwoSizes) {
    ASSERT_TRUE(Open("Klondike", 7));
    const QString folder = QStringLiteral(QARVEL_SCREENSHOT_DIR);
    const QString scale = Ratio() > 1 ? QStringLiteral("@%1x").arg(Ratio()) : QString();
    QDir().mkpath(folder);
    for (const QSize size : {QSize(800, 600), QSize(1280, 900)}) {
        ResizeWindow(size);
        const QImage shot = window->grab().toImage();
        EXPECT_EQ(shot.size(), QSize(ToDevice(size.width()), ToDevice(size.height())));
        EXPECT_EQ(shot.deviceIndependentSize().toSize(), size);
        const QString file =
            folder +
            QStringLiteral("/klondike-%1x%2%3.png").arg(size.width()).arg(size.height()).arg(scale);
        EXPECT_TRUE(shot.save(file)) << file.toStdString();
    }
}

TEST_F(clWindowTest, AboutOpensOnceAtATime) {
    ASSERT_TRUE(Open("Klondike", 1));
    Press(Qt::Key_F3);
    clAboutWindow* about = clAboutWindow::Current();
    ASSERT_NE(about, nullptr);
    Press(Qt::Key_A, Qt::ControlModifier);
    int open = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        open += dynamic_cast<clAboutWindow*>(widget) != nullptr && widget->isVisible();
    }
    EXPECT_EQ(open, 1);
    about->grab().save(QStringLiteral(QARVEL_SCREENSHOT_DIR "/about.png"));
    about->close();
}

TEST_F(clWindowTest, SplashShowsItsPicture) {
    QPointer<clSplashWindow> splash = clSplashWindow::Show(program->SplashPicture());
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(400, 300));
    splash->grab().save(QStringLiteral(QARVEL_SCREENSHOT_DIR "/splash.png"));
    splash->close();
}

// The table takes its size before the window first shows, so the display is
// made once, at the size it is shown at, rather than at the smallest virtual
// screen and then again when the window comes up.
TEST_F(clWindowTest, TheDisplayIsMadeAtTheTablesOwnSize) {
    clCommandLine line;
    line.game = "Klondike";
    ASSERT_TRUE(window->Start(line));
    ASSERT_FALSE(window->isVisible());
    const QSize area = window->Table()->DeviceSize();
    ASSERT_GT(area.height(), ToDevice(480)) << "the table knows its size before the first show";
    EXPECT_EQ(program->Display().VirtualWidth(), area.width());
    EXPECT_EQ(program->Display().VirtualHeight(), area.height());
}
