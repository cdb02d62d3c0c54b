#include "online/score_actions.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "online/high_scores.h"
#include "player/player_folders.h"
#include "player/settings.h"
#include "player/statistics.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "toolkit/date_format.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/messages.h"
#include "toolkit/user_account.h"

namespace {

// Answers every POST with one reply.
class clOneReply final : public clScoreTransport {
public:
    explicit clOneReply(std::optional<clHttpReply> reply) : reply(std::move(reply)) {}
    std::optional<clHttpReply> Post(const clScoreRequest& request, std::stop_token) override {
        texts.push_back(request.text);
        return reply;
    }
    std::optional<clHttpReply> reply;
    std::vector<std::string> texts;
};

clScoreEntry Ranked(std::int32_t overall, std::int32_t overallCount, std::int32_t recent,
                    std::int32_t recentCount) {
    return {"Golf", 100, 1, {overall, overallCount, recent, recentCount}};
}

TEST(SubmitButtons, EnabledOnlyWithAFullIdentityOutsidePracticeWithScores) {
    const clOnlineIdentity full{"Ann", "Paris", "ann@example.org"};
    EXPECT_TRUE(CanSubmit(full, false, true));
    EXPECT_FALSE(CanSubmit(full, true, true));
    EXPECT_FALSE(CanSubmit(full, false, false));
    for (const clOnlineIdentity& lacking : {clOnlineIdentity{"", "Paris", "ann@example.org"},
                                            clOnlineIdentity{"Ann", "", "ann@example.org"},
                                            clOnlineIdentity{"Ann", "Paris", "ann@example"},
                                            clOnlineIdentity{"Ann", "Paris", "ann.example.org"}})
        EXPECT_FALSE(CanSubmit(lacking, false, true)) << lacking.email;

    EXPECT_FALSE(CanSubmitTop(full, false, 1));
    EXPECT_TRUE(CanSubmitTop(full, false, 2));
    EXPECT_EQ(SubmitTopLabel(2), "Submit Top 2 Scores");
    EXPECT_EQ(SubmitTopLabel(5), "Submit Top 3 Scores");
}

TEST(RankTexts, SubmittedRanksOfOneEntry) {
    EXPECT_EQ(SubmittedOverallRankText(Ranked(3, 120, 1, 100)), "Overall rank: 3rd of 120");
    EXPECT_EQ(SubmittedRecentRankText(Ranked(3, 120, 1, 100)), "Recent rank: 1st of last 100");
    EXPECT_EQ(SubmittedOverallRankText(Ranked(0, 1, 0, 1)), "Overall rank: [unranked]");
    EXPECT_EQ(SubmittedRecentRankText(Ranked(2, 5, 0, 1)), "Recent rank: [unranked]");
    EXPECT_EQ(RankColumnText(22, 530), "22nd of 530");
    EXPECT_EQ(RankColumnText(0, 530), "[unranked]");
}

TEST(RankTexts, SubmittedRanksOfSeveralEntriesStopAtTheFirstUnranked) {
    const std::vector<clScoreEntry> three = {Ranked(1, 530, 1, 100), Ranked(4, 530, 2, 100),
                                             Ranked(9, 529, 11, 100)};
    EXPECT_EQ(SubmittedOverallRankText(three), "Overall rank: 1st/4th/9th of 530");
    EXPECT_EQ(SubmittedRecentRankText(three), "Recent rank: 1st/2nd/11th of 100");

    const std::vector<clScoreEntry> gap = {Ranked(2, 40, 0, 1), Ranked(0, 1, 0, 1),
                                           Ranked(7, 41, 3, 9)};
    EXPECT_EQ(SubmittedOverallRankText(gap), "Overall rank: 2nd of 41");
    EXPECT_EQ(SubmittedRecentRankText(gap), "Recent rank: [unranked]");
}

class ScoreActionsTest : public ::testing::Test {
protected:
    ScoreActionsTest() {
        settings.WritePlayerDefaults("Ann");
        settings.SetPlayer("Ann");
        settings.LoadPlayer();
    }

