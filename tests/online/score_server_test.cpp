#include "score_server.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "online/http_client.h"
#include "online/loopback.h"
#include "online/online_scores.h"
#include "online/scramble.h"
#include "player/settings.h"
#include "score_store.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "toolkit/memory_settings_store.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

std::string Scrambled(std::string_view text) {
    const auto bytes = ScrambleBody(text);
    return std::string(bytes.begin(), bytes.end());
}

// Plain bytes scrambled as they are, with their right hash: for bodies whose
// text is not one zero-terminated string.
std::string ScrambledBytes(std::string_view plain) {
    std::string body;
    for (std::size_t i = 0; i < plain.size(); ++i)
        body += static_cast<char>(static_cast<std::uint8_t>(plain[i]) ^
                                  kScrambleKey[i % kScrambleKeySize]);
    const std::uint32_t h = ScoreHash(plain);
    for (int shift = 24; shift >= 0; shift -= 8)
        body += static_cast<char>(h >> shift);
    return body;
}

const clOnlineIdentity kAnn{"Ann", "Paris", "ann@example.org"};
const clOnlineIdentity kBob{"Bob", "Oslo", "bob@example.org"};

std::string SubmitText(const clOnlineIdentity& identity,
                       const std::vector<clSubmittedScore>& scores,
                       std::string_view player = "ann") {
    std::string text = FormatSubmitHeader(identity, player);
    for (const clSubmittedScore& score : scores)
        text += FormatSubmitLine(score.gameName, score.score, score.round);
    return text;
}

class ScoreServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(store.Open((temp.Path() / "scores.db").string(), error)) << error;
    }

    // The reply lines of a submission, which must be accepted.
    std::vector<clScoreRanks> Submit(const clOnlineIdentity& identity,
                                     const std::vector<clSubmittedScore>& scores) {
        const clServerReply reply = server.Submit(Scrambled(SubmitText(identity, scores)));
        EXPECT_EQ(reply.status, 200) << reply.body;
        const auto ranks = ParseSubmitReply(reply.body, scores.size());
        EXPECT_TRUE(ranks) << reply.body;
        return ranks.value_or(std::vector<clScoreRanks>{});
    }

    clServerReply List(std::string_view game, clScoreListKind kind, std::string_view token,
                       std::int32_t maximum) {
        return server.List(Scrambled(FormatListBody(game, kind, token, maximum)));
    }

    std::int64_t Stored(std::string_view game = "Klondike") {
        return store.CountScores(game).value_or(-1);
    }

    // The ranking and storage are tested with every score taken as
    // verified; the replay of records has tests of its own.
    static clScoreChecks TakeEverything() {
        clScoreChecks checks;
        checks.judge = [](const clSubmittedScore&, const std::string&) {
            return clScoreVerdict{clScoreVerdict::clKind::Verified, {}};
        };
        return checks;
    }

    clTempFolder temp;
    clScoreStore store;
    clScoreServer server{store, {}, TakeEverything()};
};

TEST_F(ScoreServerTest, RanksOverallAndRecentWithEqualScoresInArrivalOrder) {
    EXPECT_EQ(Submit(kAnn, {{"Klondike", 500, 2}}), (std::vector<clScoreRanks>{{1, 1, 1, 1}}));
    EXPECT_EQ(Submit(kBob, {{"Klondike", 900, 3}}), (std::vector<clScoreRanks>{{1, 2, 1, 2}}));
    EXPECT_EQ(Submit(kBob, {{"Klondike", 500, 1}, {"Golf", 10, 1}}),
              (std::vector<clScoreRanks>{{3, 3, 3, 3}, {1, 1, 1, 1}}));
    // The same score of the same player again keeps its place.
    EXPECT_EQ(Submit(kAnn, {{"Klondike", 500, 2}}), (std::vector<clScoreRanks>{{2, 3, 2, 3}}));
    EXPECT_EQ(Stored(), 3);
}

// Ranks kept in memory agree with counting the stored scores, ties and the
// recent window included, and are built again from the database when it
// opens.
TEST_F(ScoreServerTest, RanksAgreeWithCountingAndSurviveReopening) {
    std::mt19937 random(20261210);
    std::vector<std::int32_t> sent;  // in the order they came
    const auto expected = [&sent](std::size_t n) {
        clScoreRanks ranks{1, static_cast<std::int32_t>(sent.size()), 0, 0};
        const std::size_t recentStart = sent.size() > 100 ? sent.size() - 100 : 0;
        ranks.recentCount = static_cast<std::int32_t>(sent.size() - recentStart);
        std::int32_t recentBefore = 0;
        for (std::size_t i = 0; i < sent.size(); ++i) {
            const bool before = sent[i] > sent[n] || (sent[i] == sent[n] && i < n);
            ranks.overallRank += before ? 1 : 0;
            recentBefore += before && i >= recentStart ? 1 : 0;
        }
        ranks.recentRank = n >= recentStart ? recentBefore + 1 : 0;
        return ranks;
    };
    for (std::int32_t batch = 0; batch < 15; ++batch) {
        std::vector<clSubmittedScore> scores;
        for (std::int32_t i = 0; i < 10; ++i)
            scores.push_back(
                {"Klondike", static_cast<std::int32_t>(random() % 6) * 100, batch * 10 + i + 1});
        const auto ranks = Submit(kAnn, scores);
        ASSERT_EQ(ranks.size(), scores.size());
        for (std::size_t i = 0; i < scores.size(); ++i) {
            sent.push_back(scores[i].score);
            EXPECT_EQ(ranks[i], expected(sent.size() - 1)) << "score " << sent.size();
        }
    }

    clScoreStore reopened;
    std::string error;
    ASSERT_TRUE(reopened.Open((temp.Path() / "scores.db").string(), error)) << error;
    clScoreServer again(reopened, {}, TakeEverything());
    const clServerReply reply = again.Submit(Scrambled(SubmitText(kBob, {{"Klondike", 300, 1}})));
    sent.push_back(300);
    EXPECT_EQ(ParseSubmitReply(reply.body, 1),
              (std::vector<clScoreRanks>{expected(sent.size() - 1)}));
    // A score sent again keeps its place, also when no longer recent.
    const clServerReply first =
        again.Submit(Scrambled(SubmitText(kAnn, {{"Klondike", sent[0], 1}})));
    EXPECT_EQ(ParseSubmitReply(first.body, 1), (std::vector<clScoreRanks>{expected(0)}));
}

