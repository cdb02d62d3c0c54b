// The High Scores dialog: the best result of every variant the player has
// finished, sorting, and submitting them all.
#include "dialogs/high_scores_dialog.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "dialogs/dialog_fixture.h"
#include "dialogs/identity_fields.h"
#include "online/loopback.h"
#include "toolkit/qt_messages.h"

namespace {

class HighScoresDialogTest : public clScoreDialogTest {
protected:
    std::unique_ptr<clHighScoresDialog> Open() {
        auto dialog = std::make_unique<clHighScoresDialog>(services);
        dialog->show();
        return dialog;
    }

    std::vector<std::string> Headers(const QTableWidget* list) {
        std::vector<std::string> headers;
        for (int i = 0; i < list->columnCount(); ++i)
            headers.push_back(list->horizontalHeaderItem(i)->text().toStdString());
        return headers;
    }
};

TEST_F(HighScoresDialogTest, ListsOnlyTheVariantsThePlayerHasFinished) {
    Log("klondike", {300, 900, 900});
    Log("golf", {50});
    // A log without results gives no row.
    WriteFileBytes(*folders.FilePath("Ann", "freecell.log"), "#QARVEL V1\r\n");
    const auto dialog = Open();
    const QTableWidget* list = dialog->List();
    EXPECT_EQ(Headers(list), (std::vector<std::string>{"Game", "Score", "Round", "Overall Rank",
                                                       "Recent Rank", "Date Played"}));
    // In the registry's order.
    EXPECT_EQ(ColumnTexts(list, 0), (std::vector<std::string>{"Klondike", "Golf"}));
    EXPECT_EQ(ColumnTexts(list, 1), (std::vector<std::string>{"900", "50"}));
    // Of two equal best scores the later ranks better.
    EXPECT_EQ(ColumnTexts(list, 2), (std::vector<std::string>{"3", "1"}));
    EXPECT_EQ(ColumnTexts(list, 3), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(ColumnTexts(list, 5)[0], "2017-08-14 21:05");
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(0x80, 0, 0));
    EXPECT_EQ(messages.Waits(), 1);

    settings.SetFlag(clFlag::DateTime, false);
    EXPECT_EQ(Open()->List()->columnCount(), 5);
}

TEST_F(HighScoresDialogTest, AColumnClickSortsAndASecondClickReverses) {
    Log("klondike", {900});
    Log("golf", {50, 60});
    Log("freecell", {400});
    const auto dialog = Open();
    QTableWidget* list = dialog->List();
    ASSERT_EQ(ColumnTexts(list, 0), (std::vector<std::string>{"Klondike", "Golf", "FreeCell"}));
    ClickHeader(list, 1);
    EXPECT_EQ(ColumnTexts(list, 1), (std::vector<std::string>{"900", "400", "60"}));
    ClickHeader(list, 1);
    EXPECT_EQ(ColumnTexts(list, 1), (std::vector<std::string>{"60", "400", "900"}));
    ClickHeader(list, 0);
    EXPECT_EQ(ColumnTexts(list, 0), (std::vector<std::string>{"FreeCell", "Golf", "Klondike"}));
    // Equal rounds keep the registry's order.
    ClickHeader(list, 2);
    EXPECT_EQ(ColumnTexts(list, 0), (std::vector<std::string>{"Golf", "Klondike", "FreeCell"}));
}

TEST_F(HighScoresDialogTest, SubmittingFillsBothRankColumns) {
    clLoopbackScoreServer server;
    ASSERT_TRUE(server.IsListening());
    server.Add("Klondike", {1000});
    ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
    Log("klondike", {900});
    Log("golf", {50});
    const auto dialog = Open();
    Type(*dialog->Identity(), kAnn);
    ASSERT_TRUE(dialog->SubmitButton()->isEnabled());
    QTest::mouseClick(dialog->SubmitButton(), Qt::LeftButton);
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(ColumnTexts(dialog->List(), 3), (std::vector<std::string>{"2nd of 2", "1st of 1"}));
    EXPECT_EQ(ColumnTexts(dialog->List(), 4), (std::vector<std::string>{"2nd of 2", "1st of 1"}));
    EXPECT_EQ(sounds, std::vector<clSound>{clSound::Remove});
    EXPECT_FALSE(dialog->SubmitButton()->isVisible());

    // Ranked rows first, by rank.
    ClickHeader(dialog->List(), 3);
    EXPECT_EQ(ColumnTexts(dialog->List(), 0), (std::vector<std::string>{"Golf", "Klondike"}));
    ClickHeader(dialog->List(), 3);
    EXPECT_EQ(ColumnTexts(dialog->List(), 0), (std::vector<std::string>{"Klondike", "Golf"}));
}

TEST_F(HighScoresDialogTest, WithNothingFinishedThereIsNothingToSubmit) {
    const auto dialog = Open();
    EXPECT_EQ(dialog->List()->rowCount(), 0);
    Type(*dialog->Identity(), kAnn);
    EXPECT_FALSE(dialog->SubmitButton()->isEnabled());
    QTest::mouseClick(dialog->ViewButton(), Qt::LeftButton);
    EXPECT_EQ(urls, std::vector<std::string>{"http://127.0.0.1:8080/index.html?"});
}

// The window's own slow-work runner, with the message boxes written down
// (a box would wait for a click no test gives).
class clWindowRunner final : public clMessages {
public:
    void ShowMessage(const std::string& text) override { texts.push_back(text); }
    bool RunCancellable(const std::string& text,
                        const std::function<void(std::stop_token)>& work) override {
        return window.RunCancellable(text, work);
    }
    std::vector<std::string> texts;

private:
    clQtMessages window;
};

QWidget* VisibleProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "onlineProgress" && widget->isVisible()) return widget;
    return nullptr;
}