    clMemorySettingsStore store;
    clSettings settings{store};
    clFixedClock clock;
    clHeadlessMessages messages;
    std::vector<clSound> sounds;
    clOnlineFeedback feedback{messages, [this](clSound sound) { sounds.push_back(sound); }};
    const clOnlineIdentity fields{"Ann B", "Paris", "ann@example.org"};
};

TEST_F(ScoreActionsTest, ASubmissionKeepsTheIdentityAndFillsTheRanks) {
    clOneReply server(clHttpReply{200, "3,120,1,100\r\n"});
    std::vector<clScoreEntry> entries = {{"Golf", 1200, 2, {}}};
    EXPECT_EQ(SubmitOnline(settings, clock, fields, entries, feedback, &server),
              clSubmitOutcome::Submitted);
    EXPECT_EQ(entries[0].ranks, (clScoreRanks{3, 120, 1, 100}));
    EXPECT_EQ(settings.Text(clText::Name), "Ann B");
    EXPECT_EQ(settings.Text(clText::Location), "Paris");
    EXPECT_EQ(settings.Text(clText::Email), "ann@example.org");
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(sounds, std::vector<clSound>{clSound::Remove});
    EXPECT_EQ(messages.Waits(), 1);

    settings.SetFlag(clFlag::Sounds, false);
    EXPECT_EQ(SubmitOnline(settings, clock, fields, entries, feedback, &server),
              clSubmitOutcome::Submitted);
    EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(ScoreActionsTest, AnEmptyFieldDoesNothingSilently) {
    clOneReply server(clHttpReply{200, "\r\n"});
    std::vector<clScoreEntry> entries = {{"Golf", 1200, 2, {}}};
    EXPECT_EQ(SubmitOnline(settings, clock, {"Ann", "", "a@b.c"}, entries, feedback, &server),
              clSubmitOutcome::NotAttempted);
    EXPECT_TRUE(server.texts.empty());
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(settings.Text(clText::Name), "");
}

TEST_F(ScoreActionsTest, FailuresShowTheirMessages) {
    std::vector<clScoreEntry> one = {{"Golf", 1200, 2, {}}};
    clOneReply broken(std::nullopt);
    EXPECT_EQ(SubmitOnline(settings, clock, fields, one, feedback, &broken),
              clSubmitOutcome::Failed);
    std::vector<clScoreEntry> tooMany(kMaxSubmittedScores + 1);
    EXPECT_EQ(SubmitOnline(settings, clock, fields, tooMany, feedback, &broken),
              clSubmitOutcome::NotQueued);
    EXPECT_EQ(broken.texts.size(), 1u);  // nothing sent for the second
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Error submitting high score.",
                                                          "Unable to submit high scores."}));
    EXPECT_TRUE(sounds.empty());
}

// Messages whose Cancel the player always presses.
class clCancellingMessages final : public clMessages {
public:
    void ShowMessage(const std::string& text) override { texts.push_back(text); }
    bool RunCancellable(const std::string& text,
                        const std::function<void(std::stop_token)>& work) override {
        shown.push_back(text);
        std::stop_source stop;
        stop.request_stop();
        work(stop.get_token());
        return false;
    }
    std::vector<std::string> texts;
    std::vector<std::string> shown;
};

TEST_F(ScoreActionsTest, ACancelSaysNothing) {
    clCancellingMessages cancelling;
    const clOnlineFeedback quiet{cancelling, feedback.playSound};
    clOneReply server(clHttpReply{200, "3,120,1,100\r\n"});
    std::vector<clScoreEntry> entries = {{"Golf", 1200, 2, {}}};
    EXPECT_EQ(SubmitOnline(settings, clock, fields, entries, quiet, &server),
              clSubmitOutcome::Cancelled);
    EXPECT_EQ(entries[0].ranks, clScoreRanks{});

    clOnlineScores scores(settings, clock, server);
    EXPECT_FALSE(RetrieveOnline(scores, "Golf", settings, quiet));
    EXPECT_TRUE(cancelling.texts.empty());
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(cancelling.shown, (std::vector<std::string>{"Submitting high scores...",
                                                          "Retrieving online high scores..."}));
}

TEST_F(ScoreActionsTest, TheBestResultsAreQueuedBestFirst) {
    clTempFolder temp;
    clFixedUserAccount account{temp.Path(), "ann"};
    clPlayerFolders folders{account};
    clStatistics statistics{settings, folders, clock};
    EXPECT_TRUE(BestEntries(statistics, "Golf", 3).empty());
    for (std::int32_t score : {300, 900, 100, 500})
        ASSERT_TRUE(
            statistics.AddRecord({clResultKind::Completed, score, score / 100, 0, clock.now}));
    const std::vector<clScoreEntry> best = BestEntries(statistics, "Golf", 3);
    ASSERT_EQ(best.size(), 3u);
    EXPECT_EQ(best[0].score, 900);
    EXPECT_EQ(best[0].round, 9);
    EXPECT_EQ(best[1].score, 500);
    EXPECT_EQ(best[2].score, 300);
    EXPECT_EQ(best[2].gameName, "Golf");

    // A game played with hints is never submitted: the next best take its place.
    clScoreRecord hinted{clResultKind::Completed, 2000, 20, 0, clock.now};
    hinted.hinted = true;
    ASSERT_TRUE(statistics.AddRecord(hinted));
    const std::vector<clScoreEntry> unhinted = BestEntries(statistics, "Golf", 3);
    ASSERT_EQ(unhinted.size(), 3u);
    EXPECT_EQ(unhinted[0].score, 900);
    EXPECT_EQ(unhinted[2].score, 300);
}

