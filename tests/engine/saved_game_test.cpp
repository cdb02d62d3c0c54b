// Saved games: the file round trip on every variant, damaged and hostile
// files refused without touching the running game, safe writing, the
// automatic save, the Save and Open commands, and the change of player.
#include "engine/saved_game.h"

#include <algorithm>
#include <csignal>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "engine/solitaire_rules.h"
#include "support/random_play.h"
#include "support/temp_folder.h"
#include "support/test_host.h"
#include "support/test_table.h"
#include "support/variant_fixture.h"
#include "toolkit/file.h"
#include "variants/registry.h"

namespace {

using clLoadResult = clSolitaireType::clLoadResult;
using clBytes = std::vector<std::uint8_t>;

const clPlayOptions kHeadless{.promptBeforeResign = false, .autoSave = false};

clSolitaireRules& Rules(const std::unique_ptr<clSolitaireType>& screen) {
    return dynamic_cast<clSolitaireRules&>(*screen);
}

std::unique_ptr<clSolitaireType> Headless(std::string_view name) {
    std::unique_ptr<clSolitaireType> screen = CreateVariant(name, nullptr, &kHeadless);
    EXPECT_NE(screen, nullptr) << name;
    return screen;
}

// Everything of a running game that a load could disturb.
struct clRunning {
    std::string table;
    std::int32_t deal, score, round, goal, count;
    bool paused, ended;
    std::size_t position;
    std::vector<clMove> moves;
    friend bool operator==(const clRunning&, const clRunning&) = default;
};

clRunning RunningOf(const clSolitaireRules& game) {
    const clHistory& history = game.History();
    std::vector<clMove> moves;
    for (std::size_t i = 0; i < history.Count(); ++i)
        moves.push_back(history.At(i));
    return {
        Snapshot(game),       game.DealNumber(), game.Score(),      game.Round(),       game.Goal(),
        game.Timer().Count(), game.IsPaused(),   game.RoundEnded(), history.Position(), moves};
}

void PrintTo(const clRunning& r, std::ostream* out) {
    *out << "deal " << r.deal << ", score " << r.score << ", round " << r.round << ", goal "
         << r.goal << ", count " << r.count << (r.paused ? ", paused" : "")
         << (r.ended ? ", ended" : "") << ", " << r.position << " of " << r.moves.size()
         << " moves\n"
         << r.table;
}

// Plays `steps` random moves on a dealt round (fewer when the round ends).
void Play(clSolitaireRules& game, unsigned seed, int steps) {
    std::mt19937 chance(seed);
    for (int i = 0; i < steps && !game.RoundEnded(); ++i) {
        if (!PlayRandomStep(game, chance)) break;
    }
}

// Starts the clock and lets it run for a while.
void RunClock(clSolitaireType& game, int ticks) {
    game.StartTimer();
    for (int i = 0; i < ticks; ++i)
        game.TimerTick();
}

std::optional<clSavedGame> Decoded(const std::filesystem::path& path) {
    const std::string bytes = ReadFileBytes(path);
    return clSavedGameFile::Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

void WriteBytes(const std::filesystem::path& path, const clBytes& bytes) {
    WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

class SavedGameRoundTrip : public ::testing::TestWithParam<std::string_view> {};

// Random play on every variant, then a load into a fresh screen gives the
// same table, score, round, bonus count and moves, paused since the clock ran.
TEST_P(SavedGameRoundTrip, PlayedGameLoadsIntoAFreshScreen) {
    clTempFolder folder;
    const auto path = folder.Path() / "game.qarvel";
    const auto seed = static_cast<unsigned>(std::hash<std::string_view>{}(GetParam()));
    const auto screen = Headless(GetParam());
    clSolitaireRules& game = Rules(screen);
    // Twenty steps leave even a game whose every step may be a pair
    // (Pelmanism clears its 26 pairs no sooner) in play.
    for (std::int32_t deal = 1; deal <= 5; ++deal) {
        game.StartRound(static_cast<std::int32_t>(seed % 100000) + deal);
        Play(game, seed + static_cast<unsigned>(deal), 20);
        if (!game.RoundEnded()) break;
    }
    ASSERT_FALSE(game.RoundEnded());
    ASSERT_GT(game.History().Position(), 0u);
    RunClock(game, 37);
    ASSERT_TRUE(game.Save(path));

    const auto fresh = Headless(GetParam());
    ASSERT_EQ(fresh->Load(path), clLoadResult::Loaded);
    clRunning expected = RunningOf(game);
    expected.paused = true;
    EXPECT_EQ(RunningOf(Rules(fresh)), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, SavedGameRoundTrip,
                         ::testing::ValuesIn(RegisteredVariants()),
                         [](const auto& info) { return Identifier(info.param); });

class SavedKlondike : public ::testing::Test {
protected:
    void SetUp() override {
        screen = Headless("Klondike");
        game = &Rules(screen);
        game->StartRound(1);
    }
    clLoadResult LoadFresh() {
        fresh = Headless("Klondike");
        return fresh->Load(path);
    }

    clTempFolder folder;
    std::filesystem::path path = folder.Path() / "klondike.qarvel";
    std::unique_ptr<clSolitaireType> screen;
    clSolitaireRules* game = nullptr;
    std::unique_ptr<clSolitaireType> fresh;
};

TEST_F(SavedKlondike, AnUndoneMoveIsNotSaved) {
    Play(*game, 7, 3);
    const std::size_t played = game->History().Position();
    ASSERT_GE(played, 2u);
    const clMove last = *game->History().StepBack();
    game->UndoMove(last);
    ASSERT_EQ(game->History().Count(), played);  // still redoable here
    ASSERT_TRUE(game->Save(path));
    EXPECT_EQ(Decoded(path)->moves.size(), played - 1);
    ASSERT_EQ(LoadFresh(), clLoadResult::Loaded);
    EXPECT_EQ(Rules(fresh).History().Count(), played - 1);
    EXPECT_EQ(Snapshot(Rules(fresh)), Snapshot(*game));
}

TEST_F(SavedKlondike, NoMovesMakeA96ByteFileOfTheSameDeal) {
    game->StartRound(777);
    ASSERT_TRUE(game->Save(path));
    EXPECT_EQ(ReadFileBytes(path).size(), clSavedGameFile::kHeaderSize);
    EXPECT_EQ(clSavedGameFile::ReadName(path), "Klondike");
    ASSERT_EQ(LoadFresh(), clLoadResult::Loaded);
    EXPECT_EQ(fresh->DealNumber(), 777);
    EXPECT_EQ(Snapshot(Rules(fresh)), Snapshot(*game));
    EXPECT_FALSE(fresh->IsPaused());  // its clock never started
}

TEST_F(SavedKlondike, ASaveBetweenRoundsStartsTheNextRound) {
    game->TakeScore();  // 24000 points of bonus reach the goal of 10000
    ASSERT_TRUE(game->RoundEnded());
    ASSERT_TRUE(game->LastRoundWon());
    ASSERT_TRUE(game->Save(path));
    const std::optional<clSavedGame> saved = Decoded(path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->dealNumber, 0);
    EXPECT_EQ(saved->round, 1);
    EXPECT_EQ(saved->score, 24000);

    ASSERT_EQ(LoadFresh(), clLoadResult::Loaded);
    EXPECT_EQ(fresh->Round(), 2);
    EXPECT_EQ(fresh->Score(), 24000);
    EXPECT_EQ(fresh->Goal(), 20000);
    EXPECT_GT(fresh->DealNumber(), 0);
    EXPECT_FALSE(fresh->RoundEnded());
    EXPECT_EQ(fresh->Timer().Count(), fresh->BonusStart());
}

// A score near the top of its range, as a file may hold it, saturates when
// the next round's bonus is added: it never wraps round to a negative score.
TEST_F(SavedKlondike, AScoreNearItsLimitSaturates) {
    game->TakeScore();
    ASSERT_TRUE(game->Save(path));
    std::optional<clSavedGame> saved = Decoded(path);
    ASSERT_TRUE(saved);
    saved->score = INT32_MAX - 100;
    ASSERT_TRUE(clSavedGameFile::Write(path, *saved));
    ASSERT_EQ(LoadFresh(), clLoadResult::Loaded);
    ASSERT_EQ(fresh->Score(), INT32_MAX - 100);
    fresh->TakeScore();
    EXPECT_EQ(fresh->Score(), INT32_MAX);
}

TEST_F(SavedKlondike, AFileOfAnotherVariantIsNamedNotLoaded) {
    const auto freecell = Headless("FreeCell");
    Rules(freecell).StartRound(3);
    ASSERT_TRUE(freecell->Save(path));
    Play(*game, 5, 4);
    const clRunning before = RunningOf(*game);
    std::string other;
    EXPECT_EQ(game->Load(path, &other), clLoadResult::OtherVariant);
    EXPECT_EQ(other, "FreeCell");
    EXPECT_EQ(RunningOf(*game), before);
}

// A saved-game file put together field by field, to make damaged and
// hostile files of.
class clFileBytes {
public:
    clFileBytes& Header(const std::string& name, std::int32_t deal, std::int32_t count,
                        std::int32_t score, std::int32_t round, std::int32_t moves) {
        bytes = {'L', 'V', 'R', 'Q'};
        Int(1);
        std::string field = name;
        field.resize(64, '\0');
        bytes.insert(bytes.end(), field.begin(), field.end());
        return Int(deal).Int(count).Int(score).Int(round).Int(moves).Int(0);
    }
    clFileBytes& Int(std::int32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> shift));
        return *this;
    }
    clFileBytes& Ints(std::initializer_list<std::int32_t> values) {
        for (const std::int32_t v : values)
            Int(v);
        return *this;
    }
    clFileBytes& Card(const clMove& m) {
        return Ints({1, m.first, static_cast<std::int32_t>(m.from.kind), m.from.first,
                     m.from.second, static_cast<std::int32_t>(m.to.kind), m.to.first, m.to.second});
    }
    clFileBytes& Set(std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        return *this;
    }

    clBytes bytes;
};

// The running game: Klondike deal 1 with a few moves and the clock running.
// Every file below is refused and leaves it exactly as it was.
class HostileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen = Headless("Klondike");
        game = &Rules(screen);
        game->StartRound(1);
        Play(*game, 11, 4);
        RunClock(*game, 20);
        // A card move deal 2 allows at once.
        const auto other = Headless("Klondike");
        Rules(other).StartRound(2);
        const std::vector<clMove> moves = ValidCardMoves(Rules(other));
        ASSERT_FALSE(moves.empty());
        valid = moves.front();
        bonus = game->Points().Bonus(1);
    }
    // A well-formed file of deal 2 and its first move, then `records`.
    clFileBytes Deal2(std::int32_t records = 1) const {
        clFileBytes file;
        file.Header("Klondike", 2, bonus, 500, 1, records).Card(valid);
        return file;
    }

