// Hint and the status bar's "can this deal still be won" indicator, as a
// player meets them: the key, the cards picked out on the table, the cost,
// the indicator's word, and the mark a hinted game leaves in the statistics.
#include <QDir>
#include <QLabel>
#include <QStatusBar>

#include "cards/card.h"
#include "graphics/display.h"
#include "piles/pile.h"
#include "player/statistics.h"
#include "shell/commands.h"
#include "shell/hint_control.h"
#include "shell/window_fixture.h"
#include "solver/solver.h"

namespace {

constexpr int kWaitMs = 30000;

class clHintTest : public clWindowTest {
protected:
    void SetUp() override {
        clWindowTest::SetUp();
        // A key sent with Ctrl held leaves the application's modifiers at
        // Ctrl until the next key event, which would hold automatic play
        // back here.
        QTest::keyRelease(window.get(), Qt::Key_Control);
        ASSERT_EQ(QGuiApplication::queryKeyboardModifiers(), Qt::NoModifier);
    }

    // A move of a line, as the rules take it.
    void Play(const clMove& move) {
        ASSERT_TRUE(Game().ValidateMove(move));
        ASSERT_TRUE(Game().CommitPlayedMove(move));
    }

    clHintControl& Hints() const { return *window->Hints(); }
    QString IndicatorText() const { return Hints().Indicator()->text(); }

    // Until the indicator has its word for the position.
    bool WaitForVerdict() const {
        return QTest::qWaitFor(
            [this] {
                const QString text = IndicatorText();
                return !Hints().IsSearching() && !text.isEmpty() &&
                       text != QStringLiteral("\u2026");
            },
            kWaitMs);
    }

    // A winning line from the position on the screen, found as the window's
    // own searches find it.
    std::vector<clMove> WinningLine() const {
        std::vector<clMove> played;
        for (std::size_t i = 0; i < Game().History().Position(); ++i)
            played.push_back(Game().History().At(i));
        const clSolveResult result =
            SolvePosition(Game().DisplayName(), Game().DealNumber(), played, Game().Options(),
                          {.nodes = 10'000'000, .time = std::chrono::seconds(20)});
        EXPECT_EQ(result.verdict, clVerdict::Won);
        return result.line;
    }

