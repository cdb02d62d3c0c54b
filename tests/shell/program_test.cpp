// The real game binary on a virtual X display (xvfb-run): it starts, shows
// its window with a playable game and leaves through the Exit command.
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

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

}  // namespace

TEST(ProgramTest, StartsShowsKlondikeAndExitsCleanly) {
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()) {
        GTEST_SKIP() << "xvfb-run is not installed (scripts/install-deps installs it)";
    }
    clTempFolder home;
    const std::filesystem::path config = home.Path() / "config";
    AddPlayer(config, "Tester");

    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(config.string()));
    env.insert(QStringLiteral("XDG_DATA_HOME"),
               QString::fromStdString((home.Path() / "data").string()));
    env.insert(QStringLiteral("QARVEL_DATA"), QStringLiteral(QARVEL_BUILD_DATA_DIR));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    game.setProcessEnvironment(env);
    game.setProcessChannelMode(QProcess::MergedChannels);
    game.start(QStringLiteral("xvfb-run"),
               {QStringLiteral("-a"), QStringLiteral(QARVEL_GAME_BINARY),
                QStringLiteral("--quit-after-start"), QStringLiteral("Klondike")});
    ASSERT_TRUE(game.waitForStarted(10000));
    ASSERT_TRUE(game.waitForFinished(120000)) << game.readAll().toStdString();
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0) << game.readAll().toStdString();

    // Leaving through Exit saved the settings with the window's place.
    clQtSettingsStore store(config / "Ternwick" / "Qarvel.conf");
    clSettings settings(store);
    settings.LoadOptions();
    ASSERT_TRUE(settings.LoadPlayer());
    EXPECT_TRUE(settings.Window().IsValid());
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
