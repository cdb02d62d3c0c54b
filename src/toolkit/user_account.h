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
};

// An account with a given data folder and login name: headless tools choose
// where their files go.
class clFixedUserAccount final : public clUserAccount {
public:
    clFixedUserAccount(std::filesystem::path dataFolder, std::string loginName)
        : dataFolder(std::move(dataFolder)), loginName(std::move(loginName)) {}

    std::filesystem::path DataFolder() const override { return dataFolder; }
    std::string LoginName() const override { return loginName; }

private:
    std::filesystem::path dataFolder;
    std::string loginName;
};
