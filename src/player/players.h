#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "player/player_folders.h"

class clNamePrompt;
class clSettings;
class clUserAccount;

// Whether deleting a player also removes their files (statistics logs and
// saved games) from disk.
enum class clPlayerFiles { Keep, Remove };

// What adding a player did.
enum class clAddPlayer {
    Added,     // a new player with default settings, now current
    Existing,  // the name was a player's already: now current, settings kept
    Refused,   // not a usable name, or the store would not take it
};

// The players of the installation: the one whose settings are in the record,
// and the operations that change it.
class clPlayers {
public:
    clPlayers(clSettings& settings, const clUserAccount& account);

    // Settings at start-up: the options, then the stored player, else the
    // first player in the store, else (the first start) a new player whose
    // name the prompt asks for, starting from the login name. False when no
    // player could be had.
    bool StartUp(clNamePrompt& prompt);

    // Saves the current player's settings and loads those of `name`. False,
    // changing nothing, when `name` is not a stored player.
    bool ChangePlayer(std::string_view name);
    // A new player gets the default settings and becomes current; a name
    // that is a player's already (without regard to the case of A-Z) makes
    // that player current, their settings untouched.
    clAddPlayer AddPlayer(std::string_view name);
    // Removes a player's settings and game values, and with
    // clPlayerFiles::Remove their folder. The current player cannot be
    // deleted.
    bool DeletePlayer(std::string_view name, clPlayerFiles files);
    std::vector<std::string> List() const;

    const clPlayerFolders& Folders() const { return folders; }

private:
    bool BecomeNewPlayer(std::string_view name);

    clSettings& settings;
    const clUserAccount& account;
    clPlayerFolders folders;
};
