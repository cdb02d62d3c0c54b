#include "player/players.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "player/settings.h"
#include "player/settings_keys.h"
#include "support/temp_folder.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/name_prompt.h"
#include "toolkit/user_account.h"

namespace {

// Answers the name dialog as told and notes what it was asked.
class clScriptedPrompt final : public clNamePrompt {
public:
    std::optional<std::string> answer;
    std::vector<std::string> suggestions;

    std::optional<std::string> AskPlayerName(std::string_view suggestion) override {
        suggestions.emplace_back(suggestion);
        return answer;
    }
};

class PlayersTest : public ::testing::Test {
protected:
    // Stored players that exist before the test starts.
    void Store(std::string_view name) { ASSERT_TRUE(settings.WritePlayerDefaults(name)); }

    clTempFolder temp;
    clMemorySettingsStore store;
    clSettings settings{store};
    clFixedUserAccount account{temp.Path(), "ann"};
    clPlayers players{settings, account};
    clScriptedPrompt prompt;
};

TEST_F(PlayersTest, FirstStartAsksForANameAndStoresEveryDefault) {
    prompt.answer = "Ann Smith";
    ASSERT_TRUE(players.StartUp(prompt));
    EXPECT_EQ(prompt.suggestions, std::vector<std::string>{"ann"});
    EXPECT_EQ(settings.Player(), "Ann Smith");
    EXPECT_EQ(store.ReadText(OptionsKey(), "player"), "Ann Smith");
    const clKeyPath key = PlayerKey("Ann Smith");
    for (const clFlagRow& row : kFlagRows)
        EXPECT_EQ(store.ReadInteger(key, row.name), row.byDefault ? 1 : 0) << row.name;
    for (const clNumberRow& row : kNumberRows)
        EXPECT_EQ(store.ReadInteger(key, row.name), row.byDefault) << row.name;
    for (const clTextRow& row : kTextRows)
        EXPECT_EQ(store.ReadText(key, row.name), row.byDefault) << row.name;
}

TEST_F(PlayersTest, FirstStartWithoutANameFails) {
    for (const std::optional<std::string>& answer :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>(std::string(65, 'x'))}) {
        prompt.answer = answer;
        EXPECT_FALSE(players.StartUp(prompt));
        EXPECT_TRUE(players.List().empty());
        EXPECT_FALSE(store.ValueExists(OptionsKey(), "player"));
    }
}

TEST_F(PlayersTest, StartUpTakesTheStoredPlayerElseTheFirstOne) {
    Store("Bob");
    Store("Cid");
    ASSERT_TRUE(store.WriteText(OptionsKey(), "player", "Cid"));
    ASSERT_TRUE(players.StartUp(prompt));
    EXPECT_EQ(settings.Player(), "Cid");

    ASSERT_TRUE(store.WriteText(OptionsKey(), "player", "Gone"));
    ASSERT_TRUE(players.StartUp(prompt));
    EXPECT_EQ(settings.Player(), players.List().front());
    EXPECT_TRUE(prompt.suggestions.empty());
}

TEST_F(PlayersTest, AddingANameThatExistsSwitchesWithoutResetting) {
    prompt.answer = "Ann";
    ASSERT_TRUE(players.StartUp(prompt));
    Store("Bob");
    ASSERT_TRUE(store.WriteInteger(PlayerKey("Bob"), "sounds", 0));
    ASSERT_TRUE(store.WriteInteger(GameKey("Bob", "Golf"), "GamesPlayed", 12));

    EXPECT_EQ(players.AddPlayer("bOB"), clAddPlayer::Existing);
    EXPECT_EQ(settings.Player(), "Bob");
    EXPECT_FALSE(settings.Flag(clFlag::Sounds));
    EXPECT_EQ(store.ReadInteger(PlayerKey("Bob"), "sounds"), 0);
    EXPECT_EQ(store.ReadInteger(GameKey("Bob", "Golf"), "GamesPlayed"), 12);
    EXPECT_FALSE(store.KeyExists(PlayerKey("bOB")));
}

