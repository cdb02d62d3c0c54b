#pragma once

#include <QImage>

#include "assets/picture.h"

// QImage's 32-bit ARGB format keeps blue, green, red, alpha in that byte
// order on little-endian machines, unpremultiplied: the layout of clPicture.
clPicture ToPicture(const QImage& image);
QImage ToQImage(const clPicture& picture);
