#include "graphics/card_set_writer.h"

#include "graphics/bmp.h"
#include "graphics/chunk.h"
#include "graphics/image.h"
#include "toolkit/file.h"

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

void clCardSetWriter::AddChunk(std::uint32_t tag, std::vector<std::uint8_t> payload) {
    chunks.emplace_back(tag, std::move(payload));
}

void clCardSetWriter::AddVersion(std::uint16_t major, std::uint16_t minor) {
    AddChunk(clTag::kVersion,
             {static_cast<std::uint8_t>(major), static_cast<std::uint8_t>(major >> 8),
              static_cast<std::uint8_t>(minor), static_cast<std::uint8_t>(minor >> 8)});
}

void clCardSetWriter::AddType(std::uint32_t type) {
    std::vector<std::uint8_t> payload;
    Put32(payload, type);
    AddChunk(clTag::kType, std::move(payload));
}

void clCardSetWriter::AddDescription(const std::string& text) {
    std::vector<std::uint8_t> payload(text.begin(), text.end());
    payload.push_back(0);
    AddChunk(clTag::kDescription, std::move(payload));
}

void clCardSetWriter::AddLevel(std::int32_t level) {
    std::vector<std::uint8_t> payload;
    Put32(payload, static_cast<std::uint32_t>(level));
    AddChunk(clTag::kLevel, std::move(payload));
}

std::vector<std::uint8_t> clCardSetWriter::PictureSetPayload(
    std::int32_t count, std::int32_t width, std::int32_t height,
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& corners,
    const std::vector<std::uint8_t>& bitmap) {
    std::vector<std::uint8_t> payload;
    Put32(payload, static_cast<std::uint32_t>(count));
    Put32(payload, static_cast<std::uint32_t>(width));
    Put32(payload, static_cast<std::uint32_t>(height));
    for (const auto& [x, y] : corners) {
        Put32(payload, x);
        Put32(payload, y);
    }
    payload.insert(payload.end(), bitmap.begin(), bitmap.end());
    return payload;
}

void clCardSetWriter::AddPictureSet(std::uint32_t tag, const std::vector<const clImage*>& pictures,
                                    int bitsPerPixel, int perRow) {
    const int count = static_cast<int>(pictures.size());
    const int width = pictures.empty() ? 1 : pictures.front()->Width();
    const int height = pictures.empty() ? 1 : pictures.front()->Height();
    const int columns = std::max(1, std::min(perRow, count));
    const int sheetRows = std::max(1, (count + columns - 1) / columns);
    clImage sheet;
    sheet.CreateImage(columns * width, sheetRows * height);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> corners;
    for (int i = 0; i < count; ++i) {
        const int x = i % columns * width;
        const int y = i / columns * height;
        sheet.Copy(*pictures[static_cast<std::size_t>(i)], {x, y});
        corners.emplace_back(x, y);
    }
    AddChunk(tag,
             PictureSetPayload(count, width, height, corners, EncodeBitmap(sheet, bitsPerPixel)));
}

std::vector<std::uint8_t> clCardSetWriter::Bytes() const {
    std::vector<std::uint8_t> area;
    for (const auto& [tag, payload] : chunks) {
        Put32(area, tag);
        Put32(area, static_cast<std::uint32_t>(payload.size()));
        area.insert(area.end(), payload.begin(), payload.end());
    }
    std::vector<std::uint8_t> file;
    Put32(file, clTag::kFile);
    Put32(file, static_cast<std::uint32_t>(area.size()));
    file.insert(file.end(), area.begin(), area.end());
    return file;
}

// Chunk by chunk: the large sets are not copied into one more buffer.
bool clCardSetWriter::Write(const std::filesystem::path& path) const {
    std::uint64_t area = 0;
    for (const auto& chunk : chunks)
        area += 8 + chunk.second.size();
    std::vector<std::uint8_t> header;
    Put32(header, clTag::kFile);
    Put32(header, static_cast<std::uint32_t>(area));
    clFile file;
    if (!file.Create(path) || !file.Write(header.data(), header.size())) return false;
    for (const auto& [tag, payload] : chunks) {
        header.clear();
        Put32(header, tag);
        Put32(header, static_cast<std::uint32_t>(payload.size()));
        if (!file.Write(header.data(), header.size()) ||
            !file.Write(payload.data(), payload.size())) {
            return false;
        }
    }
    return true;
}
