#include "assets/card_file_reader.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "assets/card_file_writer.h"

namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

bool DecodeBmp(const std::uint8_t* data, std::size_t size, clPicture& picture) {
    if (size < 54 || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint32_t offset = U32(data + 10);
    const auto width = static_cast<std::int32_t>(U32(data + 18));
    const auto height = static_cast<std::int32_t>(U32(data + 22));
    const int bits = U16(data + 28);
    if (U16(data + 26) != 1 || (bits != 24 && bits != 32) || width <= 0 || height == 0 ||
        width > 16384 || height > 16384 || height < -16384) {
        return false;
    }
    const int rows = height < 0 ? -height : height;
    const std::size_t rowBytes =
        (static_cast<std::size_t>(width) * (bits / 8) + 3) & ~std::size_t{3};
    if (offset > size || rowBytes * rows > size - offset) return false;
    picture = clPicture(width, rows);
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t* src = data + offset + rowBytes * r;
        const int y = height > 0 ? rows - 1 - r : r;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.At(x, y);
            const std::uint8_t* s = src + x * (bits / 8);
            if (bits == 32) {
                std::memcpy(p, s, 4);
            } else if (s[0] == 255 && s[1] == 0 && s[2] == 255) {
                p[0] = p[1] = p[2] = 128;
                p[3] = 0;
            } else {
                std::memcpy(p, s, 3);
                p[3] = 255;
            }
        }
    }
    return true;
}

bool clCardFileReader::Fail(std::string text) {
    error = std::move(text);
    return false;
}

bool clCardFileReader::Open(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail("cannot open " + path.string());
    return Parse(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
}

bool clCardFileReader::Parse(std::vector<std::uint8_t> data) {
    bytes = std::move(data);
    chunks.clear();
    type = 0;
    description.clear();
    if (bytes.size() < 8 || U32(bytes.data()) != clCardFileTag::kFile) {
        return Fail("not a card-set file (no DSQX tag)");
    }
    const std::uint32_t area = U32(bytes.data() + 4);
    if (area > bytes.size() - 8) return Fail("the chunk area runs past the end of the file");
    std::size_t at = 8;
    const std::size_t end = 8 + static_cast<std::size_t>(area);
    while (at < end) {
        if (end - at < 8) return Fail("a chunk header is cut off");
        const clChunkPlace chunk{U32(&bytes[at]), at + 8, U32(&bytes[at + 4])};
        if (chunk.size > end - chunk.offset) return Fail("a chunk runs past the chunk area");
        chunks.push_back(chunk);
        at = chunk.offset + chunk.size;
    }
    for (const clChunkPlace& chunk : chunks) {
        if (chunk.tag == clCardFileTag::kType) {
            if (chunk.size < 4) return Fail("a TYPE chunk without its number");
            type = U32(&bytes[chunk.offset]);
        } else if (chunk.tag == clCardFileTag::kDescription) {
            const char* text = reinterpret_cast<const char*>(&bytes[chunk.offset]);
            const void* zero = std::memchr(text, 0, chunk.size);
            if (!zero) return Fail("a DESC chunk without its terminating zero");
            description.assign(text, static_cast<const char*>(zero));
        }
    }
    return true;
}

int clCardFileReader::Count(std::uint32_t tag) const {
    int n = 0;
    for (const clChunkPlace& chunk : chunks)
        n += chunk.tag == tag;
    return n;
}

bool clCardFileReader::ReadSet(std::uint32_t tag, int k, clPictureSet& set) {
    const clChunkPlace* found = nullptr;
    int seen = 0;
    for (const clChunkPlace& chunk : chunks) {
        if (chunk.tag == tag && seen++ == k) found = &chunk;
    }
    if (!found) return Fail("no such picture set");
    const std::uint8_t* p = &bytes[found->offset];
    if (found->size < 12) return Fail("a picture set without its header");
    const auto count = static_cast<std::int32_t>(U32(p));
    set.width = static_cast<std::int32_t>(U32(p + 4));
    set.height = static_cast<std::int32_t>(U32(p + 8));
    if (count <= 0 || set.width <= 0 || set.height <= 0 ||
        static_cast<std::size_t>(count) > (found->size - 12) / 8) {
        return Fail("a picture set with a bad count or size");
    }
    const std::size_t corners = 12 + 8 * static_cast<std::size_t>(count);
    clPicture sheet;
    if (!DecodeBmp(p + corners, found->size - corners, sheet)) {
        return Fail("a picture set whose bitmap cannot be decoded");
    }
    set.pictures.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint32_t x = U32(p + 12 + 8 * i);
        const std::uint32_t y = U32(p + 16 + 8 * i);
        if (x + static_cast<std::uint32_t>(set.width) > static_cast<std::uint32_t>(sheet.width) ||
            y + static_cast<std::uint32_t>(set.height) > static_cast<std::uint32_t>(sheet.height)) {
            return Fail("a picture lies outside its bitmap");
        }
        clPicture picture(set.width, set.height);
        for (int row = 0; row < set.height; ++row) {
            std::memcpy(picture.At(0, row),
                        sheet.At(static_cast<int>(x), static_cast<int>(y) + row),
                        static_cast<std::size_t>(set.width) * 4);
        }
        set.pictures.push_back(std::move(picture));
    }
    return true;
}

void clCardFileReader::ApplyMask(const clPicture& mask, clPicture& picture) {
    if (mask.width != picture.width || mask.height != picture.height) return;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const std::uint8_t* m = mask.At(x, y);
            const bool black = m[0] == 0 && m[1] == 0 && m[2] == 0;
            picture.At(x, y)[3] = black ? 0 : m[3];
        }
    }
}
