// The help window: F1 and the Help Center show the shipped help pages in it;
// links between the pages, Back, Forward and Contents work in it; web and
// mail addresses go to the desktop, and a failure to open one is said.
#include "dialogs/help_window.h"

#include <QDir>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "dialogs/help_center.h"
#include "shell/commands.h"
#include "shell/game_preview.h"
#include "shell/window_fixture.h"
#include "support/hang_guard.h"
#include "support/special_files.h"

namespace {

namespace fs = std::filesystem;

// The name of the page a help window shows ("1060.html").
std::string PageName(const clHelpWindow& help) {
    return help.Browser()->source().fileName().toStdString();
}

class clHelpWindowTest : public clWindowTest {
protected:
    // The main window's help windows.
    QList<clHelpWindow*> HelpWindows() const {
        QList<clHelpWindow*> found;
        for (QObject* child : window->children()) {
            if (auto* help = dynamic_cast<clHelpWindow*>(child)) found << help;
        }
        return found;
    }

    // The one help window, shown.
    clHelpWindow* ShownHelp() const {
        const QList<clHelpWindow*> windows = HelpWindows();
        EXPECT_EQ(windows.size(), 1);
        if (windows.size() != 1 || !windows.front()->isVisible()) return nullptr;
        // Shown to be read: the window the keys go to.
        clHelpWindow* help = windows.front();
        EXPECT_TRUE(QTest::qWaitFor([help] { return QApplication::activeWindow() == help; }));
        return windows.front();
    }

    // The help window's tool-bar button with this caption.
    static QToolButton* Button(clHelpWindow& help, const QString& caption) {
        for (QToolButton* button : help.findChildren<QToolButton*>()) {
            if (button->text() == caption) return button;
        }
        ADD_FAILURE() << "no button " << caption.toStdString();
        return nullptr;
    }

    // A click where a child of the help window is drawn, given to the window
    // as the desktop gives it (so that a modal dialog would block it).
    static void ClickAt(clHelpWindow& help, QWidget& child, const QPoint& at) {
        QTest::mouseClick(help.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          child.mapTo(&help, at));
    }
    static void Click(clHelpWindow& help, const QString& caption) {
        if (QToolButton* button = Button(help, caption)) {
            ClickAt(help, *button, button->rect().center());
        }
    }

    // Clicks the first link to `href` on the shown page, where it is drawn
    // (scrolled into view first).
    static void ClickLink(clHelpWindow& help, const QString& href) {
        QTextBrowser& browser = *help.Browser();
        QTextDocument& document = *browser.document();
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.charFormat().anchorHref() != href) continue;
                QTextCursor cursor(&document);
                cursor.setPosition(fragment.position() + fragment.length() / 2);
                browser.setTextCursor(cursor);
                browser.ensureCursorVisible();
                ClickAt(help, *browser.viewport(), browser.cursorRect(cursor).center());
                return;
            }
        }
        ADD_FAILURE() << "no link to " << href.toStdString() << " on " << PageName(help);
    }

    void KeyOnHelp(clHelpWindow& help, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(help.Browser()->viewport(), key, modifiers);
    }
};

// F1 on a playing screen: the game's own page, at its top, titled by it.
struct clGamePage {
    const char* game;
    const char* page;
};

void PrintTo(const clGamePage& c, std::ostream* out) {
    *out << c.game;
}

class clHelpF1Test : public clHelpWindowTest, public ::testing::WithParamInterface<clGamePage> {};

TEST_P(clHelpF1Test, ShowsTheGamesPage) {
    const clGamePage& c = GetParam();
    ASSERT_TRUE(Open(c.game, 1));
    Press(Qt::Key_F1);
    clHelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(PageName(*help), c.page);
    EXPECT_EQ(help->windowTitle().toStdString(), std::string(c.game) + " - Qarvel");
    EXPECT_EQ(help->Browser()->verticalScrollBar()->value(), 0);
    EXPECT_NE(help->Browser()->toPlainText().indexOf(QString::fromUtf8(c.game)), -1);
    // A window of its own, owned by the game's window.
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->parentWidget(), window.get());
}

