#pragma once

#include "toolkit/user_account.h"

// The desktop user: the data folder from the XDG base directories
// ($XDG_DATA_HOME/Ternwick, normally ~/.local/share/Ternwick), the login
// name from $USER, else the password database, and the XDG documents folder.
class clQtUserAccount final : public clUserAccount {
public:
    std::filesystem::path DataFolder() const override;
    std::string LoginName() const override;
    std::filesystem::path DocumentsFolder() const override;
};
