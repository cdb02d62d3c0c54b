#include "score_server.h"

#include <chrono>
#include <cstdio>
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

    clTempFolder temp;
    clScoreStore store;
    clScoreServer server{store};
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
    clScoreServer other(otherStore);
    EXPECT_EQ(other.Bind("127.0.0.1", running.port), -1);
}

// The program itself: started on a free port, it answers the game and stops
// on SIGTERM.
TEST(ScoreServerProgram, ServesTheGameAndStopsOnSignal) {
    clTempFolder temp;
    const std::string database = (temp.Path() / "scores.db").string();
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args = {QARVEL_SCORE_SERVER, "--db", database, "--port", "0"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, QARVEL_SCORE_SERVER, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);

    std::string line;
    char c = 0;
    while (line.size() < 200 && read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(out[0]);
    const std::string prefix = "qarvel-score-server: listening on http://127.0.0.1:";
    ASSERT_TRUE(line.starts_with(prefix)) << line;
    const std::string base =
        "http://127.0.0.1:" + std::to_string(std::stoi(line.substr(prefix.size())));

    clHttpClient client;
    client.SetTimeout(2s);
    EXPECT_TRUE(
        client.Post(base + "/topscores/qarvel/submit.php", SubmitText(kAnn, {{"Golf", 1200, 2}})))
        << client.LastErrorText();
    EXPECT_EQ(client.Body(), "1,1,1,1\r\n");

    kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ScoreServerProgram, RefusesBadArguments) {
    for (std::vector<std::string> args : {std::vector<std::string>{QARVEL_SCORE_SERVER},
                                          {QARVEL_SCORE_SERVER, "--db"},
                                          {QARVEL_SCORE_SERVER, "--db", "x.db", "--port", "99999"},
                                          {QARVEL_SCORE_SERVER, "--db", "x.db", "--what", "1"}}) {
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
