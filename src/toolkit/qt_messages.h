#pragma once

#include "toolkit/messages.h"

// Message boxes titled "Qarvel" and the wait cursor. A run that nobody
// watches (a start that quits at once) writes the texts to standard error,
// "qarvel: TEXT", instead of waiting for a box to be closed.
class clQtMessages final : public clMessages {
public:
    bool toStandardError = false;

    void ShowMessage(const std::string& text) override;
    void BeginWait() override;
    void EndWait() override;
};
