#include "player/settings.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "player/settings_keys.h"
#include "toolkit/memory_settings_store.h"

namespace {

std::vector<std::string> SortedNames(const clSettingsStore& store, const clKeyPath& key) {
    std::vector<std::string> names = store.ValueNames(key);
    std::sort(names.begin(), names.end());
    return names;
}

class SettingsTest : public ::testing::Test {
protected:
    // A stored player "Ann" with the new-player defaults, current in the record.
    void AddAnn() {
        ASSERT_TRUE(settings.WritePlayerDefaults("Ann"));
        ASSERT_TRUE(settings.SetPlayer("Ann"));
        ASSERT_TRUE(settings.LoadPlayer());
    }

    clMemorySettingsStore store;
    clSettings settings{store};
    const clKeyPath ann = PlayerKey("Ann");
};

TEST_F(SettingsTest, FreshRecordHoldsTheDefaults) {
    for (const clFlagRow& row : kFlagRows)
        EXPECT_EQ(settings.Flag(row.id), row.byDefault) << row.name;
    for (const clNumberRow& row : kNumberRows)
        EXPECT_EQ(settings.Number(row.id), row.byDefault) << row.name;
    for (const clTextRow& row : kTextRows)
        EXPECT_EQ(settings.Text(row.id), row.byDefault) << row.name;
    EXPECT_EQ(settings.Player(), "");
    EXPECT_TRUE(settings.Help());
    EXPECT_FALSE(settings.Window().IsValid());
    EXPECT_EQ(settings.CurrentImage(), "qarvel.bmp");
    EXPECT_EQ(settings.CurrentBackgroundMode(), clBackgroundMode::Stretched);
    EXPECT_EQ(settings.CurrentColor(), 0x008000u);
    EXPECT_TRUE(settings.CurrentAutoPlay());
    EXPECT_FALSE(settings.ButtonRect().IsValid());
}

TEST_F(SettingsTest, PlayerWithoutKeyLoadsNothing) {
    ASSERT_TRUE(settings.SetPlayer("Nobody"));
    settings.SetFlag(clFlag::Sounds, false);
    EXPECT_FALSE(settings.LoadPlayer());
    EXPECT_FALSE(settings.Flag(clFlag::Sounds));
    EXPECT_FALSE(store.KeyExists(PlayerKey("Nobody")));
}

TEST_F(SettingsTest, MissingValueKeepsWhatTheRecordHolds) {
    AddAnn();
    ASSERT_TRUE(store.DeleteValue(ann, "autopause"));
    settings.SetFlag(clFlag::AutoPause, false);
    settings.SetFlag(clFlag::Sounds, false);
    ASSERT_TRUE(settings.LoadPlayer());
    EXPECT_FALSE(settings.Flag(clFlag::AutoPause));
    EXPECT_TRUE(settings.Flag(clFlag::Sounds));
}

// A stored value the program cannot use (wrong kind, out of range) gives the
// default, whatever the record held before.
struct clStoredCase {
    const char* name;
    const char* text;  // stored as text; nullptr stores bytes instead
    const char* expected;
};

const clStoredCase kStoredCases[] = {
    {"minsize", "9", "minsize=0"},
    {"maxsize", "-1", "maxsize=0"},
    {"cardback", "-5", "cardback=0"},
    {"virtualwidth", "100000", "virtualwidth=640"},
    {"virtualheight", "0", "virtualheight=480"},
    {"view", "4", "view=0"},
    {"filter", "5", "filter=0"},
    {"background", "3", "background=1"},
    {"color", "16777216", "color=32768"},
    {"timeout", "0", "timeout=15"},
    {"played", "lots", "played=5"},
    {"sort", nullptr, "sort=0"},
    {"sounds", "on", "sounds=1"},
    {"keyboard", nullptr, "keyboard=0"},
    {"image", nullptr, "image=qarvel.bmp"},
    // Usable values are taken.
    {"virtualwidth", "300", "virtualwidth=300"},
    {"sounds", "0", "sounds=0"},
    {"keyboard", "7", "keyboard=1"},
    {"played", "-3", "played=-3"},
    {"cardset", "other.cards", "cardset=other.cards"},
};

void PrintTo(const clStoredCase& c, std::ostream* out) {
    *out << c.name << " stored as " << (c.text ? c.text : "bytes");
}

std::string Describe(const clSettings& settings, std::string_view name) {
    for (const clFlagRow& row : kFlagRows)
        if (row.name == name) return std::string(name) + "=" + (settings.Flag(row.id) ? "1" : "0");
    for (const clNumberRow& row : kNumberRows)
        if (row.name == name)
            return std::string(name) + "=" + std::to_string(settings.Number(row.id));
    for (const clTextRow& row : kTextRows)
        if (row.name == name) return std::string(name) + "=" + settings.Text(row.id);
    return "unknown";
}

class StoredValueTest : public SettingsTest, public ::testing::WithParamInterface<clStoredCase> {};

TEST_P(StoredValueTest, UnusableValuesFallBackToTheDefault) {
    AddAnn();
    const clStoredCase& c = GetParam();
    if (c.text != nullptr)
        ASSERT_TRUE(store.WriteText(ann, c.name, c.text));
    else
        ASSERT_TRUE(store.WriteBinary(ann, c.name, std::vector<std::uint8_t>{1, 2, 3}));
    // Something else than the default in the record first.
    for (const clNumberRow& row : kNumberRows)
        settings.SetNumber(row.id, row.byDefault == row.low ? row.byDefault + 1 : row.low);
    for (const clFlagRow& row : kFlagRows)
        settings.SetFlag(row.id, !row.byDefault);
    settings.SetText(clText::Image, "previous.bmp");

    ASSERT_TRUE(settings.LoadPlayer());
    EXPECT_EQ(Describe(settings, c.name), c.expected);
}

INSTANTIATE_TEST_SUITE_P(PlayerValues, StoredValueTest, ::testing::ValuesIn(kStoredCases));

TEST_F(SettingsTest, TextsAreCutToTheirSizeWithoutSplittingACharacter) {
    AddAnn();
    std::string accented;
    for (int i = 0; i < 70; ++i)
        accented += "\xC3\xA9";
    ASSERT_TRUE(store.WriteText(ann, "image", std::string(100, 'p')));
    ASSERT_TRUE(store.WriteText(ann, "name", accented));
    ASSERT_TRUE(store.WriteText(ann, "email", std::string("ann@example.org\0junk", 20)));
    ASSERT_TRUE(settings.LoadPlayer());
    EXPECT_EQ(settings.Text(clText::Image), std::string(63, 'p'));
    EXPECT_EQ(settings.Text(clText::Name), accented.substr(0, 126));
    EXPECT_EQ(settings.Text(clText::Email), "ann@example.org");

    settings.SetText(clText::CardSet, std::string(300, 'c'));
    EXPECT_EQ(settings.Text(clText::CardSet).size(), 259u);
}

TEST_F(SettingsTest, EverythingSavedLoadsBackIntoAnotherRecord) {
    AddAnn();
    for (const clFlagRow& row : kFlagRows)
        settings.SetFlag(row.id, !row.byDefault);
    for (const clNumberRow& row : kNumberRows)
        ASSERT_TRUE(settings.SetNumber(row.id, row.byDefault == row.low ? row.low + 1 : row.low));
    for (const clTextRow& row : kTextRows)
        settings.SetText(row.id, std::string(row.name) + " of Ann");
    settings.SetButtonRect({10, 20, 170, 100});
    settings.SetButtonPosition(12.5, -3.25);
    ASSERT_TRUE(settings.SavePlayer());

    clSettings other(store);
    ASSERT_TRUE(other.SetPlayer("Ann"));
    ASSERT_TRUE(other.LoadPlayer());
    for (const clFlagRow& row : kFlagRows)
        EXPECT_EQ(other.Flag(row.id), !row.byDefault) << row.name;
    for (const clNumberRow& row : kNumberRows)
        EXPECT_EQ(other.Number(row.id), settings.Number(row.id)) << row.name;
    for (const clTextRow& row : kTextRows)
        EXPECT_EQ(other.Text(row.id), std::string(row.name) + " of Ann");
    EXPECT_EQ(other.ButtonRect(), (clRect32{10, 20, 170, 100}));
    EXPECT_EQ(other.ButtonX(), 12.5);
    EXPECT_EQ(other.ButtonY(), -3.25);
}

TEST_F(SettingsTest, NewPlayerDefaultsLeaveOutButtonOnlineIdentityAndColumns) {
    ASSERT_TRUE(settings.WritePlayerDefaults("Bob"));
    std::vector<std::string> expected;
    for (const clFlagRow& row : kFlagRows)
        expected.emplace_back(row.name);
    for (const clNumberRow& row : kNumberRows)
        expected.emplace_back(row.name);
    for (const std::string_view name : {"image", "cardset", "backs", "symbols"})
        expected.emplace_back(name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SortedNames(store, PlayerKey("Bob")), expected);
    EXPECT_EQ(store.ReadText(PlayerKey("Bob"), "cardset"), "qarvel.cards");
    EXPECT_EQ(store.ReadInteger(PlayerKey("Bob"), "color"), 32768);
    EXPECT_FALSE(settings.WritePlayerDefaults(""));
}

TEST_F(SettingsTest, OptionsRoundTripAndRefuseWhatTheyCannotUse) {
    ASSERT_TRUE(settings.SetPlayer("Ann"));
    settings.SetHelp(false);
    settings.SetWindow({-20, 30, 800, 600, true});
    std::array<std::uint32_t, 16> colors{};
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = static_cast<std::uint32_t>(0x010203 * (i + 1));
    settings.SetCustomColors(colors);
    ASSERT_TRUE(settings.SaveOptions());
    ASSERT_TRUE(store.WriteText(OptionsKey(), "source", "magazine"));

    clSettings other(store);
    other.LoadOptions();
    EXPECT_EQ(other.Player(), "Ann");
    EXPECT_FALSE(other.Help());
    EXPECT_EQ(other.Window(), (clWindowPlacement{-20, 30, 800, 600, true}));
    EXPECT_EQ(other.CustomColors(), colors);
    EXPECT_EQ(other.Source(), "magazine");
    EXPECT_FALSE(store.ReadInteger(OptionsKey(), "path"));

    // A name too long to be a player's, a placement off any screen, a colour
    // with its high byte set: each gives its default.
    std::vector<std::uint8_t> bytes(64, 0);
    bytes[4 * 3 + 3] = 0x01;
    ASSERT_TRUE(store.WriteBinary(OptionsKey(), "colors", bytes));
    ASSERT_TRUE(store.WriteText(OptionsKey(), "player", std::string(65, 'x')));
    ASSERT_TRUE(store.WriteInteger(OptionsKey(), "width", 1 << 30));
    other.LoadOptions();
    EXPECT_EQ(other.Player(), "");
    EXPECT_EQ(other.Window().width, 0);
    EXPECT_EQ(other.CustomColors()[2], 0u);
    EXPECT_EQ(other.CustomColors()[3], kCustomColorDefaults[3]);

    ASSERT_TRUE(store.WriteBinary(OptionsKey(), "colors", std::vector<std::uint8_t>(63, 0)));
    other.LoadOptions();
    EXPECT_EQ(other.CustomColors(), kCustomColorDefaults);
}

TEST_F(SettingsTest, ProgramFolderIsNeverCut) {
    EXPECT_EQ(settings.ReadProgramFolder(), std::nullopt);
    ASSERT_TRUE(settings.WriteProgramFolder("/opt/qarvel/share"));
    EXPECT_EQ(settings.ReadProgramFolder(), "/opt/qarvel/share");
    EXPECT_FALSE(settings.WriteProgramFolder(std::string(5000, 'd')));
    ASSERT_TRUE(store.WriteText(OptionsKey(), "path", std::string(5000, 'd')));
    EXPECT_EQ(settings.ReadProgramFolder(), std::nullopt);
}

// The folder of the Save and Open dialogs is each player's own, and goes with
// the player.
TEST_F(SettingsTest, GameFolderIsThePlayersOwnAndNeverCut) {
    EXPECT_FALSE(settings.WriteGameFolder("/home/ann/games"));  // no player yet
    AddAnn();
    EXPECT_EQ(settings.ReadGameFolder(), std::nullopt);
    ASSERT_TRUE(settings.WriteGameFolder("/home/ann/games"));
    EXPECT_EQ(settings.ReadGameFolder(), "/home/ann/games");
    EXPECT_FALSE(settings.WriteGameFolder(std::string(5000, 'd')));
    EXPECT_EQ(settings.ReadGameFolder(), "/home/ann/games");

    ASSERT_TRUE(settings.WritePlayerDefaults("Bob"));
    ASSERT_TRUE(settings.SetPlayer("Bob"));
    EXPECT_EQ(settings.ReadGameFolder(), std::nullopt);
    ASSERT_TRUE(store.WriteText(PlayerKey("Bob"), "gamefolder", std::string(5000, 'd')));
    EXPECT_EQ(settings.ReadGameFolder(), std::nullopt);
    ASSERT_TRUE(settings.DeletePlayer("Ann"));
    ASSERT_TRUE(settings.WritePlayerDefaults("Ann"));
    ASSERT_TRUE(settings.SetPlayer("Ann"));
    EXPECT_EQ(settings.ReadGameFolder(), std::nullopt);
}

TEST_F(SettingsTest, ScoreServerAndSiteFollowTheStoredBase) {
    EXPECT_EQ(settings.SubmitUrl(), "http://127.0.0.1:8080/topscores/qarvel/submit.php");
    EXPECT_EQ(settings.ListUrl(), "http://127.0.0.1:8080/topscores/qarvel/list.php");
    EXPECT_EQ(settings.ScorePagesUrl(), "http://127.0.0.1:8080/topscores/scores/qarvel");
    EXPECT_EQ(settings.StartPageUrl(), "http://127.0.0.1:8080/index.html");
    EXPECT_EQ(settings.SiteUrl(), "http://127.0.0.1:8080/");

    ASSERT_TRUE(store.WriteText(OptionsKey(), "server", "http://scores.example.org:9000"));
    ASSERT_TRUE(store.WriteText(OptionsKey(), "site", "http://www.example.org/qarvel/"));
    settings.LoadOptions();
    EXPECT_EQ(settings.SubmitUrl(), "http://scores.example.org:9000/topscores/qarvel/submit.php");
    EXPECT_EQ(settings.StartPageUrl(), "http://scores.example.org:9000/index.html");
    EXPECT_EQ(settings.SiteUrl(), "http://www.example.org/qarvel/");
    ASSERT_TRUE(settings.SaveOptions());
    EXPECT_EQ(store.ReadText(OptionsKey(), "server"), "http://scores.example.org:9000");

    // An address that cannot be one leaves the one in force.
    for (const std::string& bad : {std::string(), std::string(300, 'h'), std::string("http://a b/"),
                                   std::string("http://h/\r\n")}) {
        ASSERT_TRUE(store.WriteText(OptionsKey(), "server", bad));
        settings.LoadOptions();
        EXPECT_EQ(settings.ListUrl(), "http://scores.example.org:9000/topscores/qarvel/list.php");
    }
}

TEST_F(SettingsTest, GameValuesStartFreshForAGameWithoutKey) {
    AddAnn();
    ASSERT_TRUE(settings.SetNumber(clNumber::Color, 0x112233));
    ASSERT_TRUE(store.WriteInteger(GameKey("Ann", "Klondike"), "Favorite", 1));
    ASSERT_TRUE(store.WriteInteger(GameKey("Ann", "Klondike"), "AutoPlay", 0));
    ASSERT_TRUE(store.WriteInteger(GameKey("Ann", "Klondike"), "background", 0));
    ASSERT_TRUE(store.WriteInteger(GameKey("Ann", "Klondike"), "color", 0x0000FF));

    settings.LoadGameValues("Klondike", true);
    EXPECT_TRUE(settings.CurrentFavorite());
    EXPECT_FALSE(settings.CurrentAutoPlay());
    EXPECT_EQ(settings.CurrentBackgroundMode(), clBackgroundMode::Solid);
    EXPECT_EQ(settings.CurrentColor(), 0x0000FFu);

    // Without AutoPlay on offer the stored value is not read.
    settings.LoadGameValues("Klondike", false);
    EXPECT_TRUE(settings.CurrentAutoPlay());

    // The next game has no key: not the red of the one before.
    settings.LoadGameValues("Spider", true);
    EXPECT_FALSE(settings.CurrentFavorite());
    EXPECT_TRUE(settings.CurrentAutoPlay());
    EXPECT_EQ(settings.CurrentBackgroundMode(), clBackgroundMode::Global);
    EXPECT_EQ(settings.CurrentColor(), 0x112233u);
    EXPECT_EQ(settings.CurrentImage(), "qarvel.bmp");
}

// Which values saving a game writes, by background mode and button place.
struct clGameSaveCase {
    clBackgroundMode mode;
    clRect32 button;
    std::vector<std::string> written;
};

void PrintTo(const clGameSaveCase& c, std::ostream* out) {
    *out << "mode " << static_cast<int>(c.mode) << (c.button.IsValid() ? ", button" : "");
}

class GameSaveTest : public SettingsTest, public ::testing::WithParamInterface<clGameSaveCase> {};

TEST_P(GameSaveTest, WritesOnlyWhatTheModeAndButtonUse) {
    AddAnn();
    settings.LoadGameValues("Golf", false);
    settings.SetCurrentBackground(GetParam().mode, 0x00FF00, "felt.png");
    settings.SetButtonRect(GetParam().button);
    ASSERT_TRUE(settings.SaveGameValues("Golf", false));
    EXPECT_EQ(SortedNames(store, GameKey("Ann", "Golf")), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, GameSaveTest,
    ::testing::Values(
        clGameSaveCase{clBackgroundMode::Global, {}, {"Favorite", "background"}},
        clGameSaveCase{clBackgroundMode::Solid, {}, {"Favorite", "background", "color"}},
        clGameSaveCase{clBackgroundMode::Tiled, {}, {"Favorite", "background", "image"}},
        clGameSaveCase{clBackgroundMode::Global, {5, 5, 5, 60}, {"Favorite", "background"}},
        clGameSaveCase{clBackgroundMode::Global,
                       {5, 5, 90, 60},
                       {"Favorite", "background", "buttonsize", "buttonx", "buttony"}}));

TEST_F(SettingsTest, AllGamesGoBackToThePlayersBackground) {
    AddAnn();
    ASSERT_TRUE(settings.SetNumber(clNumber::Background, 2));
    ASSERT_TRUE(store.WriteInteger(GameKey("Ann", "Golf"), "background", 0));
    ASSERT_TRUE(store.WriteInteger(GameKey("Ann", "Golf"), "color", 0x0000FF));
    ASSERT_TRUE(store.WriteInteger(GameKey("Ann", "Spider"), "background", 3));
    ASSERT_TRUE(store.WriteInteger(GameKey("Ann", "Klondike"), "Favorite", 1));
    settings.SetCurrentBackground(clBackgroundMode::Solid, 0x0000FF, "");

    ASSERT_TRUE(settings.SetAllGamesToGlobal());
    EXPECT_EQ(store.ReadInteger(GameKey("Ann", "Golf"), "background"), 3);
    EXPECT_EQ(store.ReadInteger(GameKey("Ann", "Spider"), "background"), 3);
    EXPECT_FALSE(store.ValueExists(GameKey("Ann", "Klondike"), "background"));
    EXPECT_EQ(settings.CurrentBackgroundMode(), clBackgroundMode::Tiled);
    EXPECT_EQ(settings.CurrentColor(), 0x008000u);
}

TEST_F(SettingsTest, OnlineInfoOfAnyPlayer) {
    AddAnn();
    ASSERT_TRUE(settings.WritePlayerDefaults("Bob"));
    ASSERT_TRUE(store.DeleteValue(PlayerKey("Bob"), "timeout"));
    EXPECT_EQ(settings.ReadOnlineInfo("Bob"), (clOnlineInfo{"", "", "", 15}));

    ASSERT_TRUE(settings.WriteOnlineInfo("Bob", {"Bobby", "Leeds, UK", "bob@example.org", 0}));
    EXPECT_EQ(settings.ReadOnlineInfo("Bob"),
              (clOnlineInfo{"Bobby", "Leeds, UK", "bob@example.org", 15}));
    EXPECT_EQ(settings.Text(clText::Name), "");  // Bob is not current

    ASSERT_TRUE(settings.WriteOnlineInfo("Ann", {"Annie", "Oslo", "ann@example.org", 30}));
    EXPECT_EQ(settings.Text(clText::Name), "Annie");
    EXPECT_EQ(settings.Number(clNumber::Timeout), 30);

    EXPECT_FALSE(settings.WriteOnlineInfo("Carl", {"Carl", "", "", 15}));
    EXPECT_FALSE(store.KeyExists(PlayerKey("Carl")));
}

// The "Take Score" place belongs to one game: another game without a place
// of its own does not inherit it, and a pixel rectangle of earlier versions
// (positions 0) is no place.
TEST_F(SettingsTest, ScoreButtonPlaceBelongsToItsGame) {
    AddAnn();
    settings.LoadGameValues("Klondike", true);
    EXPECT_FALSE(settings.HasButtonPlace());
    settings.SetButtonRect({10, 20, 150, 68});
    settings.SetButtonPosition(0.25, -0.5);
    EXPECT_TRUE(settings.HasButtonPlace());
    ASSERT_TRUE(settings.SaveGameValues("Klondike", true));

    settings.LoadGameValues("FreeCell", true);
    EXPECT_FALSE(settings.HasButtonPlace());
    settings.LoadGameValues("Klondike", true);
    EXPECT_TRUE(settings.HasButtonPlace());
    EXPECT_EQ(settings.ButtonX(), 0.25);
    EXPECT_EQ(settings.ButtonY(), -0.5);

    settings.SetButtonRect({248, 328, 392, 400});
    settings.SetButtonPosition(0, 0);
    ASSERT_TRUE(settings.SaveGameValues("Golf", false));
    settings.LoadGameValues("Golf", false);
    EXPECT_FALSE(settings.HasButtonPlace());
}

TEST_F(SettingsTest, DeletingAPlayerTakesTheirGamesButNeverTheCurrentPlayer) {
    AddAnn();
    ASSERT_TRUE(settings.WritePlayerDefaults("Bob"));
    ASSERT_TRUE(store.WriteInteger(GameKey("Bob", "Golf"), "GamesPlayed", 3));
    EXPECT_FALSE(settings.DeletePlayer("Ann"));
    EXPECT_TRUE(store.KeyExists(ann));
    EXPECT_TRUE(settings.DeletePlayer("Bob"));
    EXPECT_FALSE(store.KeyExists(PlayerKey("Bob")));
    EXPECT_EQ(settings.ListPlayers(), std::vector<std::string>{"Ann"});
}

TEST_F(SettingsTest, ListLeavesOutKeysThatCannotNameAPlayer) {
    AddAnn();
    ASSERT_TRUE(store.WriteInteger(PlayerKey(std::string(65, 'x')), "sounds", 1));
    ASSERT_TRUE(store.WriteInteger(PlayerKey("bad\xFF"), "sounds", 1));
    ASSERT_TRUE(settings.WritePlayerDefaults("a/b"));
    EXPECT_EQ(settings.ListPlayers(), (std::vector<std::string>{"Ann", "a/b"}));
}

TEST_F(SettingsTest, CardSetIndexesFromTheCatalogue) {
    AddAnn();
    ASSERT_TRUE(store.WriteText(ann, "backs", "fancy.cards"));
    settings.SetCardSetLookup([](std::string_view file) -> std::optional<std::int32_t> {
        if (file == "qarvel.cards") return 0;
        if (file == "fancy.cards") return 4;
        return std::nullopt;
    });
    ASSERT_TRUE(settings.LoadPlayer());
    EXPECT_EQ(settings.CardSetIndex(), 0);
    EXPECT_EQ(settings.BacksIndex(), 4);
    ASSERT_TRUE(store.WriteText(ann, "backs", "gone.cards"));
    ASSERT_TRUE(settings.LoadPlayer());
    EXPECT_EQ(settings.BacksIndex(), 4);  // not in the catalogue: the old index stays
}

}  // namespace
