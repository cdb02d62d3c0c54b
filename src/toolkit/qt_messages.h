#pragma once

#include <optional>

#include "toolkit/messages.h"
#include "toolkit/name_prompt.h"

// Message boxes titled "Qarvel" and the wait cursor.
class clQtMessages final : public clMessages {
public:
    void ShowMessage(const std::string& text) override;
    void BeginWait() override;
    void EndWait() override;
};

// The first start's question for a player name.
class clQtNamePrompt final : public clNamePrompt {
public:
    std::optional<std::string> AskPlayerName(std::string_view suggestion) override;
};
