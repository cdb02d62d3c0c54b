// The daily challenge in the window: started from the Game menu and the
// chooser's button, one counted attempt a day, its results apart from the
// ordinary games, and today's ranking after the game from a score server the
// test starts on 127.0.0.1.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <ctime>
#include <fstream>

#include "dialogs/daily_ranking_dialog.h"
#include "dialogs/dialog_fixture.h"
#include "dialogs/game_over_dialog.h"
#include "dialogs/identity_fields.h"
#include "dialogs/round_over_dialog.h"
#include "dialogs/score_table.h"
#include "dialogs/stats_dialog.h"
#include "engine/catalogue.h"
#include "engine/saved_game.h"
#include "online/daily_challenge.h"
#include "player/settings_keys.h"
#include "player/settings_layout.h"
#include "player/statistics.h"
#include "shell/commands.h"
#include "shell/game_list.h"
#include "shell/window_fixture.h"

namespace {

// The day the fixed clock reads, and its deals.
constexpr clDay kClockDay{2017, 8, 1};

// Results logged in a player's log, as the statistics read them back.
std::vector<clScoreRecord> Logged(clProgram& program, const std::string& key) {
    clStatistics statistics(program.Settings(), program.Players().Folders(), program.Clock());
    statistics.LoadLog(key, "", false);
    std::vector<clScoreRecord> records;
    for (std::int32_t i = 0; i < statistics.Count(); ++i)
        records.push_back(*statistics.RecordAt(i));
    return records;
}

// What the player does with the window: the chooser's button and the Game
// menu clicked where they are drawn, a card turned from the stock, Take
// Score, and the clock run down.
class clDailyPlayer {
public:
    explicit clDailyPlayer(clMainWindow& window) : window(window) {}

    // The chooser's "Daily Challenge" for a game selected in its list.
    void ChooseFromChooser(const std::string& name) {
        auto* list = dynamic_cast<clGameList*>(window.Screen());
        ASSERT_NE(list, nullptr);
        for (std::size_t row = 0; row < list->Listed().size(); ++row) {
            if (list->Listed()[row]->row->displayName == name) list->Select(static_cast<int>(row));
        }
        QPushButton* button = list->DailyButton();
        ASSERT_TRUE(button->isVisible());
        ASSERT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        WaitForDaily(nullptr);
    }

    // Game > Daily Challenge, by the pointer on the menu bar and the menu.
    void ChooseFromMenu() {
        QMenuBar* bar = window.menuBar();
        QMenu* game = nullptr;
        for (QAction* action : bar->actions()) {
            if (action->menu() && action->text() == QStringLiteral("&Game")) game = action->menu();
        }
        ASSERT_NE(game, nullptr);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          bar->actionGeometry(game->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([game] { return game->isVisible(); }));
        QAction* item = window.Action(clCommand::kDailyChallenge);
        ASSERT_NE(item, nullptr);
        const clSolitaireType* before = window.PlayingScreen();
        QTest::mouseClick(game, Qt::LeftButton, Qt::NoModifier,
                          game->actionGeometry(item).center());
        WaitForDaily(before);
    }