// A submission the database cannot keep whole stores nothing, and its
// scores leave no trace in the ranks.
TEST_F(ScoreServerTest, ASubmissionThatFailsLeavesTheRanksAsTheyWere) {
    Submit(kAnn, {{"Klondike", 500, 1}});
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((temp.Path() / "scores.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other,
                           "CREATE TRIGGER refuse BEFORE INSERT ON scores WHEN NEW.score = 666 "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);

    const clServerReply failed =
        server.Submit(Scrambled(SubmitText(kBob, {{"Klondike", 900, 1}, {"Klondike", 666, 1}})));
    EXPECT_EQ(failed.status, 500);
    EXPECT_EQ(Stored(), 1);
    EXPECT_EQ(Submit(kBob, {{"Klondike", 700, 1}}), (std::vector<clScoreRanks>{{1, 2, 1, 2}}));
}

TEST_F(ScoreServerTest, RecentScoresAreTheLatestHundred) {
    std::vector<clSubmittedScore> scores;
    for (std::int32_t s = 1; s <= 101; ++s)
        scores.push_back({"Klondike", s, 1});
    const auto ranks = Submit(kAnn, scores);
    ASSERT_EQ(ranks.size(), 101u);
    EXPECT_EQ(ranks.back(), (clScoreRanks{1, 101, 1, 100}));
    // The first score has a hundred newer ones: no longer recent.
    EXPECT_EQ(Submit(kAnn, {{"Klondike", 1, 1}}), (std::vector<clScoreRanks>{{101, 101, 0, 100}}));

    const auto recent =
        ParseListReply(List("Klondike", clScoreListKind::Recent, "0", 100).body, 100);
    ASSERT_TRUE(recent);
    ASSERT_EQ(recent->scores.size(), 100u);
    EXPECT_EQ(recent->scores.front(), 101);
    EXPECT_EQ(recent->scores.back(), 2);
    const auto overall =
        ParseListReply(List("Klondike", clScoreListKind::Overall, "0", 1000).body, 1000);
    ASSERT_TRUE(overall);
    EXPECT_EQ(overall->scores.size(), 101u);
    const auto top = ParseListReply(List("Klondike", clScoreListKind::Overall, "0", 3).body, 3);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->scores, (std::vector<std::int32_t>{101, 100, 99}));
}

TEST_F(ScoreServerTest, AnUnchangedListGets204UntilAScoreComes) {
    const clServerReply first = List("Klondike", clScoreListKind::Overall, "0", 1000);
    ASSERT_EQ(first.status, 200);
    const auto empty = ParseListReply(first.body, 1000);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->scores.empty());
    EXPECT_EQ(List("Klondike", clScoreListKind::Overall, empty->token, 1000).status, 204);

    Submit(kAnn, {{"Golf", 10, 1}});
    EXPECT_EQ(List("Klondike", clScoreListKind::Overall, empty->token, 1000).status, 204);
    Submit(kAnn, {{"Klondike", 10, 1}});
    const clServerReply changed = List("Klondike", clScoreListKind::Overall, empty->token, 1000);
    ASSERT_EQ(changed.status, 200);
    const auto list = ParseListReply(changed.body, 1000);
    ASSERT_TRUE(list);
    EXPECT_NE(list->token, empty->token);
    EXPECT_EQ(list->scores, std::vector<std::int32_t>{10});

    // The recent list's token is its own.
    EXPECT_EQ(List("Klondike", clScoreListKind::Recent, list->token, 100).status, 200);
}

TEST_F(ScoreServerTest, FieldsWithCommasAndBackslashesAreStoredAsTyped) {
    const clOnlineIdentity odd{"A, B\\C", "Rue 1, Paris\\", "x,y@z.org"};
    EXPECT_EQ(Submit(odd, {{"Klondike", 700, 2}}), (std::vector<clScoreRanks>{{1, 1, 1, 1}}));
    const auto rows = store.TopScores("Klondike", 10);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ((*rows)[0].name, "A, B\\C");
    EXPECT_EQ((*rows)[0].location, "Rue 1, Paris\\");
}

