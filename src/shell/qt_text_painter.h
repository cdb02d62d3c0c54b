#pragma once

#include "graphics/text_painter.h"

// Text in the desktop's bold sans-serif font, written with QPainter straight
// into the picture's pixels.
class clQtTextPainter final : public clTextPainter {
public:
    void DrawText(clImage& into, const clRect& rect, std::string_view text,
                  const clTextStyle& style) override;
};
