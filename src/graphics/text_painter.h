#pragma once

#include <cstdint>
#include <string_view>

#include "graphics/table_coords.h"

class clImage;

enum class clTextAlign { Left, Centre, Right };

// How a line of text is written: bold by default, a colour 0x00BBGGRR, and
// an optional shadow drawn first, moved by the offset.
struct clTextStyle {
    int height = 16;  // pixels
    int weight = 700;
    std::uint32_t colour = 0xffffff;
    int shadowX = 0;
    int shadowY = 0;
    std::uint32_t shadowColour = 0x404040;
    clTextAlign align = clTextAlign::Left;
};

// Writes text into a picture; the window's toolkit renders it with the
// desktop's fonts.
class clTextPainter {
public:
    virtual ~clTextPainter() = default;
    // One line, vertically centred in `rect` and limited to it.
    virtual void DrawText(clImage& into, const clRect& rect, std::string_view text,
                          const clTextStyle& style) = 0;
};
