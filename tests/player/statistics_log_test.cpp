#include "player/statistics_log.h"

#include <csignal>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "player/file_time.h"
#include "player/player_folders.h"
#include "player/settings.h"
#include "player/settings_keys.h"
#include "player/statistics.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/user_account.h"

namespace {

const clDateTime kAugust14{2017, 8, 1, 14, 21, 5, 33, 0};

std::string Line(char kind, std::int32_t score, std::int32_t round, const char* when) {
    return std::string(1, kind) + "," + std::to_string(score) + "," + std::to_string(round) + "," +
           when + ",0BADF00D";
}

TEST(LogLineTest, WrittenLinesReadBack) {
    const clScoreRecord record{clResultKind::Completed, 4210, 3, 7, kAugust14};
    const std::string line = FormatLogLine(record);
    EXPECT_TRUE(std::regex_match(line, std::regex("C,4210,3,2017-08-14 21:05:33,[0-9A-F]{8}")))
        << line;
    clScoreRecord expected = record;
    expected.rank = 0;
    expected.when.dayOfWeek = 0;
    EXPECT_EQ(ParseLogLine(line), expected);

    const clScoreRecord odd{clResultKind::None, -2147483647 - 1, -1, 0, {}};
    EXPECT_TRUE(FormatLogLine(odd).starts_with("-,-2147483648,-1,0000-00-00 00:00:00,"));
    EXPECT_EQ(ParseLogLine(FormatLogLine(odd)), odd);
    EXPECT_EQ(LogCheckValue(record), LogCheckValue(record));
}

// A game played with hints carries ",H" after the check value; lines
// written before the mark existed read as games played without.
TEST(LogLineTest, TheHintMarkReadsBackAndOldLinesHaveNone) {
    clScoreRecord hinted{clResultKind::Completed, 4210, 3, 0, kAugust14};
    hinted.when.dayOfWeek = 0;
    hinted.hinted = true;
    const std::string line = FormatLogLine(hinted);
    EXPECT_TRUE(line.ends_with(",H")) << line;
    EXPECT_EQ(ParseLogLine(line), hinted);
    const auto old = ParseLogLine(Line('C', 4210, 3, "2017-08-14 21:05:33"));
    ASSERT_TRUE(old);
    EXPECT_FALSE(old->hinted);
    for (const char* refused : {",h", ",H ", ",HH", ",H,H", "H"})
        EXPECT_EQ(ParseLogLine(Line('C', 1, 1, "2017-08-14 21:05:33") + refused), std::nullopt)
            << refused;
}

TEST(LogLineTest, KindLetters) {
    EXPECT_EQ(ParseLogLine(Line('C', 1, 1, "2017-08-14 21:05:33"))->kind, clResultKind::Completed);
    EXPECT_EQ(ParseLogLine(Line('I', 1, 1, "2017-08-14 21:05:33"))->kind,
              clResultKind::Interrupted);
    EXPECT_EQ(ParseLogLine(Line('-', 1, 1, "2017-08-14 21:05:33"))->kind, clResultKind::None);
    EXPECT_EQ(ParseLogLine(Line('x', 1, 1, "2017-08-14 21:05:33"))->kind, clResultKind::None);
}

TEST(LogLineTest, LinesThatAreNotWholeResultsAreRefused) {
    const std::string good = Line('C', 12, 3, "2017-08-14 21:05:33");
    ASSERT_TRUE(ParseLogLine(good));
    const std::string bad[] = {
        "",
        "C",
        "C,",
        "C,12",
        "C,12,3",
        "C,12,3,2017-08-14 21:05",
        "C,12,3,2017-08-14 21:05:33",
        "C,12,3,2017-08-14 21:05:33,",
        "C;12;3;2017-08-14 21:05:33;0BADF00D",
        "C,12,3,2017/08/14 21:05:33,0BADF00D",
        good + " trailing",
        good + ",extra",
        "C,+12,3,2017-08-14 21:05:33,0BADF00D",
        "C, 12,3,2017-08-14 21:05:33,0BADF00D",
        "C,99999999999,3,2017-08-14 21:05:33,0BADF00D",
        "C,12,3,2017-99999-14 21:05:33,0BADF00D",
        "C,12,3,2017-08-14 21:05:33,1FFFFFFFF",
        "C,12,3,2017-08-14 21:05:33," + std::string(300, '0'),
        "#QARVEL V1",
    };
    for (const std::string& line : bad)
        EXPECT_EQ(ParseLogLine(line), std::nullopt) << line;
}

TEST(FileTimeTest, KnownMoments) {
    EXPECT_EQ(ToFileTime({1601, 1, 1, 1, 0, 0, 0, 0}), 0u);
    EXPECT_EQ(ToFileTime({1970, 1, 4, 1, 0, 0, 0, 0}), 116444736000000000u);
    EXPECT_EQ(ToFileTime({2000, 2, 2, 29, 0, 0, 0, 1}), 125962560000010000u);
    EXPECT_EQ(ToFileTime({2017, 2, 0, 29, 0, 0, 0, 0}), std::nullopt);
    EXPECT_EQ(ToFileTime({2017, 13, 0, 1, 0, 0, 0, 0}), std::nullopt);
    EXPECT_EQ(ToFileTime({1600, 12, 0, 31, 0, 0, 0, 0}), std::nullopt);
    EXPECT_EQ(ToFileTime({}), std::nullopt);
    EXPECT_EQ(FromFileTime(*ToFileTime(kAugust14)), kAugust14);  // a Monday
    EXPECT_EQ(FromFileTime(0), (clDateTime{1601, 1, 1, 1, 0, 0, 0, 0}));
}

// A player's statistics with real log files in a temporary data folder.
class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settings.WritePlayerDefaults("Ann"));
        ASSERT_TRUE(settings.SetPlayer("Ann"));
        clock.now = {2020, 3, 0, 1, 12, 0, 0, 0};
    }

    std::filesystem::path LogPath() { return *folders.FilePath("Ann", "golf.log"); }

    std::vector<std::int32_t> Scores() const {
        std::vector<std::int32_t> scores;
        for (std::int32_t i = 0; i < stats.Count(); ++i)
            scores.push_back(stats.RecordAt(i)->score);
        return scores;
    }

    std::optional<std::int32_t> Summary(std::string_view name) const {
        return store.ReadInteger(GameKey("Ann", "Golf"), name);
    }

    clTempFolder temp;
    clMemorySettingsStore store;
    clSettings settings{store};
    clFixedUserAccount account{temp.Path(), "ann"};
    clPlayerFolders folders{account};
    clFixedClock clock;
    clStatistics stats{settings, folders, clock};
};

