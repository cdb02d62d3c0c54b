// The score dialogs in the game window: the Statistics command, and the Game
// Over and Round Over dialogs the playing screen asks for, each run modally
// and answered from a zero-time timer.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "dialogs/game_over_dialog.h"
#include "dialogs/round_over_dialog.h"
#include "dialogs/score_table.h"
#include "dialogs/stats_dialog.h"
#include "shell/commands.h"
#include "shell/window_fixture.h"

namespace {

// The window with the game's own dialogs; questions are answered Yes and web
// pages are written down.
class ScoreDialogsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        account = std::make_unique<clFixedUserAccount>(folder.Path(), "tester");
        const clPlatform platform{store, *account, prompt, messages, clock, QARVEL_BUILD_DATA_DIR,
                                  false};
        program = std::make_unique<clProgram>(platform);
        ASSERT_TRUE(program->StartUp());
        program->Settings().SetFlag(clFlag::Animation, false);
        dialogs = std::make_unique<clGameDialogs>(*program);
        dialogs->SetQuestion([](const std::string&, const std::string&) { return true; });
        dialogs->SetUrlOpener([this](const std::string& url) {
            urls.push_back(url);
            return true;
        });
        window = std::make_unique<clMainWindow>(*program, *dialogs);
        clCommandLine line;
        line.game = "Klondike";
        ASSERT_TRUE(window->Start(line));
        window->resize(900, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override {
        if (window) window->close();
        window.reset();
    }

    // Finished games of Klondike in the player's log.
    void Log(std::initializer_list<std::int32_t> scores) {
        clStatistics log(program->Settings(), program->Players().Folders(), clock);
        for (std::int32_t score : scores)
            log.AppendResult("klondike", clStatistics::MakeCompleted(score, 1, clock));
    }

    // Runs `act` on the modal dialog of this kind once it shows; any other
    // dialog is closed so that the test never waits.
    template <class Dialog>
    void WhenShown(std::function<void(Dialog&)> act) {
        QTimer::singleShot(0, [this, act] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* dialog = dynamic_cast<Dialog*>(modal);
            if (dialog == nullptr) {
                ADD_FAILURE() << "the dialog did not show";
                if (auto* other = qobject_cast<QDialog*>(modal)) other->done(0);
                return;
            }
            ++shown;
            act(*dialog);
        });
    }

    clTempFolder folder;
    clMemorySettingsStore store;
    std::unique_ptr<clFixedUserAccount> account;
    clFixedNamePrompt prompt;
    clHeadlessMessages messages;
    clFixedClock clock;
    std::unique_ptr<clProgram> program;
    std::unique_ptr<clGameDialogs> dialogs;
    std::unique_ptr<clMainWindow> window;
    std::vector<std::string> urls;
    int shown = 0;
};

