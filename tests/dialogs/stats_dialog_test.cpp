// The Statistics dialog: a variant's history, its statistics text, Clear,
// and submitting the best results.
#include "dialogs/stats_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "dialogs/dialog_fixture.h"
#include "dialogs/identity_fields.h"
#include "dialogs/score_table.h"

namespace {

class StatsDialogTest : public clScoreDialogTest {
protected:
    std::unique_ptr<clStatsDialog> Open() {
        Load("klondike", "Klondike");
        auto dialog = std::make_unique<clStatsDialog>(services, statistics, "Klondike", "klondike");
        dialog->show();
        return dialog;
    }
};

TEST_F(StatsDialogTest, ShowsTheHistoryLatestFirstAndTheStatisticsText) {
    Log("klondike", {300, 900, 100, 500});
    const auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Statistics for Klondike");
    const QTableWidget* list = dialog->ScoreTable();
    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_EQ(list->horizontalHeaderItem(3)->text().toStdString(), "Date Played");
    EXPECT_EQ(ColumnTexts(list, 1), (std::vector<std::string>{"500", "100", "900", "300"}));
    EXPECT_EQ(ColumnTexts(list, 0), (std::vector<std::string>{"2", "4", "1", "3"}));
    EXPECT_EQ(ColumnTexts(list, 2), (std::vector<std::string>{"4", "3", "2", "1"}));
    EXPECT_EQ(ColumnTexts(list, 3)[0], "2017-08-14 21:05");
    std::vector<clScoreIcon> icons;
    for (const clScoreRow& row : dialog->ScoreTable()->Rows())
        icons.push_back(row.icon);
    using enum clScoreIcon;
    EXPECT_EQ(icons, (std::vector<clScoreIcon>{Latest, Worst, Best, High}));
    EXPECT_FALSE(list->item(0, 0)->icon().isNull());
    EXPECT_EQ(LineTexts(dialog->SummaryList()),
              (std::vector<std::string>{"Games Played: 4", "Best Score: 900", "Average Score: 450",
                                        "Highest Round: 4", "Last 10 Games - Average: 450",
                                        "Last 100 Games - Average: 450"}));
    EXPECT_TRUE(dialog->ClearButton()->isEnabled());
}

TEST_F(StatsDialogTest, WithoutDateTimeTheListHasThreeColumns) {
    settings.SetFlag(clFlag::DateTime, false);
    Log("klondike", {300});
    const auto dialog = Open();
    EXPECT_EQ(dialog->ScoreTable()->columnCount(), 3);
}

TEST_F(StatsDialogTest, AColumnClickSortsAndASecondClickReverses) {
    Log("klondike", {300, 900, 100, 500});
    const auto dialog = Open();
    QTableWidget* list = dialog->ScoreTable();
    ClickHeader(list, 1);
    EXPECT_EQ(ColumnTexts(list, 1), (std::vector<std::string>{"900", "500", "300", "100"}));
    ClickHeader(list, 1);
    EXPECT_EQ(ColumnTexts(list, 1), (std::vector<std::string>{"100", "300", "500", "900"}));
    ClickHeader(list, 0);
    EXPECT_EQ(ColumnTexts(list, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    ClickHeader(list, 2);
    EXPECT_EQ(ColumnTexts(list, 2), (std::vector<std::string>{"4", "3", "2", "1"}));
}

TEST_F(StatsDialogTest, SubmitButtonsNeedAFullIdentityResultsAndNoPracticeMode) {
    struct clCase {
        const char* what;
        std::initializer_list<std::int32_t> results;
        clOnlineIdentity identity;
        bool practice;
        bool best;
        bool top;
        const char* topText;
    };
    const clCase cases[] = {
        {"one result", {300}, kAnn, false, true, false, "Submit Top Scores"},
        {"two results", {300, 500}, kAnn, false, true, true, "Submit Top 2 Scores"},
        {"five results", {1, 2, 3, 4, 5}, kAnn, false, true, true, "Submit Top 3 Scores"},
        {"no results", {}, kAnn, false, false, false, "Submit Top Scores"},
        {"practice", {1, 2, 3}, kAnn, true, false, false, "Submit Top 3 Scores"},
        {"no full stop",
         {1, 2, 3},
         {"Ann", "Paris", "ann@example"},
         false,
         false,
         false,
         "Submit Top 3 Scores"},
        {"no at sign",
         {1, 2, 3},
         {"Ann", "Paris", "ann.example.org"},
         false,
         false,
         false,
         "Submit Top 3 Scores"},
        {"no location",
         {1, 2, 3},
         {"Ann", "", "ann@example.org"},
         false,
         false,
         false,
         "Submit Top 3 Scores"},
    };
    for (const clCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(temp.Path());
        settings.SetFlag(clFlag::Practice, false);
        Log("klondike", c.results);
        settings.SetFlag(clFlag::Practice, c.practice);
        const auto dialog = Open();
        Type(*dialog->Identity(), c.identity);
        EXPECT_EQ(dialog->SubmitBestButton()->isEnabled(), c.best);
        EXPECT_EQ(dialog->SubmitTopButton()->isEnabled(), c.top);
        EXPECT_EQ(dialog->SubmitTopButton()->text().toStdString(), c.topText);
    }
}

TEST_F(StatsDialogTest, TheFieldsStartWithThePlayersIdentityAndTakeSixtyThreeCharacters) {
    settings.SetText(clText::Name, "Ann B");
    settings.SetText(clText::Location, "Paris");
    settings.SetText(clText::Email, "ann@example.org");
    Log("klondike", {300});
    const auto dialog = Open();
    EXPECT_EQ(dialog->Identity()->Fields(),
              (clOnlineIdentity{"Ann B", "Paris", "ann@example.org"}));
    EXPECT_TRUE(dialog->SubmitBestButton()->isEnabled());
    QTest::keyClicks(dialog->Identity()->Name(), QString(70, 'x'));
    EXPECT_EQ(dialog->Identity()->Fields().name.size(), 63u);
}

TEST_F(StatsDialogTest, ClearAsksThenEmptiesBothListsAndTheLog) {
    Log("klondike", {300, 900});
    const auto dialog = Open();
    answer = false;
    QTest::mouseClick(dialog->ClearButton(), Qt::LeftButton);
    EXPECT_EQ(questions, std::vector<std::string>{
                             "Clear Statistics: Are you sure you want to clear the statistics?"});
    EXPECT_EQ(dialog->ScoreTable()->rowCount(), 2);

    answer = true;
    QTest::mouseClick(dialog->ClearButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->ScoreTable()->rowCount(), 0);
    EXPECT_EQ(LineTexts(dialog->SummaryList()), std::vector<std::string>{"Games Played: 0"});
    EXPECT_FALSE(dialog->ClearButton()->isEnabled());
    EXPECT_FALSE(dialog->SubmitBestButton()->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(statistics.LogPath()));
}

TEST_F(StatsDialogTest, ViewHighScoresOpensTheVariantsPage) {
    const auto dialog = Open();
    QTest::mouseClick(dialog->ViewButton(), Qt::LeftButton);
    EXPECT_EQ(urls, std::vector<std::string>{
                        "http://127.0.0.1:8080/topscores/scores/qarvel/klondike.html?"});
}

TEST_F(StatsDialogTest, SubmittingTheTopThreeShowsTheirRanksInPlaceOfTheButtons) {
    clLoopbackScoreServer server;
    ASSERT_TRUE(server.IsListening());
    server.Add("Klondike", {1000, 400});
    ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
    Log("klondike", {300, 900, 100, 500, 50});
    const auto dialog = Open();
    Type(*dialog->Identity(), kAnn);
    ASSERT_TRUE(dialog->SubmitTopButton()->isEnabled());
    QTest::mouseClick(dialog->SubmitTopButton(), Qt::LeftButton);

    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(dialog->OverallRank()->text().toStdString(), "Overall rank: 2nd/3rd/5th of 5");
    EXPECT_EQ(dialog->RecentRank()->text().toStdString(), "Recent rank: 2nd/3rd/5th of 5");
    EXPECT_TRUE(dialog->OverallRank()->isVisible());
    EXPECT_TRUE(dialog->RecentRank()->isVisible());
    EXPECT_FALSE(dialog->SubmitTopButton()->isVisible());
    EXPECT_FALSE(dialog->SubmitBestButton()->isVisible());
    EXPECT_EQ(sounds, std::vector<clSound>{clSound::Remove});
    EXPECT_EQ(settings.Text(clText::Name), kAnn.name);
    EXPECT_EQ(settings.Text(clText::Location), kAnn.location);
    EXPECT_EQ(settings.Text(clText::Email), kAnn.email);

    // Offline and online again: the ranks stay, the buttons stay away.
    dialog->GoOffline();
    dialog->GoOnline();
    EXPECT_TRUE(dialog->OverallRank()->isVisible());
    EXPECT_FALSE(dialog->SubmitBestButton()->isVisible());
}

TEST_F(StatsDialogTest, AFailedSubmissionSaysSoAndKeepsTheButtons) {
    std::string base;
    {
        clLoopbackScoreServer gone;
        base = gone.Base();
    }
    ASSERT_TRUE(settings.SetScoreServerBase(base));
    Log("klondike", {300});
    const auto dialog = Open();
    Type(*dialog->Identity(), kAnn);
    QTest::mouseClick(dialog->SubmitBestButton(), Qt::LeftButton);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error submitting high score."});
    EXPECT_TRUE(dialog->SubmitBestButton()->isVisible());
    EXPECT_FALSE(dialog->OverallRank()->isVisible());
    EXPECT_TRUE(sounds.empty());
}

// Past results have no record of their game: a server that verifies scores
// refuses them, and the dialog says why instead of a rank.
TEST_F(StatsDialogTest, AServerThatVerifiesScoresSaysWhyItRefusedThem) {
    clLoopbackScoreServer server(clLoopbackScoreServer::clChecks::Replay);
    ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
    Log("klondike", {300});
    const auto dialog = Open();
    Type(*dialog->Identity(), kAnn);
    QTest::mouseClick(dialog->SubmitBestButton(), Qt::LeftButton);
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_TRUE(dialog->Refusal()->isVisible());
    EXPECT_FALSE(dialog->OverallRank()->isVisible());
    EXPECT_TRUE(dialog->Refusal()->text().startsWith(
        "The server could not verify this score: the score came without the record"))
        << dialog->Refusal()->text().toStdString();
}

}  // namespace
