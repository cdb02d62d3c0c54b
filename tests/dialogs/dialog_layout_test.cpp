// Every dialog at the desktop's default font and at one and a half times its
// size: no text, caption or column is cut off, no control reaches out of its
// place, the statistics text shows whole, and numbers get boxes of a number's
// width. Pictures of the dialogs go to the screenshot folder.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <string>
#include <vector>

#include "dialogs/dialog_fixture.h"
#include "dialogs/game_over_dialog.h"
#include "dialogs/high_scores_dialog.h"
#include "dialogs/identity_fields.h"
#include "dialogs/options_sheet.h"
#include "dialogs/round_over_dialog.h"
#include "dialogs/small_dialogs.h"
#include "dialogs/stats_dialog.h"
#include "online/online_scores.h"
#include "shell/commands.h"
#include "shell/picture_windows.h"
#include "shell/window_fixture.h"
#include "toolkit/qt_date_format.h"

namespace {

// How a widget is named in a failure: its class and its text.
std::string NameOf(const QWidget* widget) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) text = button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) text = group->title();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) text = combo->currentText();
    return std::string(widget->metaObject()->className()) + " \"" + text.toStdString() + "\"";
}

std::string SizeText(const QSize& size) {
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// The room a button's own text and picture need, without the least width
// the style gives buttons.
QSize ButtonContents(const QAbstractButton& button) {
    const QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    QSize contents = text;
    if (!button.icon().isNull()) {
        contents.rwidth() += button.iconSize().width() + 4;
        contents.setHeight(std::max(contents.height(), button.iconSize().height()));
    }
    QStyleOptionButton option;
    option.initFrom(&button);
    option.iconSize = button.iconSize();
    QStyle::ContentsType type = QStyle::CT_PushButton;
    if (qobject_cast<const QCheckBox*>(&button)) type = QStyle::CT_CheckBox;
    if (qobject_cast<const QRadioButton*>(&button)) type = QStyle::CT_RadioButton;
    return button.style()->sizeFromContents(type, &option, contents, &button);
}

// What a player could not read or reach in a shown window: texts, captions,
// columns and list lines cut off, and controls squeezed below what their
// contents need or reaching out of their parent.
std::vector<std::string> ClippedParts(QWidget& window) {
    std::vector<std::string> problems;
    auto report = [&problems](const QWidget* widget, const std::string& what) {
        problems.push_back(NameOf(widget) + ": " + what);
    };
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.push_back(&window);
    for (QWidget* widget : widgets) {
        if (!widget->isVisibleTo(&window) && widget != &window) continue;
        const QSize size = widget->size();
        if (QLayout* layout = widget->layout()) {
            const QSize least = layout->totalMinimumSize();
            if (size.width() < least.width() || size.height() < least.height()) {
                report(widget, SizeText(size) + " is below its contents' " + SizeText(least));
            }
        }
        if (widget != &window && widget->parentWidget() &&
            !widget->parentWidget()->rect().contains(widget->geometry())) {
            report(widget, "reaches out of its parent " + NameOf(widget->parentWidget()));
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->text().isEmpty()) continue;
            const QRect room = label->contentsRect();
            const int height = label->wordWrap()
                                   ? label->heightForWidth(label->width())
                                   : label->fontMetrics().size(0, label->text()).height();
            const int width =
                label->wordWrap() ? 0 : label->fontMetrics().size(0, label->text()).width();
            if (width > room.width() || height > room.height()) {
                report(label, "text cut off in " + SizeText(room.size()));
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (button->text().isEmpty()) continue;
            const QSize needed = ButtonContents(*button);
            if (needed.width() > size.width() || needed.height() > size.height()) {
                report(button, "caption needs " + SizeText(needed) + ", has " + SizeText(size));
            }
        } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QSize text(combo->fontMetrics().boundingRect(combo->currentText()).width(),
                             combo->fontMetrics().height());
            const QSize needed =
                combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, combo);
            if (needed.width() > size.width()) {
                report(combo, "text needs " + SizeText(needed) + ", has " + SizeText(size));
            }
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (!tabs->rect().contains(tabs->tabRect(i)))
                    report(tabs, "tab " + tabs->tabText(i).toStdString() + " cut off");
            }
        } else if (const auto* table = qobject_cast<const QTableView*>(widget)) {
            const QHeaderView* header = table->horizontalHeader();
            const auto* view = static_cast<const QAbstractItemView*>(table);
            for (int i = 0; i < header->count(); ++i) {
                if (header->isSectionHidden(i)) continue;
                const int needed = std::max(header->sectionSizeHint(i), view->sizeHintForColumn(i));
                if (header->sectionSize(i) < needed) {
                    report(table, "column " + std::to_string(i) + " is " +
                                      std::to_string(header->sectionSize(i)) + " wide, needs " +
                                      std::to_string(needed));
                }
            }
            if (header->length() > table->viewport()->width()) {
                report(table, "columns " + std::to_string(header->length()) +
                                  " wide beyond the list's " +
                                  std::to_string(table->viewport()->width()));
            }
        } else if (const auto* list = qobject_cast<const QListWidget*>(widget)) {
            const auto* view = static_cast<const QAbstractItemView*>(list);
            if (list->count() > 0 && list->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff &&
                view->sizeHintForColumn(0) > list->viewport()->width()) {
                report(list, "lines cut off at the right");
            }
        }
    }
    return problems;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += "\n  " + line;
    return text;
}

