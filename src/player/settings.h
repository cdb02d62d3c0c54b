#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "player/settings_layout.h"

class clSettingsStore;

// A rectangle in pixels, right and bottom exclusive.
struct clRect32 {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool IsValid() const { return left < right && top < bottom; }
    friend bool operator==(const clRect32&, const clRect32&) = default;
};

// The main window's last place on the screen.
struct clWindowPlacement {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool maximized = false;

    bool IsValid() const { return width >= 1 && height >= 1; }
    friend bool operator==(const clWindowPlacement&, const clWindowPlacement&) = default;
};

// A player's identity on the score server.
struct clOnlineInfo {
    std::string name;
    std::string location;
    std::string email;
    std::int32_t timeout = 15;  // seconds
    friend bool operator==(const clOnlineInfo&, const clOnlineInfo&) = default;
};

// The card-set catalogue's index of an installed file, by file name.
using clCardSetLookup = std::function<std::optional<std::int32_t>(std::string_view file)>;

// The settings of the current player, held in memory for the whole run and
// kept in the settings store: read at start-up and at a player change,
// written back at shut-down and at a player change. Every part of the program
// reads its settings here.
//
// Reading follows one rule: a value that is not stored leaves its field as
// it is (the default at start-up); a stored value of the wrong kind or out of
// its range gives the field its default; anything else is taken, texts cut to
// their size.
class clSettings {
public:
    // Longest texts, in characters (the fields' sizes less the terminator).
    static constexpr std::size_t kNameLength = 63;
    static constexpr std::size_t kUrlLength = 239;
    static constexpr std::size_t kProgramFolderLength = 4095;
    // The longest score-server or web-site base address: its longest page
    // address must still fit kUrlLength.
    static constexpr std::size_t kBaseUrlLength = 200;
    // A score server started on this machine serves the scores and the web
    // site's pages by default (README: "Online high scores").
    static constexpr std::string_view kDefaultScoreServer = "http://127.0.0.1:8080/";
    static constexpr std::string_view kDefaultSite = "http://127.0.0.1:8080/";
    explicit clSettings(clSettingsStore& store);

    clSettingsStore& Store() { return store; }
    const clSettingsStore& Store() const { return store; }

    // Installation values under "options": the player, the help flag, the
    // window placement and the custom colours (which take their defaults
    // first), the installation's source tag, and the score server's and the
    // web site's base addresses when stored.
    void LoadOptions();
    bool SaveOptions();
    // The folder of the program's own data files, stored at start-up.
    std::optional<std::string> ReadProgramFolder() const;
    bool WriteProgramFolder(std::string_view folder);

    // The current player's values. LoadPlayer is false, changing nothing,
    // when the player has no key.
    bool LoadPlayer();
    bool SavePlayer();
    // Writes the defaults of a new player: every per-player value except the
    // button place, the online identity and the column widths.
    bool WritePlayerDefaults(std::string_view player);
    bool PlayerExists(std::string_view player) const;
    // The players in the store's order; keys that cannot name a player are
    // left out.
    std::vector<std::string> ListPlayers() const;
    // Removes a player's key with all their game keys. The current player
    // cannot be deleted.
    bool DeletePlayer(std::string_view player);
    // Any player's online identity; a missing or unusable timeout reads 15.
    clOnlineInfo ReadOnlineInfo(std::string_view player) const;
    // Stores a player's online identity (a timeout below 1 as 15); for the
    // current player the record follows. False for an unknown player.
    bool WriteOnlineInfo(std::string_view player, const clOnlineInfo& info);
    // The folder where the current player last saved or opened a game;
    // nothing when none is stored or it is too long to be a path.
    std::optional<std::string> ReadGameFolder() const;
    bool WriteGameFolder(std::string_view folder);
    // The UTC day ("2026-12-11") the current player last played a counted
    // daily challenge of the game; empty when never (or unreadable).
    std::string DailyPlayed(std::string_view gameName) const;
    bool SetDailyPlayed(std::string_view gameName, std::string_view day);
    // The chooser's column widths in the details view.
    std::array<std::int32_t, 7> LoadColumnWidths() const;
    bool SaveColumnWidths(const std::array<std::int32_t, 7>& widths);

    // The current game's values: favourite mark (0 when not stored), AutoPlay
    // (1 when not stored; only for variants that offer it), background and
    // the button place.
    void LoadGameValues(std::string_view gameName, bool offersAutoPlay);
    // Writes them; the background's colour only with a solid background, its
    // picture only with a picture, the button place only when valid.
    bool SaveGameValues(std::string_view gameName, bool offersAutoPlay);
    // The current screen's background becomes the player's own.
    void ResetToGlobalBackground();
    // Every game of the current player goes back to the player's background.
    bool SetAllGamesToGlobal();

    // The catalogue that gives the card-set files their indexes on LoadPlayer.
    void SetCardSetLookup(clCardSetLookup lookup) { cardSetLookup = std::move(lookup); }

