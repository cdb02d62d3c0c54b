#include "online/play_record.h"

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/saved_game.h"
#include "engine/solitaire_rules.h"
#include "online/play_recorder.h"
#include "online/record_check.h"
#include "support/random_play.h"
#include "support/temp_folder.h"
#include "support/test_host.h"
#include "toolkit/file.h"
#include "variants/registry.h"

namespace {

using Kind = clRecordStep::clKind;

clRecordStep Step(clMove move, std::int32_t count) {
    clRecordStep step;
    step.kind = Kind::Move;
    step.count = count;
    step.move = std::move(move);
    return step;
}

clRecordStep Undo(std::int32_t count) {
    clRecordStep step;
    step.kind = Kind::Undo;
    step.count = count;
    return step;
}

clRecordStep Turn(std::int32_t card, std::int32_t count) {
    clRecordStep step;
    step.kind = Kind::Turn;
    step.count = count;
    step.card = card;
    return step;
}

clMove CardMove(std::int32_t card, int fromPile, int toPile, int position = 3) {
    return clMove::CardMove(card, clLocation::Pile(clLocationKind::Tableau, fromPile, position),
                            clLocation::Pile(clLocationKind::Foundation, toPile, position + 1));
}

std::string Bytes(const clPlayRecord& record) {
    const auto bytes = clPlayRecordCodec::Encode(record);
    EXPECT_TRUE(bytes);
    return bytes.value_or("");
}

TEST(PlayRecord, EveryKindOfStepComesBackAsItWent) {
    const clMove waste = clMove::CardMove(51, clLocation::Single(clLocationKind::Stock, 23),
                                          clLocation::Single(clLocationKind::Waste, 0));
    const std::vector<clPlayRecord> records = {
        {"", {}},
        {"Klondike", {{1, {}, std::nullopt}}},
        {"Klondike", {{2147483646, {Step(clMove::StockMove(), 2400)}, 0}}},
        {"Pelmanism",
         {{77,
           {Turn(5, 2400), Turn(40, 2399), Step(clMove::PairMove(5, 40), 2399), Undo(2300),
            Step(clMove::SetMove({1, 2, 3, 4, 5, 6, 7, 8}), 100)},
           99},
          {78, {Step(clMove::PairMove(3, 3), 1800)}, std::nullopt}}},
        {"Aces and Kings",
         {{9,
           {Step(clMove::CompoundMove({CardMove(0, 0, 1), waste, clMove::PairMove(1, 2)}), 1500),
            Step(CardMove(-7, 12, 3, 0), 1500), Step(CardMove(2147483647, 0, 0, -1), 0)},
           0}}},
        // Counts a game never makes are the checker's to refuse, not the codec's.
        {"Golf", {{3, {Step(clMove::StockMove(), -5), Step(clMove::StockMove(), 90000)}, -1}}},
    };
    for (const clPlayRecord& record : records) {
        const std::string bytes = Bytes(record);
        EXPECT_EQ(clPlayRecordCodec::Decode(bytes), record) << record.gameName;
        EXPECT_EQ(FromBase64(ToBase64(bytes), bytes.size()), bytes);
    }
}

TEST(PlayRecord, ALongGameStaysSmall) {
    // 20 rounds of 50 moves, a step every second or two.
    clPlayRecord record{"Spider Two Suits", {}};
    for (int r = 0; r < 20; ++r) {
        clRecordRound round{1000000 + r * 7919, {}, 2400 - 50 * 17};
        for (int m = 0; m < 50; ++m)
            round.steps.push_back(
                Step(CardMove(m * 2 % 104, m % 10, m % 8, m % 20), 2400 - m * 17));
        record.rounds.push_back(round);
    }
    EXPECT_LT(Bytes(record).size(), 16u * 1024);
}

TEST(PlayRecord, WhatCannotBeStoredIsNotEncoded) {
    clPlayRecord tooLong{std::string(64, 'x'), {}};
    clPlayRecord badPile{"Klondike", {{1, {Step(clMove::CardMove(1, {}, {}), 10)}, 0}}};
    clPlayRecord nested{
        "Klondike",
        {{1, {Step(clMove::CompoundMove({clMove::CompoundMove({clMove::StockMove()})}), 10)}, 0}}};
    clPlayRecord huge{"Klondike", {}};
    for (int r = 0; r < 100; ++r) {
        huge.rounds.push_back({r + 1, {}, 0});
        for (int m = 0; m < 100; ++m)
            huge.rounds.back().steps.push_back(Step(CardMove(m, 1, 2), 2000));
    }
    for (const clPlayRecord* record : {&tooLong, &badPile, &nested, &huge})
        EXPECT_FALSE(clPlayRecordCodec::Encode(*record));
}

TEST(PlayRecord, DamagedBytesAreRefused) {
    const clPlayRecord record{
        "Klondike", {{12345, {Step(CardMove(3, 1, 2), 2400), Undo(2390), Turn(4, 2000)}, 1990}}};
    const std::string good = Bytes(record);
    // Every cut of a good record is refused.
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(clPlayRecordCodec::Decode(good.substr(0, n))) << n;

    const std::string header = std::string("QPR1") + '\x01' + 'K';
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"another magic", "QPR2" + good.substr(4)},
        {"a byte after the end", good + '\0'},
        {"a varint of six bytes", header + std::string(5, '\xFF') + '\x01'},
        {"a varint past 32 bits", header + "\xFF\xFF\xFF\xFF\x1F"},
        {"more rounds than bytes", header + "\x7F"},
        {"a name longer than the bytes", std::string("QPR1") + '\x30' + "abc"},
        {"an unknown step", header + '\x01' + '\x02' + '\x01' + '\x09' + '\x00' + '\x00'},
        {"a compound in a compound", header + '\x01' + '\x02' + '\x01' + '\x05' + '\x01' + '\x05' +
                                         '\x01' + '\x04' + '\x00' + '\x00'},
        {"a location of kind 0", header + '\x01' + '\x02' + '\x01' + '\x01' + '\x02' + '\x00' +
                                     '\x00' + '\x00' + '\x02' + '\x00' + '\x00' + '\x00' + '\x00'},
        {"a set of nine cards", header + '\x01' + '\x02' + '\x01' + '\x03' + '\x09' +
                                    std::string(9, '\x02') + '\x00' + '\x00'},
        {"an end flag of 2", header + '\x01' + '\x02' + '\x00' + '\x02'},
    };
    for (const auto& [what, bytes] : damaged)
        EXPECT_FALSE(clPlayRecordCodec::Decode(bytes)) << what;
    // The limit holds whatever the record says.
    EXPECT_TRUE(clPlayRecordCodec::Decode(good, good.size()));
    EXPECT_FALSE(clPlayRecordCodec::Decode(good, good.size() - 1));
}

