// The Game Over dialog: the final score among the local high scores, the
// online group and its size, submitting the score, and the card shower.
#include "dialogs/game_over_dialog.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <regex>

#include "dialogs/dialog_fixture.h"
#include "dialogs/identity_fields.h"
#include "dialogs/score_table.h"
#include "online/play_record.h"
#include "support/recording_target.h"

namespace {

class GameOverDialogTest : public clScoreDialogTest {
protected:
    std::unique_ptr<clGameOverDialog> Open(std::int32_t score, std::int32_t round,
                                           std::string record = {}) {
        Load("klondike", "Klondike");
        auto dialog = std::make_unique<clGameOverDialog>(services, statistics, "Klondike",
                                                         "klondike", score, round, nullptr, record);
        dialog->show();
        return dialog;
    }
};

TEST_F(GameOverDialogTest, OfflineItOpensSmallAndTheButtonShowsTheOnlinePart) {
    settings.SetFlag(clFlag::Online, false);
    const auto dialog = Open(650, 3);
    EXPECT_FALSE(dialog->IsOnline());
    EXPECT_EQ(dialog->OnlineButton()->text().toStdString(), "Online");
    EXPECT_FALSE(dialog->OnlineGroup()->isVisible());
    EXPECT_EQ(dialog->size(), dialog->OfflineSize());
    EXPECT_LT(dialog->OfflineSize().height(), dialog->FullSize().height());

    QTest::mouseClick(dialog->OnlineButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->IsOnline());
    EXPECT_TRUE(settings.Flag(clFlag::Online));
    EXPECT_TRUE(dialog->OnlineGroup()->isVisible());
    EXPECT_TRUE(dialog->SubmitButton()->isVisible());
    EXPECT_FALSE(dialog->OverallRank()->isVisible());
    EXPECT_EQ(dialog->OnlineButton()->text().toStdString(), "Offline");
    EXPECT_EQ(dialog->size(), dialog->FullSize());

    QTest::mouseClick(dialog->OnlineButton(), Qt::LeftButton);
    EXPECT_FALSE(settings.Flag(clFlag::Online));
    EXPECT_EQ(dialog->size(), dialog->OfflineSize());
}

TEST_F(GameOverDialogTest, InPracticeModeTheScoreShowsInProgressAndCannotBeSubmitted) {
    Log("klondike", {900, 500, 100});
    settings.SetFlag(clFlag::Practice, true);
    settings.SetFlag(clFlag::Online, true);
    const auto dialog = Open(650, 3);
    const QTableWidget* list = dialog->ScoreTable();
    EXPECT_EQ(ColumnTexts(list, 1), (std::vector<std::string>{"900", "650", "500", "100"}));
    EXPECT_EQ(ColumnTexts(list, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(ColumnTexts(list, 3)[1], "[in progress]");
    EXPECT_EQ(dialog->ScoreText()->text().toStdString(), "Final score: 650\nRank: 2nd of 4");
    EXPECT_EQ(dialog->MessageText()->text().toStdString(),
              "Sorry!\nYou did not reach the required score.");
    Type(*dialog->Identity(), kAnn);
    EXPECT_FALSE(dialog->SubmitButton()->isEnabled());
}

TEST_F(GameOverDialogTest, TheGameJustLoggedIsTheLatestResult) {
    Log("klondike", {900, 500, 650});
    const auto dialog = Open(650, 3);
    const std::vector<clScoreRow>& rows = dialog->ScoreTable()->Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].score, 650);
    EXPECT_EQ(rows[1].icon, clScoreIcon::Latest);
    EXPECT_FALSE(rows[1].inProgress);
    EXPECT_EQ(dialog->ScoreText()->text().toStdString(), "Final score: 650\nRank: 2nd of 3");
    EXPECT_EQ(LineTexts(dialog->SummaryList())[0], "Games Played: 3");
}

TEST_F(GameOverDialogTest, TheSubmitButtonWantsAnEmailAddressWithAnAtSignAndAFullStop) {
    Log("klondike", {650});
    const auto dialog = Open(650, 1);
    const std::pair<const char*, bool> emails[] = {
        {"ann@example.org", true},
        {"ann@example", false},
        {"ann.example.org", false},
        {"", false},
    };
    for (const auto& [email, enabled] : emails) {
        Type(*dialog->Identity(), {"Ann", "Paris", email});
        EXPECT_EQ(dialog->SubmitButton()->isEnabled(), enabled) << email;
    }
}

TEST_F(GameOverDialogTest, ItsColoursAreYellowOnDarkBlue) {
    const auto dialog = Open(0, 1);
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(0, 0, 0x40));
    EXPECT_EQ(dialog->MessageText()->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_TRUE(dialog->ScoreText()->font().bold());
    EXPECT_EQ(dialog->NewButton()->font().pixelSize(), 16);
}

TEST_F(GameOverDialogTest, ASubmissionFillsTheRankTexts) {
    clLoopbackScoreServer server;
    ASSERT_TRUE(server.IsListening());
    server.Add("Klondike", {1000, 400});
    ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
    Log("klondike", {650});
    settings.SetFlag(clFlag::Sounds, false);
    const auto dialog = Open(650, 1);
    Type(*dialog->Identity(), kAnn);
    QTest::mouseClick(dialog->SubmitButton(), Qt::LeftButton);
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(dialog->OverallRank()->text().toStdString(), "Overall rank: 2nd of 3");
    EXPECT_EQ(dialog->RecentRank()->text().toStdString(), "Recent rank: 2nd of last 3");
    EXPECT_TRUE(dialog->OverallRank()->isVisible());
    EXPECT_FALSE(dialog->SubmitButton()->isVisible());
    // The player's sounds are off.
    EXPECT_TRUE(sounds.empty());
}

// A game played with hints shows the mark beside its score and is not
// submitted: the button says why in its place and stays off.
TEST_F(GameOverDialogTest, AGamePlayedWithHintsIsNotSubmittedAndSaysSo) {
    clLoopbackScoreServer server;
    ASSERT_TRUE(server.IsListening());
    ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
    Log("klondike", {900});
    clStatistics log(settings, folders, clock);
    clScoreRecord hinted = clStatistics::MakeCompleted(650, 2, clock);
    hinted.hinted = true;
    ASSERT_EQ(log.AppendResult("klondike", hinted), clAppendResult::Logged);
    settings.SetFlag(clFlag::Online, true);
    const auto dialog = Open(650, 2);
    dialog->MarkPlayedWithHints();
    EXPECT_EQ(ColumnTexts(dialog->ScoreTable(), 1),
              (std::vector<std::string>{"900", "650 (hints)"}));
    Type(*dialog->Identity(), kAnn);
    EXPECT_FALSE(dialog->SubmitButton()->isEnabled());
    EXPECT_TRUE(dialog->SubmitButton()->isVisible());
    EXPECT_EQ(dialog->SubmitButton()->text().toStdString(), "Played with Hints: Not Submitted");
    QTest::mouseClick(dialog->SubmitButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->OverallRank()->isVisible());
    EXPECT_TRUE(messages.Texts().empty());
}

// A server that replays records: the game's own record is verified and
// ranked, a score its record does not earn is refused and the dialog says why.
TEST_F(GameOverDialogTest, TheServerVerifiesTheScoreByItsRecordOrSaysWhyNot) {
    clLoopbackScoreServer server(clLoopbackScoreServer::clChecks::Replay);
    ASSERT_TRUE(server.IsListening());
    ASSERT_TRUE(settings.SetScoreServerBase(server.Base()));
    settings.SetFlag(clFlag::Sounds, false);
    // Round 1 taken at once: its whole bonus, 2400 tenths.
    const std::string record =
        clPlayRecordCodec::Encode({"Klondike", {{1234, {}, 2400}}}).value_or("");
    Log("klondike", {24000, 650});
    struct clCase {
        std::int32_t score;
        bool refused;
        std::string shown;    // the rank line, or the reason in its place
        const char* picture;  // in build/screenshots, to look at
    };
    for (const clCase& row :
         {clCase{24000, false, "Overall rank: 1st of 1", "game-over-verified"},
          clCase{650, true,
                 "The server could not verify this score: the replay scores 24000 points, not "
                 "the 650 submitted",
                 "game-over-refused"}}) {
        const auto dialog = Open(row.score, 1, record);
        Type(*dialog->Identity(), kAnn);
        QTest::mouseClick(dialog->SubmitButton(), Qt::LeftButton);
        EXPECT_TRUE(messages.Texts().empty());
        const QLabel* shown = row.refused ? dialog->Refusal() : dialog->OverallRank();
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(dialog->OverallRank()->isVisible(), !row.refused);
        EXPECT_EQ(shown->text().toStdString(), row.shown);
        // Offline and online again: the same line.
        QTest::mouseClick(dialog->OnlineButton(), Qt::LeftButton);
        QTest::mouseClick(dialog->OnlineButton(), Qt::LeftButton);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(dialog->OverallRank()->isVisible(), !row.refused);
        QDir().mkpath(QStringLiteral(QARVEL_SCREENSHOT_DIR));
        dialog->grab().save(QStringLiteral(QARVEL_SCREENSHOT_DIR "/%1.png").arg(row.picture));
    }
}

TEST_F(GameOverDialogTest, NewAndExitCloseWithTheirChoiceAndEscapeChoosesNothing) {
    const auto dialog = Open(0, 1);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());