    // The record's fields.
    const std::string& Player() const { return player; }
    // False, keeping the old name, for a text that cannot name a player.
    bool SetPlayer(std::string_view name);
    const std::string& CurrentGameName() const { return currentGameName; }
    const std::string& CurrentGameKey() const { return currentGameKey; }
    void SetCurrentGame(std::string_view displayName, std::string_view key);
    bool Help() const { return help; }
    void SetHelp(bool on) { help = on; }
    const clWindowPlacement& Window() const { return window; }
    // Out-of-range coordinates or sizes leave the placement invalid.
    void SetWindow(const clWindowPlacement& placement);

    bool Flag(clFlag id) const { return flags[static_cast<std::size_t>(id)]; }
    void SetFlag(clFlag id, bool on) { flags[static_cast<std::size_t>(id)] = on; }
    std::int32_t Number(clNumber id) const { return numbers[static_cast<std::size_t>(id)]; }
    // False, keeping the old value, outside the value's range.
    bool SetNumber(clNumber id, std::int32_t value);
    const std::string& Text(clText id) const { return texts[static_cast<std::size_t>(id)]; }
    void SetText(clText id, std::string_view value);

    const clRect32& ButtonRect() const { return buttonRect; }
    void SetButtonRect(const clRect32& rect) { buttonRect = rect; }
    // The "Take Score" control's place in the current game: the centre of its
    // rectangle as fractions of the table (the display's TableFraction), so
    // that it keeps its place on the table at any window and card size.
    double ButtonX() const { return buttonX; }
    double ButtonY() const { return buttonY; }
    void SetButtonPosition(double x, double y);
    // Whether the player has placed the control in this game. Earlier
    // versions stored only a pixel rectangle, with both positions 0: that is
    // no place (the control then takes its default place beside the
    // scoreboard).
    bool HasButtonPlace() const { return buttonRect.IsValid() && (buttonX != 0 || buttonY != 0); }

    // The card-set catalogue's indexes of the three files (-1 while unknown).
    std::int32_t CardSetIndex() const { return cardSetIndex; }
    std::int32_t BacksIndex() const { return backsIndex; }
    std::int32_t SymbolsIndex() const { return symbolsIndex; }

    // The score server's addresses: the folder of the per-variant pages, the
    // submit and list requests, and its start page.
    const std::string& ScorePagesUrl() const { return scorePagesUrl; }
    const std::string& SubmitUrl() const { return submitUrl; }
    const std::string& ListUrl() const { return listUrl; }
    const std::string& StartPageUrl() const { return startPageUrl; }
    void SetScoreServer(std::string_view pages, std::string_view submit, std::string_view list);
    // All four addresses from the server's base address ("http://host:port/"):
    // false, changing nothing, for an empty base, one longer than
    // kBaseUrlLength, or one holding blanks or control characters.
    bool SetScoreServerBase(std::string_view base);
    const std::string& ScoreServerBase() const { return scoreServerBase; }
    // The web site's base address, under which its pages lie as
    // "app/<key>.html"; the same checks.
    const std::string& SiteUrl() const { return siteUrl; }
    bool SetSiteUrl(std::string_view base);
    const std::string& Source() const { return source; }

    bool CurrentFavorite() const { return currentFavorite; }
    void SetCurrentFavorite(bool on) { currentFavorite = on; }
    bool CurrentAutoPlay() const { return currentAutoPlay; }
    void SetCurrentAutoPlay(bool on) { currentAutoPlay = on; }
    // The background in force on the current screen.
    clBackgroundMode CurrentBackgroundMode() const { return currentBackgroundMode; }
    std::uint32_t CurrentColor() const { return currentColor; }
    const std::string& CurrentImage() const { return currentImage; }
    void SetCurrentBackground(clBackgroundMode mode, std::uint32_t color, std::string_view image);

    const std::array<std::uint32_t, 16>& CustomColors() const { return customColors; }
    void SetCustomColors(const std::array<std::uint32_t, 16>& colors);

private:
    void ReadGameBackground(std::string_view gameName);

    clSettingsStore& store;
    clCardSetLookup cardSetLookup;

    std::string player;
    std::string currentGameName;
    std::string currentGameKey;
    bool help = true;
    clWindowPlacement window;
    std::array<bool, kFlagRows.size()> flags{};
    std::array<std::int32_t, kNumberRows.size()> numbers{};
    std::array<std::string, kTextRows.size()> texts;
    clRect32 buttonRect;
    double buttonX = 0;
    double buttonY = 0;
    std::int32_t cardSetIndex = -1;
    std::int32_t backsIndex = -1;
    std::int32_t symbolsIndex = -1;
    std::string scorePagesUrl;
    std::string submitUrl;
    std::string listUrl;
    std::string startPageUrl;
    std::string scoreServerBase;
    std::string siteUrl;
    std::string source;
    bool currentFavorite = false;
    bool currentAutoPlay = true;
    clBackgroundMode currentBackgroundMode = clBackgroundMode::Stretched;
    std::uint32_t currentColor = 0x008000;
    std::string currentImage = "qarvel.bmp";
    std::array<std::uint32_t, 16> customColors = kCustomColorDefaults;
};
