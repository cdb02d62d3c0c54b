#pragma once

#include <optional>
#include <string>
#include <string_view>

// Asks the person at the machine for a player name (the first-start dialog).
class clNamePrompt {
public:
    virtual ~clNamePrompt() = default;
    // The name entered, starting from `suggestion`; nothing when the person
    // would not complete the dialog.
    virtual std::optional<std::string> AskPlayerName(std::string_view suggestion) = 0;
};
