#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/image.h"
#include "graphics/table_coords.h"

class clTextPainter;

// The two panels at the table's top corners: the score and the time bonus at
// the right, the round and the goal at the left, and a game's own panels.
// Each is a small picture of the table's background, darkened, with the
// texts on it; the window paints the panels over the table.
class clScoreboard {
public:
    enum class Size { Large, Medium, Small };

    static constexpr std::uint32_t kWhite = 0xffffff;  // colours are 0xBBGGRR
    static constexpr std::uint32_t kLightGrey = 0xc0c0c0;
    static constexpr std::uint32_t kYellow = 0x00ffff;
    static constexpr std::uint32_t kRed = 0x0000ff;

    // A row of a game's own panel, which lies at the table's bottom right
    // corner (where the games that have one lay no cards), as wide as the
    // score panel and with its rows in the same fonts and places.
    struct clExtraRow {
        std::string label;
        std::string value;
        std::uint32_t labelColour = kLightGrey;
        std::uint32_t valueColour = kWhite;
        friend bool operator==(const clExtraRow&, const clExtraRow&) = default;
    };
    // A small panel of its own centred above a tableau pile, whose table
    // place (top-left corner in card units, plus pixels) it is given.
    struct clPileLabel {
        int pile = 0;  // the tableau pile's index, for the table's text
        double x = 0.0;
        double y = 0.0;
        std::int32_t pixelX = 0;
        std::int32_t pixelY = 0;
        std::string text;
        std::uint32_t colour = kWhite;
        friend bool operator==(const clPileLabel&, const clPileLabel&) = default;
    };
    // What a game adds (UpdateScoreboardExtra): nothing for most games.
    struct clExtra {
        std::vector<clExtraRow> rows;
        std::vector<clPileLabel> labels;
        friend bool operator==(const clExtra&, const clExtra&) = default;
    };

    // What the panels show.
    struct clValues {
        std::int32_t score = 0;
        std::int32_t bonus = 0;  // points
        std::int32_t round = 0;
        std::int32_t goal = 0;
        bool bonusLow = false;     // the bonus turns red
        bool reachedGoal = false;  // the score turns yellow
        clExtra extra;
        friend bool operator==(const clValues&, const clValues&) = default;
    };

    // Large from a card of 72 x 97 pixels up; small at 53 wide or 72 high and below.
    static Size ChooseSize(int cardWidth, int cardHeight);

    // Places the panels for a table and draws them. Panel 1 ends at the table
    // point (table width, 0), panel 2 starts at (0, 0).
    void Relay(const clTableMetrics& metrics, const clImage& background, clTextPainter& painter,
               const clValues& values);
    // Draws the texts again when a value changed; false when nothing did (or
    // no panel is laid out). Values whose rows or labels differ in number or
    // place from the shown ones need Relay instead.
    bool Update(clTextPainter& painter, const clValues& values);
    // Whether the values fit the panels as laid out (Update can show them).
    bool FitsLayout(const clValues& values) const;

    bool IsLaidOut() const { return laidOut; }
    Size CurrentSize() const { return size; }
    // Panel 0 (score), 1 (round), then the game's rows panel when it has
    // rows, then the pile labels in order: its picture and where it lies on
    // the virtual screen.
    int PanelCount() const { return static_cast<int>(panels.size()); }
    const clImage& Panel(int i) const { return panels[static_cast<std::size_t>(i)].picture; }
    const clRect& PanelRect(int i) const { return panels[static_cast<std::size_t>(i)].rect; }

    // The game's rows and labels as text: "CURRENT RUN 3, LONGEST RUN 5" and
    // "t0 12, t1 21", one line each; empty when there are none.
    static std::string ExtraText(const clExtra& extra);

private:
    struct clPanel {
        clImage picture;
        clImage backdrop;  // the darkened background, drawn under the texts
        clRect rect;
    };

    void Draw(clTextPainter& painter);

    std::vector<clPanel> panels = std::vector<clPanel>(2);
    Size size = Size::Medium;
    double scale = 1.0;
    clValues shown;
    bool laidOut = false;
};