TEST_F(LogFileTest, HandWrittenLogGivesRanksAveragesAndSummary) {
    WriteFileBytes(LogPath(),
                   "#QARVEL V1\r\n"
                   "C,300,2,2017-08-14 21:05:33,00000000\r\n"
                   "I,150,1,2017-08-15 08:00:00,00000000\r\n"
                   "C,450,4,2017-08-16 19:30:00,00000000\r\n"
                   "C,150,2,2017-08-17 22:10:05,00000000\r\n");
    stats.LoadLog("golf", "Golf", true);
    EXPECT_EQ(stats.GamesPlayed(), 4);
    EXPECT_EQ(Scores(), (std::vector<std::int32_t>{300, 150, 450, 150}));
    EXPECT_EQ(stats.RecordAt(0)->rank, 2);
    EXPECT_EQ(stats.RecordAt(1)->rank, 4);
    EXPECT_EQ(stats.RecordAt(2)->rank, 1);
    EXPECT_EQ(stats.RecordAt(3)->rank, 3);  // the later 150 ranks above the earlier
    EXPECT_EQ(stats.RecordAt(1)->kind, clResultKind::Interrupted);
    EXPECT_EQ(stats.Average(), 262);
    EXPECT_EQ(stats.HighestRound(), 4);
    EXPECT_EQ(stats.LatestRankText(), "3rd of 4");

    // The summary of a load carries the time of the load.
    const std::uint64_t now = *ToFileTime(clock.now);
    EXPECT_EQ(Summary("GamesPlayed"), 4);
    EXPECT_EQ(Summary("BestScore"), 450);
    EXPECT_EQ(Summary("WorstScore"), 150);
    EXPECT_EQ(Summary("AverageScore"), 262);
    EXPECT_EQ(Summary("LastTimeLow"), static_cast<std::int32_t>(now & 0xFFFFFFFF));
    EXPECT_EQ(Summary("LastTimeHigh"), static_cast<std::int32_t>(now >> 32));

    stats.LoadLog("golf", "Golf", false);  // the chooser's look leaves the store alone
    clock.now.year = 2030;
    EXPECT_EQ(Summary("LastTimeHigh"), static_cast<std::int32_t>(now >> 32));
}