    QTest::mouseClick(dialog->NewButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), clGameOverDialog::kNew);

    const auto another = Open(0, 1);
    QTest::mouseClick(another->ExitButton(), Qt::LeftButton);
    EXPECT_FALSE(another->isVisible());
    EXPECT_EQ(another->result(), clGameOverDialog::kExit);
}

TEST_F(GameOverDialogTest, CardsShowerAnywhereOnTheTableBehindIt) {
    clRecordingTarget table;
    services.table = &table;
    const auto dialog = Open(0, 1);
    EXPECT_TRUE(dialog->Shower().IsRunning());
    for (int i = 0; i < 600; ++i)
        dialog->Shower().Drop();
    ASSERT_EQ(table.calls.size(), 600u);
    const std::regex card(R"(card (-?\d+) at (\d+),(\d+)-(\d+),(\d+))");
    bool back = false;
    bool joker = false;
    for (const std::string& call : table.calls) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(call, m, card)) << call;
        const int face = std::stoi(m[1]);
        EXPECT_GE(face, -1);
        EXPECT_LE(face, 53);
        back = back || face == -1;
        joker = joker || face >= 52;
        EXPECT_LE(std::stoi(m[4]), table.metrics.screenWidth) << call;
        EXPECT_LE(std::stoi(m[5]), table.metrics.screenHeight) << call;
    }
    EXPECT_TRUE(back);
    EXPECT_TRUE(joker);

    // Without a table nothing falls.
    services.table = nullptr;
    const auto plain = Open(0, 1);
    EXPECT_FALSE(plain->Shower().IsRunning());
}

}  // namespace
