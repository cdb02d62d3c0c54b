#pragma once

#include <array>
#include <string_view>

#include "graphics/card_set_info.h"

// The card sizes the player can pick by index; index 0 lets the display choose.
struct clCardSizeRow {
    std::string_view name;
    int width;
    int height;
};

inline constexpr std::array<clCardSizeRow, 6> kCardSizes = {{
    {"automatic", 0, 0},
    {"huge", 150, 200},
    {"large", 120, 160},
    {"medium", 90, 120},
    {"small", 71, 96},
    {"tiny", 53, 72},
}};

inline constexpr int kSmallestSizeIndex = 5;

// The size of a card-size index 1..5.
constexpr clPictureSize CardSizeOf(int index) {
    return {kCardSizes[static_cast<std::size_t>(index)].width,
            kCardSizes[static_cast<std::size_t>(index)].height};
}

// What the automatic rule looks at: the player's smallest and largest allowed
// indexes (0 meaning no limit), the table in card units and the virtual
// screen's logical size.
struct clSizeRule {
    int minSize = 0;
    int maxSize = 0;
    int columns = 0;
    int rows = 0;
    int virtualWidth = 640;
    int virtualHeight = 480;
};

// The card size the player's limits give for a table: one fixed size when
// both limits name it; the proposed size when the smallest allowed size lies
// above the largest; otherwise the largest allowed size from `maxSize` down
// to `minSize` whose table fits the virtual screen, or the smallest allowed
// one when none fits.
clPictureSize AutomaticCardSize(const clSizeRule& rule, clPictureSize proposed);