TEST(PlayRecord, Base64IsReadOnlyWhole) {
    EXPECT_EQ(ToBase64(""), "");
    EXPECT_EQ(ToBase64("f"), "Zg==");
    EXPECT_EQ(ToBase64("fo"), "Zm8=");
    EXPECT_EQ(ToBase64("foo"), "Zm9v");
    EXPECT_EQ(FromBase64("Zm9vYg==", 10), "foob");
    for (std::string_view bad : {"Zm9", "Zm9v=", "Z===", "Zg=a", "Zm,v", "Zm9v\r\n", "=Zm9"})
        EXPECT_FALSE(FromBase64(bad, 100)) << bad;
    EXPECT_FALSE(FromBase64("Zm9vYmFy", 5));
}

// The record of a game played in a window: kept beside the automatic save,
// followed across a resume, removed with the save.
class RecordBesideTheSaveTest : public ::testing::Test {
protected:
    std::unique_ptr<clSolitaireType> Open(clPlayRecorder& recorder) {
        std::unique_ptr<clSolitaireType> screen =
            CreateVariant("Klondike", &host, &options, &recorder);
        EXPECT_NE(screen, nullptr);
        host.screen = screen.get();
        return screen;
    }
    static clSolitaireRules& Rules(clSolitaireType& screen) {
        return dynamic_cast<clSolitaireRules&>(screen);
    }
    // Steps with the clock running, as a player takes them.
    void Play(clSolitaireType& screen, int steps) {
        screen.StartTimer();
        for (int i = 0; i < steps && !screen.RoundEnded(); ++i) {
            for (int t = 0; t < 5; ++t)
                screen.TimerTick();
            if (!PlayRandomStep(Rules(screen), chance)) break;
        }
    }
    std::filesystem::path RecordFile() const {
        return clPlayRecorder::RecordPath(host.Folder() / "klondike.qarvel");
    }

    std::mt19937 chance{7};
    clTempFolder folder;
    clTestHost host{folder.Path()};
    clPlayOptions options{.promptBeforeResign = false, .autoSave = true};
};

