// The game chooser: its list without a window, then the real screen.
#include <QAbstractItemModel>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <fstream>
#include <set>

#include <sys/stat.h>

#include "engine/catalogue.h"
#include "player/file_time.h"
#include "player/settings_keys.h"
#include "player/settings_layout.h"
#include "shell/commands.h"
#include "shell/game_list.h"
#include "shell/game_list_model.h"
#include "shell/game_preview.h"
#include "shell/start_requests.h"
#include "shell/window_fixture.h"
#include "support/hang_guard.h"
#include "toolkit/settings_store.h"
#include "variants/registry.h"

namespace {

std::vector<clGameRecord> Played(const std::vector<std::int32_t>& counts) {
    std::vector<clGameRecord> games(counts.size());
    for (std::size_t i = 0; i < counts.size(); ++i)
        games[i].gamesPlayed = counts[i];
    return games;
}

std::vector<bool> MostPlayed(const std::vector<clGameRecord>& games) {
    std::vector<bool> marks;
    for (const clGameRecord& game : games)
        marks.push_back(game.mostPlayed);
    return marks;
}

std::uint64_t At(int day, int hour) {
    return *ToFileTime(
        {2017, 8, 0, static_cast<std::uint16_t>(day), static_cast<std::uint16_t>(hour), 0, 0, 0});
}

}  // namespace

TEST(GameListModelTest, MostPlayedTakesTiesWithTheLastAndNeverUnplayedGames) {
    struct {
        int n;
        std::vector<std::int32_t> counts;
        std::vector<bool> marked;
    } cases[] = {
        {5, {9, 7, 7, 4, 4, 4, 0, 0}, {true, true, true, true, true, true, false, false}},
        {2, {1, 5, 0, 5, 5}, {false, true, false, true, true}},
        {0, {3, 0, 1}, {true, false, true}},
        {100, {3, 0, 1}, {true, false, true}},
        {3, {0, 0, 0}, {false, false, false}},
    };
    for (const auto& c : cases) {
        std::vector<clGameRecord> games = Played(c.counts);
        clGameListModel::MarkMostPlayed(games, c.n);
        EXPECT_EQ(MostPlayed(games), c.marked) << "n = " << c.n;
    }
}

TEST(GameListModelTest, MostRecentTakesEveryGamePlayedToday) {
    const clDateTime today{2017, 8, 0, 14, 20, 0, 0, 0};
    std::vector<clGameRecord> games(8);
    const int days[] = {14, 14, 13, 14, 14, 0, 14, 12};
    for (std::size_t i = 0; i < games.size(); ++i) {
        games[i].lastPlayed = days[i] ? At(days[i], static_cast<int>(i)) : 0;
    }
    clGameListModel::MarkMostRecent(games, 2, today);
    std::vector<bool> marked;
    for (const clGameRecord& game : games)
        marked.push_back(game.mostRecent);
    EXPECT_EQ(marked, (std::vector<bool>{true, true, false, true, true, false, true, false}));
}

TEST(GameListModelTest, ColumnClicksSortAndReverse) {
    EXPECT_EQ(clGameListModel::SortAfterClick(0, 2), 3);
    EXPECT_EQ(clGameListModel::SortAfterClick(3, 2), -3);
    EXPECT_EQ(clGameListModel::SortAfterClick(-3, 2), 3);
    EXPECT_EQ(clGameListModel::SortAfterClick(3, 0), 1);
}

TEST(GameListModelTest, StatusLines) {
    const clCatalogueRow& golf = *FindVariant("Golf");
    clGameRecord game;
    game.row = &golf;
    EXPECT_EQ(clGameListModel::StatusText(nullptr, 75), " 75 games");
    EXPECT_EQ(clGameListModel::StatusText(nullptr, 1), "  1 game");
    EXPECT_EQ(clGameListModel::StatusText(&game, 75), " Golf [Golf Game] - no games finished");
    game.gamesPlayed = 1;
    game.best = 1200;
    EXPECT_EQ(clGameListModel::StatusText(&game, 75),
              " Golf [Golf Game] - 1 game played (score: 1200)");
    game.gamesPlayed = 4;
    EXPECT_EQ(clGameListModel::StatusText(&game, 75),
              " Golf [Golf Game] - 4 games played (best score: 1200)");
}

