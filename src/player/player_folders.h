#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class clUserAccount;

// The longest player name, in characters.
inline constexpr std::size_t kMaxPlayerNameLength = 64;

// Whether a text can name a player: 1 to 64 characters of well-formed UTF-8
// without a zero character, whose folder name fits the file system. Any such
// name is a key of its own in the store and a folder of its own on disk.
bool IsValidPlayerName(std::string_view name);

// Whether two names name the same player: equal without regard to the case of
// the letters A-Z, as the players list compares them.
bool SamePlayerName(std::string_view a, std::string_view b);

// The name of a player's folder; nothing for an invalid player name. Letters
// of any script, digits, blanks and most punctuation stay as they are; '%',
// '/', '\', control characters, the characters other systems refuse in file
// names (: * ? " < > |) and a leading '.' become "%XX". The result is never
// empty, "." or "..", never holds '/', and different names never share one.
std::optional<std::string> PlayerFolderName(std::string_view name);

// The folders in which the players' files (statistics logs, saved games)
// live: <data folder>/Qarvel/<player folder name>.
class clPlayerFolders {
public:
    static constexpr std::string_view kProgramFolder = "Qarvel";

    explicit clPlayerFolders(const clUserAccount& account) : account(account) {}

    std::filesystem::path ProgramFolder() const;
    // The player's folder, which may not exist; nothing for an invalid name.
    std::optional<std::filesystem::path> Folder(std::string_view player) const;
    // The player's folder, with every missing level created; nothing when it
    // cannot be made.
    std::optional<std::filesystem::path> MakeFolder(std::string_view player) const;
    // Where a player's file lives: a name that holds a path separator is used
    // as it is (a file the person chose); a plain name lies in the player's
    // folder, which is created. Nothing for an invalid player, or when the
    // folder cannot be made.
    std::optional<std::filesystem::path> FilePath(std::string_view player,
                                                  std::string_view fileName) const;
    // Removes the player's folder and everything in it; true when it is gone.
    bool RemoveFolder(std::string_view player) const;

private:
    const clUserAccount& account;
};