// A server that takes the request and never answers: the window keeps
// answering, shows that it is working, and the player's Cancel (the button,
// or Escape) ends the exchange at once without a message; the scores can be
// sent again.
TEST_F(HighScoresDialogTest, ASilentServerCanBeCancelled) {
    for (const bool byKey : {false, true}) {
        clScriptedServer silent("", clScriptedServer::clAfter::StayOpen);
        ASSERT_TRUE(
            settings.SetScoreServerBase("http://127.0.0.1:" + std::to_string(silent.Port()) + "/"));
        ASSERT_TRUE(settings.SetNumber(clNumber::Timeout, 60));
        Log("klondike", {900});
        clWindowRunner runner;
        const clScoreServices slow{settings,         folders,          clock,
                                   runner,           format,           services.playSound,
                                   services.openUrl, services.askYesNo};
        auto dialog = std::make_unique<clHighScoresDialog>(slow);
        dialog->show();
        Type(*dialog->Identity(), kAnn);

        // The player's side runs on the window's thread while the exchange
        // waits: only a window that keeps answering gets here.
        bool sawProgress = false;
        QString shownText;
        QTimer player;
        player.setInterval(20);
        QObject::connect(&player, &QTimer::timeout, [&] {
            QWidget* progress = VisibleProgressWindow();
            if (progress == nullptr || !silent.RequestRead()) return;
            sawProgress = true;
            shownText = progress->findChild<QLabel*>()->text();
            QDir().mkpath(QARVEL_SCREENSHOT_DIR);
            progress->grab().save(QARVEL_SCREENSHOT_DIR "/online-progress.png");
            player.stop();
            if (byKey) {
                QTest::keyClick(progress, Qt::Key_Escape);
            } else {
                auto* cancel = progress->findChild<QPushButton*>("cancelButton");
                QTest::mouseClick(cancel, Qt::LeftButton, {}, cancel->rect().center());
            }
        });
        player.start();
        QTest::mouseClick(dialog->SubmitButton(), Qt::LeftButton);

        EXPECT_TRUE(sawProgress) << byKey;
        EXPECT_EQ(shownText, "Submitting high scores...");
        EXPECT_EQ(VisibleProgressWindow(), nullptr);
        EXPECT_TRUE(runner.texts.empty()) << runner.texts.front();
        EXPECT_TRUE(dialog->SubmitButton()->isVisible());
        EXPECT_TRUE(dialog->SubmitButton()->isEnabled());
        silent.Finish();
        EXPECT_TRUE(silent.SawClientClose());
    }
}

}  // namespace