TEST_F(ScoreDialogsWindowTest, TheStatisticsCommandOpensTheCurrentGamesStatistics) {
    Log({300, 900});
    WhenShown<clStatsDialog>([](clStatsDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Statistics for Klondike");
        EXPECT_EQ(dialog.ScoreTable()->rowCount(), 2);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    window->ExecuteCommand(clCommand::kStatistics);
    EXPECT_EQ(shown, 1);
}

TEST_F(ScoreDialogsWindowTest, GameOverShowsTheLoggedGameAndNewDealsAgain) {
    window->LogResult(true, 1200, 2);
    const std::int32_t deal = window->PlayingScreen()->DealNumber();
    WhenShown<clGameOverDialog>([this](clGameOverDialog& dialog) {
        EXPECT_EQ(dialog.ScoreText()->text().toStdString(), "Final score: 1200\nRank: 1st of 1");
        // Cards shower over the game's table.
        EXPECT_TRUE(dialog.Shower().IsRunning());
        const clImage& screen = program->Display().Screen();
        const std::vector<std::uint8_t> before(screen.Pixels(),
                                               screen.Pixels() + screen.Stride() * screen.Height());
        for (int i = 0; i < 20; ++i)
            dialog.Shower().Drop();
        EXPECT_FALSE(std::equal(before.begin(), before.end(), screen.Pixels()));
        QTest::mouseClick(dialog.NewButton(), Qt::LeftButton);
    });
    window->ShowGameOver(1200, 2);
    EXPECT_EQ(shown, 1);
    QApplication::processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_NE(window->PlayingScreen()->DealNumber(), deal);
}

// Exit leaves the game for the chooser.
TEST_F(ScoreDialogsWindowTest, GameOverExitLeavesTheGame) {
    WhenShown<clGameOverDialog>(
        [](clGameOverDialog& dialog) { QTest::mouseClick(dialog.ExitButton(), Qt::LeftButton); });
    window->ShowGameOver(0, 1);
    QApplication::processEvents();
    ASSERT_NE(window->Screen(), nullptr);
    EXPECT_TRUE(window->Screen()->IsGameList());
}

TEST_F(ScoreDialogsWindowTest, RoundOverContinueGoesOnAndExitLeaves) {
    WhenShown<clRoundOverDialog>([](clRoundOverDialog& dialog) {
        EXPECT_EQ(dialog.ScoreText()->text().toStdString(),
                  "Current score: 800\nCurrent rank: 1st of 1");
        QTest::mouseClick(dialog.ViewButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.ContinueButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(window->ShowRoundOver(800, 1));
    EXPECT_EQ(urls, std::vector<std::string>{
                        "http://127.0.0.1:8080/topscores/scores/qarvel/klondike.html?"});

    WhenShown<clRoundOverDialog>(
        [](clRoundOverDialog& dialog) { QTest::mouseClick(dialog.ExitButton(), Qt::LeftButton); });
    EXPECT_FALSE(window->ShowRoundOver(800, 1));
    QApplication::processEvents();
    ASSERT_NE(window->Screen(), nullptr);
    EXPECT_TRUE(window->Screen()->IsGameList());
    EXPECT_EQ(shown, 2);
}

// Every dialog opens with its centre on the game window's centre, whether
// it is asked for by a key, a menu or the game, and stays on the screen when
// the window is too small to hold it.
TEST_F(ScoreDialogsWindowTest, DialogsOpenCentredOnTheGameWindow) {
    struct clCase {
        const char* name;
        std::function<void()> open;
        int answer;  // how the dialog is closed: New and Continue go on playing
    };
    auto command = [this](int id) { return [this, id] { window->Action(id)->trigger(); }; };
    const clCase cases[] = {
        {"Help Center", [this] { QTest::keyClick(window->Table()->viewport(), Qt::Key_F2); }, 0},
        {"Save", [this] { QTest::keyClick(window->Table()->viewport(), Qt::Key_F6); }, 0},
        {"Card Backs", command(clCommand::kCardBacks), 0},
        {"Custom Card Size", command(clCommand::kCustomSize), 0},
        {"Game options", command(clCommand::kGameOptions), 0},
        {"Options", command(clCommand::kOptions), 0},
        {"Statistics", command(clCommand::kStatistics), 0},
        {"High Scores", [this] { window->ExecuteCommand(clCommand::kHighScores); }, 0},
        {"Game Over", [this] { window->ShowGameOver(100, 1); }, clGameOverDialog::kNew},
        {"Round Over", [this] { window->ShowRoundOver(800, 1); }, clRoundOverDialog::kContinue},
    };
    for (const QRect& place : {QRect(8, 100, 784, 600), QRect(0, 0, 420, 320)}) {
        window->setGeometry(place);
        QApplication::processEvents();
        const QRect screen = window->QWidget::screen()->availableGeometry();
        for (const clCase& test : cases) {
            SCOPED_TRACE(test.name);
            QRect shown;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) {
                    ADD_FAILURE() << "no dialog";
                    return;
                }
                shown = dialog->frameGeometry();
                dialog->done(test.answer);
            });
            test.open();
            QApplication::processEvents();
            ASSERT_TRUE(shown.isValid());
            EXPECT_TRUE(screen.contains(shown)) << shown.x() << "," << shown.y();
            // In the window's middle wherever the screen has room for it there.
            QRect centred = shown;
            centred.moveCenter(window->frameGeometry().center());
            if (screen.contains(centred)) {
                EXPECT_LE((shown.center() - centred.center()).manhattanLength(), 2)
                    << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                    << shown.height();
            }
        }
    }
}

}  // namespace
