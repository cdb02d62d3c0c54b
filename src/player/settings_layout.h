#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

// The values a player keeps under their key of the settings store, with
// their defaults. Each table lists its rows in the order of its enumeration.

// On/off values: 32-bit integers 0 and 1; any non-zero number reads as on.
enum class clFlag {
    Sounds,
    Autosave,
    Prompt,
    ScoreButton,
    Toolbar,
    StatusBar,
    ShowTimer,
    DateTime,
    Keyboard,
    AutoPause,
    AutoScroll,
    TaskbarIcon,
    Practice,
    Online,
    ForceVirtual,
    BlockDrag,
    Animation,
    FitWindow,
    Preview,
};

struct clFlagRow {
    clFlag id;
    std::string_view name;
    bool byDefault;
};

inline constexpr std::array<clFlagRow, 19> kFlagRows = {{
    {clFlag::Sounds, "sounds", true},
    {clFlag::Autosave, "autosave", true},
    {clFlag::Prompt, "prompt", true},
    {clFlag::ScoreButton, "scorebutton", true},
    {clFlag::Toolbar, "toolbar", true},
    {clFlag::StatusBar, "statusbar", true},
    {clFlag::ShowTimer, "showtimer", true},
    {clFlag::DateTime, "datetime", true},
    {clFlag::Keyboard, "keyboard", false},
    {clFlag::AutoPause, "autopause", true},
    {clFlag::AutoScroll, "autoscroll", true},
    {clFlag::TaskbarIcon, "taskbaricon", false},
    {clFlag::Practice, "practice", false},
    {clFlag::Online, "online", false},
    {clFlag::ForceVirtual, "forcevirtual", false},
    {clFlag::BlockDrag, "blockdrag", true},
    {clFlag::Animation, "animation", true},
    // Card Size > Fit to Window: on for new players; a player from before
    // it existed keeps the size they had (see clSettings::LoadPlayer).
    {clFlag::FitWindow, "fitwindow", true},
    // The chooser's preview pane beside the list.
    {clFlag::Preview, "preview", true},
}};

// 32-bit integers. A stored number outside low..high reads as the default:
// the other parts index tables and size pictures with them.
enum class clNumber {
    CardBack,
    View,
    Filter,
    Sort,
    Played,
    Recent,
    Background,
    Color,
    MinSize,
    MaxSize,
    VirtualWidth,
    VirtualHeight,
    Timeout,
};

struct clNumberRow {
    clNumber id;
    std::string_view name;
    std::int32_t byDefault;
    std::int32_t low;
    std::int32_t high;
};

inline constexpr std::int32_t kMinInt32 = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int32_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

// Largest virtual-screen side a setting may ask for, in pixels.
inline constexpr std::int32_t kMaxVirtualSide = 16384;

inline constexpr std::array<clNumberRow, 13> kNumberRows = {{
    {clNumber::CardBack, "cardback", 0, 0, 1023},
    {clNumber::View, "view", 0, 0, 3},      // large icons, small icons, list, details
    {clNumber::Filter, "filter", 0, 0, 4},  // the chooser's five filters
    {clNumber::Sort, "sort", 0, -7, 7},     // +-(column + 1), 0 for table order
    {clNumber::Played, "played", 5, kMinInt32, kMaxInt32},  // the chooser bounds it itself
    {clNumber::Recent, "recent", 5, kMinInt32, kMaxInt32},
    {clNumber::Background, "background", 1, 0, 2},  // solid, stretched, tiled
    {clNumber::Color, "color", 0x008000, 0, 0xFFFFFF},
    {clNumber::MinSize, "minsize", 0, 0, 5},  // card size index, 0 automatic
    {clNumber::MaxSize, "maxsize", 0, 0, 5},
    {clNumber::VirtualWidth, "virtualwidth", 640, 1, kMaxVirtualSide},
    {clNumber::VirtualHeight, "virtualheight", 480, 1, kMaxVirtualSide},
    {clNumber::Timeout, "timeout", 15, 1, 3600},  // seconds
}};

// Texts, kept to at most size - 1 characters.
enum class clText {
    Image,
    CardSet,
    Backs,
    Symbols,
    Name,
    Location,
    Email,
};