// Whether a list shows all its lines without scrolling.
bool ShowsEveryLine(const QListWidget& list) {
    int height = 0;
    const auto& view = static_cast<const QAbstractItemView&>(list);
    for (int i = 0; i < list.count(); ++i)
        height += view.sizeHintForRow(i);
    return height <= list.viewport()->height();
}

// The desktop's font at a scale, for the length of a test.
class clFontScale {
public:
    explicit clFontScale(double scale) : original(QApplication::font()) {
        QFont font = original;
        font.setPointSizeF(original.pointSizeF() * scale);
        QApplication::setFont(font);
    }
    ~clFontScale() { QApplication::setFont(original); }
    clFontScale(const clFontScale&) = delete;
    clFontScale& operator=(const clFontScale&) = delete;

private:
    QFont original;
};

QString ScaleName(double scale) {
    return scale == 1.0 ? QStringLiteral("") : QStringLiteral("-%1x").arg(scale);
}

void Screenshot(QWidget& window, const QString& name, double scale) {
    QDir().mkpath(QStringLiteral(QARVEL_SCREENSHOT_DIR));
    const QString file =
        QStringLiteral(QARVEL_SCREENSHOT_DIR "/%1%2.png").arg(name, ScaleName(scale));
    EXPECT_TRUE(window.grab().save(file)) << file.toStdString();
}

// Shows a window and checks it; a name gives a picture of it too.
void Check(QWidget& window, double scale, const QString& picture = {}) {
    if (!window.isVisible()) window.show();
    QApplication::processEvents();
    EXPECT_EQ(ClippedParts(window), std::vector<std::string>{})
        << window.windowTitle().toStdString() << " at " << scale
        << "x:" << Joined(ClippedParts(window));
    if (!picture.isEmpty()) Screenshot(window, picture, scale);
}

constexpr double kScales[] = {1.0, 1.5};

class ScoreDialogLayoutTest : public clScoreDialogTest,
                              public ::testing::WithParamInterface<double> {
protected:
    ScoreDialogLayoutTest() : scale(GetParam()) {
        settings.SetFlag(clFlag::DateTime, true);
        Log("doubleklondikekingsdealthree", {12345, 999, 250000, 70, 1500, 800, 30, 65000});
        Log("klondike", {300, 900});
        Log("golf", {50});
        Load("doubleklondikekingsdealthree", "Double Klondike Kings Deal Three");
    }

    // The dialogs with the locale's date formats, as the game shows them.
    clScoreServices Services() {
        return {settings,         folders,           clock,
                messages,         localFormat,       services.playSound,
                services.openUrl, services.askYesNo, nullptr};
    }

    double scale;
    clFontScale font{scale};
    clQtDateFormat localFormat;
};