    clTempFolder folder;
    std::unique_ptr<clSolitaireType> screen;
    clSolitaireRules* game = nullptr;
    clMove valid;
    std::int32_t bonus = 0;
};

TEST_F(HostileFileTest, TheWellFormedBaseLoads) {
    const auto path = folder.Path() / "base.qarvel";
    WriteBytes(path, Deal2().bytes);
    ASSERT_EQ(game->Load(path), clLoadResult::Loaded);
    EXPECT_EQ(game->DealNumber(), 2);
    EXPECT_EQ(game->History().Count(), 1u);
}

TEST_F(HostileFileTest, DamagedFilesAreRefusedAndTheGameIsUntouched) {
    const clMove& m = valid;
    const std::vector<std::pair<std::string, std::function<clBytes()>>> cases = {
        {"empty file", [] { return clBytes{}; }},
        {"header cut short",
         [&] {
             clBytes b = Deal2().bytes;
             b.resize(95);
             return b;
         }},
        {"bad magic",
         [&] {
             clBytes b = Deal2().bytes;
             b[0] = 'X';
             return b;
         }},
        {"version 2", [&] { return Deal2().Set(4, 2).bytes; }},
        {"name without a terminator",
         [&] {
             clBytes b = Deal2().bytes;
             std::fill(b.begin() + 8, b.begin() + 72, std::uint8_t{'K'});
             return b;
         }},
        {"no such variant",
         [&] { return clFileBytes().Header("No Such Game", 2, bonus, 0, 1, 1).Card(m).bytes; }},
        {"deal number negative", [&] { return Deal2().Set(72, -2).bytes; }},
        {"deal number past the last", [&] { return Deal2().Set(72, 2147483647).bytes; }},
        {"bonus count negative", [&] { return Deal2().Set(76, -1).bytes; }},
        {"bonus count above the round's", [&] { return Deal2().Set(76, bonus + 1).bytes; }},
        {"round negative", [&] { return Deal2().Set(84, -1).bytes; }},
        {"move count negative", [&] { return Deal2().Set(88, -1).bytes; }},
        {"move count in the billions", [&] { return Deal2().Set(88, 2000000000).bytes; }},
        {"more records than the history holds",
         [&] {
             clFileBytes file = Deal2(65537);
             for (int i = 1; i < 65537; ++i)
                 file.Int(4);
             return file.bytes;
         }},
        {"fewer records than counted", [&] { return Deal2(2).bytes; }},
        {"record cut short",
         [&] {
             clBytes b = Deal2().bytes;
             b.resize(b.size() - 2);
             return b;
         }},
        {"move type 0", [&] { return Deal2(2).Int(0).bytes; }},
        {"move type 6", [&] { return Deal2(2).Int(6).bytes; }},
        {"move type negative", [&] { return Deal2(2).Int(-1).bytes; }},
        {"location kind 0",
         [&] {
             return Deal2(2).Ints({1, 0, 0, 0, 0, 1, 0, 0}).bytes;
         }},
        {"location kind 6",
         [&] {
             return Deal2(2).Ints({1, 0, 2, 0, 0, 6, 0, 0}).bytes;
         }},
        {"location kind negative",
         [&] {
             return Deal2(2).Ints({1, 0, -2, 0, 0, 1, 0, 0}).bytes;
         }},
        {"a tableau pile Klondike lacks",
         [&] {
             return Deal2(2).Ints({1, 0, 2, 6, 6, 2, 7, 0}).bytes;
         }},
        {"a reserve Klondike lacks",
         [&] {
             return Deal2(2).Ints({1, 0, 3, 0, 0, 2, 0, 0}).bytes;
         }},
        {"a pile index in the billions",
         [&] {
             return Deal2(2).Ints({1, 0, 2, 2000000000, 0, 1, 0, 0}).bytes;
         }},
        {"a card position out of range",
         [&] {
             return Deal2(2).Ints({1, 0, 2, 6, 99, 1, 0, 0}).bytes;
         }},
        {"compound of no parts",
         [&] {
             return Deal2(2).Ints({5, 0}).bytes;
         }},
        {"compound of nine parts",
         [&] {
             return Deal2(2).Ints({5, 9, 4, 4, 4, 4, 4, 4, 4, 4, 4}).bytes;
         }},
        {"compound inside a compound",
         [&] {
             return Deal2(2).Ints({5, 1, 5, 1, 4}).bytes;
         }},
        {"set of no cards",
         [&] {
             return Deal2(2).Ints({3, 0}).bytes;
         }},
        {"set of nine cards",
         [&] {
             return Deal2(2).Ints({3, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8}).bytes;
         }},
        {"set of huge deal indexes",
         [&] {
             return Deal2(2).Ints({3, 2, 2000000000, -7}).bytes;
         }},
        {"pair of huge deal indexes",
         [&] {
             return Deal2(2).Ints({2, 2000000000, -7}).bytes;
         }},
        {"a move the rules refuse: a face-down card to a foundation",
         [&] {
             return Deal2(2).Ints({1, 0, 2, 6, 0, 1, 0, 0}).bytes;
         }},
        {"a move the rules refuse: the first move twice", [&] { return Deal2(2).Card(m).bytes; }},
        {"moves in a file saved between rounds",
         [&] { return clFileBytes().Header("Klondike", 0, 0, 24000, 1, 1).Card(m).bytes; }},
    };
    const clRunning before = RunningOf(*game);
    for (const auto& [what, make] : cases) {
        SCOPED_TRACE(what);
        const auto path = folder.Path() / "hostile.qarvel";
        WriteBytes(path, make());
        EXPECT_EQ(game->Load(path), clLoadResult::Refused);
        EXPECT_EQ(RunningOf(*game), before);
    }
}

