#include "assets/bmp_file.h"

#include "assets/little_endian.h"

std::vector<std::uint8_t> EncodeBmp(const clPicture& picture, int bitsPerPixel) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.bgra.size() != static_cast<std::size_t>(picture.width) * picture.height * 4 ||
        (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return {};
    }
    const int bytesPerPixel = bitsPerPixel / 8;
    const std::uint32_t rowBytes =
        (static_cast<std::uint32_t>(picture.width) * bytesPerPixel + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
    const std::uint32_t headers = 14 + 40;

    std::vector<std::uint8_t> out;
    out.reserve(headers + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, headers + pixelBytes);  // file size
    PutU32(out, 0);                     // reserved
    PutU32(out, headers);               // offset of the pixel rows
    PutU32(out, 40);                    // information header size
    PutU32(out, static_cast<std::uint32_t>(picture.width));
    PutU32(out, static_cast<std::uint32_t>(picture.height));  // positive: bottom up
    PutU16(out, 1);                                           // planes
    PutU16(out, static_cast<std::uint16_t>(bitsPerPixel));
    PutU32(out, 0);  // no compression
    PutU32(out, pixelBytes);
    PutU32(out, 2835);  // 72 dots an inch, both ways
    PutU32(out, 2835);
    PutU32(out, 0);  // no palette
    PutU32(out, 0);

    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.At(x, y);
            if (bitsPerPixel == 32) {
                out.insert(out.end(), p, p + 4);
            } else if (p[3] == 0) {
                out.insert(out.end(), {255, 0, 255});
            } else {
                out.insert(out.end(), p, p + 3);
            }
        }
        out.resize(start + rowBytes, 0);
    }
    return out;
}