TEST_F(RecordBesideTheSaveTest, AResumedGameKeepsItsRecordToTheEnd) {
    clPlayRecorder first("Klondike");
    std::optional<clPlayRecord> left;
    {
        const auto screen = Open(first);
        screen->TakeScore();  // round 1 won on its bonus
        screen->StartRound();
        Play(*screen, 8);
        left = first.Record();
        screen->Shutdown();
    }
    ASSERT_TRUE(left);
    ASSERT_EQ(left->rounds.size(), 2u);
    ASSERT_TRUE(FileExists(RecordFile()));

    clPlayRecorder second("Klondike");
    const auto screen = Open(second);
    EXPECT_EQ(second.Record(), left);
    screen->Pause();  // resumed paused: the clock had started
    // Rounds run out of time until one misses its goal.
    for (int round = 2; round < 12; ++round) {
        Play(*screen, 4);
        while (!screen->RoundEnded())
            screen->TimerTick();
        if (!screen->LastRoundWon()) break;
        screen->StartRound();
    }
    ASSERT_FALSE(screen->LastRoundWon());
    EXPECT_FALSE(FileExists(RecordFile())) << "game over removes the record with the save";
    const std::optional<clPlayRecord> record = second.Record();
    ASSERT_TRUE(record);
    EXPECT_EQ(CheckPlayRecord(*record, "Klondike", screen->LastRoundScore(),
                              static_cast<std::int32_t>(record->rounds.size())),
              std::nullopt);
}

TEST_F(RecordBesideTheSaveTest, AGameTheRecordCannotFollowHasNone) {
    // A save without its record, and one with another game's record.
    clPlayRecorder first("Klondike");
    {
        const auto screen = Open(first);
        Play(*screen, 3);
        screen->Shutdown();
    }
    ASSERT_TRUE(RemoveFile(RecordFile()));
    clPlayRecorder second("Klondike");
    Open(second)->Shutdown();
    EXPECT_FALSE(second.Record());
    EXPECT_FALSE(FileExists(RecordFile()));

    clPlayRecorder third("Klondike");
    {
        const auto screen = Open(third);
        screen->NewGame();  // resigned: a new record
        Play(*screen, 3);
        ASSERT_TRUE(third.Record());
        const clPlayRecord other{"Klondike", {{third.Record()->rounds[0].dealNumber + 1, {}, {}}}};
        screen->Shutdown();
        const auto bytes = clPlayRecordCodec::Encode(other);
        ASSERT_TRUE(WriteFileSafely(
            RecordFile(),
            std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size())));
    }
    clPlayRecorder fourth("Klondike");
    Open(fourth);
    EXPECT_FALSE(fourth.Record());

    // A saved game the player opens was played without this record.
    clPlayRecorder fifth("Klondike");
    const auto screen = Open(fifth);
    ASSERT_TRUE(screen->Save(folder.Path() / "mine.qarvel"));
    screen->NewGame();
    ASSERT_TRUE(fifth.Record());
    ASSERT_TRUE(screen->OpenFile((folder.Path() / "mine.qarvel").string()));
    EXPECT_FALSE(fifth.Record());
}

// Pelmanism charges each card turned up; the record carries the turns, and
// a record that leaves one out claims points the game never gave.
TEST(PlayRecordReplay, TurnedCardsCostInTheReplayAsInTheGame) {
    clPlayRecorder recorder("Pelmanism");
    const std::unique_ptr<clSolitaireType> screen =
        CreateVariant("Pelmanism", nullptr, nullptr, &recorder);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    ASSERT_NE(game, nullptr);
    game->StartRound(77);
    game->StartTimer();
    std::mt19937 chance(3);
    for (int click = 0; click < 12; ++click) {
        for (int tick = 0; tick < 5; ++tick)
            game->TimerTick();
        clPile* pile = game->Tableau(static_cast<int>(chance() % 52));
        if (pile->Count() == 0) continue;
        game->PressPile(*pile, pile->TopIndex());
        game->ReleasePick();
    }
    game->TakeScore();
    std::optional<clPlayRecord> record = recorder.Record();
    ASSERT_TRUE(record);
    const auto turns = std::count_if(
        record->rounds[0].steps.begin(), record->rounds[0].steps.end(),
        [](const clRecordStep& step) { return step.kind == clRecordStep::clKind::Turn; });
    ASSERT_GE(turns, 2);
    const std::int32_t score = game->LastRoundScore();
    EXPECT_EQ(CheckPlayRecord(*record, "Pelmanism", score, 1), std::nullopt);

    auto& steps = record->rounds[0].steps;
    steps.erase(std::find_if(steps.begin(), steps.end(), [](const clRecordStep& step) {
        return step.kind == clRecordStep::clKind::Turn;
    }));
    const auto reason = CheckPlayRecord(*record, "Pelmanism", score, 1);
    ASSERT_TRUE(reason);
    EXPECT_NE(reason->find("points, not the"), std::string::npos) << *reason;
}

}  // namespace
