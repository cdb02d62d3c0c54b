#include "online/online_scores.h"

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "online/scramble.h"
#include "online/web_pages.h"
#include "player/settings.h"
#include "player/settings_keys.h"
#include "support/fixed_clock.h"
#include "toolkit/date_format.h"
#include "toolkit/memory_settings_store.h"

namespace {

// A transport that records the requests and answers from a script: a reply,
// or nothing for a failed exchange.
class clScriptedTransport final : public clScoreTransport {
public:
    std::optional<clHttpReply> Post(const clScoreRequest& request, std::stop_token) override {
        requests.push_back(request);
        if (replies.empty()) return std::nullopt;
        auto reply = replies.front();
        replies.pop_front();
        return reply;
    }

    void Answer(std::int32_t status, std::string body = {}) {
        replies.push_back(clHttpReply{status, std::move(body)});
    }
    void Fail() { replies.push_back(std::nullopt); }

    std::vector<clScoreRequest> requests;
    std::deque<std::optional<clHttpReply>> replies;
};

class OnlineScoresTest : public ::testing::Test {
protected:
    OnlineScoresTest() {
        settings.WritePlayerDefaults("Ann");
        settings.SetPlayer("Ann");
    }

    void AnswerList(std::string_view token, const std::vector<std::int32_t>& scores) {
        transport.Answer(200, FormatListReply(token, scores));
    }

    // Both lists fetched with these scores.
    void Retrieved(const std::vector<std::int32_t>& overall,
                   const std::vector<std::int32_t>& recent) {
        AnswerList("o1", overall);
        AnswerList("r1", recent);
        ASSERT_TRUE(scores.Retrieve("Klondike", false));
    }

    clMemorySettingsStore store;
    clSettings settings{store};
    clFixedClock clock;
    clScriptedTransport transport;
    clOnlineScores scores{settings, clock, transport};
    const clOnlineIdentity identity{"A, B", "Paris", "a@b.c"};
};

TEST_F(OnlineScoresTest, SubmitSendsTheQueueAndFillsTheRanks) {
    clScoreEntry first{"Triple Towers", 43800, 3, {}};
    clScoreEntry second{"Golf", 1200, 1, {}};
    ASSERT_TRUE(scores.Queue(&first));
    ASSERT_TRUE(scores.Queue(&second));
    EXPECT_FALSE(scores.Queue(nullptr));
    transport.Answer(200, "3,120,1,100\r\n\r\n");

    ASSERT_TRUE(scores.SubmitScores(identity));
    ASSERT_EQ(transport.requests.size(), 1u);
    EXPECT_EQ(transport.requests[0].address, "http://127.0.0.1:8080/topscores/qarvel/submit.php");
    EXPECT_EQ(transport.requests[0].timeout, std::chrono::seconds(15));
    EXPECT_EQ(transport.requests[0].text,
              "Qarvel 1.0,A\\, B,Paris,a@b.c,Ann,,\r\n"
              "Triple Towers,43800,3\r\n"
              "Golf,1200,1\r\n");
    EXPECT_EQ(first.ranks, (clScoreRanks{3, 120, 1, 100}));
    EXPECT_EQ(second.ranks, clScoreRanks{});
    EXPECT_EQ(scores.QueueSize(), 0u);
}

TEST_F(OnlineScoresTest, SubmitFailsWithoutIdentityQueueOrWholeReply) {
    clScoreEntry entry{"Golf", 1200, 1, {7, 9, 7, 9}};
    EXPECT_FALSE(scores.SubmitScores(identity));  // nothing queued
    ASSERT_TRUE(scores.Queue(&entry));
    for (const clOnlineIdentity& partial :
         {clOnlineIdentity{"", "l", "e"}, clOnlineIdentity{"n", "", "e"},
          clOnlineIdentity{"n", "l", ""}})
        EXPECT_FALSE(scores.SubmitScores(partial));
    EXPECT_TRUE(transport.requests.empty());

    transport.Fail();
    transport.Answer(200, "");                 // fewer lines than entries
    transport.Answer(200, "3,120,x,100\r\n");  // a malformed line
    transport.Answer(204);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(scores.SubmitScores(identity));
        EXPECT_EQ(entry.ranks, clScoreRanks{});
        EXPECT_EQ(scores.QueueSize(), 1u);
    }
}

TEST_F(OnlineScoresTest, QueueHoldsOneSubmissionAtMost) {
    std::vector<clScoreEntry> entries(kMaxSubmittedScores + 1);
    for (std::size_t i = 0; i < kMaxSubmittedScores; ++i)
        EXPECT_TRUE(scores.Queue(&entries[i]));
    EXPECT_FALSE(scores.Queue(&entries.back()));
}