TEST_F(ScoreActionsTest, RoundOverShowsRanksOnlyWithRetrievedLists) {
    const clPlainDateFormat format;
    clOneReply server(std::nullopt);
    clOnlineScores scores(settings, clock, server);
    clRoundOverTexts texts = RoundOverTexts(scores, 700, format);
    EXPECT_EQ(texts.overall, "No Score Data");
    EXPECT_EQ(texts.recent, "Press 'Retrieve Score Data' Button.");
    EXPECT_EQ(texts.lastUpdate, "");

    EXPECT_FALSE(RetrieveOnline(scores, "Golf", settings, feedback));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to retrieve online high scores."});

    server.reply = clHttpReply{200, FormatListReply("t", std::vector<std::int32_t>{900, 500})};
    EXPECT_TRUE(RetrieveOnline(scores, "Golf", settings, feedback));
    EXPECT_EQ(sounds, std::vector<clSound>{clSound::Remove});
    texts = RoundOverTexts(scores, 700, format);
    EXPECT_EQ(texts.overall, "Overall rank: 2nd of 3");
    EXPECT_EQ(texts.recent, "Recent rank: 2nd of last 3");
    EXPECT_EQ(texts.lastUpdate, "[2017-08-14 21:05]");
}

}  // namespace

namespace {

class HighScoresTest : public ::testing::Test {
protected:
    HighScoresTest() {
        settings.WritePlayerDefaults("Ann");
        settings.SetPlayer("Ann");
        settings.LoadPlayer();
    }

    void Finish(std::string_view key, std::int32_t score, std::int32_t round, bool hinted = false) {
        clStatistics statistics(settings, folders, clock);
        clScoreRecord record = clStatistics::MakeCompleted(score, round, clock);
        record.hinted = hinted;
        ASSERT_EQ(statistics.AppendResult(key, record), clAppendResult::Logged);
    }

    clTempFolder temp;
    clMemorySettingsStore store;
    clSettings settings{store};
    clFixedUserAccount account{temp.Path(), "ann"};
    clPlayerFolders folders{account};
    clFixedClock clock;
};

TEST_F(HighScoresTest, ARowForEveryVariantFinishedWithItsBestResult) {
    EXPECT_TRUE(FillHighScoreRows(settings, folders, clock).empty());
    Finish("klondike", 300, 2);
    Finish("klondike", 700, 4);
    Finish("golf", 50, 1);
    // Games played with hints are left out, and a variant with only those.
    Finish("klondike", 900, 5, true);
    Finish("spider", 1000, 1, true);
    const std::vector<clHighScoreRow> rows = FillHighScoreRows(settings, folders, clock);
    ASSERT_EQ(rows.size(), 2u);
    // The registry's order: Klondike comes before Golf.
    EXPECT_EQ(rows[0].entry.gameName, "Klondike");
    EXPECT_EQ(rows[0].entry.score, 700);
    EXPECT_EQ(rows[0].entry.round, 4);
    EXPECT_EQ(rows[1].entry.gameName, "Golf");
    EXPECT_EQ(rows[1].entry.score, 50);
    EXPECT_EQ(rows[1].index, 1);
}

TEST(HighScoreSorting, EachColumnSortsItsOwnWay) {
    const auto row = [](std::int32_t index, const char* name, std::int32_t score,
                        clScoreRanks ranks, std::uint16_t day) {
        clHighScoreRow r;
        r.index = index;
        r.entry = {name, score, score / 100, ranks};
        r.when = {2020, 1, 0, day, 12, 0, 0, 0};
        return r;
    };
    const std::vector<clHighScoreRow> filled = {
        row(0, "Klondike", 500, {3, 10, 0, 1}, 5),
        row(1, "Golf", 900, {0, 1, 2, 50}, 9),
        row(2, "Aces Up", 100, {3, 40, 1, 50}, 1),
        row(3, "Spider", 500, {1, 5, 0, 0}, 3),
    };
    struct {
        clHighScoreColumn column;
        bool reversed;
        std::vector<std::int32_t> order;
    } const cases[] = {
        {clHighScoreColumn::Game, false, {2, 1, 0, 3}},
        {clHighScoreColumn::Game, true, {3, 0, 1, 2}},
        {clHighScoreColumn::Score, false, {1, 0, 3, 2}},  // equal scores in fill order
        {clHighScoreColumn::Round, false, {1, 0, 3, 2}},
        {clHighScoreColumn::OverallRank, false, {3, 2, 0, 1}},  // 3 of 40 before 3 of 10
        {clHighScoreColumn::OverallRank, true, {1, 0, 2, 3}},
        {clHighScoreColumn::RecentRank, false, {2, 1, 0, 3}},  // unranked last
        {clHighScoreColumn::DatePlayed, false, {2, 3, 0, 1}},
    };
    for (const auto& c : cases) {
        std::vector<clHighScoreRow> rows = filled;
        SortHighScoreRows(rows, c.column, c.reversed);
        std::vector<std::int32_t> order;
        for (const clHighScoreRow& r : rows)
            order.push_back(r.index);
        EXPECT_EQ(order, c.order) << static_cast<int>(c.column) << " " << c.reversed;
    }
}

}  // namespace
