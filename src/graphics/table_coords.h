#pragma once

#include <algorithm>
#include <cstdint>

struct clPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const clPoint&, const clPoint&) = default;
};

// A rectangle of the virtual screen, right and bottom exclusive.
struct clRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(clPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // The smallest rectangle holding both; an empty rectangle adds nothing.
    clRect Union(const clRect& other) const;
    // Negative left and top edges moved to 0, as for invalidating the window.
    clRect ClampedToScreen() const {
        return {std::max(left, 0), std::max(top, 0), std::max(right, 0), std::max(bottom, 0)};
    }
    friend bool operator==(const clRect&, const clRect&) = default;
};

// What the display tells the table model: the card size, the current table in
// card units and the virtual screen, all in pixels except the table.
struct clTableMetrics {
    int cardWidth = 71;
    int cardHeight = 96;
    int columns = 0;  // table width in card units; 0 while no table is set
    int rows = 0;
    int screenWidth = 640;
    int screenHeight = 480;
    // Device pixels per pixel of the desktop (2 on a doubled screen): the
    // screen's pixels are device pixels, and what has a size of its own
    // (the scoreboard, the card sizes of the menu) grows by this much.
    double scale = 1.0;
    friend bool operator==(const clTableMetrics&, const clTableMetrics&) = default;
};

// A table position (card units plus a pixel offset) on the virtual screen. The
// table is centred: the margins may be negative when it is larger than the screen.
clPoint TableToScreen(const clTableMetrics& metrics, double fx, double fy, std::int32_t dx,
                      std::int32_t dy);