class clChooserTest : public clWindowTest {
protected:
    // The chooser, shown with the given player's figures.
    clGameList& ShowChooser() {
        EXPECT_TRUE(window->Start({}));
        window->resize(900, 700);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::processEvents();
        return List();
    }
    clGameList& List() const { return *dynamic_cast<clGameList*>(window->Screen()); }
    // A game's figures as the statistics store them: games, best, average,
    // worst, and the day of August 2017 it was last played.
    void SetPlayed(const std::string& game, std::int32_t played, std::int32_t best,
                   std::int32_t average = 0, std::int32_t worst = 0, int day = 0) {
        const clKeyPath key = GameKey(program->Settings().Player(), game);
        clSettingsStore& store = program->Settings().Store();
        store.WriteInteger(key, clGameNames::kGamesPlayed, played);
        store.WriteInteger(key, clGameNames::kBestScore, best);
        store.WriteInteger(key, clGameNames::kAverageScore, average);
        store.WriteInteger(key, clGameNames::kWorstScore, worst);
        if (day > 0) {
            const std::uint64_t when = At(day, 12);
            store.WriteInteger(key, clGameNames::kLastTimeLow,
                               static_cast<std::int32_t>(when & 0xffffffff));
            store.WriteInteger(key, clGameNames::kLastTimeHigh,
                               static_cast<std::int32_t>(when >> 32));
        }
    }
    std::vector<std::string> ListedNames() const {
        std::vector<std::string> names;
        for (const clGameRecord* game : List().Listed())
            names.emplace_back(game->row->displayName);
        return names;
    }
    void ClickFilter(int filter) {
        const QPoint at(80, 4 + 40 * filter + 20);
        QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    // The view shown now: Details, or the icon views' list.
    QAbstractItemView* ShownView() const {
        return List().CurrentView() == 3 ? static_cast<QAbstractItemView*>(List().Details())
                                         : static_cast<QAbstractItemView*>(List().Icons());
    }
    // The point where a listed game is drawn in the shown view.
    QPoint PointOfGame(const std::string& name) const {
        const auto names = ListedNames();
        const int row =
            static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
        QAbstractItemView* view = ShownView();
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        QApplication::processEvents();
        return view->visualRect(index).center();
    }
    std::string StatusLine() const {
        return window->ChooserStatus()->isVisible() ? window->ChooserStatus()->text().toStdString()
                                                    : "(hidden)";
    }
    // The enabled state of the context menu's items, opened by a right click.
    std::map<std::string, bool> ContextMenuAt(const QPoint& at) {
        std::map<std::string, bool> items;
        QTimer::singleShot(0, [&items] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator())
                    items[action->text().toStdString()] = action->isEnabled();
            }
            menu->close();
        });
        QAbstractItemView* view = ShownView();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        return items;
    }
    // Waits for a game asked for to start.
    bool WaitForGame() {
        for (int i = 0; i < 50 && !window->PlayingScreen(); ++i)
            QTest::qWait(10);
        return window->PlayingScreen() != nullptr;
    }
};

TEST_F(clChooserTest, ListsEveryGameAndRecommendedOnesStartAsFavourites) {
    clGameList& list = ShowChooser();
    EXPECT_EQ(list.Listed().size(), 75u);
    EXPECT_EQ(list.StatusText(), " 75 games");
    ClickFilter(2);
    std::vector<std::string> favourites = ListedNames();
    std::vector<std::string> recommended;
    for (const clCatalogueRow& row : Catalogue()) {
        if (row.favourite) recommended.emplace_back(row.displayName);
    }
    EXPECT_EQ(favourites, recommended);
    // The first fill stored them.
    const clKeyPath key = GameKey(program->Settings().Player(), "Klondike");
    EXPECT_EQ(program->Settings().Store().ReadInteger(key, clGameNames::kFavorite), 1);
    EXPECT_EQ(program->Settings().Number(clNumber::Filter), 2);
}

TEST_F(clChooserTest, FiltersShowTheMarkedGames) {
    program->Settings().SetNumber(clNumber::Played, 2);
    SetPlayed("Golf", 9, 3000);
    SetPlayed("Spider", 4, 2000);
    SetPlayed("FreeCell", 4, 2500);
    SetPlayed("Yukon", 1, 100);
    ShowChooser();
    ClickFilter(3);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Golf", "FreeCell", "Spider"}));
    // A release away from the pressed button changes nothing.
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(80, 24));
    QTest::mouseMove(Viewport(), QPoint(80, 104));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(80, 104));
    EXPECT_EQ(List().CurrentFilter(), 3);
}

