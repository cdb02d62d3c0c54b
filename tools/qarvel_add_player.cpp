// qarvel-add-player: adds a player to the game's settings without starting
// the game (for scripted set-ups, such as a benchmark on a fresh account).
//
//   qarvel-add-player NAME
//
// The settings file is the game's own ($XDG_CONFIG_HOME/Ternwick/Qarvel.conf).
// A name that is a player's already makes that player the current one.
#include <cstdio>
#include <string>

#include "player/players.h"
#include "player/settings.h"
#include "toolkit/qt_settings_store.h"
#include "toolkit/qt_user_account.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qarvel-add-player NAME\n");
        return 2;
    }
    clQtSettingsStore store(clQtSettingsStore::DefaultFile());
    if (!store.Refusal().empty()) {
        std::fprintf(stderr, "qarvel-add-player: %s\n", store.Refusal().c_str());
        return 1;
    }
    clSettings settings(store);
    settings.LoadOptions();
    clQtUserAccount account;
    clPlayers players(settings, account);
    if (players.AddPlayer(argv[1]) == clAddPlayer::Refused) {
        std::fprintf(stderr, "qarvel-add-player: \"%s\" cannot name a player\n", argv[1]);
        return 1;
    }
    settings.SaveOptions();
    if (!store.Flush()) {
        std::fprintf(stderr, "qarvel-add-player: the settings file cannot be written\n");
        return 1;
    }
    return 0;
}
