// Scores sent with the record of their game, through the game's client to
// the score server on 127.0.0.1: honest games are verified and ranked,
// forged ones refused with a reason and never stored.
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "online/daily_challenge.h"
#include "online/honest_game.h"
#include "online/online_scores.h"
#include "online/play_record.h"
#include "player/settings.h"
#include "score_server.h"
#include "score_store.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "toolkit/memory_settings_store.h"

namespace {

const clOnlineIdentity kAnn{"Ann", "Paris", "ann@example.org"};

class VerifiedScoresTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(store.Open((temp.Path() / "scores.db").string(), error)) << error;
        port = server.Bind("127.0.0.1", 0);
        ASSERT_GT(port, 0);
        serving = std::thread([this] { server.Listen(); });
        ASSERT_TRUE(settings.WritePlayerDefaults("Ann"));
        ASSERT_TRUE(settings.SetPlayer("Ann"));
        ASSERT_TRUE(settings.SetScoreServerBase("http://127.0.0.1:" + std::to_string(port)));
    }
    void TearDown() override {
        if (!serving.joinable()) return;
        for (int i = 0; i < 5000 && !server.IsRunning(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        server.Stop();
        serving.join();
    }

    // What the server said of one score sent with these record bytes.
    clScoreEntry Send(std::string_view game, std::int32_t score, std::int32_t round,
                      std::string record) {
        clScoreEntry entry{std::string(game), score, round, {}};
        entry.record = std::move(record);
        clOnlineScores session(settings, clock);
        EXPECT_TRUE(session.Queue(&entry));
        EXPECT_TRUE(session.SubmitScores(kAnn));
        return entry;
    }
    clScoreEntry Send(const clHonestGame& game) {
        const auto bytes = clPlayRecordCodec::Encode(game.record);
        EXPECT_TRUE(bytes);
        return Send(game.record.gameName, game.score, game.round, bytes.value_or(""));
    }

    std::int64_t Stored(std::string_view game) { return store.CountScores(game).value_or(-1); }

    clTempFolder temp;
    clScoreStore store;
    clScoreServer server{store};
    int port = -1;
    std::thread serving;
    clMemorySettingsStore settingsStore;
    clSettings settings{settingsStore};
    clFixedClock clock;
};

TEST_F(VerifiedScoresTest, HonestGamesOfEveryFamilyAreVerifiedAndRanked) {
    for (std::string_view name :
         {"Klondike", "Canfield Deal Three", "FreeCell", "Golf", "Triple Towers", "Pyramid",
          "Spider Two Suits", "Thieves of Egypt", "Aces and Kings", "Montana", "Patient Pairs",
          "Pelmanism", "Beleaguered Castle"}) {
        SCOPED_TRACE(name);
        const std::optional<clHonestGame> game = PlayHonestGame(name, 11);
        ASSERT_TRUE(game);
        const clScoreEntry sent = Send(*game);
        ASSERT_TRUE(sent.verdict);
        EXPECT_EQ(sent.verdict->kind, clScoreVerdict::clKind::Verified) << sent.verdict->reason;
        EXPECT_EQ(sent.ranks, (clScoreRanks{1, 1, 1, 1}));
        EXPECT_EQ(Stored(name), 1);
    }
}

// Each forgery starts from an honest game of two rounds or more and changes
// one thing a cheat would.
struct clForgery {
    const char* what;
    std::function<void(clHonestGame&, std::string& bytes)> forge;
    const char* reason;  // a part of the reason the server gives
};

const clMove* FirstMove(const clRecordRound& round) {
    for (const clRecordStep& step : round.steps)
        if (step.kind == clRecordStep::clKind::Move) return &step.move;
    return nullptr;
}

void Reencode(clHonestGame& game, std::string& bytes) {
    bytes = clPlayRecordCodec::Encode(game.record).value_or("");
}

const std::vector<clForgery> kForgeries = {
    {"more points than played", [](clHonestGame& game, std::string&) { game.score += 1000; },
     "points, not the"},
    {"an illegal move",
     [](clHonestGame& game, std::string& bytes) {
         clRecordRound& round = game.record.rounds[0];
         clRecordStep step;
         step.count = round.steps.empty() ? *round.endCount : round.steps.front().count;
         // A card taken from an empty foundation.
         step.move = clMove::CardMove(0, clLocation::Pile(clLocationKind::Foundation, 0, 0),
                                      clLocation::Pile(clLocationKind::Tableau, 0, 5));
         round.steps.insert(round.steps.begin(), step);
         Reencode(game, bytes);
     },
     "a move the rules do not allow"},
    {"an impossible pace",
     [](clHonestGame& game, std::string& bytes) {
         // Round 1's steps all made at its first count, and the score
         // raised by the bonus that leaves.
         clRecordRound& round = game.record.rounds[0];
         const std::int32_t first = round.steps.front().count;
         for (clRecordStep& step : round.steps)
             step.count = first;
         game.score += (first - *round.endCount) * 10;
         round.endCount = first;
         Reencode(game, bytes);
     },
     "faster than anyone plays"},
    {"a round that missed its goal",
     [](clHonestGame& game, std::string& bytes) {
         clRecordRound& round = game.record.rounds[0];
         game.score -= *round.endCount * 10;
         round.endCount = 0;
         Reencode(game, bytes);
     },
     "ended below its goal"},
    {"a count that rises",
     [](clHonestGame& game, std::string& bytes) {
         clRecordRound& round = game.record.rounds[0];
         round.steps.back().count = round.steps.front().count + 1;
         Reencode(game, bytes);
     },
     "rises"},
    {"a record for another deal",
     [](clHonestGame& game, std::string& bytes) {
         game.record.rounds[0].dealNumber += 1;
         Reencode(game, bytes);
     },
     "round 1"},
    {"a record over the size limit",
     [](clHonestGame&, std::string& bytes) { bytes += std::string(40'000, '\0'); },
     "larger than 40000 bytes"},
    {"a record of another game",
     [](clHonestGame& game, std::string& bytes) {
         game.record.gameName = "Golf";
         Reencode(game, bytes);
     },
     "another game"},
    {"no record at all", [](clHonestGame&, std::string& bytes) { bytes.clear(); },
     "without the record"},
};

TEST_F(VerifiedScoresTest, ForgedRecordsAreRefusedWithTheirReasonAndNotStored) {
    // Twenty steps in round 1: more than ten a second when squeezed into one.
    const std::optional<clHonestGame> honest = PlayHonestGame("Klondike", 5, 20);
    ASSERT_TRUE(honest);
    ASSERT_GE(honest->round, 2);
    ASSERT_GT(honest->record.rounds[0].steps.size(), 12u);
    ASSERT_TRUE(FirstMove(honest->record.rounds[0]));
    for (const clForgery& forgery : kForgeries) {
        SCOPED_TRACE(forgery.what);
        clHonestGame game = *honest;
        std::string bytes = clPlayRecordCodec::Encode(game.record).value_or("");
        forgery.forge(game, bytes);
        const clScoreEntry sent = Send("Klondike", game.score, game.round, bytes);
        ASSERT_TRUE(sent.verdict);
        EXPECT_EQ(sent.verdict->kind, clScoreVerdict::clKind::Refused);
        EXPECT_NE(sent.verdict->reason.find(forgery.reason), std::string::npos)
            << sent.verdict->reason;
        EXPECT_EQ(sent.ranks, clScoreRanks{});
    }
    EXPECT_EQ(Stored("Klondike"), 0);
    // The honest one still counts.
    EXPECT_EQ(Send(*honest).verdict->kind, clScoreVerdict::clKind::Verified);
    EXPECT_EQ(Stored("Klondike"), 1);
}

// The daily challenge: a player's first verified game on today's deals
// ranks in today's table; a second attempt and other deals do not.
TEST_F(VerifiedScoresTest, TheFirstDailyGameOfAPlayerRanksInTodaysTable) {
    const clDay today = DayOfUnixTime(static_cast<std::int64_t>(std::time(nullptr)));
    const auto daily = [today](std::int32_t round) { return DailyDeal(today, "golf", round); };
    const std::optional<clHonestGame> first = PlayHonestGame("Golf", 1, 20, daily);
    const std::optional<clHonestGame> second = PlayHonestGame("Golf", 2, 10, daily);
    const std::optional<clHonestGame> other = PlayHonestGame("Golf", 3);
    ASSERT_TRUE(first && second && other);
    ASSERT_NE(first->score, second->score);
    for (const clHonestGame* game : {&first.value(), &second.value(), &other.value()})
        EXPECT_EQ(Send(*game).verdict->kind, clScoreVerdict::clKind::Verified);
    EXPECT_EQ(Stored("Golf"), 3);

    clOnlineScores session(settings, clock);
    EXPECT_EQ(session.RetrieveDaily("Golf"), std::vector<std::int32_t>{first->score});
    EXPECT_EQ(session.RetrieveDaily("Klondike"), std::vector<std::int32_t>{});

    const clServerReply page = server.DailyPage("golf", std::nullopt);
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find(">" + std::to_string(first->score) + "<"), std::string::npos);
    EXPECT_EQ(page.body.find(">" + std::to_string(second->score) + "<"), std::string::npos);
    EXPECT_EQ(server.DailyPage("golf", FormatDay(today)).body, page.body);
    EXPECT_EQ(server.DailyPage("golf", "2026-02-30").status, 404);
    EXPECT_EQ(server.DailyPage("nosuchgame", std::nullopt).status, 404);
}

}  // namespace