TEST_F(OnlineScoresTest, RetrieveAsksForBothListsWithTheirTokens) {
    Retrieved({900, 800}, {800});
    ASSERT_EQ(transport.requests.size(), 2u);
    EXPECT_EQ(transport.requests[0].address, "http://127.0.0.1:8080/topscores/qarvel/list.php");
    EXPECT_EQ(transport.requests[0].text, "Klondike,0,0,1000");
    EXPECT_EQ(transport.requests[1].text, "Klondike,1,0,100");
    EXPECT_TRUE(scores.IsValid());
    EXPECT_EQ(scores.OverallToken(), "o1");
    EXPECT_EQ(scores.RecentToken(), "r1");
    EXPECT_EQ(scores.OverallScores(), (std::vector<std::int32_t>{900, 800}));

    // The next retrieval sends the tokens back; 204 keeps the lists and their
    // tokens, and still sets the time.
    clock.now.minute = 40;
    transport.Answer(204);
    transport.Answer(204);
    ASSERT_TRUE(scores.Retrieve("Klondike", false));
    EXPECT_EQ(transport.requests[2].text, "Klondike,0,o1,1000");
    EXPECT_EQ(transport.requests[3].text, "Klondike,1,r1,100");
    EXPECT_EQ(scores.OverallScores(), (std::vector<std::int32_t>{900, 800}));
    EXPECT_EQ(scores.OverallToken(), "o1");
    EXPECT_EQ(scores.RetrievedAt()->minute, 40);

    // Forced, or for another game, the tokens start again.
    AnswerList("o2", {});
    AnswerList("r2", {});
    ASSERT_TRUE(scores.Retrieve("Klondike", true));
    EXPECT_EQ(transport.requests[4].text, "Klondike,0,0,1000");
    AnswerList("o3", {});
    AnswerList("r3", {});
    ASSERT_TRUE(scores.Retrieve("Golf", false));
    EXPECT_EQ(transport.requests[6].text, "Golf,0,0,1000");
}

TEST_F(OnlineScoresTest, HostileListRepliesLeaveNoValidLists) {
    const std::vector<std::int32_t> many(1001, 5);
    struct {
        const char* why;
        std::optional<clHttpReply> overall;
    } const cases[] = {
        {"failed exchange", std::nullopt},
        {"204 for no token", clHttpReply{204, ""}},
        {"count above 1000", clHttpReply{200, FormatListReply("t", many)}},
        {"garbage", clHttpReply{200, "garbage"}},
        {"a status of neither kind", clHttpReply{202, FormatListReply("t", {})}},
    };
    for (const auto& c : cases) {
        clOnlineScores fresh(settings, clock, transport);
        transport.replies = {c.overall};
        EXPECT_FALSE(fresh.Retrieve("Klondike", false)) << c.why;
        EXPECT_FALSE(fresh.IsValid()) << c.why;
        EXPECT_TRUE(fresh.OverallScores().empty()) << c.why;
        EXPECT_EQ(fresh.OverallToken(), "0") << c.why;
        EXPECT_FALSE(fresh.RetrievedAt()) << c.why;
        EXPECT_EQ(fresh.OverallRankText(100), "Overall rank: [unranked]") << c.why;
    }

    // A recent list that fails after a good overall one: no valid lists.
    AnswerList("o1", {900});
    transport.Answer(200, FormatListReply("r1", std::vector<std::int32_t>(101, 1)));
    EXPECT_FALSE(scores.Retrieve("Klondike", false));
    EXPECT_FALSE(scores.IsValid());
    EXPECT_TRUE(scores.RecentScores().empty());
    EXPECT_EQ(scores.RecentRankText(100), "Recent rank: [unranked]");
}

