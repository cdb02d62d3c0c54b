#pragma once

#include <filesystem>
#include <string>

// The per-user folder under which the maker's programs keep their files:
// $XDG_DATA_HOME/Ternwick, or ~/.local/share/Ternwick without it. Empty
// (the current folder) when neither variable gives an absolute folder.
std::filesystem::path MakerDataFolder();

// The program's own folder inside a base folder (normally MakerDataFolder()),
// with optional subfolders, and where the program's files go in it.
class clDataFolder {
public:
    explicit clDataFolder(std::filesystem::path base) : base(std::move(base)) {}

    // Remembers `name` as the program's folder and makes sure base/name (and
    // base/name/subfolder when one is given) exist. False when a folder
    // cannot be made.
    bool SetDataFolder(const std::string& name, const std::string& subfolder = {});
    // Where a file kept by the program lives: a name that holds a path
    // separator is used unchanged; any other lies in base/name[/subfolder].
    std::filesystem::path DataPath(const std::string& fileName,
                                   const std::string& subfolder = {}) const;

    const std::filesystem::path& Base() const { return base; }

private:
    std::filesystem::path base;
    std::string name;
};