TEST_P(ScoreDialogLayoutTest, StatisticsGameOverAndRoundOverShowEverything) {
    for (bool online : {true, false}) {
        SCOPED_TRACE(online ? "online" : "offline");
        settings.SetFlag(clFlag::Online, online);
        const QString suffix = online ? QString() : QStringLiteral("-offline");
        {
            clStatsDialog dialog(Services(), statistics, "Double Klondike Kings Deal Three",
                                 "doubleklondikekingsdealthree");
            Check(dialog, scale, QStringLiteral("statistics") + suffix);
            EXPECT_TRUE(ShowsEveryLine(*dialog.SummaryList()));
        }
        {
            clGameOverDialog dialog(Services(), statistics, "Double Klondike Kings Deal Three",
                                    "doubleklondikekingsdealthree", 65000, 12);
            Check(dialog, scale, QStringLiteral("gameover") + suffix);
            EXPECT_TRUE(ShowsEveryLine(*dialog.SummaryList()));
        }
        {
            clOnlineScores scores(settings, clock);
            clRoundOverDialog dialog(Services(), statistics, "Double Klondike Kings Deal Three",
                                     "doubleklondikekingsdealthree", 65000, 12, scores);
            Check(dialog, scale, QStringLiteral("roundover") + suffix);
            EXPECT_TRUE(ShowsEveryLine(*dialog.SummaryList()));
        }
    }
}

// Before and after a submission, which fills the rank columns.
TEST_P(ScoreDialogLayoutTest, HighScoresShowEveryColumn) {
    clLoopbackScoreServer server;
    ASSERT_TRUE(server.IsListening());
    server.Add("Klondike", {1000, 2000, 3000});
    ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
    clHighScoresDialog dialog(Services());
    Check(dialog, scale, QStringLiteral("highscores"));
    Type(*dialog.Identity(), kAnn);
    QTest::mouseClick(dialog.SubmitButton(), Qt::LeftButton);
    ASSERT_FALSE(dialog.List()->item(0, 3)->text().isEmpty());
    Check(dialog, scale, QStringLiteral("highscores-submitted"));
}

INSTANTIATE_TEST_SUITE_P(FontScales, ScoreDialogLayoutTest, ::testing::ValuesIn(kScales));

class WindowDialogLayoutTest : public clWindowTest, public ::testing::WithParamInterface<double> {
protected:
    void SetUp() override {
        clWindowTest::SetUp();
        ASSERT_TRUE(Open("Klondike", 1));
    }

    // Runs a command that opens one of the small dialogs and checks it.
    void CheckCommand(int command, const QString& picture = {}) {
        int seen = 0;
        dialogs.onDialog = [&](clDialog& dialog) {
            ++seen;
            Check(dialog, scale, picture);
            return false;
        };
        window->ExecuteCommand(command);
        dialogs.onDialog = nullptr;
        EXPECT_EQ(seen, 1) << command;
    }

    double scale = GetParam();
    clFontScale font{scale};
};

TEST_P(WindowDialogLayoutTest, TheOptionsMenusDialogsShowEverything) {
    CheckCommand(clCommand::kHelpCenter, QStringLiteral("helpcenter"));
    CheckCommand(clCommand::kCardBacks, QStringLiteral("cardbacks"));
    CheckCommand(clCommand::kCustomSize);
    CheckCommand(clCommand::kGameOptions);
}

