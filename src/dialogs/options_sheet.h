#pragma once

#include <QDialog>
#include <QWidget>
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "graphics/display_options.h"
#include "player/settings_layout.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class clOptionsHost;
class clOptionsSheet;

// A page of the options sheet. OnInit fills the controls from the live
// settings, OnChange brings the enabling up to date and tells the sheet
// whether the page differs from them, OnApply stores the controls (false
// when the page's data is not valid).
class clPage : public QWidget {
public:
    clPage(clOptionsSheet& sheet, clOptionsHost& host);

    virtual void OnInit() = 0;
    virtual void OnChange() = 0;
    virtual bool OnApply() = 0;

protected:
    void MarkChanged(bool changed);

    clOptionsSheet& sheet;
    clOptionsHost& host;
};

// "General": the player's switches and the chooser's preferred game counts.
class clOptionsPage final : public clPage {
public:
    clOptionsPage(clOptionsSheet& sheet, clOptionsHost& host);

    void OnInit() override;
    void OnChange() override;
    bool OnApply() override;

    QCheckBox* Box(clFlag flag) const;
    QLineEdit* MostPlayed() const { return played; }
    QLineEdit* MostRecent() const { return recent; }

private:
    struct clBox {
        clFlag flag;
        QCheckBox* box;
    };
    std::vector<clBox> boxes;
    QLineEdit* played;
    QLineEdit* recent;
};

// "Graphics": the card set, the card size, animation and the card backs.
class clGraphicsPage final : public clPage {
public:
    // The "Card Size:" list: the menu's six sizes, then "custom".
    static constexpr int kCustomItem = 6;

    clGraphicsPage(clOptionsSheet& sheet, clOptionsHost& host);

    void OnInit() override;
    void OnChange() override;
    bool OnApply() override;

    QComboBox* CardSets() const { return cardSets; }
    QComboBox* CardSizes() const { return cardSizes; }
    QCheckBox* Animation() const { return animation; }

private:
    QComboBox* cardSets;
    QComboBox* cardSizes;
    QCheckBox* animation;
    std::int32_t minSize = 0;
    std::int32_t maxSize = 0;
};

// "Background": a solid colour or a picture, stretched or tiled. On a playing
// screen it edits that game's background (which may be the player's global
// one); on the chooser the global background itself.
class clBackgroundPage final : public clPage {
public:
    clBackgroundPage(clOptionsSheet& sheet, clOptionsHost& host);

    void OnInit() override;
    void OnChange() override;
    bool OnApply() override;

    QRadioButton* ModeButton(clBackgroundChoice::Mode mode) const;
    QCheckBox* UseGlobal() const { return useGlobal; }
    QPushButton* ColourButton() const { return colourButton; }
    QComboBox* Images() const { return images; }
    QPushButton* BrowseButton() const { return browseButton; }
    QPushButton* AllGamesButton() const { return allGamesButton; }
    QLabel* GlobalTitle() const { return globalTitle; }
    std::uint32_t Colour() const { return colour; }

private:
    // The background the page edits, as the display options hold it.
    clBackgroundChoice& Edited();
    // The controls' choice.
    clBackgroundChoice Shown() const;
    void SelectImage(const std::string& name);
    void ChooseColour();
    void Browse();
    void SetAllGames();
    void ShowSwatch();

    std::array<QRadioButton*, 3> modeButtons;
    QCheckBox* useGlobal;
    QLabel* globalTitle;
    QPushButton* colourButton;
    QLabel* swatch;
    QComboBox* images;
    QPushButton* browseButton;
    QPushButton* allGamesButton;
    std::uint32_t colour = clBackgroundChoice::kDefaultColour;
};

// "Players": every player, the selected one's online identity, Add and
// Delete (which act at once).
class clPlayersPage final : public clPage {
public:
    clPlayersPage(clOptionsSheet& sheet, clOptionsHost& host);

    void OnInit() override;
    void OnChange() override;
    bool OnApply() override;

    QListWidget* List() const { return list; }
    QLineEdit* NameEdit() const { return nameEdit; }
    QLineEdit* LocationEdit() const { return locationEdit; }
    QLineEdit* EmailEdit() const { return emailEdit; }
    QLineEdit* TimeoutEdit() const { return timeoutEdit; }
    QPushButton* AddButton() const { return addButton; }
    QPushButton* DeleteButton() const { return deleteButton; }

    void Add();
    void Delete();

private:
    std::string Selected() const;
    void Fill(const std::string& select);
    void ShowSelected();
    std::int32_t TypedTimeout() const;

    QListWidget* list;
    QLineEdit* nameEdit;
    QLineEdit* locationEdit;
    QLineEdit* emailEdit;
    QLineEdit* timeoutEdit;
    QPushButton* addButton;
    QPushButton* deleteButton;
};

// "Options": the four pages over the live settings. OK and Apply store the
// pages the player has looked at; Cancel stores nothing (Add and Delete on
// the Players page have acted already).
class clOptionsSheet final : public QDialog {
public:
    clOptionsSheet(clOptionsHost& host, QWidget* parent);

    // Runs the sheet modally.
    void Run();
    // Stores every page looked at; false, showing the page, when one is not valid.
    bool Apply();
    // Every page shows the live settings again (after a player change).
    void ReloadPages();
    void SetChanged(clPage* page, bool changed);
    bool IsChanged() const { return !changedPages.empty(); }
    // Shows a page as if the player had chosen its tab.
    void ShowPage(int index);

    clOptionsPage* General() const { return general; }
    clGraphicsPage* Graphics() const { return graphics; }
    clBackgroundPage* Background() const { return background; }
    clPlayersPage* Players() const { return players; }
    QPushButton* OkButton() const { return okButton; }
    QPushButton* ApplyButton() const { return applyButton; }

    void accept() override;

private:
    QTabWidget* tabs;
    clOptionsPage* general;
    clGraphicsPage* graphics;
    clBackgroundPage* background;
    clPlayersPage* players;
    std::vector<clPage*> pages;
    std::set<clPage*> visited;
    std::set<clPage*> changedPages;
    QPushButton* okButton;
    QPushButton* applyButton;
};
