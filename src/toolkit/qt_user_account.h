#pragma once

#include "toolkit/user_account.h"

// The desktop user: the data folder from the XDG base directories
// ($XDG_DATA_HOME/Ternwick, normally ~/.local/share/Ternwick) and the login
// name from $USER, else the password database.
class clQtUserAccount final : public clUserAccount {
public:
    std::filesystem::path DataFolder() const override;
    std::string LoginName() const override;
};