    // A card turned from the stock, where it lies on the table.
    void TurnStockCard() {
        auto& rules = dynamic_cast<clSolitaireRules&>(*window.PlayingScreen());
        const clCard* top = rules.Stock()->Top();
        ASSERT_NE(top, nullptr);
        const std::optional<clRect> rect = rules.Graphics().CardRect(*top);
        ASSERT_TRUE(rect.has_value());
        const QWidget* viewport = window.Table()->viewport();
        const double ratio = viewport->devicePixelRatioF();
        const QPoint scroll = window.Table()->Scroll();
        const QPoint at(static_cast<int>(((rect->left + rect->right) / 2 - scroll.x()) / ratio),
                        static_cast<int>(((rect->top + rect->bottom) / 2 - scroll.y()) / ratio));
        const std::size_t before = rules.History().Count();
        QTest::mouseClick(window.Table()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_GT(rules.History().Count(), before);
    }

    // Round 1 ends on the Take Score button (its bonus reaches the goal);
    // every later round when its clock runs out after a card (in practice
    // on Take Score then), which misses the goal. Ends with the game over
    // (the dialogs are answered meanwhile).
    void PlayToGameOver() {
        for (int rounds = 0; rounds < 12 && window.PlayingScreen()->Round() > 0; ++rounds) {
            clSolitaireType* game = window.PlayingScreen();
            const std::int32_t round = game->Round();
            TurnStockCard();
            if (round == 1) {
                QTest::mouseClick(window.TakeScoreControl(), Qt::LeftButton);
            } else {
                // The countdown runs from the first card (at most an hour); in
                // practice the round goes on at 0 until the player takes the
                // score.
                for (int tick = 0; tick < 36000 && game->Round() == round && !game->RoundEnded() &&
                                   game->Timer().Count() > 0;
                     ++tick)
                    window.TimerTick();
                if (game->Round() == round && !game->RoundEnded()) {
                    ASSERT_TRUE(game->IsTimeUp()) << "the clock did not run out";
                    QTest::mouseClick(window.TakeScoreControl(), Qt::LeftButton);
                }
            }
            // Game over leaves round 0 until the next game is dealt.
            if (game->Round() == 0) return;
        }
        ADD_FAILURE() << "the game did not end";
    }

private:
    // A new screen is made before the one it replaces goes.
    void WaitForDaily(const clSolitaireType* before) {
        EXPECT_TRUE(QTest::qWaitFor(
            [this, before] {
                return window.PlayingScreen() != before && window.IsDailyChallenge();
            },
            5000));
    }

    clMainWindow& window;
};

// With the fixture's answering dialogs: what starting a daily challenge
// does to the table, the saved game and the statistics.
class clDailyWindowTest : public clWindowTest {
protected:
    void ShowChooser() {
        ASSERT_TRUE(window->Start({}));
        window->resize(900, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ShowChooser();
        QApplication::processEvents();
    }
    std::string Title() const { return window->windowTitle().toStdString(); }
    std::int32_t GamesPlayed(const std::string& game) const {
        return program->Settings()
            .Store()
            .ReadInteger(GameKey(program->Settings().Player(), game), clGameNames::kGamesPlayed)
            .value_or(0);
    }
};

// An ordinary game in progress is saved, not lost, when the daily challenge
// replaces it; every round deals the day's deal; leaving the challenge logs
// it apart, and the ordinary game resumes afterwards.
TEST_F(clDailyWindowTest, TheGameMenuDealsTodaysRoundsAndKeepsTheOrdinaryGame) {
    ASSERT_TRUE(Open("Klondike", 7));
    clDailyPlayer player(*window);
    player.TurnStockCard();
    player.ChooseFromMenu();
    ASSERT_TRUE(window->IsDailyChallenge());
    EXPECT_FALSE(window->IsDailyPractice());
    clSolitaireType* game = window->PlayingScreen();
    EXPECT_EQ(game->DealNumber(), DailyDeal(kClockDay, "klondike", 1));
    EXPECT_EQ(game->History().Count(), 0u);
    EXPECT_NE(Title().find("Klondike"), std::string::npos);
    EXPECT_TRUE(Title().ends_with(" - Daily Challenge 2017-08-01")) << Title();
    const std::optional<std::filesystem::path> playerFolder = window->PlayerFolder();
    ASSERT_TRUE(playerFolder.has_value());
    const auto saved = clSavedGameFile::Read(*playerFolder / "klondike.qarvel");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->dealNumber, 7);

    player.TurnStockCard();
    QTest::mouseClick(window->TakeScoreControl(), Qt::LeftButton);
    ASSERT_EQ(dialogs.roundsOver, 1);
    EXPECT_EQ(game->Round(), 2);
    EXPECT_EQ(game->DealNumber(), DailyDeal(kClockDay, "klondike", 2));
    const std::int32_t score = game->Score();