// Games of several families, one of them a version that borrows its text
// from another game, and a name that must be escaped in the page.
INSTANTIATE_TEST_SUITE_P(Games, clHelpF1Test,
                         ::testing::Values(clGamePage{"Klondike", "1060.html"},
                                           clGamePage{"Klondike Deal Three", "1062.html"},
                                           clGamePage{"Spider One Suit", "1092.html"},
                                           clGamePage{"Baker's Game", "1113.html"}));

TEST_F(clHelpWindowTest, TheChoosersF1ShowsTheListOfGames) {
    ASSERT_TRUE(window->Start({}));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    clHelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(PageName(*help), "1000.html");
    EXPECT_EQ(help->windowTitle(), QStringLiteral("The Games - Qarvel"));
}

// One help window for the game's window: shown again, not made again, and
// where the player left it.
TEST_F(clHelpWindowTest, F1AgainReusesTheWindow) {
    ASSERT_TRUE(Open("Klondike", 1));
    window->setGeometry(0, 0, 800, 600);
    QApplication::processEvents();
    Press(Qt::Key_F1);
    QPointer<clHelpWindow> help = ShownHelp();
    ASSERT_NE(help, nullptr);
    // The first time over the middle of the game's window, on the screen.
    const QRect screen = help->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(help->frameGeometry())) << help->x() << "," << help->y();
    // (Across the middle: a small screen may keep it from going higher.)
    EXPECT_LE(std::abs(help->frameGeometry().center().x() - window->frameGeometry().center().x()),
              1);
    EXPECT_GE(help->width(), 480);
    EXPECT_GE(help->height(), 360);

    ClickLink(*help, QStringLiteral("1000.html"));
    ASSERT_EQ(PageName(*help), "1000.html");
    help->move(12, 20);
    KeyOnHelp(*help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());

    Press(Qt::Key_F1);
    ASSERT_EQ(ShownHelp(), help.data());
    EXPECT_EQ(PageName(*help), "1060.html");
    EXPECT_EQ(help->pos(), QPoint(12, 20));
    // Shown already: the same window, back on the game's page, at its top.
    ClickLink(*help, QStringLiteral("index.html"));
    Press(Qt::Key_F1);
    EXPECT_EQ(ShownHelp(), help.data());
    EXPECT_EQ(PageName(*help), "1060.html");
    KeyOnHelp(*help, Qt::Key_PageDown);
    ASSERT_GT(help->Browser()->verticalScrollBar()->value(), 0);
    Press(Qt::Key_F1);
    EXPECT_EQ(PageName(*help), "1060.html");
    EXPECT_EQ(help->Browser()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(HelpWindows().size(), 1);
}