// The player's Cancel: the exchange ran with a stopped token and the runner
// says so. Nothing is taken from what came back, the queue stays for another
// try, and the recent list is not asked for.
TEST_F(OnlineScoresTest, ACancelledExchangeTakesNothing) {
    const auto cancel = [](const std::function<void(std::stop_token)>& work) {
        std::stop_source stop;
        stop.request_stop();
        work(stop.get_token());
        return false;
    };
    clScoreEntry entry{"Golf", 1200, 1, {}};
    ASSERT_TRUE(scores.Queue(&entry));
    transport.Answer(200, "3,120,1,100\r\n");
    EXPECT_FALSE(scores.SubmitScores(identity, cancel));
    EXPECT_TRUE(scores.WasCancelled());
    EXPECT_EQ(entry.ranks, clScoreRanks{});
    EXPECT_EQ(scores.QueueSize(), 1u);

    Retrieved({900}, {800});
    EXPECT_FALSE(scores.WasCancelled());
    transport.requests.clear();
    AnswerList("o2", {1000});
    EXPECT_FALSE(scores.Retrieve("Klondike", false, cancel));
    EXPECT_TRUE(scores.WasCancelled());
    EXPECT_EQ(transport.requests.size(), 1u);
    EXPECT_FALSE(scores.IsValid());
    EXPECT_TRUE(scores.OverallScores().empty());
    EXPECT_EQ(scores.OverallRankText(950), "Overall rank: [unranked]");
}

TEST_F(OnlineScoresTest, OverallRankPlacesAScoreBelowItsEquals) {
    Retrieved({900, 800, 800, 500}, {});
    struct {
        std::int32_t score;
        const char* text;
    } const cases[] = {
        {800, "Overall rank: 4th of 5"},
        {500, "Overall rank: [unranked]"},  // would fall off the end
        {950, "Overall rank: 1st of 5"},
        {600, "Overall rank: 4th of 5"},
        {400, "Overall rank: [unranked]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scores.OverallRankText(c.score), c.text) << c.score;
}

TEST_F(OnlineScoresTest, OverallRankOfAFullList) {
    std::vector<std::int32_t> full;
    for (std::int32_t s = 2000; s > 1000; --s)
        full.push_back(s);
    Retrieved(full, {10});
    EXPECT_EQ(scores.OverallRankText(1500), "Overall rank: 502nd of 1000");
    EXPECT_EQ(scores.OverallRankText(1002), "Overall rank: 1000th of 1000");
    EXPECT_EQ(scores.OverallRankText(1001), "Overall rank: [unranked]");
    EXPECT_EQ(scores.OverallRankText(1000), "Overall rank: [unranked]");
}

TEST_F(OnlineScoresTest, RecentRankCountsFromTheListAndStopsAtItsEnd) {
    Retrieved({1}, {900, 800, 800, 500});
    EXPECT_EQ(scores.RecentRankText(850), "Recent rank: 2nd of last 5");
    EXPECT_EQ(scores.RecentRankText(800), "Recent rank: 4th of last 5");
    EXPECT_EQ(scores.RecentRankText(500), "Recent rank: 5th of last 5");
    EXPECT_EQ(scores.RecentRankText(10), "Recent rank: 5th of last 5");

    Retrieved({1}, std::vector<std::int32_t>(100, 5000));
    EXPECT_EQ(scores.RecentRankText(100), "Recent rank: 100th of last 100");

    Retrieved({1}, {});
    EXPECT_EQ(scores.RecentRankText(100), "Recent rank: [unranked]");
}

TEST_F(OnlineScoresTest, LastUpdateShowsTheRetrievalTime) {
    const clPlainDateFormat format;
    EXPECT_EQ(scores.LastUpdateText(format), "");
    clock.now = {2017, 8, 2, 1, 14, 21, 5, 0};
    Retrieved({}, {});
    EXPECT_EQ(scores.LastUpdateText(format), "[2017-08-01 14:21]");
}

TEST(WebPages, AddressesEndInTheQueryWithTheSourceTag) {
    clMemorySettingsStore store;
    clSettings settings(store);
    EXPECT_EQ(ScorePageUrl(settings, "tripletowers"),
              "http://127.0.0.1:8080/topscores/scores/qarvel/tripletowers.html?");
    EXPECT_EQ(StartPageUrl(settings), "http://127.0.0.1:8080/index.html?");
    EXPECT_EQ(WebPageUrl(settings, "latest", "160"), "http://127.0.0.1:8080/app/latest160.html?");

    ASSERT_TRUE(store.WriteText(OptionsKey(), "source", "src=cd rom&x#y"));
    settings.LoadOptions();
    EXPECT_EQ(WebPageUrl(settings, "index"),
              "http://127.0.0.1:8080/app/index.html?&src=cd%20rom%26x%23y");
    ASSERT_TRUE(store.WriteText(OptionsKey(), "source", std::string(63, 's')));
    settings.LoadOptions();
    EXPECT_EQ(QueryEnding(settings.Source()), "?&" + std::string(63, 's'));
    EXPECT_EQ(QueryEnding(std::string(64, 's')), "?");
}

}  // namespace