TEST_F(ScoreServerTest, ScoresThatCannotBeAreNotStored) {
    const auto ranks = Submit(kAnn, {{"Klondike", -2'000'000, 1},
                                     {"Klondike", 2'000'000'000, 1},
                                     {"Klondike", 500, 0},
                                     {"Klondike", 500, 1'000'000},
                                     {"No Such Game", 500, 1},
                                     {"Klondike, 5", 500, 1},
                                     {"Klondike", 500, 1}});
    const clScoreRanks unranked;
    EXPECT_EQ(ranks,
              (std::vector<clScoreRanks>{
                  unranked, unranked, unranked, unranked, unranked, unranked, {1, 1, 1, 1}}));
    EXPECT_EQ(Stored(), 1);
}

TEST_F(ScoreServerTest, HostileSubmissionsAreRefusedAndStoreNothing) {
    const std::string good = SubmitText(kAnn, {{"Klondike", 500, 1}});
    std::string wrongHash = Scrambled(good);
    wrongHash.back() = static_cast<char>(wrongHash.back() ^ 0x55);
    std::string thousands = FormatSubmitHeader(kAnn, "ann");
    for (int i = 0; i < 5000; ++i)
        thousands += FormatSubmitLine("Klondike", i, 1);
    const std::string tooLong(10000, 'n');

    struct {
        const char* why;
        std::string body;
    } const cases[] = {
        {"empty", ""},
        {"not scrambled", good},
        {"wrong hash", wrongHash},
        {"no terminator", ScrambledBytes(good)},
        {"zero inside", ScrambledBytes(good.substr(0, 20) + std::string(1, '\0') + good.substr(20) +
                                       std::string(1, '\0'))},
        {"no header line", Scrambled("Klondike,500,1\r\n")},
        {"last line cut", Scrambled(good.substr(0, good.size() - 2))},
        {"thousands of lines", Scrambled(thousands)},
        {"a name of 10,000 characters",
         Scrambled(SubmitText({tooLong, "Paris", "a@b.c"}, {{"Klondike", 500, 1}}))},
        {"a player of 10,000 characters",
         Scrambled(SubmitText(kAnn, {{"Klondike", 500, 1}}, tooLong))},
        {"no name", Scrambled(SubmitText({"", "Paris", "a@b.c"}, {{"Klondike", 500, 1}}))},
        {"a control character",
         Scrambled("Qarvel 1.0,A\x1b[2J,Paris,a@b.c,ann,,\r\nKlondike,500,1\r\n")},
        // C1 controls, and the marks and overrides that reorder text.
        {"a next-line control (U+0085)",
         Scrambled(SubmitText({"Ann\xC2\x85", "Paris", "a@b.c"}, {{"Klondike", 500, 1}}))},
        {"U+0080", Scrambled(SubmitText({"\xC2\x80"
                                         "Ann",
                                         "Paris", "a@b.c"},
                                        {{"Klondike", 5, 1}}))},
        {"U+009F", Scrambled(SubmitText({"Ann", "Paris\xC2\x9F", "a@b.c"}, {{"Klondike", 5, 1}}))},
        {"a right-to-left override (U+202E)", Scrambled(SubmitText({"\xE2\x80\xAE"
                                                                    "nnA",
                                                                    "Paris", "a@b.c"},
                                                                   {{"Klondike", 500, 1}}))},
        {"a left-to-right embedding (U+202A)", Scrambled(SubmitText({"Ann",
                                                                     "\xE2\x80\xAA"
                                                                     "Paris",
                                                                     "a@b.c"},
                                                                    {{"Klondike", 5, 1}}))},
        {"a left-to-right mark (U+200E)",
         Scrambled(SubmitText({"Ann", "Paris", "a\xE2\x80\x8E@b.c"}, {{"Klondike", 5, 1}}))},
        {"a right-to-left mark (U+200F)",
         Scrambled(SubmitText({"Ann\xE2\x80\x8F", "Paris", "a@b.c"}, {{"Klondike", 5, 1}}))},
        {"an Arabic letter mark (U+061C)",
         Scrambled(SubmitText(kAnn, {{"Klondike", 500, 1}}, "ann\xD8\x9C"))},
        {"a left-to-right isolate (U+2066)", Scrambled(SubmitText({"\xE2\x81\xA6"
                                                                   "Ann",
                                                                   "Paris", "a@b.c"},
                                                                  {{"Klondike", 5, 1}}))},
        {"a pop directional isolate (U+2069)",
         Scrambled(SubmitText({"Ann\xE2\x81\xA9", "Paris", "a@b.c"}, {{"Klondike", 5, 1}}))},
        {"not UTF-8", Scrambled(SubmitText({"Ann", "Par\xC3is", "a@b.c"}, {{"Klondike", 500, 1}}))},
        {"a score that is not a number",
         Scrambled(FormatSubmitHeader(kAnn, "ann") + "Klondike,5e3,1\r\n")},
    };
    for (const auto& c : cases) {
        const clServerReply reply = server.Submit(c.body);
        EXPECT_EQ(reply.status, 400) << c.why;
    }
    EXPECT_EQ(Stored(), 0);
}

// Letters of every script stay welcome, right-to-left ones too, and so do the
// characters beside the refused ones.
TEST_F(ScoreServerTest, NamesInAnyScriptAreStored) {
    for (const char* name : {"Zo\xC3\xAB", "\xE6\x9D\xB1\xE4\xBA\xAC", "\xD7\xA9\xD7\xA8\xD7\x94",
                             "\xD8\xB3\xD8\xA7\xD8\xB1\xD8\xA9",
                             "Ann\xC2\xA0"
                             "B",
                             "Ann \xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB",
                             "A\xE2\x80\xAF"
                             "B"}) {
        const clServerReply reply =
            server.Submit(Scrambled(SubmitText({name, "Paris", "a@b.c"}, {{"Golf", 5, 1}})));
        EXPECT_EQ(reply.status, 200) << name;
    }
    EXPECT_EQ(Stored("Golf"), 7);
}

TEST_F(ScoreServerTest, HostileListRequestsAreRefused) {
    std::string wrongHash = Scrambled("Klondike,0,0,1000");
    wrongHash[0] = static_cast<char>(wrongHash[0] ^ 1);
    for (const std::string& body :
         {std::string(), wrongHash, Scrambled("Klondike,0,0"), Scrambled("Klondike,7,0,1000"),
          Scrambled("No Such Game,0,0,1000"), Scrambled("Klondike,0,0,-1")})
        EXPECT_EQ(server.List(body).status, 400);
}

TEST_F(ScoreServerTest, PagesEscapeWhatPlayersTyped) {
    Submit({"<script>alert(1)</script>", "Tom & \"Jerry\"", "a@b.c"}, {{"Klondike", 700, 2}});
    const clServerReply page = server.ScorePage("klondike");
    ASSERT_EQ(page.status, 200);
    EXPECT_NE(page.body.find("Klondike High Scores"), std::string::npos);
    EXPECT_NE(page.body.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(page.body.find("Tom &amp; &quot;Jerry&quot;"), std::string::npos);
    EXPECT_EQ(page.body.find("<script>"), std::string::npos);
    EXPECT_EQ(page.body.find("a@b.c"), std::string::npos);  // addresses stay private
    EXPECT_EQ(server.ScorePage("nosuchgame").status, 404);

    // A name stored before names were checked for them shows without the
    // characters that would reorder the page around it.
    const auto stored = store.AddScores({"\xE2\x80\xAE"
                                         "nnA\xC2\x85",
                                         "Paris\xE2\x81\xA6", "c@d.e"},
                                        "c", {{{"Golf", 10, 1}, true}}, 0);
    ASSERT_TRUE(stored);
    const clServerReply golf = server.ScorePage("golf");
    EXPECT_NE(golf.body.find("<td>nnA</td><td>Paris</td>"), std::string::npos);

    const clServerReply start = server.StartPage();
    ASSERT_EQ(start.status, 200);
    EXPECT_NE(start.body.find("href=\"/topscores/scores/qarvel/tripletowers.html\""),
              std::string::npos);
    for (const char* key : {"index", "latest160", "cardsets", "newsletter", "customer", "forum",
                            "games", "logo", "contact"})
        EXPECT_EQ(server.SitePage(key).status, 200) << key;
    EXPECT_EQ(server.SitePage("secret").status, 404);
}

// The server on HTTP, on 127.0.0.1 at a free port, for the length of a test.
class clRunningServer {
public:
    explicit clRunningServer(clScoreServer& server)
        : clRunningServer(server, server.Bind("127.0.0.1", 0)) {}
    // Serves on the port the server is already bound to.
    clRunningServer(clScoreServer& server, int port) : port(port), server(server) {
        if (port > 0) thread = std::thread([&server] { server.Listen(); });
    }
    ~clRunningServer() {
        if (!thread.joinable()) return;
        // Stop acts only once the server runs.
        for (int i = 0; i < 5000 && !server.IsRunning(); ++i)
            std::this_thread::sleep_for(1ms);
        server.Stop();
        thread.join();
    }

    int port = -1;

private:
    clScoreServer& server;
    std::thread thread;
};

TEST_F(ScoreServerTest, TheGameSubmitsAndRetrievesOverHttp) {
    clRunningServer running(server);
    ASSERT_GT(running.port, 0);
    clMemorySettingsStore settingsStore;
    clSettings settings(settingsStore);
    ASSERT_TRUE(settings.WritePlayerDefaults("Ann"));
    ASSERT_TRUE(settings.SetPlayer("Ann"));
    ASSERT_TRUE(settings.SetScoreServerBase("http://127.0.0.1:" + std::to_string(running.port)));
    clFixedClock clock;
    clOnlineScores session(settings, clock);

    clScoreEntry best{"Klondike", 900, 4, {}};
    clScoreEntry second{"Klondike", 700, 3, {}};
    ASSERT_TRUE(session.Queue(&best));
    ASSERT_TRUE(session.Queue(&second));
    ASSERT_TRUE(session.SubmitScores(kAnn));
    EXPECT_EQ(best.ranks, (clScoreRanks{1, 1, 1, 1}));
    EXPECT_EQ(second.ranks, (clScoreRanks{2, 2, 2, 2}));

    clOnlineScores screen(settings, clock);
    ASSERT_TRUE(screen.Retrieve("Klondike", false));
    EXPECT_EQ(screen.OverallScores(), (std::vector<std::int32_t>{900, 700}));
    EXPECT_EQ(screen.OverallRankText(800), "Overall rank: 2nd of 3");
    EXPECT_EQ(screen.RecentRankText(1000), "Recent rank: 1st of last 3");
    const std::string token = screen.OverallToken();

    // Nothing new: 204 keeps the lists.
    ASSERT_TRUE(screen.Retrieve("Klondike", false));
    EXPECT_EQ(screen.OverallToken(), token);
    EXPECT_EQ(screen.OverallScores().size(), 2u);

    clScoreEntry third{"Klondike", 800, 3, {}};
    ASSERT_TRUE(session.Queue(&third));
    ASSERT_TRUE(session.SubmitScores(kBob));
    EXPECT_EQ(third.ranks, (clScoreRanks{2, 3, 2, 3}));
    ASSERT_TRUE(screen.Retrieve("Klondike", false));
    EXPECT_NE(screen.OverallToken(), token);
    EXPECT_EQ(screen.OverallScores(), (std::vector<std::int32_t>{900, 800, 700}));

    const std::string page =
        RawExchange(static_cast<std::uint16_t>(running.port),
                    "GET /topscores/scores/qarvel/klondike.html?&src=x HTTP/1.0\r\n\r\n");
    EXPECT_TRUE(page.starts_with("HTTP/1.1 200")) << page.substr(0, 100);
    EXPECT_NE(page.find("<td>Bob</td>"), std::string::npos);
}

TEST_F(ScoreServerTest, AHugeBodyIsRefusedBeforeItIsRead) {
    clRunningServer running(server);
    ASSERT_GT(running.port, 0);
    const std::string reply = RawExchange(static_cast<std::uint16_t>(running.port),
                                          "POST /topscores/qarvel/submit.php HTTP/1.0\r\n"
                                          "Content-Length: 100000000\r\n\r\n" +
                                              Scrambled(SubmitText(kAnn, {{"Klondike", 5, 1}})));
    EXPECT_TRUE(reply.starts_with("HTTP/1.1 413")) << reply.substr(0, 100);
    EXPECT_EQ(Stored(), 0);
    // A body just within the limit is read whole and judged by its handler.
    const std::string within(clScoreServer::kMaxRequestBody, 'x');
    const std::string judged = RawExchange(static_cast<std::uint16_t>(running.port),
                                           "POST /topscores/qarvel/submit.php HTTP/1.0\r\n"
                                           "Content-Length: " +
                                               std::to_string(within.size()) + "\r\n\r\n" + within);
    EXPECT_TRUE(judged.starts_with("HTTP/1.1 400")) << judged.substr(0, 100);

    // A request the game did not send reaches no handler.
    EXPECT_TRUE(RawExchange(static_cast<std::uint16_t>(running.port),
                            "GET /../../etc/passwd HTTP/1.0\r\n\r\n")
                    .starts_with("HTTP/1.1 4"));
}

// Sockets connecting to 127.0.0.1:port without blocking, closed when the
// object goes.
class clConnections {
public:
    clConnections(int port, int count) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        for (int i = 0; i < count; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            if (fd < 0) break;
            fds.push_back(fd);
            ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        }
    }
    ~clConnections() {
        for (int fd : fds)
            ::close(fd);
    }
    clConnections(const clConnections&) = delete;
    clConnections& operator=(const clConnections&) = delete;

    // How many are connected by the deadline.
    int Connected(std::chrono::steady_clock::time_point deadline) const {
        std::vector<pollfd> waits;
        for (int fd : fds)
            waits.push_back({fd, POLLOUT, 0});
        int connected = 0;
        while (connected < static_cast<int>(fds.size()) &&
               std::chrono::steady_clock::now() < deadline) {
            ::poll(waits.data(), waits.size(), 100);
            connected = 0;
            for (const pollfd& wait : waits)
                connected += (wait.revents & POLLOUT) != 0 ? 1 : 0;
        }
        return connected;
    }

    // Everything socket i receives until the peer closes or the deadline.
    std::string ReadToClose(std::size_t i, std::chrono::steady_clock::time_point deadline) const {
        std::string got;
        char chunk[4096];
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd entry{fds[i], POLLIN, 0};
            if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) break;
            const ssize_t n = ::recv(fds[i], chunk, sizeof chunk, 0);
            if (n <= 0) break;
            got.append(chunk, static_cast<std::size_t>(n));
        }
        return got;
    }

    std::size_t Size() const { return fds.size(); }
    int Fd(std::size_t i) const { return fds[i]; }

