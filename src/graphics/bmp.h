#pragma once

#include <cstdint>
#include <span>
#include <vector>

class clImage;

enum class clBitmapStatus {
    Ok,
    // The header does not describe a supported bitmap (plane count other
    // than 1, a depth other than 1, 4, 8, 16, 24 or 32, no pixels).
    Invalid,
    // The header is fine but the palette or pixel rows are not all in the
    // bytes (a short or damaged file, a lying offset, an absurd width).
    Damaged,
};

// Decodes a BMP file held in memory (file header, information header,
// palette, pixel rows) into a 32-bit picture, the right way up:
// - 32 bits: as stored, alpha included;
// - 24 bits: alpha 255, except that magenta (red 255, green 0, blue 255)
//   becomes transparent grey (128, 128, 128, alpha 0);
// - 16 bits (5-5-5, blue in the low bits): each channel shifted left by 3;
// - 8, 4 and 1 bits: palette colours, alpha 255; high nibble and most
//   significant bit first.
// Rows are padded to 4 bytes; the compression field is not consulted. Every
// offset, row and palette index is checked against the bytes present. On
// failure the picture is left as it was.
clBitmapStatus DecodeBitmap(std::span<const std::uint8_t> file, clImage& picture);

// A complete uncompressed BMP file (bottom-up rows, 40-byte information
// header) of a picture at 24 or 32 bits a pixel; 24-bit files drop alpha.
std::vector<std::uint8_t> EncodeBitmap(const clImage& picture, int bitsPerPixel);
