#pragma once

#include <cstdint>
#include <string>

class QWidget;

// What the player chose at the end of a game.
enum class clGameOverChoice { NewGame, Exit };

// The questions and end-of-round dialogs the window puts to the player. The
// game uses message boxes; tests answer in their place.
class clWindowDialogs {
public:
    virtual ~clWindowDialogs() = default;
    virtual bool AskYesNo(QWidget* parent, const std::string& text, const std::string& caption) = 0;
    virtual void ShowMessage(QWidget* parent, const std::string& text,
                             const std::string& caption) = 0;
    virtual clGameOverChoice ShowGameOver(QWidget* parent, std::int32_t score,
                                          std::int32_t round) = 0;
    // True for "Continue", false for "Exit".
    virtual bool ShowRoundOver(QWidget* parent, std::int32_t score, std::int32_t round) = 0;
};

// Message boxes with the game's texts.
class clMessageBoxDialogs final : public clWindowDialogs {
public:
    bool AskYesNo(QWidget* parent, const std::string& text, const std::string& caption) override;
    void ShowMessage(QWidget* parent, const std::string& text, const std::string& caption) override;
    clGameOverChoice ShowGameOver(QWidget* parent, std::int32_t score, std::int32_t round) override;
    bool ShowRoundOver(QWidget* parent, std::int32_t score, std::int32_t round) override;
};