    // The colour of a device pixel of the table as the display holds it.
    std::uint32_t Pixel(clPoint at) const {
        return program->Display().Screen().PixelValue(at.x, at.y) & 0xFFFFFF;
    }
    static clPoint Middle(const clRect& r) {
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Where a move's cards go: the destination's top card, or its empty place.
    clRect DestinationRect(const clMove& move) const {
        const clPile* to = Game().PileAt(move.to);
        EXPECT_NE(to, nullptr);
        if (to == nullptr) return {};
        const clCard& shown = to->Top() ? *to->Top() : to->GetAnchor();
        return Game().Graphics().CardRect(shown).value_or(clRect{});
    }
};

// On a deal one move from its end, H picks out the cards of a move that
// wins, in the inverted colours of a selected card, and its destination;
// the next press takes them off; that move, dragged by the player, wins.
TEST_F(clHintTest, HintShowsAWinningMoveThatThePlayerCanPlay) {
    ASSERT_TRUE(Open("FreeCell", 1));
    const std::vector<clMove> line = WinningLine();
    ASSERT_GT(line.size(), 2u);
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        ASSERT_NO_FATAL_FAILURE(Play(line[i])) << i;
    ASSERT_FALSE(Game().RoundEnded());
    ASSERT_GT(Game().Score(), 0);
    Game().Repaint();

    Type('h');
    ASSERT_TRUE(QTest::qWaitFor([this] { return Hints().ShownHint().has_value(); }, kWaitMs));
    const clMove hint = *Hints().ShownHint();
    ASSERT_EQ(hint.type, clMoveType::Card);
    const clPile* from = Game().PileAt(hint.from);
    ASSERT_NE(from, nullptr);
    const clCard& moved = *from->At(hint.from.Position());
    const clRect source = *Game().Graphics().CardRect(*from->Top());
    const clRect destination = DestinationRect(hint);
    const std::uint32_t sourceLit = Pixel(Middle(source));
    const std::uint32_t destinationLit = Pixel(Middle(destination));
    EXPECT_EQ(IndicatorText(), QStringLiteral("Winnable"));

    // A press elsewhere on the table (on no card) is the next input.
    Click(ToViewport({2, program->Display().VirtualHeight() - 2}));
    EXPECT_FALSE(Hints().ShownHint());
    EXPECT_EQ(Pixel(Middle(source)), ~sourceLit & 0xFFFFFF);
    EXPECT_EQ(Pixel(Middle(destination)), ~destinationLit & 0xFFFFFF);

    const int ended = dialogs.roundsOver + dialogs.gamesOver;
    Drag(PointOf(moved, true), ToViewport(Middle(destination)).toPoint());
    EXPECT_EQ(dialogs.roundsOver + dialogs.gamesOver, ended + 1);
}

// A hint costs what an undo costs, on the same terms: with no score it is
// refused with the reason, and nothing is shown.
TEST_F(clHintTest, AHintIsChargedAsAnUndoIs) {
    ASSERT_TRUE(Open("FreeCell", 1));
    ASSERT_EQ(Game().Score(), 0);
    Type('h');
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              "A hint needs a score above 0: each hint costs 500 points.");
    EXPECT_FALSE(Hints().IsSearching());
    EXPECT_FALSE(Hints().ShownHint());
    EXPECT_FALSE(Hints().GameHinted());

    // Enough points for two hints.
    const std::vector<clMove> line = WinningLine();
    std::size_t played = 0;
    while (Game().Score() <= Game().Points().UndoCost() && played < line.size()) {
        ASSERT_NO_FATAL_FAILURE(Play(line[played]));
        ++played;
    }
    const std::int32_t score = Game().Score();
    ASSERT_GT(score, Game().Points().UndoCost());
    // The menu item is the same command as the key; asked again on the same
    // position, after a press took it away too, the same hint shows free.
    window->Action(clCommand::kHint)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Hints().ShownHint().has_value(); }, kWaitMs));
    EXPECT_EQ(Game().Score(), score - Game().Points().UndoCost());
    const clMove hint = *Hints().ShownHint();
    EXPECT_TRUE(Game().ValidateMove(hint));
    for (const bool pressedFirst : {false, true}) {
        if (pressedFirst) Click(ToViewport({2, program->Display().VirtualHeight() - 2}));
        Type('h');
        ASSERT_TRUE(Hints().ShownHint());
        EXPECT_EQ(*Hints().ShownHint(), hint);
        EXPECT_EQ(Game().Score(), score - Game().Points().UndoCost());
    }
    EXPECT_TRUE(Hints().GameHinted());
}

// A move made while the hint's search runs drops it: no hint appears for
// the old position and nothing is charged; the indicator then speaks of
// the new position.
TEST_F(clHintTest, AMoveCancelsARunningSearch) {
    ASSERT_TRUE(Open("FreeCell", 1));
    const std::vector<clMove> line = WinningLine();
    std::size_t played = 0;
    while (Game().Score() <= 0) {
        ASSERT_LT(played, line.size());
        ASSERT_NO_FATAL_FAILURE(Play(line[played]));
        ++played;
    }
    Game().Repaint();
    // The key and the drag reach the window before it runs its event loop
    // again, so the answer cannot come between them.
    Type('h');
    ASSERT_TRUE(Hints().IsSearching());
    const std::size_t position = Game().History().Position();
    const clMove& next = line[played];
    const clPile* from = Game().PileAt(next.from);
    ASSERT_NE(from, nullptr);
    const QPoint start = PointOf(*from->At(next.from.Position()), true);
    const QPoint end = ToViewport(Middle(DestinationRect(next))).toPoint();
    Mouse(QEvent::MouseButtonPress, start);
    Mouse(QEvent::MouseMove, (start + end) / 2);
    Mouse(QEvent::MouseMove, end);
    Mouse(QEvent::MouseButtonRelease, end);
    ASSERT_GT(Game().History().Position(), position);
    const std::int32_t score = Game().Score();

    ASSERT_TRUE(WaitForVerdict());
    EXPECT_FALSE(Hints().ShownHint());
    EXPECT_EQ(Game().Score(), score);
    EXPECT_FALSE(Hints().GameHinted());
    EXPECT_EQ(IndicatorText(), QStringLiteral("Winnable"));
}