private:
    std::vector<int> fds;
};

// Players who press Submit at the same moment reach the server before it can
// take their connections: every one must wait its turn in the queue of the
// listening socket, none be turned away.
TEST_F(ScoreServerTest, ABurstOfConnectionsIsServedInFull) {
    constexpr int kPlayers = 64;
    const int port = server.Bind("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    // All connect before the server takes any connection.
    const clConnections players(port, kPlayers);
    ASSERT_EQ(players.Size(), static_cast<std::size_t>(kPlayers));
    ASSERT_EQ(players.Connected(std::chrono::steady_clock::now() + 3s), kPlayers)
        << "connections left waiting before the server listens";

    for (std::size_t i = 0; i < players.Size(); ++i) {
        const std::string body =
            Scrambled(SubmitText(kAnn, {{"Klondike", 100 + static_cast<std::int32_t>(i), 1}}));
        const std::string request =
            "POST /topscores/qarvel/submit.php HTTP/1.0\r\nContent-Length: " +
            std::to_string(body.size()) + "\r\n\r\n" + body;
        ASSERT_EQ(::send(players.Fd(i), request.data(), request.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(request.size()));
    }
    {
        clRunningServer running(server, port);
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        for (std::size_t i = 0; i < players.Size(); ++i)
            EXPECT_TRUE(players.ReadToClose(i, deadline).starts_with("HTTP/1.1 200")) << i;
    }
    EXPECT_EQ(Stored(), kPlayers);
}

// A second server on the port of a running one would take part of its
// players' scores into its own database.
TEST_F(ScoreServerTest, APortInUseIsNotShared) {
    clRunningServer running(server);
    ASSERT_GT(running.port, 0);
    clScoreStore otherStore;
    std::string error;
    ASSERT_TRUE(otherStore.Open((temp.Path() / "other.db").string(), error)) << error;
    clScoreServer other(otherStore, {}, TakeEverything());
    EXPECT_EQ(other.Bind("127.0.0.1", running.port), -1);
}

// The descriptors this process may open, raised towards `wanted` as far as
// the system lets it.
int RaiseDescriptorLimit(rlim_t wanted) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return 1024;
    if (limit.rlim_cur < wanted) {
        limit.rlim_cur = std::min(wanted, limit.rlim_max);
        ::setrlimit(RLIMIT_NOFILE, &limit);
        ::getrlimit(RLIMIT_NOFILE, &limit);
    }
    return static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 1 << 20));
}