TEST_F(HostileFileTest, ReadNameNeedsAWholeHeader) {
    const auto path = folder.Path() / "name.qarvel";
    WriteBytes(path, Deal2().bytes);
    EXPECT_EQ(clSavedGameFile::ReadName(path), "Klondike");
    WriteBytes(path, Deal2().Set(4, 2).bytes);
    EXPECT_EQ(clSavedGameFile::ReadName(path), std::nullopt);
    clBytes cut = Deal2().bytes;
    cut.resize(60);
    WriteBytes(path, cut);
    EXPECT_EQ(clSavedGameFile::ReadName(path), std::nullopt);
    EXPECT_EQ(clSavedGameFile::ReadName(folder.Path() / "missing.qarvel"), std::nullopt);
    EXPECT_EQ(clSavedGameFile::ReadName(folder.Path()), std::nullopt);
}

// Every single damaged byte and every cut of a real game's file either loads
// or is refused without a trace.
TEST_F(HostileFileTest, AnyDamagedByteIsLoadedOrRefusedCleanly) {
    const auto source = Headless("Klondike");
    clSolitaireRules& played = Rules(source);
    played.SetOptions({.promptBeforeResign = false, .autoSave = false, .autoPlay = true});
    played.StartRound(3);
    Play(played, 21, 25);
    const auto path = folder.Path() / "played.qarvel";
    ASSERT_TRUE(played.Save(path));
    const std::string good = ReadFileBytes(path);
    std::mt19937 chance(99);
    for (int trial = 0; trial < 300; ++trial) {
        std::string bytes = good;
        if (trial % 3 == 0) {
            bytes.resize(chance() % bytes.size());
        } else {
            bytes[chance() % bytes.size()] = static_cast<char>(chance());
        }
        WriteFileBytes(path, bytes);
        const auto target = Headless("Klondike");
        clSolitaireRules& loaded = Rules(target);
        loaded.StartRound(1);
        const clRunning before = RunningOf(loaded);
        if (loaded.Load(path) == clLoadResult::Refused) {
            ASSERT_EQ(RunningOf(loaded), before) << "trial " << trial;
        } else {
            ASSERT_TRUE(EveryCardAtMostOnce(loaded)) << "trial " << trial;
        }
    }
}