TEST_F(clChooserTest, ColumnClicksSortTheList) {
    SetPlayed("Golf", 9, 3000, 2000, -500, 3);
    SetPlayed("Spider", 4, 5000, 1000, 100, 9);
    clGameList& list = ShowChooser();
    list.ViewDetails();
    QHeaderView* header = list.Details()->header();
    struct {
        int column;
        int sort;
        std::string first;
    } clicks[] = {
        {2, 3, "Golf"},    // most games first
        {2, -3, ""},       // then fewest (a game never played)
        {3, 4, "Spider"},  // best score
        {0, 1, "Aces and Kings"},
        {0, -1, "Yukon"},
        {1, 2, "Hidden Sums"},  // "Addition Game", then table order
        {4, 5, "Golf"},         // best average
        {5, 6, "Spider"},       // best worst score
        {6, 7, "Spider"},       // newest play
        {6, -7, ""},
    };
    for (const auto& click : clicks) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(click.column) + 5, 5));
        EXPECT_EQ(list.CurrentSort(), click.sort);
        if (!click.first.empty()) {
            EXPECT_EQ(ListedNames().front(), click.first) << click.sort;
        }
    }
    EXPECT_EQ(program->Settings().Number(clNumber::Sort), -7);
}

TEST_F(clChooserTest, EnterPlaysTheSelectedGame) {
    clGameList& list = ShowChooser();
    list.ViewDetails();
    const auto names = ListedNames();
    const int row = static_cast<int>(std::find(names.begin(), names.end(), "Golf") - names.begin());
    list.Select(row);
    EXPECT_EQ(list.StatusText(), " Golf [Golf Game] - no games finished");
    QTest::keyClick(list.Details(), Qt::Key_Return);
    ASSERT_TRUE(WaitForGame());
    EXPECT_EQ(window->PlayingScreen()->DisplayName(), "Golf");
}

TEST_F(clChooserTest, RandomPicksAmongTheListedGames) {
    ShowChooser();
    ClickFilter(2);
    const std::vector<std::string> favourites = ListedNames();
    window->ExecuteCommand(40002);
    ASSERT_TRUE(WaitForGame());
    const std::string started = window->PlayingScreen()->DisplayName();
    EXPECT_NE(std::find(favourites.begin(), favourites.end(), started), favourites.end())
        << started;
}

TEST_F(clChooserTest, LeavingAGameReturnsToTheChooserWithItsFiguresUpdated) {
    ShowChooser();
    ASSERT_TRUE(window->StartGame("Klondike"));
    clSolitaireType& game = *window->PlayingScreen();
    // One move, then resigning logs the game.
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier,
                      PointOf(*dynamic_cast<clSolitaireRules&>(game).Stock()->Top()));
    ASSERT_GE(game.History().Count(), 1u);
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(dialogs.questions, 1);
    window->ExecuteCommand(40001);  // Exit: back to the chooser
    ASSERT_NE(window->Screen(), nullptr);
    ASSERT_TRUE(window->Screen()->IsGameList());
    for (const clGameRecord* record : List().Listed()) {
        if (record->row->displayName == "Klondike") {
            EXPECT_EQ(record->gamesPlayed, 1);
        }
    }
    // Exit on the chooser ends the program.
    window->ExecuteCommand(40001);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(clChooserTest, ThePlayerBoxSwitchesPlayers) {
    ASSERT_EQ(program->Players().AddPlayer("Bo"), clAddPlayer::Added);
    ASSERT_EQ(program->Players().AddPlayer("Tester"), clAddPlayer::Existing);
    SetPlayed("Golf", 3, 700);  // Tester's
    ShowChooser();
    QComboBox* box = window->PlayerBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentText().toStdString(), "Tester");
    box->setCurrentIndex(box->findText("Bo"));
    Q_EMIT box->textActivated(QStringLiteral("Bo"));
    EXPECT_EQ(program->Settings().Player(), "Bo");
    EXPECT_EQ(window->windowTitle().toStdString(), "Qarvel 1.60 [Bo]");
    for (const clGameRecord* record : List().Listed()) {
        EXPECT_EQ(record->gamesPlayed, 0) << record->row->displayName;
    }
}