// The indicator's word for a deal that can be won and one whose every line
// has been tried; none on the chooser.
TEST_F(clHintTest, TheIndicatorSaysWhetherTheDealCanStillBeWon) {
    struct clCase {
        const char* game;
        std::int32_t deal;
        const char* word;
    };
    // Baker's Game deal 1 is lost from its deal: no line of any length wins.
    const clCase cases[] = {{"FreeCell", 1, "Winnable"}, {"Baker's Game", 1, "Not winnable"}};
    ASSERT_TRUE(Open("FreeCell", 1));
    for (const clCase& c : cases) {
        SCOPED_TRACE(c.game);
        ASSERT_TRUE(window->StartGame(c.game));
        Game().StartDeal(c.deal);
        EXPECT_TRUE(Hints().Indicator()->isVisible());
        ASSERT_TRUE(WaitForVerdict());
        EXPECT_EQ(IndicatorText(), QString::fromLatin1(c.word));
    }
    window->ShowChooser();
    EXPECT_FALSE(Hints().Indicator()->isVisible());
}

// On a deal no line wins, a hint is still a move (the one that keeps the
// most options open), and the status line says the deal is lost; the game
// over dialog is told the game had a hint.
TEST_F(clHintTest, OnALostDealTheHintSaysSo) {
    ASSERT_TRUE(Open("Baker's Game", 1));  // lost from its deal
    const clCard* ace = Game().Tableau(2)->Top();
    ASSERT_NE(ace, nullptr);
    ASSERT_TRUE(ace->IsAce());
    QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, PointOf(*ace));
    const std::int32_t score = Game().Score();
    ASSERT_GT(score, 0);
    ASSERT_TRUE(WaitForVerdict());
    EXPECT_EQ(IndicatorText(), QStringLiteral("Not winnable"));
    Type('h');
    ASSERT_TRUE(QTest::qWaitFor([this] { return Hints().ShownHint().has_value(); }, kWaitMs));
    EXPECT_TRUE(Game().ValidateMove(*Hints().ShownHint()));
    EXPECT_EQ(Game().Score(), score - Game().Points().UndoCost());
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              "This deal can no longer be won: the hint keeps the most options open.");

    // The game over dialog hears that the game was played with a hint.
    const int gamesOver = dialogs.gamesOver;
    window->ShowGameOver(Game().Score(), Game().Round());
    ASSERT_EQ(dialogs.gamesOver, gamesOver + 1);
    EXPECT_TRUE(dialogs.lastGame.hinted);
}