    // Leaving mid-game ends the attempt: logged apart, never saved.
    window->ExecuteCommand(clCommand::kExit);
    ASSERT_TRUE(window->Screen()->IsGameList());
    const std::vector<clScoreRecord> daily = Logged(*program, "klondike-daily");
    ASSERT_EQ(daily.size(), 1u);
    EXPECT_EQ(daily[0].kind, clResultKind::Interrupted);
    EXPECT_EQ(daily[0].score, score);
    EXPECT_EQ(daily[0].round, 2);
    EXPECT_TRUE(Logged(*program, "klondike").empty());
    EXPECT_EQ(GamesPlayed("Klondike"), 0);
    ASSERT_TRUE(window->StartGame("Klondike"));
    EXPECT_FALSE(window->IsDailyChallenge());
    EXPECT_EQ(window->PlayingScreen()->DealNumber(), 7);
}

// The chooser's button starts the selected game's challenge. The day's
// second start says so and plays as practice (nothing logged); so does a
// start in Practice Mode, which leaves the attempt unused; the next day
// counts again.
TEST_F(clDailyWindowTest, OneCountedAttemptADayTheRestIsPractice) {
    ShowChooser();
    clDailyPlayer player(*window);
    player.ChooseFromChooser("Golf");
    ASSERT_TRUE(window->IsDailyChallenge());
    EXPECT_EQ(window->PlayingScreen()->DisplayName(), "Golf");
    EXPECT_EQ(window->PlayingScreen()->DealNumber(), DailyDeal(kClockDay, "golf", 1));
    EXPECT_FALSE(window->IsDailyPractice());
    EXPECT_TRUE(dialogs.messages.empty());
    window->ExecuteCommand(clCommand::kExit);

    struct clCase {
        const char* what;
        bool practiceMode;
        std::int64_t later;  // seconds after the clock's moment
        bool practice;
        const char* message;  // a part of what the player is told; empty: nothing
    };
    const clCase cases[] = {
        {"the same day", false, 3600, true, "already played today's Golf daily challenge"},
        {"in Practice Mode the next day", true, 86400, true, "You are in Practice Mode"},
        {"the next day", false, 86400, false, ""},
        {"the next day again", false, 90000, true, "already played"},
    };
    const std::int64_t start = clock.unixTime;
    for (const clCase& test : cases) {
        SCOPED_TRACE(test.what);
        dialogs.messages.clear();
        program->Settings().SetFlag(clFlag::Practice, test.practiceMode);
        clock.unixTime = start + test.later;
        player.ChooseFromChooser("Golf");
        EXPECT_EQ(window->IsDailyPractice(), test.practice);
        EXPECT_EQ(Title().ends_with("(practice)"), test.practice) << Title();
        const clDay day = DayOfUnixTime(clock.unixTime);
        EXPECT_EQ(window->PlayingScreen()->DealNumber(), DailyDeal(day, "golf", 1));
        if (*test.message == '\0') {
            EXPECT_TRUE(dialogs.messages.empty());
        } else {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_NE(dialogs.messages[0].find(test.message), std::string::npos)
                << dialogs.messages[0];
        }
        // A move, then leaving: only counted games reach the log.
        player.TurnStockCard();
        window->ExecuteCommand(clCommand::kExit);
        ASSERT_TRUE(window->Screen()->IsGameList());
    }
    program->Settings().SetFlag(clFlag::Practice, false);
    // Of the counted games, the first was left before a move: nothing to log.
    EXPECT_EQ(Logged(*program, "golf-daily").size(), 1u);
    EXPECT_TRUE(Logged(*program, "golf").empty());
}

// The counted game over makes a new game of the day practice, so that a
// second counted game cannot follow it.
TEST_F(clDailyWindowTest, NewGameAfterTheCountedGameIsPractice) {
    ShowChooser();
    clDailyPlayer player(*window);
    player.ChooseFromChooser("Klondike");
    dialogs.gameOver = clGameOverChoice::NewGame;
    player.PlayToGameOver();
    ASSERT_EQ(dialogs.gamesOver, 1);
    EXPECT_TRUE(dialogs.lastGame.daily);
    EXPECT_FALSE(dialogs.lastGame.practice);
    ASSERT_EQ(dialogs.dailyRankings.size(), 1u);
    EXPECT_EQ(dialogs.dailyRankings[0].first, "2017-08-01");
    QApplication::processEvents();  // New Game
    EXPECT_TRUE(window->IsDailyPractice());
    EXPECT_EQ(window->PlayingScreen()->DealNumber(), DailyDeal(kClockDay, "klondike", 1));
    player.PlayToGameOver();
    ASSERT_EQ(dialogs.gamesOver, 2);
    EXPECT_TRUE(dialogs.lastGame.practice);
    const std::vector<clScoreRecord> daily = Logged(*program, "klondike-daily");
    ASSERT_EQ(daily.size(), 1u);
    EXPECT_EQ(daily[0].kind, clResultKind::Completed);
}

// The real dialogs against a score server on 127.0.0.1 that replays every
// record: the chooser's button, a game played to its end, the score sent
// from Game Over and found in today's ranking; then the Game menu's second
// start of the day, practice, which the ranking only compares.
class clDailyServerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.IsListening());
        // The server's day is the real one.
        clock.unixTime = static_cast<std::int64_t>(std::time(nullptr));
        account = std::make_unique<clFixedUserAccount>(folder.Path(), "tester");
        const clPlatform platform{store, *account, prompt, messages, clock, QARVEL_BUILD_DATA_DIR,
                                  false};
        program = std::make_unique<clProgram>(platform);
        ASSERT_TRUE(program->StartUp());
        clSettings& settings = program->Settings();
        settings.SetFlag(clFlag::Animation, false);
        settings.SetFlag(clFlag::Online, true);
        ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
        dialogs = std::make_unique<clGameDialogs>(*program);
        dialogs->SetQuestion([](const std::string&, const std::string&) { return true; });
        dialogs->SetUrlOpener([this](const std::string& url) {
            urls.push_back(url);
            return true;
        });
        window = std::make_unique<clMainWindow>(*program, *dialogs);
        ASSERT_TRUE(window->Start({}));
        window->resize(900, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->ShowChooser();
        QApplication::processEvents();
        // The game's modal dialogs are answered as they show.
        answerTimer = new QTimer(window.get());
        QObject::connect(answerTimer, &QTimer::timeout, window.get(), [this] { Answer(); });
        answerTimer->start(5);
    }

