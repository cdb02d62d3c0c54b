#include "online/http_client.h"

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "online/loopback.h"
#include "online/scramble.h"

namespace {

using namespace std::chrono_literals;
using clAfter = clScriptedServer::clAfter;

// Every test that waits for a time-out waits this long.
constexpr auto kShortTimeout = 300ms;

TEST(HttpUrl, ParsesHostPortAndPath) {
    struct {
        const char* address;
        clUrl url;
    } const cases[] = {
        {"http://h/x", {"H", "/x", 80}},
        {"HtTp://h:8080/x", {"H", "/x", 8080}},
        {"http://score-server.example.org", {"SCORE-SERVER.EXAMPLE.ORG", "/", 80}},
        {"127.0.0.1:9000/topscores/qarvel/list.php",
         {"127.0.0.1", "/topscores/qarvel/list.php", 9000}},
        {"http://h/Mixed/Case?a=b", {"H", "/Mixed/Case?a=b", 80}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clHttpClient::ParseUrl(c.address), c.url) << c.address;
    for (const char* bad : {"ftp://h/x", "https://h/x", "http://h:0/x", "http://h:65536/x",
                            "http://h:8o/x", "http://h:/x", "http://h/a b", "http://h/a\r\nX: y"})
        EXPECT_FALSE(clHttpClient::ParseUrl(bad)) << bad;
}

TEST(HttpClient, SendsTheRequestPiecesAndTheScrambledBody) {
    clScriptedServer server("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
    clHttpClient client;
    ASSERT_TRUE(client.Post(server.Address("/topscores/qarvel/submit.php"), "abc"))
        << client.LastErrorText();
    server.Finish();
    const std::string scrambled = [] {
        const auto bytes = ScrambleBody("abc");
        return std::string(bytes.begin(), bytes.end());
    }();
    EXPECT_EQ(server.Request(),
              "POST /topscores/qarvel/submit.php HTTP/1.0\r\n"
              "Host: 127.0.0.1\r\n"
              "User-Agent: Ternlib 1.50\r\n"
              "Content-Length: 8\r\n"
              "Content-Type: binary\r\n"
              "\r\n" +
                  scrambled);
    EXPECT_EQ(client.Status(), 200);
    EXPECT_EQ(client.Body(), "ok");
    EXPECT_EQ(client.BodyLength(), 2);
}

TEST(HttpClient, AGivenUserAgentReplacesTheDefault) {
    clScriptedServer server("HTTP/1.0 204 No Content\r\n\r\n");
    clHttpClient client;
    ASSERT_TRUE(client.Post(server.Address(), "", std::string(200, 'a')));
    server.Finish();
    EXPECT_NE(server.Request().find("User-Agent: " + std::string(127, 'a') + "\r\n"),
              std::string::npos);
}

// Replies that hold: HTTP/1.0 and HTTP/1.1 status lines, with and without a
// length, LF-only lines, 204 without a body.
TEST(HttpClient, AcceptsWellFormedReplies) {
    struct {
        const char* why;
        std::string reply;
        clAfter after;
        std::int32_t status;
        std::string body;
    } const cases[] = {
        {"1.0 with length", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello", clAfter::Close,
         200, "hello"},
        {"1.1 closing", "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 5\r\n\r\nhello",
         clAfter::Close, 200, "hello"},
        {"1.1 keeping the connection", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello",
         clAfter::StayOpen, 200, "hello"},
        // What follows the announced body on a kept connection is not this
        // reply's, even when it comes in the same piece.
        {"1.1 keeping the connection, bytes after the body",
         "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello, more", clAfter::StayOpen, 200,
         "hello"},
        {"no length, body to the close", "HTTP/1.0 200 OK\r\n\r\nto the end", clAfter::Close, 200,
         "to the end"},
        {"line feeds only", "HTTP/1.0 200 OK\nContent-Length: 2\n\nok", clAfter::Close, 200, "ok"},
        {"binary body", std::string("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\na\0b", 41),
         clAfter::Close, 200, std::string("a\0b", 3)},
        {"204 without a body", "HTTP/1.1 204 No Content\r\n\r\n", clAfter::StayOpen, 204, ""},
    };
    for (const auto& c : cases) {
        clScriptedServer server(c.reply, c.after);
        clHttpClient client;
        client.SetTimeout(2s);
        EXPECT_TRUE(client.Post(server.Address(), "x")) << c.why << ": " << client.LastErrorText();
        EXPECT_EQ(client.Status(), c.status) << c.why;
        EXPECT_EQ(client.Body(), c.body) << c.why;
    }
}

TEST(HttpClient, AnotherStatusFailsButKeepsTheReply) {
    clScriptedServer server("HTTP/1.0 404 Not Found\r\nContent-Length: 4\r\n\r\nnope");
    clHttpClient client;
    EXPECT_FALSE(client.Post(server.Address(), "x"));
    EXPECT_EQ(client.Status(), 404);
    EXPECT_EQ(client.Body(), "nope");
}

// Every reply that is not a whole, well-formed one: no result, and the
// client closes its end.
TEST(HttpClient, HostileRepliesGiveNoResult) {
    struct {
        const char* why;
        std::string reply;
        clAfter after;
    } const cases[] = {
        {"nothing at all", "", clAfter::Close},
        {"garbage status line", "HELLO 200 OK\r\nContent-Length: 2\r\n\r\nok", clAfter::Close},
        {"no status code", "HTTP/1.0 OK\r\n\r\n", clAfter::Close},
        {"status code not a number", "HTTP/1.0 2x0 OK\r\n\r\n", clAfter::Close},
        {"closed inside the header", "HTTP/1.0 200 OK\r\nContent-Le", clAfter::Close},
        {"header without its end", "HTTP/1.0 200 OK\r\nServer: x\r\n", clAfter::StayOpen},
        {"endless header", "HTTP/1.0 200 OK\r\nX: " + std::string(20000, 'a'), clAfter::StayOpen},
        {"zero byte in the header", std::string("HTTP/1.0 200 OK\r\nX: \0\r\n\r\n", 25),
         clAfter::Close},
        {"body longer than announced", "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nokay",
         clAfter::Close},
        {"closed inside the body", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nhalf",
         clAfter::Close},
        {"body stops coming", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhalf",
         clAfter::StayOpen},
        {"body beyond any real reply",
         "HTTP/1.0 200 OK\r\n\r\n" + std::string(clHttpClient::kMaxBodySize + 1, 'b'),
         clAfter::Close},
        {"announced beyond any real reply", "HTTP/1.0 200 OK\r\nContent-Length: 999999999\r\n\r\n",
         clAfter::StayOpen},
        {"two lengths", "HTTP/1.0 200 OK\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\nok",
         clAfter::Close},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n",
         clAfter::Close},
        {"accepts and never answers", "", clAfter::StayOpen},
    };
    for (const auto& c : cases) {
        clScriptedServer server(c.reply, c.after);
        clHttpClient client;
        client.SetTimeout(kShortTimeout);
        EXPECT_FALSE(client.Post(server.Address(), "x")) << c.why;
        EXPECT_EQ(client.Status(), 0) << c.why;
        EXPECT_EQ(client.Header(), "") << c.why;
        EXPECT_EQ(client.BodyLength(), 0) << c.why;
        EXPECT_FALSE(client.LastErrorText().empty()) << c.why;
        server.Finish();
        if (c.after == clAfter::StayOpen) {
            EXPECT_TRUE(server.SawClientClose()) << c.why;
        }
    }
}

TEST(HttpClient, AFailedReplyClearsTheLastOne) {
    clHttpClient client;
    {
        clScriptedServer server("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
        ASSERT_TRUE(client.Post(server.Address(), "x"));
    }
    clScriptedServer server("garbage");
    EXPECT_FALSE(client.Post(server.Address(), "x"));
    EXPECT_EQ(client.Status(), 0);
    EXPECT_EQ(client.Body(), "");
}

// A host that cannot be found fails before any connection (looked up
// names are left out: their look-up would leave this machine).
TEST(HttpClient, NoServerOrNoHostFailsAndLeavesNoSocketOpen) {
    EXPECT_FALSE(clHttpClient::Resolve(""));
    EXPECT_TRUE(clHttpClient::Resolve("127.0.0.1"));
    const int before = OpenDescriptors();
    clHttpClient client;
    client.SetTimeout(kShortTimeout);
    const std::string noServer = "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/x";
    for (const std::string& address :
         {noServer, std::string("http:///x"), std::string("http://:8080/x"),
          std::string("ftp://127.0.0.1/x")}) {
        EXPECT_FALSE(client.Post(address, "x")) << address;
        EXPECT_FALSE(client.LastErrorText().empty()) << address;
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

// The player's Cancel: a stop ends the exchange at once, wherever it waits,
// with nothing left open. The time-out is long enough that only the stop
// can end the wait.
TEST(HttpClient, AStopEndsTheExchangeWhereverItWaits) {
    const int before = OpenDescriptors();
    {
        clScriptedServer silent("", clAfter::StayOpen);
        clHttpClient client;
        client.SetTimeout(60s);
        std::stop_source stop;
        std::jthread canceller([&] {
            for (int i = 0; i < 6000 && !silent.RequestRead(); ++i)
                std::this_thread::sleep_for(10ms);
            stop.request_stop();
        });
        EXPECT_FALSE(client.Post(silent.Address(), "x", std::nullopt, stop.get_token()));
        EXPECT_EQ(client.LastErrorText(), "cancelled");
        silent.Finish();
        EXPECT_TRUE(silent.SawClientClose());
    }
    {
        // Stopped before it starts: no connection is made.
        clHttpClient client;
        std::stop_source stop;
        stop.request_stop();
        EXPECT_FALSE(client.Post("http://127.0.0.1:" + std::to_string(UnusedPort()) + "/x", "x",
                                 std::nullopt, stop.get_token()));
        EXPECT_EQ(client.LastErrorText(), "cancelled");
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

// A name server that never answers: the look-up counts against the time-out
// (and a stop ends it too); the look-up is left to finish by itself.
TEST(HttpClient, ALookUpThatNeverAnswersEndsWithTheTimeOutOrAStop) {
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    const auto neverAnswers = [released](const std::string&) -> std::optional<std::uint32_t> {
        released.wait();
        return std::nullopt;
    };
    clHttpClient client;
    client.SetResolver(neverAnswers);
    client.SetTimeout(kShortTimeout);
    EXPECT_FALSE(client.Post("http://scores.example.org/x", "x"));
    EXPECT_EQ(client.LastErrorText(),
              "cannot find the host SCORES.EXAMPLE.ORG within the time-out");

    client.SetTimeout(60s);
    std::stop_source stop;
    std::jthread canceller([&] {
        std::this_thread::sleep_for(50ms);
        stop.request_stop();
    });
    EXPECT_FALSE(client.Post("http://scores.example.org/x", "x", std::nullopt, stop.get_token()));
    EXPECT_EQ(client.LastErrorText(), "cancelled");
    release.set_value();
}

}  // namespace