// A game played with a hint is logged with the mark, one without it
// without. The mark stays with the game when it is left and resumed from
// its automatic save, and goes at the next game.
TEST_F(clHintTest, AHintedGameIsMarkedInTheStatistics) {
    ASSERT_TRUE(Open("FreeCell", 1));
    ASSERT_TRUE(program->Settings().Flag(clFlag::Autosave));
    const auto earn = [&] {
        const std::vector<clMove> line = WinningLine();
        for (std::size_t i = 0; Game().Score() <= 0 && i < line.size(); ++i)
            ASSERT_NO_FATAL_FAILURE(Play(line[i]));
    };
    const auto resignAndLog = [&]() -> std::optional<clScoreRecord> {
        dialogs.yes = true;
        Press(Qt::Key_N, Qt::ControlModifier);
        QTest::keyRelease(window.get(), Qt::Key_Control);
        clStatistics statistics(program->Settings(), program->Players().Folders(),
                                program->Clock());
        statistics.LoadLog(Game().Key(), Game().DisplayName(), false);
        if (statistics.Latest() == nullptr) return std::nullopt;
        return *statistics.Latest();
    };

    earn();
    Type('h');
    ASSERT_TRUE(QTest::qWaitFor([this] { return Hints().ShownHint().has_value(); }, kWaitMs));
    ASSERT_TRUE(Hints().GameHinted());
    window->ShowChooser();
    ASSERT_TRUE(window->StartGame("FreeCell"));
    ASSERT_EQ(Game().DealNumber(), 1);
    EXPECT_TRUE(Hints().GameHinted());
    auto logged = resignAndLog();
    ASSERT_TRUE(logged);
    EXPECT_EQ(logged->kind, clResultKind::Interrupted);
    EXPECT_TRUE(logged->hinted);
    EXPECT_FALSE(Hints().GameHinted());

    Game().StartDeal(2);
    earn();
    logged = resignAndLog();
    ASSERT_TRUE(logged);
    EXPECT_FALSE(logged->hinted);
}

// H hints unless the game labels a pile with it (Gaps' eighth column):
// there H stays the pile's, and Ctrl+H hints. A hint tried with no score
// says so in the status line, which is how the tries show here.
TEST_F(clHintTest, HIsTheHintKeyUnlessAPileAnswersToIt) {
    struct clCase {
        const char* game;
        Qt::KeyboardModifiers modifiers;
        bool hints;
    };
    const clCase cases[] = {
        {"FreeCell", Qt::NoModifier, true},
        {"FreeCell", Qt::ControlModifier, true},
        {"Gaps", Qt::NoModifier, false},
        {"Gaps", Qt::ControlModifier, true},
    };
    ASSERT_TRUE(Open("FreeCell", 1));
    for (const clCase& c : cases) {
        SCOPED_TRACE(std::string(c.game) + (c.modifiers ? " Ctrl+H" : " H"));
        ASSERT_TRUE(window->StartGame(c.game));
        Game().StartDeal(1);
        ASSERT_EQ(Game().Score(), 0);
        window->statusBar()->clearMessage();
        Press(Qt::Key_H, c.modifiers);
        EXPECT_EQ(window->statusBar()->currentMessage().startsWith(QStringLiteral("A hint needs")),
                  c.hints);
    }
}

// Pictures to look at: a hint on a FreeCell table in the middle of its
// game, with the indicator, at a small and a large window.
TEST_F(clHintTest, Screenshots) {
    ASSERT_TRUE(Open("FreeCell", 1));
    const std::vector<clMove> line = WinningLine();
    for (std::size_t i = 0; i < line.size() / 3; ++i)
        ASSERT_NO_FATAL_FAILURE(Play(line[i]));
    ASSERT_GT(Game().Score(), 0);
    const QString scale = window->devicePixelRatioF() > 1 ? QStringLiteral("@2x") : QString();
    const QString folder = QStringLiteral(QARVEL_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    for (const QSize size : {QSize(800, 600), QSize(1600, 1000)}) {
        ResizeWindow(size);
        Game().Repaint();
        // The first H pays for the hint; after the resize it is drawn again.
        Type('h');
        ASSERT_TRUE(QTest::qWaitFor([this] { return Hints().ShownHint().has_value(); }, kWaitMs));
        ASSERT_TRUE(WaitForVerdict());
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(folder + QStringLiteral("/hint-freecell-%1x%2%3.png")
                                                     .arg(size.width())
                                                     .arg(size.height())
                                                     .arg(scale)));
    }
}

}  // namespace