    void TearDown() override {
        if (window) window->close();
        window.reset();
    }

    // Round Over: Continue. Game Over: the identity typed, the score
    // submitted when it may be, then New. The ranking: read once it has
    // answered, then OK. A message: read, then OK.
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        if (auto* round = dynamic_cast<clRoundOverDialog*>(modal)) {
            QTest::mouseClick(round->ContinueButton(), Qt::LeftButton);
        } else if (auto* over = dynamic_cast<clGameOverDialog*>(modal)) {
            if (!over->IsOnline()) QTest::mouseClick(over->OnlineButton(), Qt::LeftButton);
            clIdentityFields& fields = *over->Identity();
            for (QLineEdit* field : {fields.Name(), fields.Location(), fields.Email()})
                field->clear();
            QTest::keyClicks(fields.Name(), QStringLiteral("Ann"));
            QTest::keyClicks(fields.Location(), QStringLiteral("Leeds"));
            QTest::keyClicks(fields.Email(), QStringLiteral("ann@example.org"));
            submitEnabled = over->SubmitButton()->isEnabled();
            if (submitEnabled) QTest::mouseClick(over->SubmitButton(), Qt::LeftButton);
            overallRank = over->OverallRank()->text().toStdString();
            QTest::mouseClick(over->NewButton(), Qt::LeftButton);
        } else if (auto* ranking = dynamic_cast<clDailyRankingDialog*>(modal)) {
            if (ranking->ResultText()->text().isEmpty()) return;  // still asking
            rankingShown = true;
            rankingHeader = ranking->HeaderText()->text().toStdString();
            rankingText = ranking->ResultText()->text().toStdString();
            ownRow = ranking->OwnRow();
            rankingScores.clear();
            for (int row = 0; row < ranking->List()->rowCount(); ++row)
                rankingScores.push_back(ranking->List()->item(row, 1)->text().toStdString());
            QTest::mouseClick(ranking->ViewButton(), Qt::LeftButton);
            QTest::mouseClick(ranking->OkButton(), Qt::LeftButton);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shownMessages.push_back(box->text().toStdString());
            box->accept();
        }
    }

    clLoopbackScoreServer server{clLoopbackScoreServer::clChecks::Replay};
    clTempFolder folder;
    clMemorySettingsStore store;
    std::unique_ptr<clFixedUserAccount> account;
    clFixedNamePrompt prompt;
    clHeadlessMessages messages;
    clFixedClock clock;
    std::unique_ptr<clProgram> program;
    std::unique_ptr<clGameDialogs> dialogs;
    std::unique_ptr<clMainWindow> window;
    QTimer* answerTimer = nullptr;
    std::vector<std::string> urls;
    std::vector<std::string> shownMessages;
    bool submitEnabled = false;
    std::string overallRank;
    bool rankingShown = false;
    std::string rankingHeader;
    std::string rankingText;
    int ownRow = -1;
    std::vector<std::string> rankingScores;
};

