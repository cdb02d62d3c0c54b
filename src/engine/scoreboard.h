#pragma once

#include <array>
#include <cstdint>

#include "graphics/image.h"
#include "graphics/table_coords.h"

class clTextPainter;

// The two panels at the table's top corners: the score and the time bonus at
// the right, the round and the goal at the left. Each is a small picture of
// the table's background, darkened, with the texts on it; the window paints
// the panels over the table.
class clScoreboard {
public:
    enum class Size { Large, Medium, Small };

    // What the panels show.
    struct clValues {
        std::int32_t score = 0;
        std::int32_t bonus = 0;  // points
        std::int32_t round = 0;
        std::int32_t goal = 0;
        bool bonusLow = false;     // the bonus turns red
        bool reachedGoal = false;  // the score turns yellow
        friend bool operator==(const clValues&, const clValues&) = default;
    };

    // Large from a card of 72 x 97 pixels up; small at 53 wide or 72 high and below.
    static Size ChooseSize(int cardWidth, int cardHeight);

    // Places the panels for a table and draws them. Panel 1 ends at the table
    // point (table width, 0), panel 2 starts at (0, 0).
    void Relay(const clTableMetrics& metrics, const clImage& background, clTextPainter& painter,
               const clValues& values);
    // Draws the texts again when a value changed; false when nothing did (or
    // no panel is laid out).
    bool Update(clTextPainter& painter, const clValues& values);

    bool IsLaidOut() const { return laidOut; }
    Size CurrentSize() const { return size; }
    // Panel 0 (score) and 1 (round): its picture and where it lies on the
    // virtual screen.
    const clImage& Panel(int i) const { return panels[static_cast<std::size_t>(i)].picture; }
    const clRect& PanelRect(int i) const { return panels[static_cast<std::size_t>(i)].rect; }

private:
    struct clPanel {
        clImage picture;
        clImage backdrop;  // the darkened background, drawn under the texts
        clRect rect;
    };

    void Draw(clTextPainter& painter);

    std::array<clPanel, 2> panels;
    Size size = Size::Medium;
    double scale = 1.0;
    clValues shown;
    bool laidOut = false;
};