TEST_F(LogFileTest, AppendingCreatesTheLogAndSummarisesWithTheRecordsTime) {
    const clScoreRecord first = clStatistics::MakeCompleted(1200, 3, clock);
    stats.LoadLog("golf", "Golf", false);
    EXPECT_EQ(stats.AppendResult("golf", first), clAppendResult::Logged);
    clock.now.year = 2021;
    const clScoreRecord second = clStatistics::MakeInterrupted(80, 1, clock);
    EXPECT_EQ(stats.AppendResult("golf", second), clAppendResult::Logged);

    EXPECT_EQ(ReadFileBytes(LogPath()),
              "#QARVEL V1\r\n" + FormatLogLine(first) + "\r\n" + FormatLogLine(second) + "\r\n");
    EXPECT_EQ(stats.GamesPlayed(), 2);
    EXPECT_EQ(Summary("GamesPlayed"), 2);
    EXPECT_EQ(Summary("BestScore"), 1200);
    EXPECT_EQ(Summary("WorstScore"), 80);
    EXPECT_EQ(Summary("AverageScore"), 640);
    EXPECT_EQ(Summary("LastTimeHigh"), static_cast<std::int32_t>(*ToFileTime(second.when) >> 32));

    clStatistics again(settings, folders, clock);
    again.LoadLog("golf", "Golf", false);
    EXPECT_EQ(again.GamesPlayed(), 2);
    EXPECT_EQ(again.RecordAt(1)->kind, clResultKind::Interrupted);
}

TEST_F(LogFileTest, PracticeModeRecordsNothing) {
    settings.SetFlag(clFlag::Practice, true);
    stats.LoadLog("golf", "Golf", false);
    EXPECT_EQ(stats.AppendResult("golf", clStatistics::MakeCompleted(10, 1, clock)),
              clAppendResult::Practice);
    EXPECT_EQ(stats.GamesPlayed(), 0);
    EXPECT_FALSE(std::filesystem::exists(LogPath()));
    EXPECT_FALSE(store.KeyExists(GameKey("Ann", "Golf")));
}

TEST_F(LogFileTest, ClearingDeletesTheLogAndStoresAnEmptySummary) {
    stats.LoadLog("golf", "Golf", false);
    ASSERT_EQ(stats.AppendResult("golf", clStatistics::MakeCompleted(10, 1, clock)),
              clAppendResult::Logged);
    stats.ClearStatistics();
    EXPECT_FALSE(std::filesystem::exists(LogPath()));
    EXPECT_EQ(stats.GamesPlayed(), 0);
    EXPECT_EQ(Summary("GamesPlayed"), 0);
}

TEST_F(LogFileTest, KeysThatAreNotPlainFileNamesGetNoLog) {
    stats.LoadLog("../golf", "Golf", false);
    EXPECT_EQ(stats.AppendResult("../golf", clStatistics::MakeCompleted(10, 1, clock)),
              clAppendResult::NotLogged);
    EXPECT_EQ(stats.GamesPlayed(), 1);
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "Qarvel" / "golf.log"));
}