TEST_F(clDailyServerWindowTest, APlayedDailyGameIsInTodaysRankingAndTheRepeatIsPractice) {
    const std::string today = FormatDay(DayOfUnixTime(clock.unixTime));
    clDailyPlayer player(*window);
    player.ChooseFromChooser("Klondike");
    EXPECT_EQ(window->PlayingScreen()->DealNumber(),
              DailyDeal(DayOfUnixTime(clock.unixTime), "klondike", 1));
    player.PlayToGameOver();
    const std::int32_t score = window->PlayingScreen()->LastRoundScore();

    EXPECT_TRUE(submitEnabled);
    EXPECT_EQ(overallRank, "Overall rank: 1st of 1");
    ASSERT_TRUE(rankingShown);
    EXPECT_EQ(rankingHeader, "Today's ranking: Klondike, " + today + " (UTC)");
    EXPECT_EQ(rankingScores, std::vector<std::string>{std::to_string(score)});
    EXPECT_EQ(ownRow, 0);
    EXPECT_EQ(rankingText, "Your score " + std::to_string(score) + " is 1st of 1 today.");
    EXPECT_EQ(urls, std::vector<std::string>{server.Base() + "topscores/daily/klondike.html?"});

    // The second start of the day, from the menu: practice, said so, not sent.
    QApplication::processEvents();  // New Game
    rankingShown = false;
    player.ChooseFromMenu();
    EXPECT_TRUE(window->IsDailyPractice());
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_NE(shownMessages[0].find("already played today's Klondike daily challenge"),
              std::string::npos);
    player.PlayToGameOver();
    EXPECT_FALSE(submitEnabled);
    ASSERT_TRUE(rankingShown);
    EXPECT_EQ(rankingScores, std::vector<std::string>{std::to_string(score)});
    EXPECT_EQ(ownRow, -1);
    EXPECT_NE(rankingText.find("This game was practice"), std::string::npos) << rankingText;
    EXPECT_EQ(Logged(*program, "klondike-daily").size(), 1u);
}

// Without a server the ranking says so plainly and offers Retry, which
// works once the server is there.
TEST_F(clScoreDialogTest, DailyRankingSaysWhenTheServerCannotBeReached) {
    bool reachable = false;
    int asked = 0;
    clDailyRankingDialog dialog(services, "Klondike", "klondike", "2026-12-11", 900, true,
                                [&](bool& cancelled) -> std::optional<std::vector<std::int32_t>> {
                                    ++asked;
                                    cancelled = false;
                                    if (!reachable) return std::nullopt;
                                    return std::vector<std::int32_t>{1500, 900, 900, 200};
                                });
    dialog.show();
    dialog.Retrieve();
    EXPECT_NE(dialog.ResultText()->text().indexOf(QStringLiteral("Unable to retrieve")), -1);
    EXPECT_EQ(dialog.List()->rowCount(), 0);
    ASSERT_TRUE(dialog.RetryButton()->isVisible());
    reachable = true;
    QTest::mouseClick(dialog.RetryButton(), Qt::LeftButton);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(dialog.RetryButton()->isVisible());
    EXPECT_EQ(dialog.List()->rowCount(), 4);
    EXPECT_EQ(dialog.OwnRow(), 1);
    EXPECT_EQ(dialog.ResultText()->text().toStdString(), "Your score 900 is 2nd of 4 today.");
}

// A cancelled fetch is not an error: it says the player cancelled it.
TEST_F(clScoreDialogTest, DailyRankingCancelledSaysSo) {
    clDailyRankingDialog dialog(services, "Klondike", "klondike", "2026-12-11", 900, true,
                                [](bool& cancelled) -> std::optional<std::vector<std::int32_t>> {
                                    cancelled = true;
                                    return std::nullopt;
                                });
    dialog.Retrieve();
    EXPECT_NE(dialog.ResultText()->text().indexOf(QStringLiteral("you cancelled it")), -1);
    EXPECT_FALSE(dialog.RetryButton()->isHidden());
}