namespace {

// A Klondike game of deal 7 with one move from the stock, saved to `path`.
std::size_t SaveKlondikeWithAMove(const std::filesystem::path& path) {
    std::unique_ptr<clSolitaireType> made = CreateVariant("Klondike");
    auto& game = dynamic_cast<clSolitaireRules&>(*made);
    game.StartRound(7);
    game.PressPile(*game.Stock(), static_cast<int>(game.Stock()->Count()) - 1);
    EXPECT_TRUE(game.Save(path));
    return game.History().Count();
}

}  // namespace

// "/o FILE" opens the file's own game with its moves.
TEST_F(clChooserTest, ASavedGameOnTheCommandLineOpensItsGame) {
    const std::filesystem::path file = folder.Path() / "mine.qarvel";
    const std::size_t moves = SaveKlondikeWithAMove(file);
    ASSERT_GE(moves, 1u);
    clCommandLine line;
    line.file = file.string();
    ASSERT_TRUE(window->Start(line));
    ASSERT_NE(window->PlayingScreen(), nullptr);
    EXPECT_EQ(window->PlayingScreen()->DisplayName(), "Klondike");
    EXPECT_EQ(window->PlayingScreen()->DealNumber(), 7);
    EXPECT_EQ(window->PlayingScreen()->History().Count(), moves);
}

// A file on the command line that is no saved game, or none at all, is
// refused with a word; the chooser opens as without it.
TEST_F(clChooserTest, ARefusedSavedGameOnTheCommandLineSaysWhy) {
    const std::filesystem::path junk = folder.Path() / "junk.qarvel";
    std::ofstream(junk) << "not a game";
    // Nothing that is not a regular file is waited on or read without end.
    const std::filesystem::path fifo = folder.Path() / "fifo.qarvel";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path zero = folder.Path() / "zero.qarvel";
    std::filesystem::create_symlink("/dev/zero", zero);
    const clHangGuard guard("a saved game on the command line that is no regular file");
    for (const std::filesystem::path& file : {junk, folder.Path() / "missing.qarvel", fifo, zero}) {
        window = std::make_unique<clMainWindow>(*program, dialogs);
        dialogs.messages.clear();
        clCommandLine line;
        line.file = file.string();
        ASSERT_TRUE(window->Start(line));
        QApplication::processEvents();
        EXPECT_EQ(window->PlayingScreen(), nullptr);
        ASSERT_EQ(dialogs.messages.size(), 1u) << file;
        EXPECT_EQ(dialogs.messages.front(), RefusedFileMessage(file));
        window->close();
    }
}

// A file of another game, opened from a game, switches to that game.
TEST_F(clChooserTest, OpeningAnotherGamesFileSwitchesGames) {
    const std::filesystem::path file = folder.Path() / "other.qarvel";
    const std::size_t moves = SaveKlondikeWithAMove(file);
    ShowChooser();
    ASSERT_TRUE(window->StartGame("FreeCell"));
    window->PlayingScreen()->OpenFile(file.string());
    for (int i = 0; i < 50 && window->PlayingScreen()->DisplayName() != "Klondike"; ++i) {
        QTest::qWait(10);
    }
    EXPECT_EQ(window->PlayingScreen()->DisplayName(), "Klondike");
    EXPECT_EQ(window->PlayingScreen()->History().Count(), moves);
}

// Leaving a game with moves keeps it: the next visit resumes it.
TEST_F(clChooserTest, ALeftGameResumesFromItsAutomaticSave) {
    ShowChooser();
    ASSERT_TRUE(window->StartGame("Klondike"));
    auto& game = dynamic_cast<clSolitaireRules&>(*window->PlayingScreen());
    const std::int32_t deal = game.DealNumber();
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, PointOf(*game.Stock()->Top()));
    const std::size_t moves = game.History().Count();
    ASSERT_GE(moves, 1u);
    window->ExecuteCommand(40001);
    ASSERT_TRUE(window->StartGame("Klondike"));
    EXPECT_EQ(window->PlayingScreen()->DealNumber(), deal);
    EXPECT_EQ(window->PlayingScreen()->History().Count(), moves);
}

