#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "player/players.h"

class QWidget;
class clCardSetList;
class clDialog;
class clDisplay;
class clSettings;
struct clDisplayOptions;

// What the options sheet needs of the window it opens over: the live
// settings, the display and the card sets, the window's ways of applying a
// change, and the questions it asks (tests answer them in the player's place).
class clOptionsHost {
public:
    virtual ~clOptionsHost() = default;

    virtual clSettings& Settings() = 0;
    virtual clCardSetList& Catalogue() = 0;
    // The display (null while there is none) and the options it works from.
    virtual clDisplay* Display() = 0;
    virtual clDisplayOptions& DisplayOptions() = 0;
    // The settings take over what the display options hold.
    virtual void StoreDisplaySettings() = 0;
    // Whether the game chooser is the current screen.
    virtual bool IsChooser() const = 0;
    // The folder of the shipped pictures.
    virtual std::filesystem::path DataFolder() const = 0;

    // The window follows the settings: tool bar, Take Score button, the
    // screen's options and controls.
    virtual void RefreshInterface() = 0;
    // The current screen redraws itself completely.
    virtual void RefreshScreen() = 0;
    // The "Card Set" menu's entry (a catalogue index) and the "Card Size"
    // menu's item (0..5), with their check marks.
    virtual void ApplyCardSet(int index) = 0;
    virtual void ApplyCardSize(int index) = 0;
    // The display draws the background of the display options again.
    virtual void ApplyBackground() = 0;
    // The current screen changes to that player; false when it cannot.
    virtual bool ChangePlayer(const std::string& name) = 0;
    // A new player of that name, or the player who has it already, becomes
    // current; the stored name, or nothing when the name is refused.
    virtual std::optional<std::string> AddPlayer(const std::string& name) = 0;
    // Removes another player's settings and, with clPlayerFiles::Remove,
    // their statistics and saved games.
    virtual bool DeletePlayer(const std::string& name, clPlayerFiles files) = 0;
    virtual void OpenWebPage(const std::string& key) = 0;

    // Runs a small dialog (a question) modally: true when it ended with OK.
    virtual bool RunDialog(clDialog& dialog) = 0;
    virtual void ShowMessage(QWidget* parent, const std::string& text,
                             const std::string& caption) = 0;
    // "Add Player"'s name, nothing on Cancel.
    virtual std::optional<std::string> AskNewPlayer(QWidget* parent) = 0;
    // A colour (0x00BBGGRR) from the colour chooser, nothing on Cancel.
    virtual std::optional<std::uint32_t> ChooseColour(QWidget* parent, std::uint32_t colour) = 0;
    // A picture file, nothing on Cancel.
    virtual std::optional<std::string> ChooseImageFile(QWidget* parent) = 0;
    virtual void SelectCardBack(QWidget* parent) = 0;
};