// The Statistics dialog shows the daily results in their own tab; the
// ordinary games' tab and its submit buttons are as before.
TEST_F(clScoreDialogTest, StatisticsShowDailyResultsApart) {
    Log("klondike", {300, 900});
    Log(DailyLogKey("klondike"), {1200});
    Load("klondike", "Klondike");
    clStatsDialog dialog(services, statistics, "Klondike", "klondike");
    dialog.show();
    EXPECT_EQ(dialog.ScoreTable()->rowCount(), 2);
    dialog.Sections()->setCurrentIndex(clStatsDialog::kDailySection);
    ASSERT_EQ(dialog.ScoreTable()->rowCount(), 1);
    EXPECT_EQ(dialog.ScoreTable()->Rows()[0].score, 1200);
    EXPECT_FALSE(dialog.SubmitBestButton()->isEnabled());
    // Clear empties the shown tab only.
    answer = true;
    QTest::mouseClick(dialog.ClearButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.ScoreTable()->rowCount(), 0);
    dialog.Sections()->setCurrentIndex(clStatsDialog::kGamesSection);
    EXPECT_EQ(dialog.ScoreTable()->rowCount(), 2);
}

}  // namespace

namespace {

// Pictures to look at: the chooser with its button, the Game menu, the
// Statistics' daily tab and today's ranking, with the window small and large
// (and with QT_SCALE_FACTOR=2 for the @2x ones).
TEST_F(clDailyWindowTest, Screenshots) {
    ShowChooser();
    const QString folder = QStringLiteral(QARVEL_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    const QString scale = window->devicePixelRatioF() > 1 ? QStringLiteral("@2x") : QString();
    const auto save = [&](QWidget& widget, const QString& name) {
        EXPECT_TRUE(
            widget.grab().save(folder + QStringLiteral("/daily-%1%2.png").arg(name, scale)));
    };
    for (const QSize size : {QSize(640, 480), QSize(1400, 900)}) {
        SCOPED_TRACE(size.width());
        const QString which =
            size.width() < 1000 ? QStringLiteral("small") : QStringLiteral("large");
        if (!window->Screen()->IsGameList()) window->ShowChooser();
        ResizeWindow(size);
        auto* list = dynamic_cast<clGameList*>(window->Screen());
        ASSERT_NE(list, nullptr);
        list->Select(0);
        QApplication::processEvents();
        EXPECT_TRUE(list->DailyButton()->isVisible());
        save(*window, QStringLiteral("chooser-") + which);

        clDailyPlayer(*window).ChooseFromChooser("Klondike");
        ResizeWindow(size);
        QMenuBar* bar = window->menuBar();
        QMenu* game = bar->actions().front()->menu();
        ASSERT_NE(game, nullptr);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          bar->actionGeometry(game->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([game] { return game->isVisible(); }));
        save(*window, QStringLiteral("playing-") + which);
        save(*game, QStringLiteral("menu-") + which);
        game->hide();

        const clPlainDateFormat format;
        const clScoreServices services{program->Settings(),
                                       program->Players().Folders(),
                                       program->Clock(),
                                       program->Messages(),
                                       format,
                                       [](clSound) {},
                                       [](const std::string&) {},
                                       [](const std::string&, const std::string&) { return true; },
                                       nullptr};
        clDailyRankingDialog ranking(
            services, "Klondike Deal Three", "klondikedealthree", "2017-08-01", 4210, true,
            [](bool&) {
                std::vector<std::int32_t> scores;
                for (std::int32_t i = 0; i < 40; ++i)
                    scores.push_back(9000 - 120 * i);
                scores[7] = 4210;
                return std::optional(scores);
            },
            window.get());
        ranking.show();
        ranking.Retrieve();
        QApplication::processEvents();
        save(ranking, QStringLiteral("ranking-") + which);
        clDailyRankingDialog offline(
            services, "Klondike", "klondike", "2017-08-01", 4210, true,
            [](bool&) { return std::optional<std::vector<std::int32_t>>(); }, window.get());
        offline.show();
        offline.Retrieve();
        QApplication::processEvents();
        save(offline, QStringLiteral("ranking-offline-") + which);

        clStatistics statistics(program->Settings(), program->Players().Folders(),
                                program->Clock());
        statistics.LoadLog("klondike", "Klondike", false);
        clStatsDialog stats(services, statistics, "Klondike", "klondike", window.get());
        stats.show();
        stats.Sections()->setCurrentIndex(clStatsDialog::kDailySection);
        QApplication::processEvents();
        save(stats, QStringLiteral("statistics-") + which);
        window->ExecuteCommand(clCommand::kExit);
    }
}

}  // namespace