TEST_F(PlayersTest, AddingANewPlayerSavesTheOldOneAndStartsFromDefaults) {
    prompt.answer = "Ann";
    ASSERT_TRUE(players.StartUp(prompt));
    settings.SetFlag(clFlag::Sounds, false);
    ASSERT_TRUE(settings.SetNumber(clNumber::MinSize, 3));

    EXPECT_EQ(players.AddPlayer("Zo\xC3\xAB / 2"), clAddPlayer::Added);
    EXPECT_EQ(settings.Player(), "Zo\xC3\xAB / 2");
    EXPECT_TRUE(settings.Flag(clFlag::Sounds));
    EXPECT_EQ(settings.Number(clNumber::MinSize), 0);
    EXPECT_EQ(store.ReadInteger(PlayerKey("Ann"), "sounds"), 0);
    EXPECT_EQ(store.ReadInteger(PlayerKey("Ann"), "minsize"), 3);
    EXPECT_EQ(players.AddPlayer(""), clAddPlayer::Refused);
}

TEST_F(PlayersTest, SwitchingKeepsEachPlayersValuesApart) {
    prompt.answer = "Ann";
    ASSERT_TRUE(players.StartUp(prompt));
    Store("Bob");
    settings.SetFlag(clFlag::Practice, true);
    ASSERT_TRUE(settings.WriteOnlineInfo("Ann", {"Annie", "Oslo", "ann@example.org", 20}));

    ASSERT_TRUE(players.ChangePlayer("Bob"));
    EXPECT_FALSE(settings.Flag(clFlag::Practice));
    // Bob never entered an online identity: he does not get Ann's.
    EXPECT_EQ(settings.Text(clText::Name), "");
    EXPECT_EQ(settings.Text(clText::Email), "");
    EXPECT_EQ(settings.Number(clNumber::Timeout), 15);

    ASSERT_TRUE(players.ChangePlayer("Ann"));
    EXPECT_TRUE(settings.Flag(clFlag::Practice));
    EXPECT_EQ(settings.Text(clText::Name), "Annie");
    EXPECT_EQ(settings.Number(clNumber::Timeout), 20);
    EXPECT_EQ(store.ReadText(PlayerKey("Bob"), "name"), "");

    EXPECT_FALSE(players.ChangePlayer("Nobody"));
    EXPECT_EQ(settings.Player(), "Ann");
}

TEST_F(PlayersTest, DeletingRemovesKeyAndOnlyThatPlayersFiles) {
    prompt.answer = "Ann";
    ASSERT_TRUE(players.StartUp(prompt));
    for (const char* name : {"a", "a/b", "..", "Cid"}) {
        Store(name);
        const auto log = players.Folders().FilePath(name, "golf.log");
        ASSERT_TRUE(log);
        WriteFileBytes(*log, "#QARVEL V1\r\n");
    }

    EXPECT_FALSE(players.DeletePlayer("Ann", clPlayerFiles::Remove));
    EXPECT_TRUE(store.KeyExists(PlayerKey("Ann")));

    for (const char* name : {"a/b", ".."}) {
        EXPECT_TRUE(players.DeletePlayer(name, clPlayerFiles::Remove)) << name;
        EXPECT_FALSE(store.KeyExists(PlayerKey(name)));
        EXPECT_FALSE(std::filesystem::exists(*players.Folders().Folder(name)));
    }
    EXPECT_TRUE(players.DeletePlayer("Cid", clPlayerFiles::Keep));
    EXPECT_FALSE(store.KeyExists(PlayerKey("Cid")));
    EXPECT_TRUE(std::filesystem::exists(*players.Folders().FilePath("Cid", "golf.log")));

    EXPECT_TRUE(std::filesystem::exists(*players.Folders().FilePath("a", "golf.log")));
    EXPECT_TRUE(std::filesystem::is_directory(players.Folders().ProgramFolder()));
    EXPECT_EQ(players.List(), (std::vector<std::string>{"Ann", "a"}));
    EXPECT_FALSE(players.DeletePlayer("Nobody", clPlayerFiles::Remove));
}

}  // namespace