TEST_F(SavedKlondike, AFailedWriteLeavesThePreviousFileIntact) {
    Play(*game, 3, 3);
    ASSERT_TRUE(game->Save(path));
    const std::string previous = ReadFileBytes(path);

    // A disk that fills up part of the way through the new file.
    const std::size_t saved = game->History().Position();
    Play(*game, 4, 10);
    ASSERT_GT(game->History().Position(), saved);
    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    const struct rlimit small = {previous.size() - 1, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool savedOnFullDisk = game->Save(path);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(savedOnFullDisk);
    EXPECT_EQ(ReadFileBytes(path), previous);

    // A record no file can hold (a card move from no pile) fails the save.
    game->History().Push(clMove::CardMove(0, {}, {}));
    EXPECT_FALSE(game->Save(path));
    EXPECT_EQ(ReadFileBytes(path), previous);

    // A folder where the file should go, and a folder that does not exist.
    const auto taken = folder.Path() / "taken.qarvel";
    std::filesystem::create_directories(taken / "inside");
    game->History().StepBack();
    EXPECT_FALSE(game->Save(taken));
    EXPECT_TRUE(std::filesystem::is_directory(taken / "inside"));
    EXPECT_FALSE(game->Save(folder.Path() / "missing" / "game.qarvel"));

    // Nothing half-written is left behind.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"klondike.qarvel", "taken.qarvel"}));
}

// A game in a window: the automatic save, Save and Open, and players.
class HostedGameTest : public ::testing::Test {
protected:
    std::unique_ptr<clSolitaireType> Open(std::string_view name = "Klondike") {
        std::unique_ptr<clSolitaireType> screen = CreateVariant(name, &host, &options);
        EXPECT_NE(screen, nullptr);
        host.screen = screen.get();
        return screen;
    }
    std::filesystem::path AutoSave(const std::string& file = "klondike.qarvel") const {
        return host.Folder() / file;
    }

    clTempFolder folder;
    clTestHost host{folder.Path()};
    clPlayOptions options{.promptBeforeResign = false, .autoSave = true};
};

TEST_F(HostedGameTest, LeavingSavesTheGameAndOpeningTheVariantResumesItPaused) {
    const auto first = Open();
    EXPECT_EQ(first->Round(), 1);  // no automatic save yet: a new game
    Play(Rules(first), 4, 5);
    RunClock(*first, 42);
    clRunning expected = RunningOf(Rules(first));
    first->Shutdown();
    ASSERT_TRUE(FileExists(AutoSave()));

    const auto second = Open();
    expected.paused = true;
    EXPECT_EQ(RunningOf(Rules(second)), expected);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HostedGameTest, AnUntouchedDealIsNotSavedOnLeaving) {
    Open()->Shutdown();
    EXPECT_FALSE(FileExists(AutoSave()));
}

TEST_F(HostedGameTest, AWonRoundIsSavedBetweenRoundsAndOpensInTheNext) {
    const auto first = Open();
    first->TakeScore();
    const std::optional<clSavedGame> saved = Decoded(AutoSave());
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->dealNumber, 0);
    EXPECT_EQ(saved->score, 24000);
    EXPECT_TRUE(saved->moves.empty());

    const auto second = Open();
    EXPECT_EQ(second->Round(), 2);
    EXPECT_EQ(second->Score(), 24000);
    EXPECT_FALSE(second->RoundEnded());
}

