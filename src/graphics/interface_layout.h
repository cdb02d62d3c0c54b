#pragma once

#include <array>
#include <string_view>

#include "graphics/table_coords.h"

// Where the pictures lie in the two interface images. The images are PNG
// files beside the program; tools/assets draws them to this layout and the
// game cuts them out with the same rectangles.
namespace clInterfaceLayout {

// "qarvel.iface".
inline constexpr int kWidth = 912;
inline constexpr int kHeight = 548;

// The chooser's five filter buttons, each in three states.
inline constexpr int kFilterCount = 5;
inline constexpr int kFilterStates = 3;  // 0 normal, 1 selected, 2 pressed
inline constexpr clRect FilterButton(int filter, int state) {
    return {160 * filter, 40 * state, 160 * filter + 160, 40 * state + 40};
}
inline constexpr std::array<std::string_view, kFilterCount> kFilterCaptions = {
    "All Games", "Recommended", "Favorites", "Most Played", "Most Recent"};

inline constexpr clRect kSplash{0, 120, 400, 420};
inline constexpr clRect kAbout{400, 120, 800, 420};
inline constexpr clRect kBackgroundTile{800, 120, 845, 165};

// The keyboard labels drawn on piles: 24 x 24 cells for '0' .. '9' and
// 'A' .. 'Z', then the double cell of Tab.
inline constexpr clRect kKeyLabels{0, 420, 912, 444};
inline constexpr int kKeyCell = 24;
inline constexpr int kKeyCells = 36;

// The picture shown in the middle of a paused game.
inline constexpr clRect kPause{0, 444, 290, 516};

// The tool bar pictures, 32 x 32 each, by the index the tool bars use:
// 0 help, 1 close, 2 new game, 3 undo, 4 pause, 5 statistics, 6 web site,
// 7 options, 8 random game, 9 play, 10 take score.
inline constexpr int kToolCount = 11;
inline constexpr clRect ToolPicture(int index) {
    return {32 * index, 516, 32 * index + 32, 548};
}

// "qarvel_help.iface": the Help Center's picture and the places on it that
// open something.
inline constexpr int kHelpWidth = 784;
inline constexpr int kHelpHeight = 568;

// A hot rectangle opens a page of the web site by its key, or, when the key
// is empty, the help: its contents (topic 0) or a topic's page.
struct clHotRectangle {
    clRect rect;
    std::string_view webPage;
    int helpTopic = 0;
    std::string_view caption;
};

inline constexpr std::array<clHotRectangle, 9> kHelpHotRectangles = {{
    {{24, 16, 424, 104}, "logo", 0, "Qarvel"},
    {{24, 136, 202, 316}, "", 0, "How to Play"},
    {{214, 136, 392, 316}, "", 1000, "The Games"},
    {{404, 136, 582, 316}, "cardsets", 0, "Card Sets"},
    {{594, 136, 772, 316}, "latest160", 0, "Latest Version"},
    {{24, 328, 202, 508}, "index", 0, "Qarvel on the Web"},
    {{214, 328, 392, 508}, "newsletter", 0, "Newsletter"},
    {{404, 328, 582, 508}, "forum", 0, "Discussion Forum"},
    {{594, 328, 772, 508}, "contact", 0, "Contact Us"},
}};

// The dialog's own controls lie over the picture: the check box whose
// caption is drawn in the picture, and the Play button.
inline constexpr clRect kHelpCheckBox{24, 532, 40, 548};
inline constexpr std::string_view kHelpCheckBoxCaption = "Show the Help Center when Qarvel starts";
inline constexpr clRect kHelpPlayButton{652, 524, 772, 556};

}  // namespace clInterfaceLayout
