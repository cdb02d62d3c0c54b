#pragma once

#include <filesystem>
#include <string>
#include <utility>

// What the platform knows about the user running the program.
class clUserAccount {
public:
    virtual ~clUserAccount() = default;
    // The per-user folder under which the maker's programs keep their data
    // files (on Linux $XDG_DATA_HOME/Ternwick). It may not exist yet.
    virtual std::filesystem::path DataFolder() const = 0;
    // The user's login name; empty when the platform cannot tell.
    virtual std::string LoginName() const = 0;
    // The user's documents folder (on Linux XDG_DOCUMENTS_DIR, normally
    // ~/Documents), where saved games go unless the player chooses another
    // place. It may not exist.
    virtual std::filesystem::path DocumentsFolder() const = 0;
};

// An account with a given data folder and login name: headless tools choose
// where their files go. The documents folder is "Documents" in the data
// folder unless given.
class clFixedUserAccount final : public clUserAccount {
public:
    clFixedUserAccount(std::filesystem::path dataFolder, std::string loginName,
                       std::filesystem::path documentsFolder = {})
        : dataFolder(std::move(dataFolder)),
          loginName(std::move(loginName)),
          documentsFolder(documentsFolder.empty() ? this->dataFolder / "Documents"
                                                  : std::move(documentsFolder)) {}

    std::filesystem::path DataFolder() const override { return dataFolder; }
    std::string LoginName() const override { return loginName; }
    std::filesystem::path DocumentsFolder() const override { return documentsFolder; }

private:
    std::filesystem::path dataFolder;
    std::string loginName;
    std::filesystem::path documentsFolder;
};
