// The real game binary on a virtual X display (xvfb-run): it starts, shows
// its window with a playable game and leaves through the Exit command.
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "player/players.h"
#include "player/settings.h"
#include "support/temp_folder.h"
#include "toolkit/name_prompt.h"
#include "toolkit/qt_settings_store.h"
#include "toolkit/user_account.h"

namespace {

class clNoPrompt final : public clNamePrompt {
public:
    std::optional<std::string> AskPlayerName(std::string_view) override { return std::nullopt; }
};

// A player in the settings file, so that the first start asks nothing.
void AddPlayer(const std::filesystem::path& configFolder, const std::string& name) {
    clQtSettingsStore store(configFolder / "Ternwick" / "Qarvel.conf");
    clSettings settings(store);
    clFixedUserAccount account(configFolder, name);
    clPlayers players(settings, account);
    ASSERT_EQ(players.AddPlayer(name), clAddPlayer::Added);
    settings.SaveOptions();
    ASSERT_TRUE(store.Flush());
}

// The game started on a virtual display with the shipped data of
// `dataFolder` and a player already added, quitting once its window is up:
// its exit status and what it wrote.
struct clRun {
    int status = -1;
    std::string output;
};

clRun RunGame(const clTempFolder& home, const std::filesystem::path& dataFolder) {
    const std::filesystem::path config = home.Path() / "config";
    clRun run;
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(config.string()));
    env.insert(QStringLiteral("XDG_DATA_HOME"),
               QString::fromStdString((home.Path() / "data").string()));
    env.insert(QStringLiteral("QARVEL_DATA"), QString::fromStdString(dataFolder.string()));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    game.setProcessEnvironment(env);
    game.setProcessChannelMode(QProcess::MergedChannels);
    game.start(QStringLiteral("xvfb-run"),
               {QStringLiteral("-a"), QStringLiteral(QARVEL_GAME_BINARY),
                QStringLiteral("--quit-after-start"), QStringLiteral("Klondike")});
    EXPECT_TRUE(game.waitForStarted(10000));
    EXPECT_TRUE(game.waitForFinished(120000));
    run.output = game.readAll().toStdString();
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << run.output;
    run.status = game.exitCode();
    return run;
}

// Links to the build's shipped data, but for the card-set files not wanted.
std::filesystem::path ShippedDataWithout(const clTempFolder& home,
                                         const std::vector<std::string>& left) {
    const std::filesystem::path data = home.Path() / "shipped";
    std::filesystem::create_directories(data);
    for (const auto& entry : std::filesystem::directory_iterator(QARVEL_BUILD_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (std::find(left.begin(), left.end(), name) == left.end()) {
            std::filesystem::create_symlink(entry.path(), data / name);
        }
    }
    return data;
}

}  // namespace

TEST(ProgramTest, StartsShowsKlondikeAndExitsCleanly) {
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()) {
        GTEST_SKIP() << "xvfb-run is not installed (scripts/install-deps installs it)";
    }
    clTempFolder home;
    const std::filesystem::path config = home.Path() / "config";
    AddPlayer(config, "Tester");

    const clRun run = RunGame(home, QARVEL_BUILD_DATA_DIR);
    EXPECT_EQ(run.status, 0) << run.output;

    // Leaving through Exit saved the settings with the window's place.
    clQtSettingsStore store(config / "Ternwick" / "Qarvel.conf");
    clSettings settings(store);
    settings.LoadOptions();
    ASSERT_TRUE(settings.LoadPlayer());
    EXPECT_TRUE(settings.Window().IsValid());
}

// Without qarvel.cards the four-colour set carries the game, and the player
// is told (on standard error in a run that quits at once). Without any card
// set the game says where it looked and ends with an error status.
TEST(ProgramTest, CardSetsThatAreMissingAreSaidAndNoneLeftIsAnError) {
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()) {
        GTEST_SKIP() << "xvfb-run is not installed (scripts/install-deps installs it)";
    }
    {
        clTempFolder home;
        AddPlayer(home.Path() / "config", "Tester");
        const clRun run = RunGame(home, ShippedDataWithout(home, {"qarvel.cards"}));
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_NE(run.output.find("qarvel: The card set \"qarvel.cards\" could not be loaded"),
                  std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("\"Qarvel Four Colour\" (qarvel_four_colour.cards) instead"),
                  std::string::npos)
            << run.output;
    }
    {
        clTempFolder home;
        AddPlayer(home.Path() / "config", "Tester");
        const std::filesystem::path data =
            ShippedDataWithout(home, {"qarvel.cards", "qarvel_four_colour.cards"});
        const clRun run = RunGame(home, data);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find("qarvel: No card set could be loaded."), std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("\n" + data.string() + "\n"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("\n" + (home.Path() / "data" / "Ternwick").string() + "\n"),
                  std::string::npos)
            << run.output;
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