// A damaged log is read as far as it is sound, and the next result is added
// after everything it held.
struct clDamagedLog {
    const char* name;
    std::string content;
    std::vector<std::int32_t> scores;
};

void PrintTo(const clDamagedLog& log, std::ostream* out) {
    *out << log.name;
}

std::string GoodLine(std::int32_t score) {
    return Line('C', score, 1, "2019-05-06 07:08:09") + "\r\n";
}

std::vector<clDamagedLog> DamagedLogs() {
    const std::string header = "#QARVEL V1\r\n";
    return {
        {"CutOffLastLine",
         header + GoodLine(100) + GoodLine(200) + "C,300,2,2019-05-0",
         {100, 200}},
        {"LastLineWithoutItsEnd",
         header + GoodLine(100) + Line('C', 5, 1, "2019-05-06 07:08:09"),
         {100, 5}},
        {"GarbageLine", header + GoodLine(1) + "\x01\x02 garbage, 7 ,\r\n" + GoodLine(2), {1, 2}},
        {"LineFeedsOnly", "#QARVEL V1\n" + Line('I', 40, 2, "2019-05-06 07:08:09") + "\n", {40}},
        {"BlankLines", header + "\r\n\r\n" + GoodLine(9) + "\r\n", {9}},
        {"OverLongLineIsDroppedNotSplit",
         header + GoodLine(1) + "C,5," + std::string(600, '7') + "\r\n" + GoodLine(2),
         {1, 2}},
        {"HugeGarbageLine",
         header + GoodLine(1) + std::string(3'000'000, 'z') + "\n" + GoodLine(2),
         {1, 2}},
        {"OtherVersion", "#QARVEL V2\r\n" + GoodLine(11) + "V2 only\r\n", {11}},
        {"DamagedHeader", "#QAR\xFF\xFE\r\n" + GoodLine(12) + GoodLine(13), {12, 13}},
        {"NoHeaderAtAll", GoodLine(14), {14}},
        {"Empty", "", {}},
        {"HeaderOnlyCutOff", "#QARVEL V", {}},
    };
}

class DamagedLogTest : public LogFileTest, public ::testing::WithParamInterface<clDamagedLog> {};

TEST_P(DamagedLogTest, SoundResultsAreKeptAndTheNextAppendDestroysNothing) {
    const clDamagedLog& log = GetParam();
    WriteFileBytes(LogPath(), log.content);
    stats.LoadLog("golf", "Golf", true);
    EXPECT_EQ(Scores(), log.scores);

    const clScoreRecord next = clStatistics::MakeCompleted(777, 5, clock);
    EXPECT_EQ(stats.AppendResult("golf", next), clAppendResult::Logged);
    const std::string after = ReadFileBytes(LogPath());
    EXPECT_EQ(after.substr(0, log.content.size()), log.content);
    // The new line starts a line of its own.
    EXPECT_TRUE(after.ends_with("\n" + FormatLogLine(next) + "\r\n"));
    if (log.content.empty()) {
        EXPECT_EQ(after, "#QARVEL V1\r\n" + FormatLogLine(next) + "\r\n");
    }

    clStatistics again(settings, folders, clock);
    again.LoadLog("golf", "Golf", false);
    std::vector<std::int32_t> expected = log.scores;
    expected.push_back(777);
    std::vector<std::int32_t> read;
    for (std::int32_t i = 0; i < again.Count(); ++i)
        read.push_back(again.RecordAt(i)->score);
    EXPECT_EQ(read, expected);
}

