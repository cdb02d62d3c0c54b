#pragma once

#include <cstdint>
#include <span>

class clImage;

// The compressed picture formats, decoded from bytes held in memory into
// 32-bit pictures (blue, green, red, alpha; top-down). False, leaving the
// picture as it was, for anything the decoder refuses: a damaged or
// truncated file, a picture past clImage's size limits, a colour layout the
// program does not show.

// PNG: 16-bit channels keep their high byte; palettes, grey and small depths
// are expanded to 8 bits a channel, with a transparent colour or palette
// entries becoming alpha; grey fills blue, green and red; no alpha channel
// means alpha 255. No gamma correction.
bool DecodePng(std::span<const std::uint8_t> file, clImage& picture);

// JPEG: colour and grey pictures (grey fills blue, green and red); alpha 255.
// A file that ends before its picture does is refused, not padded.
bool DecodeJpeg(std::span<const std::uint8_t> file, clImage& picture);