// True once the peer has closed the socket or reset it (what it sent before
// is read and dropped).
bool PeerClosed(int fd) {
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got == 0) return true;
        if (got < 0) return errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR;
    }
}

// Sends `start` and then `repeated` over and over, up to `limit` bytes in
// all, to 127.0.0.1:port; how much was sent before the server closed the
// connection, and what it answered. A send that cannot go on for 5 s ends
// the flood: the test never hangs on it.
struct clFlood {
    std::size_t sent = 0;
    std::string reply;
    bool closed = false;  // by the server, within 2 s of the last send
};
clFlood Flood(int port, const std::string& start, const std::string& repeated, std::size_t limit) {
    clFlood flood;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval fiveSeconds{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &fiveSeconds, sizeof fiveSeconds);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
        ::close(fd);
        return flood;
    }
    std::string block = start;
    while (flood.sent < limit) {
        while (block.size() < 64 * 1024)
            block += repeated;
        const ssize_t sent = ::send(fd, block.data(), block.size(), MSG_NOSIGNAL);
        if (sent <= 0) break;
        flood.sent += static_cast<std::size_t>(sent);
        block.erase(0, static_cast<std::size_t>(sent));
    }
    char chunk[4096];
    pollfd entry{fd, POLLIN, 0};
    while (::poll(&entry, 1, 2000) > 0) {
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got <= 0) {
            flood.closed = true;
            break;
        }
        flood.reply.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return flood;
}

