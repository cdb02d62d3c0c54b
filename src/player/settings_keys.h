#pragma once

#include <string_view>

#include "toolkit/settings_store.h"

// Where the program's values lie in the settings store.

// Values of the installation, not of a player.
inline clKeyPath OptionsKey() {
    return clKeyPath{"options"};
}

// One subkey per player, named by the player's name.
inline clKeyPath PlayersKey() {
    return clKeyPath{"players"};
}

inline clKeyPath PlayerKey(std::string_view player) {
    return PlayersKey() / player;
}

// A player's values for one variant, named by its display name.
inline clKeyPath GameKey(std::string_view player, std::string_view gameName) {
    return PlayerKey(player) / gameName;
}
