#pragma once

#include <QImage>

#include "assets/card_metrics.h"
#include "assets/fonts.h"

// The pile symbols, in the order the piles number them: 0 the mark of a
// stock that cannot be dealt again, 1 the redeal mark, 2 the outline of an
// empty pile, 3 to 15 the rank marks Ace to King.
inline constexpr int kSymbolCount = 16;

// One symbol at one size: a translucent card-shaped outline that lets the
// table show through, with its mark in the middle.
QImage PaintSymbol(int index, const clFaceMetrics& metrics, const clFonts& fonts,
                   const QString& fontFile);