TEST_P(WindowDialogLayoutTest, EveryPageOfTheOptionsShowsEverything) {
    dialogs.onOptions = [this](clOptionsSheet& sheet) {
        const char* names[] = {"general", "graphics", "background", "players"};
        for (int page = 0; page < 4; ++page) {
            SCOPED_TRACE(names[page]);
            sheet.ShowPage(page);
            Check(sheet, scale, QStringLiteral("options-%1").arg(QLatin1String(names[page])));
        }
    };
    window->ExecuteCommand(clCommand::kOptions);
}

// A box for a number is as wide as the number it takes, not as the page.
TEST_P(WindowDialogLayoutTest, NumberBoxesAreANumbersWidth) {
    dialogs.onOptions = [](clOptionsSheet& sheet) {
        sheet.ShowPage(0);
        clOptionsPage* general = sheet.General();
        sheet.ShowPage(3);
        clPlayersPage* players = sheet.Players();
        for (QLineEdit* box :
             {general->MostPlayed(), general->MostRecent(), players->TimeoutEdit()}) {
            const int digits =
                box->fontMetrics().horizontalAdvance(QStringLiteral("0")) * box->maxLength();
            EXPECT_GE(box->width(), digits) << box->maxLength();
            EXPECT_LE(box->width(), 2 * digits + 24);
        }
    };
    window->ExecuteCommand(clCommand::kOptions);
}

// The questions, with the longest texts they can hold.
TEST_P(WindowDialogLayoutTest, QuestionsShowEverything) {
    const std::string name(clNameDialog::kMaxLength, 'W');
    clPromptDialog plain(window.get(), "Do you want to resign the current game?", "New Game",
                         false);
    plain.Prepare();
    Check(plain, scale);
    clPromptDialog deletion(window.get(), "Are you sure that you want to delete '" + name + "'?",
                            "Delete Player", false,
                            "Also delete the statistics and saved games of '" + name + "'");
    deletion.Prepare();
    Check(deletion, scale, QStringLiteral("deleteplayer"));
    clNameDialog first(nullptr, "Qarvel", clNameDialog::kFirstStartText, "tester");
    first.Prepare();
    Check(first, scale);
}

// The first start asks for a name over the splash, in its middle and above
// it; the player types a name and presses Enter.
TEST_P(WindowDialogLayoutTest, FirstStartQuestionShowsOverTheSplash) {
    QPointer<clSplashWindow> splash = clSplashWindow::Show(program->SplashPicture());
    ASSERT_NE(splash, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    clFirstPlayerPrompt prompt;
    prompt.over = splash;
    int shown = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<clNameDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no name question";
            return;
        }
        ++shown;
        EXPECT_LE(
            (dialog->frameGeometry().center() - splash->frameGeometry().center()).manhattanLength(),
            2);
        EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(dialog->Edit()->text(), QStringLiteral("tester"));
        Check(*dialog, scale);
        // What the player sees: the question on the splash.
        const QRect both = splash->frameGeometry().united(dialog->frameGeometry());
        QImage picture(both.size(), QImage::Format_RGB32);
        picture.fill(Qt::black);
        {
            QPainter painter(&picture);
            painter.drawPixmap(splash->geometry().topLeft() - both.topLeft(), splash->grab());
            painter.drawPixmap(dialog->geometry().topLeft() - both.topLeft(), dialog->grab());
        }
        QDir().mkpath(QStringLiteral(QARVEL_SCREENSHOT_DIR));
        picture.save(
            QStringLiteral(QARVEL_SCREENSHOT_DIR "/firststart%1.png").arg(ScaleName(scale)));
        // The suggestion is selected: typing replaces it.
        QTest::keyClicks(dialog->Edit(), QStringLiteral("Ann"));
        QTest::keyClick(dialog->Edit(), Qt::Key_Return);
        if (dialog->isVisible()) dialog->reject();
    });
    EXPECT_EQ(prompt.AskPlayerName("tester"), std::optional<std::string>("Ann"));
    EXPECT_EQ(shown, 1);
    splash->close();
}

INSTANTIATE_TEST_SUITE_P(FontScales, WindowDialogLayoutTest, ::testing::ValuesIn(kScales));

}  // namespace