// A request whose header or body never ends is held in a bounded space: the
// server answers and closes the connection long before the client is done,
// and goes on serving others.
TEST_F(ScoreServerTest, RequestsThatNeverEndAreCutOff) {
    clRunningServer running(server);
    ASSERT_GT(running.port, 0);
    constexpr std::size_t kFlood = 64 * 1024 * 1024;
    const std::string kilobyte(1000, 'a');
    struct {
        const char* what;
        std::string start;
        std::string repeated;
    } const cases[] = {
        {"header lines that never end", "GET / HTTP/1.1\r\nHost: x\r\n", "X-Line: 0123456789\r\n"},
        {"a header line that never ends", "GET / HTTP/1.1\r\nX-Long: ", kilobyte},
        {"a path that never ends", "GET /", kilobyte},
        {"a body without a length that never ends",
         "POST /topscores/qarvel/submit.php HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: "
         "chunked\r\n\r\n",
         "3e8\r\n" + kilobyte + "\r\n"},
        {"a body longer than its length",
         "POST /topscores/qarvel/submit.php HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\n",
         kilobyte},
    };
    for (const auto& c : cases) {
        const clFlood flood = Flood(running.port, c.start, c.repeated, kFlood);
        EXPECT_LT(flood.sent, kFlood) << c.what << ": the server took it all";
        EXPECT_TRUE(flood.closed) << c.what;
        if (!flood.reply.empty()) {
            EXPECT_TRUE(flood.reply.starts_with("HTTP/1.1 4")) << c.what << ": " << flood.reply;
        }
    }
    EXPECT_TRUE(RawExchange(static_cast<std::uint16_t>(running.port), "GET / HTTP/1.0\r\n\r\n")
                    .starts_with("HTTP/1.1 200"));
}

// The connections held are bounded: an address's connections beyond its
// share wait, beyond the waiting room they are closed at once, and another
// address is still served.
TEST_F(ScoreServerTest, TheConnectionsHeldAreBounded) {
    clScoreServer small(store, {.maxConnections = 4, .maxPerAddress = 2}, TakeEverything());
    clRunningServer running(small);
    ASSERT_GT(running.port, 0);
    const clConnections idle(running.port, 20);
    ASSERT_EQ(idle.Connected(std::chrono::steady_clock::now() + 5s), 20);
    // 2 served and 4 waiting are held; the other 14 are closed.
    int closed = 0;
    for (int tries = 0; tries < 100 && closed < 14; ++tries) {
        std::this_thread::sleep_for(20ms);
        closed = 0;
        for (std::size_t i = 0; i < idle.Size(); ++i)
            closed += PeerClosed(idle.Fd(i)) ? 1 : 0;
    }
    EXPECT_EQ(closed, 14);
    const std::string reply = RawExchange(static_cast<std::uint16_t>(running.port),
                                          "GET / HTTP/1.0\r\n\r\n", 5000ms, "127.0.0.2");
    EXPECT_TRUE(reply.starts_with("HTTP/1.1 200")) << reply.substr(0, 100);
}

