#pragma once

#include <QPainter>
#include <QRectF>

#include "assets/card_style.h"
#include "assets/fonts.h"

// Draws the picture of a Jack, Queen or King (rank 11 to 13) inside its frame
// in the style's court look. `detail` 0 leaves out what would only blur at
// the smallest sizes; `stroke` scales the outlines' pixel widths.
void PaintCourt(QPainter& painter, const QRectF& frame, int rank, int suit,
                const clCardStyle& style, const clFonts& fonts, int detail, double stroke);

// Draws a joker's jester inside the court frame; the first joker is dark,
// the second red.
void PaintJester(QPainter& painter, const QRectF& frame, bool first, const clCardStyle& style,
                 int detail, double stroke);
