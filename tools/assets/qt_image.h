#pragma once

#include <QImage>

#include "graphics/image.h"

// QImage's 32-bit ARGB format keeps blue, green, red and alpha in that byte
// order on little-endian machines, unpremultiplied: the pixels of clImage.
// Both store rows top down.

// A copy of the picture as a clImage; false when it is too large to make.
bool ToImage(const QImage& image, clImage& picture);
// A copy of a clImage (or a view of one) as a QImage.
QImage ToQImage(const clImage& picture);