// A second start hands its saved game to the running game.
TEST_F(clChooserTest, ASavedGameHandedToTheRunningGameOpens) {
    const std::filesystem::path file = folder.Path() / "handed.qarvel";
    const std::size_t moves = SaveKlondikeWithAMove(file);
    ShowChooser();
    clStartRequests requests;
    const QString channel =
        QStringLiteral("qarvel-test-%1").arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(requests.Listen(channel, [this](const std::string& game, const std::string& path) {
        window->HandleStartRequest(game, path);
    }));
    ASSERT_TRUE(clStartRequests::Send(channel, "", file.string()));
    for (int i = 0; i < 100 && !window->PlayingScreen(); ++i)
        QTest::qWait(10);
    ASSERT_NE(window->PlayingScreen(), nullptr);
    EXPECT_EQ(window->PlayingScreen()->DisplayName(), "Klondike");
    EXPECT_EQ(window->PlayingScreen()->History().Count(), moves);
    // A game name alone starts that game.
    ASSERT_TRUE(clStartRequests::Send(channel, "golf", ""));
    for (int i = 0; i < 100 && window->PlayingScreen()->DisplayName() != "Golf"; ++i) {
        QTest::qWait(10);
    }
    EXPECT_EQ(window->PlayingScreen()->DisplayName(), "Golf");
}

