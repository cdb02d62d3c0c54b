#pragma once

#include "dialogs/options_host.h"

class clMainWindow;
class clProgram;
class clWindowDialogs;

// The options sheet over the game window: the live settings, the window's
// ways of applying them, and its dialogs for the questions.
class clWindowOptions final : public clOptionsHost {
public:
    clWindowOptions(clMainWindow& window, clProgram& program, clWindowDialogs& dialogs)
        : window(window), program(program), dialogs(dialogs) {}

    clSettings& Settings() override;
    clCardSetList& Catalogue() override;
    clDisplay* Display() override;
    clDisplayOptions& DisplayOptions() override;
    void StoreDisplaySettings() override;
    bool IsChooser() const override;
    std::filesystem::path DataFolder() const override;
    void RefreshInterface() override;
    void RefreshScreen() override;
    void ApplyCardSet(int index) override;
    void ApplyCardSize(int index) override;
    void ApplyBackground() override;
    bool ChangePlayer(const std::string& name) override;
    std::optional<std::string> AddPlayer(const std::string& name) override;
    bool DeletePlayer(const std::string& name, clPlayerFiles files) override;
    void OpenWebPage(const std::string& key) override;
    bool RunDialog(clDialog& dialog) override;
    void ShowMessage(QWidget* parent, const std::string& text, const std::string& caption) override;
    std::optional<std::string> AskNewPlayer(QWidget* parent) override;
    std::optional<std::uint32_t> ChooseColour(QWidget* parent, std::uint32_t colour) override;
    std::optional<std::string> ChooseImageFile(QWidget* parent) override;
    void SelectCardBack(QWidget* parent) override;

private:
    clMainWindow& window;
    clProgram& program;
    clWindowDialogs& dialogs;
};
