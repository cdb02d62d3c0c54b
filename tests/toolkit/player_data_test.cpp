// The player data against the real INI settings file and real data folders,
// both inside a temporary folder named by XDG_CONFIG_HOME and XDG_DATA_HOME.
#include <QSettings>
#include <QString>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "player/players.h"
#include "player/settings.h"
#include "player/settings_keys.h"
#include "player/statistics.h"
#include "support/fixed_clock.h"
#include "support/strange_names.h"
#include "support/temp_folder.h"
#include "toolkit/name_prompt.h"
#include "toolkit/qt_settings_store.h"
#include "toolkit/qt_user_account.h"
#include "toolkit/utf8.h"

namespace {

class clFixedPrompt final : public clNamePrompt {
public:
    std::optional<std::string> answer;
    std::optional<std::string> AskPlayerName(std::string_view) override { return answer; }
};

// Sets an environment variable for the life of the object.
class clEnvironmentValue {
public:
    clEnvironmentValue(const char* name, const std::string& value) : name(name) {
        if (const char* old = std::getenv(name)) saved = old;
        setenv(name, value.c_str(), 1);
    }
    ~clEnvironmentValue() {
        if (saved)
            setenv(name, saved->c_str(), 1);
        else
            unsetenv(name);
    }
    clEnvironmentValue(const clEnvironmentValue&) = delete;
    clEnvironmentValue& operator=(const clEnvironmentValue&) = delete;

private:
    const char* name;
    std::optional<std::string> saved;
};

// One run of the program's player data: the store on the settings file, the
// record, the players. Ending it and making another is a restart.
struct clRun {
    clQtSettingsStore store{clQtSettingsStore::DefaultFile()};
    clQtUserAccount account;
    clSettings settings{store};
    clPlayers players{settings, account};
};

class PlayerDataTest : public ::testing::Test {
protected:
    clRun& Restart() {
        run.reset();
        run = std::make_unique<clRun>();
        return *run;
    }

    // The first start, naming the first player.
    clRun& FirstStart(const std::string& name) {
        clRun& r = Restart();
        prompt.answer = name;
        EXPECT_TRUE(r.players.StartUp(prompt));
        return r;
    }

    std::filesystem::path ConfigFile() const {
        return temp.Path() / "config" / "Ternwick" / "Qarvel.conf";
    }

