// The Round Over dialog: the score so far among the local high scores, and its
// rank against the online lists the playing screen keeps.
#include "dialogs/round_over_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "dialogs/dialog_fixture.h"
#include "dialogs/score_table.h"
#include "online/online_scores.h"

namespace {

class RoundOverDialogTest : public clScoreDialogTest {
protected:
    std::unique_ptr<clRoundOverDialog> Open(std::int32_t score, std::int32_t round) {
        Load("klondike", "Klondike");
        auto dialog = std::make_unique<clRoundOverDialog>(services, statistics, "Klondike",
                                                          "klondike", score, round, screenLists);
        dialog->show();
        return dialog;
    }

    clOnlineScores screenLists{settings, clock};
};

TEST_F(RoundOverDialogTest, TheScoreSoFarRanksAmongTheResultsAndAsksForScoreData) {
    Log("klondike", {900, 500});
    const auto dialog = Open(700, 2);
    EXPECT_EQ(ColumnTexts(dialog->ScoreTable(), 1),
              (std::vector<std::string>{"900", "700", "500"}));
    EXPECT_EQ(ColumnTexts(dialog->ScoreTable(), 3)[1], "[in progress]");
    EXPECT_EQ(dialog->ScoreText()->text().toStdString(),
              "Current score: 700\nCurrent rank: 2nd of 3");
    EXPECT_EQ(dialog->MessageText()->text(),
              "Congratulations!\nYou have qualified for the next round.");
    EXPECT_EQ(dialog->OverallRank()->text().toStdString(), "No Score Data");
    EXPECT_EQ(dialog->RecentRank()->text().toStdString(), "Press 'Retrieve Score Data' Button.");
    EXPECT_EQ(dialog->LastUpdate()->text().toStdString(), "");
    EXPECT_TRUE(dialog->OverallRank()->isVisible());
    EXPECT_TRUE(dialog->RetrieveButton()->isVisible());
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(0, 0x40, 0));
    EXPECT_EQ(dialog->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_TRUE(dialog->OverallRank()->font().bold());
    EXPECT_FALSE(dialog->LastUpdate()->font().bold());
}

TEST_F(RoundOverDialogTest, RetrievingShowsTheRanksWhichTheNextRoundStillHas) {
    clLoopbackScoreServer server;
    ASSERT_TRUE(server.IsListening());
    server.Add("Klondike", {1000, 600});
    ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
    {
        const auto dialog = Open(700, 2);
        QTest::mouseClick(dialog->RetrieveButton(), Qt::LeftButton);
        EXPECT_TRUE(messages.Texts().empty());
        EXPECT_EQ(sounds, std::vector<clSound>{clSound::Remove});
        EXPECT_EQ(dialog->OverallRank()->text().toStdString(), "Overall rank: 2nd of 3");
        EXPECT_EQ(dialog->RecentRank()->text().toStdString(), "Recent rank: 2nd of last 3");
        EXPECT_EQ(dialog->LastUpdate()->text().toStdString(), "[2017-08-14 21:05]");
    }
    const auto next = Open(1200, 3);
    EXPECT_EQ(next->OverallRank()->text().toStdString(), "Overall rank: 1st of 3");
}

TEST_F(RoundOverDialogTest, AFailedRetrievalSaysSo) {
    std::string base;
    {
        clLoopbackScoreServer gone;
        base = gone.Base();
    }
    ASSERT_TRUE(settings.SetScoreServerBase(base));
    const auto dialog = Open(700, 2);
    QTest::mouseClick(dialog->RetrieveButton(), Qt::LeftButton);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to retrieve online high scores."});
    EXPECT_EQ(dialog->OverallRank()->text().toStdString(), "No Score Data");
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(RoundOverDialogTest, ContinueAndExitCloseWithTheirChoice) {
    const auto dialog = Open(700, 2);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    QTest::mouseClick(dialog->ContinueButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), clRoundOverDialog::kContinue);

    const auto another = Open(700, 2);
    QTest::mouseClick(another->ExitButton(), Qt::LeftButton);
    EXPECT_EQ(another->result(), clRoundOverDialog::kExit);
}

TEST_F(RoundOverDialogTest, ViewHighScoresOpensTheVariantsPage) {
    const auto dialog = Open(700, 2);
    QTest::mouseClick(dialog->ViewButton(), Qt::LeftButton);
    EXPECT_EQ(urls, std::vector<std::string>{
                        "http://127.0.0.1:8080/topscores/scores/qarvel/klondike.html?"});
}

}  // namespace
