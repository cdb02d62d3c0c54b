// The High Scores dialog: the best result of every variant the player has
// finished, sorting, and submitting them all.
#include "dialogs/high_scores_dialog.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>

#include "dialogs/dialog_fixture.h"
#include "dialogs/identity_fields.h"

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

}  // namespace