TEST_F(clChooserTest, ADoubleClickPlaysTheGame) {
    clGameList& list = ShowChooser();
    list.ViewDetails();
    const auto names = ListedNames();
    const int row = static_cast<int>(std::find(names.begin(), names.end(), "Golf") - names.begin());
    QTreeView* details = list.Details();
    const QModelIndex golf = details->model()->index(row, 0);
    details->scrollTo(golf);
    QApplication::processEvents();
    const QPoint at = details->visualRect(golf).center();
    QTest::mouseClick(details->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(details->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_TRUE(WaitForGame());
    EXPECT_EQ(window->PlayingScreen()->DisplayName(), "Golf");
}

// Every view selects as Details does: a click or an arrow key selects the
// game, the status line names it, and Play, Rules, Statistics and the context
// menu's items come alive.
TEST_F(clChooserTest, EveryViewSelectsByClickAndArrowKeys) {
    clGameList& list = ShowChooser();
    const int views[] = {clCommand::kLargeIcons, clCommand::kLargeIcons + 1,
                         clCommand::kLargeIcons + 2, clCommand::kDetails};
    for (const int command : views) {
        SCOPED_TRACE(command);
        window->ExecuteCommand(command);
        list.Select(-1);
        ShownView()->selectionModel()->clear();
        EXPECT_EQ(StatusLine(), " 75 games");
        EXPECT_FALSE(window->Action(clCommand::kNew)->isEnabled());
        EXPECT_FALSE(ContextMenuAt(QPoint(2, 2)).at("Play"));

        QTest::mouseClick(ShownView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          PointOfGame("Golf"));
        EXPECT_EQ(StatusLine(), " Golf [Golf Game] - no games finished");
        for (int item : {clCommand::kNew, clCommand::kTakeScore, clCommand::kStatistics})
            EXPECT_TRUE(window->Action(item)->isEnabled()) << item;
        const std::map<std::string, bool> menu = ContextMenuAt(PointOfGame("Golf"));
        EXPECT_TRUE(menu.at("Play"));
        EXPECT_TRUE(menu.at("Rules"));
        EXPECT_TRUE(menu.at("Statistics"));

        // The next game in the view's own order.
        QTest::keyClick(ShownView(), command == clCommand::kLargeIcons + 1 ? Qt::Key_Down
                                     : command == clCommand::kDetails      ? Qt::Key_Down
                                                                           : Qt::Key_Right);
        ASSERT_NE(list.Selected(), nullptr);
        EXPECT_NE(list.Selected()->row->displayName, "Golf");
        EXPECT_NE(StatusLine().find(std::string(list.Selected()->row->displayName)),
                  std::string::npos);
    }
    // Enter plays the selected game from an icon view too.
    window->ExecuteCommand(clCommand::kLargeIcons);
    QTest::mouseClick(ShownView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      PointOfGame("Spider"));
    QTest::keyClick(ShownView(), Qt::Key_Return);
    ASSERT_TRUE(WaitForGame());
    EXPECT_EQ(window->PlayingScreen()->DisplayName(), "Spider");
}

// A menu's status tips pass over the line and leave it as it was.
TEST_F(clChooserTest, TheStatusLineOutlivesTheMenus) {
    ShowChooser();
    ASSERT_EQ(StatusLine(), " 75 games");
    QStatusTipEvent tip(QStringLiteral("Starts a new game"));
    QApplication::sendEvent(window.get(), &tip);
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Starts a new game"));
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(window.get(), &gone);
    EXPECT_EQ(StatusLine(), " 75 games");
}

TEST_F(clChooserTest, AnEmptyFilterSaysWhy) {
    clGameList& list = ShowChooser();
    const struct {
        int filter;
        const char* hint;
    } cases[] = {
        {3, "No games finished yet: the games you play most will be listed here"},
        {4, "No games played yet: the games you played last will be listed here"},
    };
    for (const auto& c : cases) {
        ClickFilter(c.filter);
        ASSERT_TRUE(list.Listed().empty());
        ASSERT_TRUE(list.EmptyHint()->isVisible()) << c.filter;
        EXPECT_EQ(list.EmptyHint()->text().toStdString(), c.hint);
        EXPECT_TRUE(ShownView()->geometry().contains(list.EmptyHint()->geometry()));
    }
    ClickFilter(0);
    EXPECT_FALSE(list.EmptyHint()->isVisible());
}

// A game left with a move made resumes from its automatic save; the chooser
// marks it, and only it, in every view (the views share its items).
TEST_F(clChooserTest, AGameInProgressIsMarked) {
    ShowChooser();
    ASSERT_TRUE(window->StartGame("Klondike"));
    auto& game = dynamic_cast<clSolitaireRules&>(*window->PlayingScreen());
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, PointOf(*game.Stock()->Top()));
    window->ExecuteCommand(clCommand::kExit);
    ASSERT_EQ(window->PlayingScreen(), nullptr);
    clGameList& list = List();
    std::vector<std::string> marked;
    for (const clGameRecord* record : list.Listed()) {
        if (list.HasSavedGame(*record)) marked.emplace_back(record->row->displayName);
    }
    EXPECT_EQ(marked, std::vector<std::string>{"Klondike"});
    const auto names = ListedNames();
    const int row =
        static_cast<int>(std::find(names.begin(), names.end(), "Klondike") - names.begin());
    const QAbstractItemModel* items = list.Details()->model();
    EXPECT_EQ(items->index(row, 0).data(Qt::ToolTipRole).toString(),
              QStringLiteral("A game in progress is saved"));
    EXPECT_FALSE(items->index(row == 0 ? 1 : 0, 0).data(Qt::ToolTipRole).isValid());
}

// The chooser's buttons show their captions; the game's show tool tips.
TEST_F(clChooserTest, ToolButtonsHaveCaptionsAndTips) {
    ShowChooser();
    QToolBar* tools = window->ToolBar();
    EXPECT_EQ(tools->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    std::vector<std::string> captions;
    for (QAction* action : tools->actions()) {
        if (auto* button = qobject_cast<QToolButton*>(tools->widgetForAction(action))) {
            captions.push_back(button->text().toStdString());
            EXPECT_GT(button->height(), button->iconSize().height() + 8) << captions.back();
        }
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Random", "Options", "Web Site", "High Scores",
                                                  "Help", "Exit"}));
    ASSERT_TRUE(window->StartGame("Klondike"));
    EXPECT_EQ(tools->toolButtonStyle(), Qt::ToolButtonIconOnly);
    int buttons = 0;
    for (QAction* action : tools->actions()) {
        if (auto* button = qobject_cast<QToolButton*>(tools->widgetForAction(action))) {
            ++buttons;
            EXPECT_FALSE(button->toolTip().isEmpty());
        }
    }
    EXPECT_EQ(buttons, 8);
}