TEST_F(HostedGameTest, GameOverAndResigningDeleteIt) {
    const std::vector<std::pair<std::string, std::function<void(clSolitaireType&)>>> endings = {
        {"resigned", [](clSolitaireType& game) { game.NewGame(); }},
        // Round 5's goal of 90000 is out of reach of a score of 0.
        {"game over", [](clSolitaireType& game) { game.TakeScore(); }},
    };
    for (const auto& [what, end] : endings) {
        SCOPED_TRACE(what);
        const bool gameOver = what == "game over";
        clFileBytes file;
        file.Header("Klondike", 9, 10, gameOver ? 0 : 700, gameOver ? 5 : 1, 0);
        WriteBytes(AutoSave(), file.bytes);
        const auto screen = Open();
        ASSERT_EQ(screen->Round(), gameOver ? 5 : 1);
        if (screen->IsPaused()) screen->Pause();  // its clock had started
        end(*screen);
        EXPECT_FALSE(FileExists(AutoSave()));
        screen->Shutdown();
    }
    EXPECT_EQ(host.logged, (std::vector<std::string>{"Ann resigned 700 1", "Ann completed 100 5"}));
}

TEST_F(HostedGameTest, PracticeModeKeepsItsOwnFile) {
    options.practice = true;
    const auto screen = Open();
    Play(Rules(screen), 6, 3);
    screen->Shutdown();
    EXPECT_TRUE(FileExists(AutoSave("klondike.tmp")));
    EXPECT_FALSE(FileExists(AutoSave()));
}