INSTANTIATE_TEST_SUITE_P(Logs, DamagedLogTest, ::testing::ValuesIn(DamagedLogs()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogFileTest, ALongLogKeepsCountingPastTheRing) {
    std::string content = "#QARVEL V1\r\n";
    for (int i = 0; i < 20000; ++i)
        content += GoodLine(i % 1000);
    WriteFileBytes(LogPath(), content);
    stats.LoadLog("golf", "Golf", false);
    EXPECT_EQ(stats.GamesPlayed(), 20000);
    EXPECT_EQ(stats.Count(), 1000);
    EXPECT_EQ(stats.Best(), 999);
    EXPECT_EQ(stats.Average(), 499);
}

// A log past the bound (here a sparse file of 64 MB of zeros after two
// results) is read up to it: the results before count, the rest is left
// unread and kept, and no time goes on reading it all.
TEST_F(LogFileTest, ALogPastTheBoundIsReadUpToIt) {
    const std::string content = "#QARVEL V1\r\n" + GoodLine(100) + GoodLine(200);
    WriteFileBytes(LogPath(), content);
    std::filesystem::resize_file(LogPath(), kMaxLogBytes + 4096);
    std::vector<std::int32_t> scores;
    const clLogReading reading = ReadLog(LogPath(), [&](const clScoreRecord& record) {
        scores.push_back(record.score);
        return true;
    });
    EXPECT_TRUE(reading.opened);
    EXPECT_TRUE(reading.headerOk);
    EXPECT_TRUE(reading.cut);
    EXPECT_EQ(scores, (std::vector<std::int32_t>{100, 200}));
    EXPECT_EQ(std::filesystem::file_size(LogPath()), kMaxLogBytes + 4096);

    // Exactly at the bound nothing is cut.
    std::filesystem::resize_file(LogPath(), kMaxLogBytes);
    EXPECT_FALSE(ReadLog(LogPath(), [](const clScoreRecord&) { return true; }).cut);
}

// Limits the size of files this process may write, as a full disk does.
class clFileSizeLimit {
public:
    explicit clFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~clFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    clFileSizeLimit(const clFileSizeLimit&) = delete;
    clFileSizeLimit& operator=(const clFileSizeLimit&) = delete;

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

TEST_F(LogFileTest, AFailedAppendLosesNothingAlreadyWritten) {
    const std::string content = "#QARVEL V1\r\n" + GoodLine(100) + GoodLine(200);
    WriteFileBytes(LogPath(), content);
    stats.LoadLog("golf", "Golf", false);
    {
        clFileSizeLimit full(content.size());
        EXPECT_EQ(stats.AppendResult("golf", clStatistics::MakeCompleted(300, 1, clock)),
                  clAppendResult::NotLogged);
    }
    EXPECT_EQ(ReadFileBytes(LogPath()), content);
    EXPECT_EQ(stats.GamesPlayed(), 3);  // still counted and summarised
    EXPECT_EQ(Summary("GamesPlayed"), 3);

    // A write cut off part way leaves half a line; the next one ends it first.
    {
        clFileSizeLimit full(content.size() + 10);
        EXPECT_EQ(stats.AppendResult("golf", clStatistics::MakeCompleted(400, 1, clock)),
                  clAppendResult::NotLogged);
    }
    EXPECT_EQ(stats.AppendResult("golf", clStatistics::MakeCompleted(500, 1, clock)),
              clAppendResult::Logged);
    EXPECT_EQ(ReadFileBytes(LogPath()).substr(0, content.size()), content);
    clStatistics again(settings, folders, clock);
    again.LoadLog("golf", "Golf", false);
    ASSERT_EQ(again.Count(), 3);
    EXPECT_EQ(again.RecordAt(2)->score, 500);
}

TEST_F(LogFileTest, AFolderThatCannotBeMadeStillCountsTheResult) {
    WriteFileBytes(temp.Path() / "Qarvel" / "Ann", "a file in the way");
    stats.LoadLog("golf", "Golf", false);
    EXPECT_EQ(stats.AppendResult("golf", clStatistics::MakeCompleted(10, 1, clock)),
              clAppendResult::NotLogged);
    EXPECT_EQ(stats.GamesPlayed(), 1);
    EXPECT_EQ(ReadFileBytes(temp.Path() / "Qarvel" / "Ann"), "a file in the way");
}

}  // namespace
