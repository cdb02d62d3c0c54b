#include "graphics/bmp.h"

#include <cstdlib>

#include "graphics/image.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Writes one source row of a palette picture; false for an index past the palette.
bool PaletteRow(const std::uint8_t* row, int width, int bits, std::span<const std::uint8_t> palette,
                std::uint8_t* out) {
    const std::size_t entries = palette.size() / 4;
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < width; ++x, out += 4) {
        const int shift = 8 - bits * (x % perByte + 1);
        const unsigned index = (row[x / perByte] >> shift) & mask;
        if (index >= entries) return false;
        const std::uint8_t* colour = palette.data() + 4 * index;
        out[0] = colour[0], out[1] = colour[1], out[2] = colour[2], out[3] = 255;
    }
    return true;
}

}  // namespace

clBitmapStatus DecodeBitmap(std::span<const std::uint8_t> file, clImage& picture) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize) return clBitmapStatus::Damaged;
    const std::uint32_t pixelOffset = U32(file, 10);
    const std::uint32_t headerSize = U32(file, 14);
    const std::int64_t width = static_cast<std::int32_t>(U32(file, 18));
    const std::int64_t storedHeight = static_cast<std::int32_t>(U32(file, 22));
    const int planes = U16(file, 26);
    const int bits = U16(file, 28);

    if (planes != 1) return clBitmapStatus::Invalid;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return clBitmapStatus::Invalid;
    }
    if (width <= 0 || storedHeight == 0) return clBitmapStatus::Invalid;
    const bool topDown = storedHeight < 0;
    const std::int64_t height = std::llabs(storedHeight);

    // The size limits first: within them the rows' size cannot overflow.
    if (!clImage::IsValidSize(width, height)) return clBitmapStatus::Damaged;
    // Every row must lie in the bytes before a picture is made for them.
    const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
    if (pixelOffset > file.size() ||
        rowBytes * height > static_cast<std::int64_t>(file.size() - pixelOffset)) {
        return clBitmapStatus::Damaged;
    }

    // The palette lies between the information header and the pixel rows.
    std::span<const std::uint8_t> palette;
    if (bits <= 8) {
        const std::uint64_t start = kFileHeaderSize + std::uint64_t{headerSize};
        if (headerSize < kInfoHeaderSize || start > pixelOffset) return clBitmapStatus::Damaged;
        const std::uint64_t entries =
            std::min<std::uint64_t>((pixelOffset - start) / 4, std::uint64_t{1} << bits);
        palette =
            file.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(entries * 4));
    }

    clImage decoded;
    if (!decoded.CreateImage(static_cast<int>(width), static_cast<int>(height))) {
        return clBitmapStatus::Damaged;
    }
    const int w = static_cast<int>(width);
    for (int r = 0; r < decoded.Height(); ++r) {
        const std::uint8_t* s = file.data() + pixelOffset + static_cast<std::size_t>(r * rowBytes);
        std::uint8_t* d = decoded.Row(topDown ? r : decoded.Height() - 1 - r);
        switch (bits) {
            case 32:
                std::copy(s, s + 4 * w, d);
                break;
            case 24:
                for (int x = 0; x < w; ++x, s += 3, d += 4) {
                    if (s[0] == 255 && s[1] == 0 && s[2] == 255) {
                        d[0] = d[1] = d[2] = 128, d[3] = 0;
                    } else {
                        d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
                    }
                }
                break;
            case 16:
                for (int x = 0; x < w; ++x, s += 2, d += 4) {
                    const unsigned v = s[0] | s[1] << 8;
                    d[0] = static_cast<std::uint8_t>((v & 31) << 3);
                    d[1] = static_cast<std::uint8_t>(((v >> 5) & 31) << 3);
                    d[2] = static_cast<std::uint8_t>(((v >> 10) & 31) << 3);
                    d[3] = 255;
                }
                break;
            default:
                if (!PaletteRow(s, w, bits, palette, d)) return clBitmapStatus::Damaged;
                break;
        }
    }
    picture = std::move(decoded);
    return clBitmapStatus::Ok;
}

std::vector<std::uint8_t> EncodeBitmap(const clImage& picture, int bitsPerPixel) {
    const int bytes = bitsPerPixel == 24 ? 3 : 4;
    const std::uint32_t rowBytes = (picture.Width() * bytes + 3) / 4 * 4;
    const std::uint32_t dataSize = rowBytes * static_cast<std::uint32_t>(picture.Height());
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<std::uint8_t> out;
    out.reserve(offset + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + dataSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(picture.Width()));
    Put32(out, static_cast<std::uint32_t>(picture.Height()));
    Put16(out, 1);
    Put16(out, static_cast<std::uint16_t>(bytes * 8));
    Put32(out, 0);  // uncompressed
    Put32(out, dataSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    out.resize(offset + dataSize);
    std::uint8_t* row = out.data() + offset;
    for (int y = picture.Height() - 1; y >= 0; --y, row += rowBytes) {
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 4)
            std::copy_n(p, bytes, row + x * bytes);
    }
    return out;
}