TEST_F(HostedGameTest, WithTheOptionOffNothingIsSavedOrLoaded) {
    clFileBytes file;
    file.Header("Klondike", 9, 10, 700, 3, 0);
    WriteBytes(AutoSave(), file.bytes);
    options.autoSave = false;
    const auto screen = Open();
    EXPECT_EQ(screen->Round(), 1);
    Play(Rules(screen), 6, 3);
    screen->Shutdown();
    EXPECT_EQ(Decoded(AutoSave())->score, 700);
}

TEST_F(HostedGameTest, ADamagedOneIsReportedKeptAndANewGameDealt) {
    WriteFileBytes(AutoSave(), "LVRQ garbage");
    const auto screen = Open();
    EXPECT_EQ(screen->Round(), 1);
    EXPECT_GT(screen->DealNumber(), 0);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(ReadFileBytes(AutoSave()), "LVRQ garbage");
}

TEST_F(HostedGameTest, AFailedAutomaticSaveIsReported) {
    const auto screen = Open();
    Play(Rules(screen), 6, 3);
    std::filesystem::create_directories(AutoSave() / "inside");
    screen->Shutdown();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("could not be saved automatically"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(AutoSave() / "inside"));
}

TEST_F(HostedGameTest, SaveAsksBeforeReplacingAFileAndReportsAFailure) {
    const auto screen = Open();
    Play(Rules(screen), 8, 3);
    const auto chosen = folder.Path() / "mine.qarvel";
    WriteFileBytes(chosen, "keep me");

    host.yes = false;
    host.saveAnswers = {chosen};
    screen->SaveGame();
    EXPECT_TRUE(screen->IsPaused());
    EXPECT_EQ(host.questions,
              (std::vector<std::string>{"Do you want to overwrite the existing file?"}));
    EXPECT_EQ(ReadFileBytes(chosen), "keep me");

    host.yes = true;
    host.saveAnswers = {chosen};
    screen->SaveGame();
    EXPECT_EQ(Decoded(chosen)->moves.size(), Rules(screen).History().Position());
    EXPECT_TRUE(screen->IsPaused());

    host.saveAnswers = {folder.Path()};
    screen->SaveGame();
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(HostedGameTest, OpenLoadsTheChosenFileAfterSavingTheGame) {
    const auto other = Headless("Klondike");
    Rules(other).StartRound(9);
    Play(Rules(other), 2, 4);
    const auto chosen = folder.Path() / "other.qarvel";
    ASSERT_TRUE(other->Save(chosen));

    const auto screen = Open();
    Play(Rules(screen), 8, 3);
    const std::size_t played = Rules(screen).History().Position();
    host.openAnswers = {chosen};
    screen->OpenGame();
    EXPECT_EQ(Decoded(AutoSave())->moves.size(), played);  // the game left behind
    EXPECT_EQ(Snapshot(Rules(screen)), Snapshot(Rules(other)));
    EXPECT_EQ(screen->DealNumber(), 9);
}

TEST_F(HostedGameTest, OpenPlaysOnAfterACancelOrARefusedFile) {
    const auto screen = Open();
    Play(Rules(screen), 8, 3);
    RunClock(*screen, 5);
    const clRunning before = RunningOf(Rules(screen));
    const auto damaged = folder.Path() / "damaged.qarvel";
    WriteFileBytes(damaged, "not a game");
    host.openAnswers = {std::nullopt, damaged};
    screen->OpenGame();  // cancelled
    EXPECT_EQ(RunningOf(Rules(screen)), before);
    EXPECT_TRUE(host.messages.empty());
    screen->OpenGame();  // refused
    EXPECT_EQ(RunningOf(Rules(screen)), before);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_FALSE(screen->OpenFile(damaged.string()));
    EXPECT_EQ(RunningOf(Rules(screen)), before);
}

TEST_F(HostedGameTest, AFileOfAnotherVariantGoesToTheWindow) {
    const auto freecell = Headless("FreeCell");
    Rules(freecell).StartRound(4);
    const auto chosen = folder.Path() / "freecell.qarvel";
    ASSERT_TRUE(freecell->Save(chosen));

    const auto screen = Open();
    Play(Rules(screen), 8, 3);
    const clRunning before = RunningOf(Rules(screen));
    EXPECT_FALSE(screen->OpenFile(chosen.string()));
    host.openAnswers = {chosen};
    screen->OpenGame();
    EXPECT_EQ(host.handedOver, (std::vector<std::string>(2, "FreeCell " + chosen.string())));
    clRunning expected = before;
    expected.paused = true;  // Open paused it; the window replaces the screen
    EXPECT_EQ(RunningOf(Rules(screen)), expected);
}

// The old player's game is saved as theirs, and the new player starts from
// nothing of it: no score, no round, no moves, nothing logged in their name.
TEST_F(HostedGameTest, ChangingPlayerSavesTheOldGameAndStartsTheNewPlayerClean) {
    host.players = {{"Ann", options}, {"Bob", options}};
    const auto screen = Open();
    Play(Rules(screen), 12, 6);
    RunClock(*screen, 9);
    const std::string annTable = Snapshot(Rules(screen));
    const std::int32_t annScore = screen->Score();

    screen->ChangePlayer("Bob");
    EXPECT_EQ(host.player, "Bob");
    EXPECT_EQ(screen->Score(), 0);
    EXPECT_EQ(screen->Round(), 1);
    EXPECT_EQ(Rules(screen).History().Count(), 0u);
    EXPECT_TRUE(host.logged.empty());
    EXPECT_EQ(Decoded(folder.Path() / "Ann" / "klondike.qarvel")->score, annScore);

    Play(Rules(screen), 13, 2);
    screen->ChangePlayer("Ann");
    EXPECT_EQ(Snapshot(Rules(screen)), annTable);
    EXPECT_EQ(screen->Score(), annScore);
    EXPECT_TRUE(FileExists(folder.Path() / "Bob" / "klondike.qarvel"));

    // No such player: the game goes on.
    const clRunning before = RunningOf(Rules(screen));
    screen->ChangePlayer("Nobody");
    EXPECT_EQ(host.player, "Ann");
    EXPECT_EQ(RunningOf(Rules(screen)), before);
    EXPECT_TRUE(host.logged.empty());
}

}  // namespace
