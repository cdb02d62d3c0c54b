#pragma once

#include <cstdint>
#include <vector>

#include "assets/picture.h"

// A complete uncompressed BMP file of a picture: the 14-byte file header, the
// 40-byte information header and the pixel rows bottom up, each padded to four
// bytes. At 32 bits a pixel the alpha is kept; at 24 bits it is dropped and
// every pixel with alpha 0 is written as magenta (red 255, green 0, blue 255),
// the colour a reader turns back into transparency. Empty for a picture
// without pixels or a depth other than 24 or 32.
std::vector<std::uint8_t> EncodeBmp(const clPicture& picture, int bitsPerPixel);