TEST_F(clHelpWindowTest, LinksBackForwardAndContents) {
    ASSERT_TRUE(Open("Klondike", 1));
    Press(Qt::Key_F1);
    clHelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    QToolButton* back = Button(*help, QStringLiteral("Back"));
    QToolButton* forward = Button(*help, QStringLiteral("Forward"));
    QToolButton* contents = Button(*help, QStringLiteral("Contents"));
    ASSERT_TRUE(back && forward && contents);
    for (QToolButton* button : {back, forward, contents}) {
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->text().toStdString();
    }
    EXPECT_FALSE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());

    // The games list, a game on it, and back along the way.
    ClickLink(*help, QStringLiteral("1000.html"));
    EXPECT_EQ(PageName(*help), "1000.html");
    EXPECT_EQ(help->windowTitle(), QStringLiteral("The Games - Qarvel"));
    ClickLink(*help, QStringLiteral("1090.html"));
    EXPECT_EQ(PageName(*help), "1090.html");
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Spider - Qarvel"));
    EXPECT_TRUE(back->isEnabled());

    Click(*help, QStringLiteral("Back"));
    EXPECT_EQ(PageName(*help), "1000.html");
    Click(*help, QStringLiteral("Back"));
    EXPECT_EQ(PageName(*help), "1060.html");
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Klondike - Qarvel"));
    EXPECT_FALSE(back->isEnabled());
    Click(*help, QStringLiteral("Forward"));
    EXPECT_EQ(PageName(*help), "1000.html");
    KeyOnHelp(*help, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(PageName(*help), "1090.html");
    EXPECT_FALSE(forward->isEnabled());
    KeyOnHelp(*help, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(PageName(*help), "1000.html");

    // A new way from the middle of the history drops what lay ahead.
    Click(*help, QStringLiteral("Contents"));
    EXPECT_EQ(PageName(*help), "index.html");
    EXPECT_EQ(help->windowTitle(), QStringLiteral("How to Play Qarvel - Qarvel"));
    EXPECT_FALSE(forward->isEnabled());
    Click(*help, QStringLiteral("Back"));
    EXPECT_EQ(PageName(*help), "1000.html");
    KeyOnHelp(*help, Qt::Key_Home, Qt::AltModifier);
    EXPECT_EQ(PageName(*help), "index.html");
    // Nothing went to the desktop.
    EXPECT_TRUE(dialogs.urls.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

// The shipped data with a help folder of the test's own: every other file
// is a link to the build's; the help pages are copies to change.
class clOwnHelpTest : public clHelpWindowTest {
protected:
    void SetUp() override {
        const fs::path shipped = QARVEL_BUILD_DATA_DIR;
        dataFolder = folder.Path() / "shipped";
        fs::create_directories(dataFolder / "help");
        for (const fs::directory_entry& entry : fs::directory_iterator(shipped)) {
            if (entry.path().filename() == "help") continue;
            fs::create_symlink(entry.path(), dataFolder / entry.path().filename());
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(shipped / "help")) {
            fs::copy_file(entry.path(), Help(entry.path().filename().string()));
        }
        clHelpWindowTest::SetUp();
    }

    fs::path Help(const std::string& page) const { return dataFolder / "help" / page; }
    void WritePage(const std::string& page, const std::string& html) const {
        std::ofstream(Help(page), std::ios::binary | std::ios::trunc) << html;
    }
};

// Links to what is not a help page: the desktop opens it, or a message says
// that it could not; the page stays where it was either way.
struct clOutsideLink {
    const char* href;
    bool opens;
};

void PrintTo(const clOutsideLink& c, std::ostream* out) {
    *out << c.href << (c.opens ? " (opens)" : " (fails)");
}

class clOutsideLinkTest : public clOwnHelpTest,
                          public ::testing::WithParamInterface<clOutsideLink> {};

TEST_P(clOutsideLinkTest, GoesToTheDesktop) {
    const clOutsideLink& c = GetParam();
    WritePage("1060.html", std::string("<html><head><title>Klondike</title></head><body>") +
                               "<p>Read more at <a href=\"" + c.href + "\">this place</a>.</p>" +
                               "</body></html>");
    ASSERT_TRUE(Open("Klondike", 1));
    dialogs.urlsOpen = c.opens;
    Press(Qt::Key_F1);
    clHelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    ClickLink(*help, QString::fromUtf8(c.href));
    ASSERT_EQ(dialogs.urls.size(), 1u);
    EXPECT_EQ(dialogs.urls[0], c.href);
    if (c.opens) {
        EXPECT_TRUE(dialogs.messages.empty());
    } else {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_NE(dialogs.messages[0].find("Unable to open"), std::string::npos);
        EXPECT_NE(dialogs.messages[0].find(c.href), std::string::npos) << dialogs.messages[0];
    }
    EXPECT_EQ(PageName(*help), "1060.html");
    EXPECT_TRUE(help->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, clOutsideLinkTest,
    ::testing::Values(clOutsideLink{"https://example.com/qarvel/rules.html", true},
                      clOutsideLink{"http://example.com/", false},
                      clOutsideLink{"mailto:support@ternwick.example", true},
                      clOutsideLink{"mailto:support@ternwick.example", false}));

// A damaged installation: a missing page is said, never shown as a blank
// window, and a link to one leaves the page shown as it was.
TEST_F(clOwnHelpTest, AMissingPageIsSaid) {
    fs::remove(Help("1060.html"));
    fs::remove(Help("1000.html"));
    ASSERT_TRUE(Open("Klondike", 1));
    Press(Qt::Key_F1);
    EXPECT_TRUE(HelpWindows().empty() || !HelpWindows().front()->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("\"1060.html\""), std::string::npos) << dialogs.messages[0];

    // The contents from the Help Center, then its link to the games list.
    dialogs.onDialog = [](clDialog& dialog) {
        const auto& contents = clInterfaceLayout::kHelpHotRectangles[1];
        QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier,
                          QPoint((contents.rect.left + contents.rect.right) / 2,
                                 (contents.rect.top + contents.rect.bottom) / 2));
        return true;
    };
    window->ExecuteCommand(clCommand::kHelpCenter);
    clHelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(PageName(*help), "index.html");
    ClickLink(*help, QStringLiteral("1000.html"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_NE(dialogs.messages[1].find("\"1000.html\""), std::string::npos) << dialogs.messages[1];
    EXPECT_EQ(PageName(*help), "index.html");
    EXPECT_FALSE(help->Browser()->toPlainText().isEmpty());
    EXPECT_TRUE(dialogs.urls.empty());
}

// A page, or its style sheet, that is no regular file (a FIFO, a link to an
// endless device, a folder) is never waited on nor read without end: the page
// is said to be missing, the chooser's summary of it is empty, and a page
// whose style sheet is such a file shows without it.
TEST_F(clOwnHelpTest, AFileThatIsNoRegularFileIsSaidAndNeverWaitedOn) {
    ASSERT_TRUE(Open("Klondike", 1));
    const clHangGuard guard("a help page that is no regular file");
    for (const clSpecialFile kind :
         {clSpecialFile::Fifo, clSpecialFile::LinkToZero, clSpecialFile::Folder}) {
        fs::remove(Help("1060.html"));
        ASSERT_TRUE(MakeSpecialFile(kind, Help("1060.html")));
        EXPECT_EQ(GameSummary(dataFolder / "help", 1060), "");
        dialogs.messages.clear();
        Press(Qt::Key_F1);
        EXPECT_TRUE(HelpWindows().empty() || !HelpWindows().front()->isVisible());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_NE(dialogs.messages[0].find("\"1060.html\""), std::string::npos);
    }

    fs::remove(Help("1060.html"));
    WritePage("1060.html",
              "<html><head><title>Klondike</title>"
              "<link rel=\"stylesheet\" href=\"qarvel.css\"></head>"
              "<body><p>Build the foundations.</p></body></html>");
    fs::remove(Help("qarvel.css"));
    ASSERT_TRUE(MakeSpecialFile(clSpecialFile::Fifo, Help("qarvel.css")));
    dialogs.messages.clear();
    Press(Qt::Key_F1);
    clHelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(PageName(*help), "1060.html");
    EXPECT_NE(help->Browser()->toPlainText().indexOf(QStringLiteral("Build the foundations")), -1);
    EXPECT_TRUE(dialogs.messages.empty());
}

// A web address of the Internet menu that cannot be opened is said.
TEST_F(clHelpWindowTest, AnInternetPageThatCannotBeOpenedIsSaid) {
    ASSERT_TRUE(Open("Klondike", 1));
    dialogs.urlsOpen = false;
    QMenuBar* bar = window->menuBar();
    QMenu* internet = nullptr;
    for (QAction* action : bar->actions()) {
        if (action->isVisible() && action->text() == QStringLiteral("&Internet")) {
            internet = action->menu();
        }
    }
    ASSERT_NE(internet, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(internet->menuAction()).center());
    ASSERT_TRUE(internet->isVisible());
    QAction* site = window->Action(clCommand::kWebSite);
    QTest::mouseClick(internet, Qt::LeftButton, Qt::NoModifier,
                      internet->actionGeometry(site).center());
    ASSERT_EQ(dialogs.urls.size(), 1u);
    EXPECT_NE(dialogs.urls[0].find("/app/index.html"), std::string::npos) << dialogs.urls[0];
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find(dialogs.urls[0]), std::string::npos);
}

// The Help Center's places, clicked where they are drawn: the help pages
// in the help window, the web site's pages on the desktop.
TEST_F(clHelpWindowTest, HelpCenterTilesOpenTheHelpWindowOrTheDesktop) {
    ASSERT_TRUE(Open("Klondike", 1));
    const auto clickEach = [this](clDialog& dialog) {
        for (const auto& hot : clInterfaceLayout::kHelpHotRectangles) {
            const std::size_t opened = dialogs.urls.size();
            const QPoint middle((hot.rect.left + hot.rect.right) / 2,
                                (hot.rect.top + hot.rect.bottom) / 2);
            QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, middle);
            if (hot.webPage.empty()) {
                EXPECT_EQ(dialogs.urls.size(), opened) << hot.caption;
                clHelpWindow* help = ShownHelp();
                ASSERT_NE(help, nullptr) << hot.caption;
                EXPECT_EQ(PageName(*help), hot.helpTopic > 0
                                               ? std::to_string(hot.helpTopic) + ".html"
                                               : std::string("index.html"))
                    << hot.caption;
            } else {
                ASSERT_EQ(dialogs.urls.size(), opened + 1) << hot.caption;
                EXPECT_NE(dialogs.urls.back().find("/app/" + std::string(hot.webPage) + ".html"),
                          std::string::npos)
                    << dialogs.urls.back();
            }
        }
    };
    dialogs.onDialog = [&](clDialog& dialog) {
        clickEach(dialog);
        return true;
    };
    window->ExecuteCommand(clCommand::kHelpCenter);
    EXPECT_EQ(HelpWindows().size(), 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The Help Center is modal; the help window it opens is used over it.
TEST_F(clHelpWindowTest, TheHelpWindowWorksOverTheModalHelpCenter) {
    ASSERT_TRUE(Open("Klondike", 1));
    const auto useOverIt = [this](clDialog& dialog) {
        dialog.hide();
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        const auto& contents = clInterfaceLayout::kHelpHotRectangles[1];
        ASSERT_TRUE(contents.webPage.empty() && contents.helpTopic == 0);
        QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier,
                          QPoint((contents.rect.left + contents.rect.right) / 2,
                                 (contents.rect.top + contents.rect.bottom) / 2));
        clHelpWindow* help = ShownHelp();
        ASSERT_NE(help, nullptr);
        ClickLink(*help, QStringLiteral("1000.html"));
        EXPECT_EQ(PageName(*help), "1000.html");
        Click(*help, QStringLiteral("Back"));
        EXPECT_EQ(PageName(*help), "index.html");
    };
    dialogs.onDialog = [&](clDialog& dialog) {
        useOverIt(dialog);
        return true;
    };
    window->ExecuteCommand(clCommand::kHelpCenter);
    // Still the game window's, and usable, once the Help Center is gone.
    clHelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    ClickLink(*help, QStringLiteral("1000.html"));
    EXPECT_EQ(PageName(*help), "1000.html");
}

// Pictures of the help window over the game's window, to look at
// (build/screenshots; run again with QT_SCALE_FACTOR=2 for the @2x ones).
TEST_F(clHelpWindowTest, Screenshots) {
    ASSERT_TRUE(Open("Klondike", 1));
    const QString shots = QStringLiteral(QARVEL_SCREENSHOT_DIR);
    QDir().mkpath(shots);
    const qreal scale = window->devicePixelRatioF();
    const QString suffix = scale > 1 ? QStringLiteral("@%1x").arg(scale) : QString();
    for (const QSize size : {QSize(800, 600), QSize(1600, 1000)}) {
        window->setGeometry(QRect(QPoint(0, 0), size));
        QApplication::processEvents();
        Press(Qt::Key_F1);
        clHelpWindow* help = ShownHelp();
        ASSERT_NE(help, nullptr);
        QApplication::processEvents();
        const QString name =
            QStringLiteral("%1x%2%3").arg(size.width()).arg(size.height()).arg(suffix);
        EXPECT_TRUE(help->grab().save(shots + QStringLiteral("/help-window-") + name +
                                      QStringLiteral(".png")));
        // Where it stands over the game's window.
        QPixmap both = window->grab();
        {
            QPainter painter(&both);
            painter.drawPixmap(help->geometry().topLeft() - window->geometry().topLeft(),
                               help->grab());
        }
        EXPECT_TRUE(
            both.save(shots + QStringLiteral("/help-over-game-") + name + QStringLiteral(".png")));
        delete help;  // the next one is placed afresh
    }
}

}  // namespace