// Slow clients hold no thread: a thousand connections of one address that
// send their header a byte at a time leave another address served.
TEST_F(ScoreServerTest, SlowClientsOfOneAddressLeaveOthersServed) {
    const int slowCount = std::min(1000, RaiseDescriptorLimit(4096) - 400);
    clRunningServer running(server);
    ASSERT_GT(running.port, 0);
    const clConnections slow(running.port, slowCount);
    slow.Connected(std::chrono::steady_clock::now() + 10s);
    const std::string start = "POST /topscores/qarvel/submit.php HTTP/1.1\r\nHost: x\r\nX-Slow: ";
    for (std::size_t i = 0; i < slow.Size(); ++i)
        ::send(slow.Fd(i), start.data(), start.size(), MSG_NOSIGNAL | MSG_DONTWAIT);

    const std::string body = Scrambled(SubmitText(kBob, {{"Golf", 30, 1}}));
    for (int i = 0; i < 10; ++i) {
        for (std::size_t s = 0; s < slow.Size(); ++s)
            ::send(slow.Fd(s), "a", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        const auto port = static_cast<std::uint16_t>(running.port);
        const std::string page = RawExchange(port, "GET / HTTP/1.0\r\n\r\n", 5000ms, "127.0.0.2");
        EXPECT_TRUE(page.starts_with("HTTP/1.1 200")) << i << ": " << page.substr(0, 100);
        const std::string submitted =
            RawExchange(port,
                        "POST /topscores/qarvel/submit.php HTTP/1.0\r\nContent-Length: " +
                            std::to_string(body.size()) + "\r\n\r\n" + body,
                        5000ms, "127.0.0.2");
        EXPECT_TRUE(submitted.starts_with("HTTP/1.1 200")) << i << ": " << submitted.substr(0, 100);
    }
    EXPECT_EQ(Stored("Golf"), 1);
}

// A request has a whole time, however its client spreads its bytes: a
// trickle that would renew a time-out at every byte is cut off all the same.
TEST_F(ScoreServerTest, ARequestHasAWholeTime) {
    clScoreServer quick(store, {.requestTime = 1s}, TakeEverything());
    clRunningServer running(quick);
    ASSERT_GT(running.port, 0);
    struct {
        const char* what;
        std::string start;
    } const cases[] = {
        {"a header a byte at a time", "GET / HTTP/1.1\r\nHost: x\r\nX-Slow: "},
        {"a body a byte at a time",
         "POST /topscores/qarvel/submit.php HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\n"},
        {"a second request a byte at a time",
         "GET / HTTP/1.1\r\nHost: x\r\n\r\nGET / HTTP/1.1\r\nHost: x\r\nX-Slow: "},
    };
    for (const auto& c : cases) {
        const clConnections trickle(running.port, 1);
        ASSERT_EQ(trickle.Connected(std::chrono::steady_clock::now() + 5s), 1);
        ::send(trickle.Fd(0), c.start.data(), c.start.size(), MSG_NOSIGNAL);
        // Ten times the whole time, a byte every 100 ms.
        bool closed = false;
        for (int i = 0; i < 100 && !closed; ++i) {
            std::this_thread::sleep_for(100ms);
            closed = ::send(trickle.Fd(0), "a", 1, MSG_NOSIGNAL | MSG_DONTWAIT) < 0 ||
                     PeerClosed(trickle.Fd(0));
        }
        EXPECT_TRUE(closed) << c.what;
    }
}

// A submission waiting for the database (here another program holds its
// write lock) holds up no page.
TEST_F(ScoreServerTest, PagesAreServedWhileASubmissionWaits) {
    Submit(kAnn, {{"Klondike", 500, 1}});
    clRunningServer running(server);
    ASSERT_GT(running.port, 0);
    const auto port = static_cast<std::uint16_t>(running.port);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((temp.Path() / "scores.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    std::atomic<bool> submitted = false;
    std::string submitReply;
    std::thread submitter([&] {
        const std::string body = Scrambled(SubmitText(kBob, {{"Klondike", 700, 1}}));
        submitReply = RawExchange(port,
                                  "POST /topscores/qarvel/submit.php HTTP/1.0\r\nContent-Length: " +
                                      std::to_string(body.size()) + "\r\n\r\n" + body,
                                  10000ms);
        submitted = true;
    });
    // Time for the submission to reach the database and wait there.
    std::this_thread::sleep_for(300ms);
    const std::string page =
        RawExchange(port, "GET /topscores/scores/qarvel/klondike.html HTTP/1.0\r\n\r\n", 5000ms);
    const std::string start = RawExchange(port, "GET / HTTP/1.0\r\n\r\n", 5000ms);
    const bool submittedFirst = submitted;
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    submitter.join();

    EXPECT_FALSE(submittedFirst) << "the pages waited for the submission";
    EXPECT_TRUE(page.starts_with("HTTP/1.1 200")) << page.substr(0, 100);
    EXPECT_NE(page.find("<td>Ann</td>"), std::string::npos);
    EXPECT_TRUE(start.starts_with("HTTP/1.1 200")) << start.substr(0, 100);
    EXPECT_TRUE(submitReply.ends_with("\r\n\r\n1,2,1,2\r\nverified\r\n")) << submitReply;
}

// The program itself, started on a free port with a fresh database; killed
// when the object goes if it still runs.
class clServerProgram {
public:
    explicit clServerProgram(const std::vector<std::string>& options = {}) {
        int out[2];
        if (pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<std::string> args = {QARVEL_SCORE_SERVER, "--db",
                                         (temp.Path() / "scores.db").string(), "--port", "0"};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid, QARVEL_SCORE_SERVER, &actions, nullptr, argv.data(), environ) != 0)
            pid = 0;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        char c = 0;
        while (firstLine.size() < 200 && read(out[0], &c, 1) == 1 && c != '\n')
            firstLine += c;
        close(out[0]);
        const std::string prefix = "qarvel-score-server: listening on http://127.0.0.1:";
        if (firstLine.starts_with(prefix)) port = std::stoi(firstLine.substr(prefix.size()));
    }
    ~clServerProgram() {
        if (pid <= 0) return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    clServerProgram(const clServerProgram&) = delete;
    clServerProgram& operator=(const clServerProgram&) = delete;

    // The exit status once it has ended, within `wait` of being asked to
    // stop; -1 when it has not. `meanwhile` runs every 50 ms of the wait.
    int Stop(std::chrono::milliseconds wait, const std::function<void()>& meanwhile = {}) {
        if (pid <= 0) return -1;
        kill(pid, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            if (meanwhile) meanwhile();
            std::this_thread::sleep_for(50ms);
        }
        return -1;
    }

    int port = -1;
    std::string firstLine;

private:
    clTempFolder temp;
    pid_t pid = 0;
};

// The program itself: started on a free port, it answers the game and stops
// on SIGTERM.
TEST(ScoreServerProgram, ServesTheGameAndStopsOnSignal) {
    clServerProgram program;
    ASSERT_GT(program.port, 0) << program.firstLine;
    const std::string base = "http://127.0.0.1:" + std::to_string(program.port);

    clHttpClient client;
    client.SetTimeout(2s);
    EXPECT_TRUE(
        client.Post(base + "/topscores/qarvel/submit.php", SubmitText(kAnn, {{"Golf", 1200, 2}})))
        << client.LastErrorText();
    // A score without the record of its game: no rank, and why.
    EXPECT_TRUE(client.Body().starts_with("\r\nrefused the score came without the record"))
        << client.Body();
    EXPECT_EQ(program.Stop(10s), 0);
}

// For older games: plain scores are kept, marked, and rank nowhere.
TEST(ScoreServerProgram, AcceptsUnverifiedScoresWhenAsked) {
    clServerProgram program({"--accept-unverified", "--max-pace", "5", "--max-record", "20000"});
    ASSERT_GT(program.port, 0) << program.firstLine;
    const std::string base = "http://127.0.0.1:" + std::to_string(program.port);
    clHttpClient client;
    client.SetTimeout(2s);
    ASSERT_TRUE(
        client.Post(base + "/topscores/qarvel/submit.php", SubmitText(kAnn, {{"Golf", 1200, 2}})))
        << client.LastErrorText();
    EXPECT_EQ(client.Body(), "\r\nunverified\r\n");
    const std::string page = RawExchange(static_cast<std::uint16_t>(program.port),
                                         "GET /topscores/scores/qarvel/golf.html HTTP/1.0\r\n\r\n");
    EXPECT_NE(page.find("1200 (unverified)"), std::string::npos) << page;
    ASSERT_TRUE(client.Post(base + "/topscores/qarvel/list.php",
                            FormatListBody("Golf", clScoreListKind::Overall, "0", 10)));
    EXPECT_EQ(ParseListReply(client.Body(), 10)->scores, std::vector<std::int32_t>{});
    EXPECT_EQ(program.Stop(10s), 0);
}

// Clients that trickle their headers and bodies, or never read their
// answers, do not keep the program from stopping on SIGTERM.
TEST(ScoreServerProgram, StopsOnSignalWhateverClientsDo) {
    clServerProgram program;
    ASSERT_GT(program.port, 0) << program.firstLine;
    const clConnections headers(program.port, 50);
    const clConnections bodies(program.port, 50);
    const clConnections readers(program.port, 50);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    ASSERT_EQ(
        headers.Connected(deadline) + bodies.Connected(deadline) + readers.Connected(deadline),
        150);
    const std::string header = "GET / HTTP/1.1\r\nHost: x\r\nX-Slow: ";
    const std::string body =
        "POST /topscores/qarvel/submit.php HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\n";
    std::string pages;
    for (int i = 0; i < 20; ++i)
        pages += "GET /topscores/scores/qarvel/klondike.html HTTP/1.1\r\nHost: x\r\n\r\n";
    for (std::size_t i = 0; i < 50; ++i) {
        ::send(headers.Fd(i), header.data(), header.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        ::send(bodies.Fd(i), body.data(), body.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        ::send(readers.Fd(i), pages.data(), pages.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    }
    const auto trickle = [&] {
        for (std::size_t i = 0; i < 50; ++i) {
            ::send(headers.Fd(i), "a", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            ::send(bodies.Fd(i), "a", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        }
    };
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(program.Stop(10s, trickle), 0);
}

// The limits are the operator's to set.
TEST(ScoreServerProgram, TakesItsLimitsFromTheCommandLine) {
    clServerProgram program(
        {"--max-connections", "8", "--per-address", "2", "--request-time", "1"});
    ASSERT_GT(program.port, 0) << program.firstLine;
    const clConnections trickle(program.port, 1);
    ASSERT_EQ(trickle.Connected(std::chrono::steady_clock::now() + 5s), 1);
    const std::string start = "GET / HTTP/1.1\r\nHost: x\r\nX-Slow: ";
    ::send(trickle.Fd(0), start.data(), start.size(), MSG_NOSIGNAL);
    bool closed = false;
    for (int i = 0; i < 100 && !closed; ++i) {
        std::this_thread::sleep_for(100ms);
        closed = ::send(trickle.Fd(0), "a", 1, MSG_NOSIGNAL | MSG_DONTWAIT) < 0 ||
                 PeerClosed(trickle.Fd(0));
    }
    EXPECT_TRUE(closed);
    EXPECT_EQ(program.Stop(10s), 0);
}

TEST(ScoreServerProgram, RefusesBadArguments) {
    const std::string s = QARVEL_SCORE_SERVER;
    for (std::vector<std::string> args :
         {std::vector<std::string>{s},
          {s, "--db"},
          {s, "--db", "x.db", "--port", "99999"},
          {s, "--db", "x.db", "--what", "1"},
          {s, "--db", "x.db", "--max-connections", "0"},
          {s, "--db", "x.db", "--per-address", "-1"},
          {s, "--db", "x.db", "--request-time", "1.5"},
          {s, "--db", "x.db", "--request-time", "99999999999999999999"},
          {s, "--db", "x.db", "--max-pace", "0"},
          {s, "--db", "x.db", "--max-record", "40001"}}) {
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, QARVEL_SCORE_SERVER, &actions, nullptr, argv.data(), environ),
                  0);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 2) << args.size();
    }
}

}  // namespace
