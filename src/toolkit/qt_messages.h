#pragma once

#include "toolkit/messages.h"

// Message boxes titled "Qarvel" and the wait cursor.
class clQtMessages final : public clMessages {
public:
    void ShowMessage(const std::string& text) override;
    void BeginWait() override;
    void EndWait() override;
};
