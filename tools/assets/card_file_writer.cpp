#include "assets/card_file_writer.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "assets/bmp_file.h"
#include "assets/little_endian.h"

void clCardFileWriter::AddChunk(std::uint32_t tag, std::vector<std::uint8_t> payload) {
    chunks.emplace_back(tag, std::move(payload));
}

void clCardFileWriter::AddVersion(std::uint16_t major, std::uint16_t minor) {
    std::vector<std::uint8_t> payload;
    PutU16(payload, major);
    PutU16(payload, minor);
    AddChunk(clCardFileTag::kVersion, std::move(payload));
}

void clCardFileWriter::AddType(std::uint32_t type) {
    std::vector<std::uint8_t> payload;
    PutU32(payload, type);
    AddChunk(clCardFileTag::kType, std::move(payload));
}

void clCardFileWriter::AddDescription(const std::string& text) {
    std::vector<std::uint8_t> payload(text.begin(), text.end());
    payload.push_back(0);
    AddChunk(clCardFileTag::kDescription, std::move(payload));
}

void clCardFileWriter::AddLevel(std::int32_t level) {
    std::vector<std::uint8_t> payload;
    PutU32(payload, static_cast<std::uint32_t>(level));
    AddChunk(clCardFileTag::kLevel, std::move(payload));
}

bool clCardFileWriter::AddPictureSet(std::uint32_t tag, const std::vector<clPicture>& pictures,
                                     int bitsPerPixel, int perRow) {
    if (pictures.empty() || perRow < 1 || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return false;
    }
    const int width = pictures.front().width;
    const int height = pictures.front().height;
    const bool sameSize = std::all_of(pictures.begin(), pictures.end(), [&](const clPicture& p) {
        return p.width == width && p.height == height &&
               p.bgra.size() == static_cast<std::size_t>(width) * height * 4;
    });
    if (!sameSize || width <= 0 || height <= 0) return false;

    const int count = static_cast<int>(pictures.size());
    const int columns = std::min(perRow, count);
    const int rows = (count + columns - 1) / columns;
    clPicture sheet(columns * width, rows * height);
    std::vector<std::uint8_t> payload;
    PutU32(payload, static_cast<std::uint32_t>(count));
    PutU32(payload, static_cast<std::uint32_t>(width));
    PutU32(payload, static_cast<std::uint32_t>(height));
    for (int i = 0; i < count; ++i) {
        const int x = i % columns * width;
        const int y = i / columns * height;
        PutU32(payload, static_cast<std::uint32_t>(x));
        PutU32(payload, static_cast<std::uint32_t>(y));
        const clPicture& picture = pictures[static_cast<std::size_t>(i)];
        for (int row = 0; row < height; ++row) {
            std::memcpy(sheet.At(x, y + row), picture.At(0, row),
                        static_cast<std::size_t>(width) * 4);
        }
    }
    const std::vector<std::uint8_t> bitmap = EncodeBmp(sheet, bitsPerPixel);
    payload.insert(payload.end(), bitmap.begin(), bitmap.end());
    AddChunk(tag, std::move(payload));
    return true;
}

std::vector<std::uint8_t> clCardFileWriter::Bytes() const {
    std::size_t area = 0;
    for (const auto& chunk : chunks)
        area += 8 + chunk.second.size();
    std::vector<std::uint8_t> file;
    file.reserve(8 + area);
    PutU32(file, clCardFileTag::kFile);
    PutU32(file, static_cast<std::uint32_t>(area));
    for (const auto& [tag, payload] : chunks) {
        PutU32(file, tag);
        PutU32(file, static_cast<std::uint32_t>(payload.size()));
        file.insert(file.end(), payload.begin(), payload.end());
    }
    return file;
}

bool clCardFileWriter::Write(const std::filesystem::path& path) const {
    const std::vector<std::uint8_t> bytes = Bytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}
