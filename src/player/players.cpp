#include "player/players.h"

#include "player/settings.h"
#include "toolkit/name_prompt.h"
#include "toolkit/user_account.h"
#include "toolkit/utf8.h"

namespace {

void ClearOnlineIdentity(clSettings& settings) {
    settings.SetText(clText::Name, "");
    settings.SetText(clText::Location, "");
    settings.SetText(clText::Email, "");
}

}  // namespace

clPlayers::clPlayers(clSettings& settings, const clUserAccount& account)
    : settings(settings), account(account), folders(account) {}

bool clPlayers::StartUp(clNamePrompt& prompt) {
    settings.LoadOptions();
    if (settings.LoadPlayer()) return true;
    for (const std::string& name : settings.ListPlayers())
        if (settings.SetPlayer(name) && settings.LoadPlayer()) return true;

    const std::string login = account.LoginName();
    const auto suggestion = Utf8Prefix(login, kMaxPlayerNameLength);
    const auto name = prompt.AskPlayerName(IsValidPlayerName(suggestion) ? suggestion : "");
    if (!name || !IsValidPlayerName(*name)) return false;
    return BecomeNewPlayer(*name);
}

bool clPlayers::BecomeNewPlayer(std::string_view name) {
    // A write the store refuses is not fatal: the store keeps the values for
    // the run, and the player can play.
    settings.WritePlayerDefaults(name);
    if (!settings.PlayerExists(name) || !settings.SetPlayer(name)) return false;
    // The online identity is the only value new defaults leave unwritten; a
    // new player must not take over the one in the record.
    ClearOnlineIdentity(settings);
    settings.LoadPlayer();
    settings.SavePlayer();
    settings.SaveOptions();
    return true;
}

bool clPlayers::ChangePlayer(std::string_view name) {
    if (!settings.PlayerExists(name)) return false;
    settings.SavePlayer();
    const bool other = name != settings.Player();
    settings.SetPlayer(name);
    // Values the new player has not stored keep what the record holds,
    // except the online identity: one player's name and address must never
    // go to the score server under another's.
    if (other) ClearOnlineIdentity(settings);
    return settings.LoadPlayer();
}

clAddPlayer clPlayers::AddPlayer(std::string_view name) {
    if (!IsValidPlayerName(name)) return clAddPlayer::Refused;
    for (const std::string& existing : settings.ListPlayers()) {
        if (SamePlayerName(existing, name))
            return ChangePlayer(existing) ? clAddPlayer::Existing : clAddPlayer::Refused;
    }
    settings.SavePlayer();
    return BecomeNewPlayer(name) ? clAddPlayer::Added : clAddPlayer::Refused;
}

bool clPlayers::DeletePlayer(std::string_view name, clPlayerFiles files) {
    if (name == settings.Player() || !settings.PlayerExists(name)) return false;
    if (!settings.DeletePlayer(name)) return false;
    return files == clPlayerFiles::Keep || folders.RemoveFolder(name);
}

std::vector<std::string> clPlayers::List() const {
    return settings.ListPlayers();
}