struct clTextRow {
    clText id;
    std::string_view name;
    std::string_view byDefault;
    std::size_t size;
    // Written with the other defaults for a new player. The online identity
    // is not: a player enters it.
    bool withDefaults;
};

inline constexpr std::array<clTextRow, 7> kTextRows = {{
    {clText::Image, "image", "qarvel.bmp", 64, true},
    {clText::CardSet, "cardset", "qarvel.cards", 260, true},
    {clText::Backs, "backs", "qarvel.cards", 260, true},
    {clText::Symbols, "symbols", "qarvel.cards", 260, true},
    {clText::Name, "name", "", 64, false},
    {clText::Location, "location", "", 64, false},
    {clText::Email, "email", "", 64, false},
}};

constexpr const clFlagRow& Row(clFlag id) {
    return kFlagRows[static_cast<std::size_t>(id)];
}
constexpr const clNumberRow& Row(clNumber id) {
    return kNumberRows[static_cast<std::size_t>(id)];
}
constexpr const clTextRow& Row(clText id) {
    return kTextRows[static_cast<std::size_t>(id)];
}

// The "Take Score" button's last place, per player and per game.
inline constexpr std::string_view kButtonRectName = "buttonsize";  // 4 x int32, 16 bytes
inline constexpr std::string_view kButtonXName = "buttonx";        // double, 8 bytes
inline constexpr std::string_view kButtonYName = "buttony";

// The folder the player last saved a game to or opened one from, per player.
inline constexpr std::string_view kGameFolderName = "gamefolder";

// The chooser's seven column widths in the details view ("column0" ..).
inline constexpr std::array<std::int32_t, 7> kColumnWidthDefaults = {210, 120, 60, 60, 60, 60, 150};

// The platform colour chooser's sixteen custom colours (0x00BBGGRR).
inline constexpr std::array<std::uint32_t, 16> kCustomColorDefaults = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// Values of the installation under the "options" key.
namespace clOptionNames {
inline constexpr std::string_view kPlayer = "player";
inline constexpr std::string_view kHelp = "help";
inline constexpr std::string_view kLeft = "xpos";
inline constexpr std::string_view kTop = "ypos";
inline constexpr std::string_view kWidth = "width";
inline constexpr std::string_view kHeight = "height";
inline constexpr std::string_view kMaximized = "maximized";
inline constexpr std::string_view kColors = "colors";  // 16 x uint32, 64 bytes
inline constexpr std::string_view kPath = "path";
inline constexpr std::string_view kSource = "source";
// Where the score server and the web site are; read, never written, so that
// an installation can point the game elsewhere.
inline constexpr std::string_view kServer = "server";
inline constexpr std::string_view kSite = "site";
}  // namespace clOptionNames

// Largest window coordinate or size a stored rectangle may hold, in pixels.
inline constexpr std::int32_t kMaxWindowExtent = 65536;

// Values under a player's game key.
namespace clGameNames {
inline constexpr std::string_view kFavorite = "Favorite";
inline constexpr std::string_view kAutoPlay = "AutoPlay";
inline constexpr std::string_view kBackground = "background";  // 0..2, or 3 the player's own
inline constexpr std::string_view kColor = "color";
inline constexpr std::string_view kImage = "image";
inline constexpr std::string_view kGamesPlayed = "GamesPlayed";
inline constexpr std::string_view kBestScore = "BestScore";
inline constexpr std::string_view kWorstScore = "WorstScore";
inline constexpr std::string_view kAverageScore = "AverageScore";
inline constexpr std::string_view kLastTimeLow = "LastTimeLow";
inline constexpr std::string_view kLastTimeHigh = "LastTimeHigh";
// The UTC day ("2026-12-11") of the player's last counted daily challenge.
inline constexpr std::string_view kDailyPlayed = "DailyPlayed";
}  // namespace clGameNames

// How the table's background is drawn. A game's own choice may be Global:
// the player's background.
enum class clBackgroundMode : std::int32_t { Solid = 0, Stretched = 1, Tiled = 2, Global = 3 };