    clTempFolder temp;
    clEnvironmentValue config{"XDG_CONFIG_HOME", (temp.Path() / "config").string()};
    clEnvironmentValue data{"XDG_DATA_HOME", (temp.Path() / "data").string()};
    clFixedPrompt prompt;
    std::unique_ptr<clRun> run;
};

TEST_F(PlayerDataTest, FilesLieWhereTheXdgVariablesSay) {
    EXPECT_EQ(clQtSettingsStore::DefaultFile(), ConfigFile());
    EXPECT_EQ(clQtUserAccount().DataFolder(), temp.Path() / "data" / "Ternwick");
    EXPECT_FALSE(clQtUserAccount().LoginName().empty());
}

TEST_F(PlayerDataTest, FirstStartLeavesThePlayerAndEveryDefaultInTheFile) {
    FirstStart("Ann Smith");
    run.reset();
    ASSERT_TRUE(std::filesystem::exists(ConfigFile()));

    // Read with QSettings itself: the layout other tools see.
    QSettings file(QString::fromStdString(ConfigFile().string()), QSettings::IniFormat);
    EXPECT_EQ(file.value("1.0/options/player").toString(), QString("Ann Smith"));
    file.beginGroup("1.0/players/Ann Smith");
    for (const clFlagRow& row : kFlagRows)
        EXPECT_EQ(file.value(QString::fromUtf8(row.name.data(), row.name.size())).toInt(),
                  row.byDefault ? 1 : 0)
            << row.name;
    for (const clNumberRow& row : kNumberRows)
        EXPECT_EQ(file.value(QString::fromUtf8(row.name.data(), row.name.size())).toInt(),
                  row.byDefault)
            << row.name;
    EXPECT_EQ(file.value("cardset").toString(), QString("qarvel.cards"));
    file.endGroup();

    clRun& again = Restart();
    ASSERT_TRUE(again.players.StartUp(prompt));
    EXPECT_EQ(again.settings.Player(), "Ann Smith");
    EXPECT_EQ(again.settings.Number(clNumber::VirtualWidth), 640);
}

TEST_F(PlayerDataTest, EveryKindOfValueSurvivesARestart) {
    const auto number = [](const clNumberRow& row) {
        return row.byDefault == row.high ? row.low : row.high;
    };
    const auto text = [](const clTextRow& row) {
        return "\xC3\xA9t\xC3\xA9, \"" + std::string(row.name) + "\" ; #1";
    };
    clRun& first = FirstStart("Ann");
    clSettings& s = first.settings;
    for (const clFlagRow& row : kFlagRows)
        s.SetFlag(row.id, !row.byDefault);
    for (const clNumberRow& row : kNumberRows)
        ASSERT_TRUE(s.SetNumber(row.id, number(row)));
    for (const clTextRow& row : kTextRows)
        s.SetText(row.id, text(row));
    s.SetWindow({-8, 16, 1024, 768, true});
    std::array<std::uint32_t, 16> colors{};
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = static_cast<std::uint32_t>(0xABCDEF - i);
    s.SetCustomColors(colors);
    s.SetHelp(false);
    s.LoadGameValues("Triple Towers", true);
    s.SetCurrentFavorite(true);
    s.SetCurrentAutoPlay(false);
    s.SetCurrentBackground(clBackgroundMode::Solid, 0x123456, "");
    s.SetButtonRect({-5, 10, 200, 90});
    s.SetButtonPosition(0.1, 1e300);
    ASSERT_TRUE(s.SaveGameValues("Triple Towers", true));
    ASSERT_TRUE(s.SavePlayer());
    ASSERT_TRUE(s.SaveOptions());

    clRun& second = Restart();
    ASSERT_TRUE(second.players.StartUp(prompt));
    const clSettings& t = second.settings;
    for (const clFlagRow& row : kFlagRows)
        EXPECT_EQ(t.Flag(row.id), !row.byDefault) << row.name;
    for (const clNumberRow& row : kNumberRows)
        EXPECT_EQ(t.Number(row.id), number(row)) << row.name;
    for (const clTextRow& row : kTextRows)
        EXPECT_EQ(t.Text(row.id), text(row)) << row.name;
    EXPECT_EQ(t.Window(), (clWindowPlacement{-8, 16, 1024, 768, true}));
    EXPECT_EQ(t.CustomColors(), colors);
    EXPECT_FALSE(t.Help());

    second.settings.LoadGameValues("Triple Towers", true);
    EXPECT_TRUE(t.CurrentFavorite());
    EXPECT_FALSE(t.CurrentAutoPlay());
    EXPECT_EQ(t.CurrentBackgroundMode(), clBackgroundMode::Solid);
    EXPECT_EQ(t.CurrentColor(), 0x123456u);
    EXPECT_EQ(t.ButtonRect(), (clRect32{-5, 10, 200, 90}));
    EXPECT_EQ(t.ButtonX(), 0.1);
    EXPECT_EQ(t.ButtonY(), 1e300);
}

TEST_F(PlayerDataTest, AnyNameIsAPlayerOfItsOwnAcrossRestarts) {
    clRun& first = FirstStart("First");
    std::vector<std::string> expected = {"First"};
    for (const std::string& name : StrangeNames()) {
        const bool sameAsEarlier = std::any_of(expected.begin(), expected.end(), [&](auto& other) {
            return SamePlayerName(other, name);
        });
        EXPECT_EQ(first.players.AddPlayer(name),
                  sameAsEarlier ? clAddPlayer::Existing : clAddPlayer::Added)
            << name;
        if (sameAsEarlier) continue;
        expected.push_back(name);
        ASSERT_TRUE(first.settings.WriteOnlineInfo(name, {name, "", "", 15}));
        const auto log = first.players.Folders().FilePath(name, "golf.log");
        ASSERT_TRUE(log) << name;
        WriteFileBytes(*log, name);
    }
    const std::string last = first.settings.Player();

    clRun& second = Restart();
    ASSERT_TRUE(second.players.StartUp(prompt));
    EXPECT_EQ(second.settings.Player(), last);
    std::vector<std::string> listed = second.players.List();
    EXPECT_EQ(std::multiset<std::string>(listed.begin(), listed.end()),
              std::multiset<std::string>(expected.begin(), expected.end()));
    for (const std::string& name : expected) {
        if (name == "First") continue;
        EXPECT_EQ(second.settings.ReadOnlineInfo(name).name, Utf8Prefix(name, 63)) << name;
        EXPECT_EQ(ReadFileBytes(*second.players.Folders().FilePath(name, "golf.log")), name);
    }
}

TEST_F(PlayerDataTest, SwitchingKeepsEachPlayersValuesApartAcrossRestarts) {
    clRun& first = FirstStart("Ann");
    first.settings.SetFlag(clFlag::Sounds, false);
    ASSERT_TRUE(first.settings.SetNumber(clNumber::CardBack, 3));
    ASSERT_EQ(first.players.AddPlayer("Bob"), clAddPlayer::Added);
    ASSERT_TRUE(first.settings.SetNumber(clNumber::CardBack, 7));
    ASSERT_TRUE(first.players.ChangePlayer("Ann"));
    EXPECT_FALSE(first.settings.Flag(clFlag::Sounds));
    EXPECT_EQ(first.settings.Number(clNumber::CardBack), 3);
    first.settings.SaveOptions();

    clRun& second = Restart();
    ASSERT_TRUE(second.players.StartUp(prompt));
    EXPECT_EQ(second.settings.Player(), "Ann");
    EXPECT_EQ(second.settings.Number(clNumber::CardBack), 3);
    ASSERT_TRUE(second.players.ChangePlayer("Bob"));
    EXPECT_TRUE(second.settings.Flag(clFlag::Sounds));
    EXPECT_EQ(second.settings.Number(clNumber::CardBack), 7);
}

TEST_F(PlayerDataTest, DeletingAPlayerRemovesTheirKeyAndFiles) {
    clRun& first = FirstStart("Ann");
    ASSERT_EQ(first.players.AddPlayer("../Bob"), clAddPlayer::Added);
    clFixedClock clock;
    clStatistics bobs(first.settings, first.players.Folders(), clock);
    bobs.LoadLog("golf", "Golf", false);
    ASSERT_EQ(bobs.AppendResult("golf", clStatistics::MakeCompleted(10, 1, clock)),
              clAppendResult::Logged);
    const std::filesystem::path bobFolder = *first.players.Folders().Folder("../Bob");
    ASSERT_TRUE(std::filesystem::exists(bobFolder / "golf.log"));
    ASSERT_TRUE(first.players.ChangePlayer("Ann"));
    const auto annLog = first.players.Folders().FilePath("Ann", "golf.log");
    WriteFileBytes(*annLog, "#QARVEL V1\r\n");

    ASSERT_TRUE(first.players.DeletePlayer("../Bob", clPlayerFiles::Remove));
    clRun& second = Restart();
    ASSERT_TRUE(second.players.StartUp(prompt));
    EXPECT_EQ(second.players.List(), std::vector<std::string>{"Ann"});
    EXPECT_FALSE(second.store.KeyExists(GameKey("../Bob", "Golf")));
    EXPECT_FALSE(std::filesystem::exists(bobFolder));
    EXPECT_TRUE(std::filesystem::exists(*annLog));
}

TEST_F(PlayerDataTest, StatisticsSummaryReachesTheFile) {
    clRun& first = FirstStart("Ann");
    WriteFileBytes(*first.players.Folders().FilePath("Ann", "golf.log"),
                   "#QARVEL V1\r\nC,300,2,2017-08-14 21:05:33,00000000\r\n"
                   "C,100,1,2017-08-15 21:05:33,00000000\r\n");
    clFixedClock clock;
    clStatistics stats(first.settings, first.players.Folders(), clock);
    stats.LoadLog("golf", "Golf", true);

    clRun& second = Restart();
    const clKeyPath golf = GameKey("Ann", "Golf");
    EXPECT_EQ(second.store.ReadInteger(golf, "GamesPlayed"), 2);
    EXPECT_EQ(second.store.ReadInteger(golf, "BestScore"), 300);
    EXPECT_EQ(second.store.ReadInteger(golf, "WorstScore"), 100);
    EXPECT_EQ(second.store.ReadInteger(golf, "AverageScore"), 200);
    EXPECT_TRUE(second.store.ReadInteger(golf, "LastTimeHigh"));
}

TEST_F(PlayerDataTest, ValuesEditedByHandFallBackToTheDefaults) {
    WriteFileBytes(ConfigFile(),
                   "[1.0]\n"
                   "options\\player=Ann\n"
                   "options\\width=wide\n"
                   "options\\colors=not bytes\n"
                   "players\\Ann\\sounds=maybe\n"
                   "players\\Ann\\minsize=12\n"
                   "players\\Ann\\cardback=-3\n"
                   "players\\Ann\\virtualwidth=99999999\n"
                   "players\\Ann\\timeout=0\n"
                   "players\\Ann\\location=Leeds, UK\n"
                   "players\\Ann\\image=@ByteArray(abc)\n"
                   "players\\Ann\\name=\"Ann, the First\"\n"
                   "players\\Ann\\keyboard=1\n"
                   "players\\Ann\\Golf\\background=9\n"
                   "players\\Ann\\Golf\\buttonsize=@ByteArray(short)\n"
                   "garbage line without equals\n");
    clRun& r = Restart();
    ASSERT_TRUE(r.players.StartUp(prompt));
    const clSettings& s = r.settings;
    EXPECT_EQ(s.Player(), "Ann");
    EXPECT_EQ(s.Window().width, 0);
    EXPECT_EQ(s.CustomColors(), kCustomColorDefaults);
    EXPECT_TRUE(s.Flag(clFlag::Sounds));
    EXPECT_EQ(s.Number(clNumber::MinSize), 0);
    EXPECT_EQ(s.Number(clNumber::CardBack), 0);
    EXPECT_EQ(s.Number(clNumber::VirtualWidth), 640);
    EXPECT_EQ(s.Number(clNumber::Timeout), 15);
    EXPECT_EQ(s.Text(clText::Location), "");  // an unquoted comma makes a list, not a text
    EXPECT_EQ(s.Text(clText::Image), "qarvel.bmp");
    EXPECT_EQ(s.Text(clText::Name), "Ann, the First");
    EXPECT_TRUE(s.Flag(clFlag::Keyboard));
    r.settings.LoadGameValues("Golf", false);
    EXPECT_EQ(s.CurrentBackgroundMode(), clBackgroundMode::Global);
    EXPECT_FALSE(s.ButtonRect().IsValid());
}

// The README's way of pointing the game at another score server.
TEST_F(PlayerDataTest, TheScoreServerIsSetByHandInTheFile) {
    WriteFileBytes(ConfigFile(),
                   "[1.0]\n"
                   "options\\player=Ann\n"
                   "options\\server=http://scores.example.org:9000/\n"
                   "options\\site=http://www.example.org/\n"
                   "players\\Ann\\sounds=1\n");
    clRun& r = Restart();
    ASSERT_TRUE(r.players.StartUp(prompt));
    EXPECT_EQ(r.settings.SubmitUrl(), "http://scores.example.org:9000/topscores/qarvel/submit.php");
    EXPECT_EQ(r.settings.SiteUrl(), "http://www.example.org/");
}

TEST_F(PlayerDataTest, AStoreThatCannotBeWrittenDoesNotStopPlay) {
    // A file where the settings folder should be.
    WriteFileBytes(temp.Path() / "config" / "Ternwick", "not a folder");
    clRun& r = Restart();
    prompt.answer = "Ann";
    ASSERT_TRUE(r.players.StartUp(prompt));
    EXPECT_EQ(r.settings.Player(), "Ann");
    EXPECT_FALSE(r.settings.SavePlayer());
    EXPECT_EQ(ReadFileBytes(temp.Path() / "config" / "Ternwick"), "not a folder");
}

}  // namespace