// Pictures to look at: the chooser in each view with a game selected, and an
// empty filter (run with a 1600 x 1000 offscreen screen, and with
// QT_SCALE_FACTOR=2 for the @2x ones).
TEST_F(clChooserTest, Screenshots) {
    ShowChooser();
    const QString folder = QStringLiteral(QARVEL_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    const QString scale = window->devicePixelRatioF() > 1 ? QStringLiteral("@2x") : QString();
    const char* names[] = {"large-icons", "small-icons", "list", "details"};
    ASSERT_TRUE(QTest::qWaitFor([this] { return !List().ArePreviewsBusy(); }, 60000));
    for (const bool maximised : {false, true}) {
        if (maximised) {
            window->showMaximized();
        } else {
            ResizeWindow(QSize(800, 600));
        }
        QApplication::processEvents();
        for (int view = 0; view < 4; ++view) {
            window->ExecuteCommand(clCommand::kLargeIcons + view);
            QTest::mouseClick(ShownView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                              PointOfGame("Klondike Deal Three"));
            QApplication::processEvents();
            window->grab().save(folder + QStringLiteral("/chooser-%1-%2%3.png")
                                             .arg(QString::fromLatin1(names[view]),
                                                  maximised ? QStringLiteral("maximised")
                                                            : QStringLiteral("800x600"),
                                                  scale));
        }
    }
    ClickFilter(3);
    window->grab().save(folder + QStringLiteral("/chooser-empty%1.png").arg(scale));
}

// The pane beside the list shows the selected game's table, drawn by the
// game itself, its summary and the player's figures; View > Preview hides it
// and gives the list its room.
TEST_F(clChooserTest, ThePreviewPaneShowsTheSelectedGame) {
    SetPlayed("Golf", 3, 4200, 2100, 900, 9);
    clGameList& list = ShowChooser();
    window->ExecuteCommand(clCommand::kDetails);
    ASSERT_TRUE(list.PreviewPane()->isVisible());
    EXPECT_NE(list.PreviewText()->text().indexOf(QStringLiteral("Select a game")), -1);
    const int listWidth = list.Details()->width();

    QTest::mouseClick(ShownView()->viewport(), Qt::LeftButton, Qt::NoModifier, PointOfGame("Golf"));
    ASSERT_TRUE(
        QTest::qWaitFor([&list] { return !list.PreviewPicture()->pixmap().isNull(); }, 30000));
    const QImage table = list.PreviewPicture()->pixmap().toImage();
    EXPECT_LE(table.width(), clGamePreviews::kSize.width());
    // Cards lie on the felt: far more than one colour.
    std::set<QRgb> colours;
    for (int x = 0; x < table.width(); x += 3)
        colours.insert(table.pixel(x, table.height() / 2));
    EXPECT_GT(colours.size(), 10u);
    const QString text = list.PreviewText()->text();
    EXPECT_NE(text.indexOf(QStringLiteral("Golf Game")), -1) << text.toStdString();
    EXPECT_NE(text.indexOf(QStringLiteral("4200")), -1) << text.toStdString();
    EXPECT_FALSE(QString::fromStdString(
                     GameSummary(program->DataFolder() / "help", list.Selected()->row->helpTopic))
                     .isEmpty());

    window->Action(clCommand::kPreviewPane)->trigger();
    EXPECT_FALSE(list.PreviewPane()->isVisible());
    EXPECT_GT(list.Details()->width(), listWidth);
    EXPECT_FALSE(program->Settings().Flag(clFlag::Preview));
    EXPECT_FALSE(window->Action(clCommand::kPreviewPane)->isChecked());
    window->Action(clCommand::kPreviewPane)->trigger();
    EXPECT_TRUE(list.PreviewPane()->isVisible());
}

// Large Icons shows each game's own table once it is drawn.
TEST_F(clChooserTest, LargeIconsShowEachGamesTable) {
    clGameList& list = ShowChooser();
    window->ExecuteCommand(clCommand::kLargeIcons);
    ASSERT_TRUE(QTest::qWaitFor([&list] { return !list.ArePreviewsBusy(); }, 60000));
    const QAbstractItemModel* items = list.Icons()->model();
    const QIcon first = items->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    const QSize size = first.actualSize(QSize(96, 72));
    EXPECT_GT(size.width(), size.height()) << "a table, wider than high";
    window->ExecuteCommand(clCommand::kDetails);
    const QIcon card = items->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    const QSize small = card.actualSize(QSize(18, 24));
    EXPECT_LT(small.width(), small.height()) << "a card, higher than wide";
}
