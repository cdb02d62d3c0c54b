#include "graphics/chunk.h"

#include "toolkit/memory.h"

namespace {

std::uint32_t LittleEndian(const std::uint8_t* b) {
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

}  // namespace

bool clChunk::Open(const std::filesystem::path& path) {
    remaining = 0;
    located = 0;
    if (!package.Open(path)) return false;
    std::uint8_t header[8];
    if (!package.Read(header, sizeof header) || LittleEndian(header) != clTag::kFile) {
        package.Close();
        return false;
    }
    package.areaStart = 8;
    package.areaEnd =
        std::min<std::uint64_t>(8 + std::uint64_t{LittleEndian(header + 4)}, package.Size());
    // The version is read and not used; a damaged one does not matter.
    if (LocateChunk(clTag::kVersion, 0)) {
        std::uint32_t version = 0;
        ReadNumber(version);
    }
    position = package.areaStart;
    remaining = 0;
    return package.Seek(position);
}

bool clChunk::FindNext(std::uint32_t tag, bool anyTag) {
    remaining = 0;
    while (position + 8 <= package.areaEnd) {
        std::uint8_t header[8];
        if (!package.Seek(position) || !package.Read(header, sizeof header)) return false;
        const std::uint32_t found = LittleEndian(header);
        const std::uint32_t size = LittleEndian(header + 4);
        if (position + 8 + size > package.areaEnd) return false;
        if (found == tag || anyTag) {
            package.tag = found;
            package.size = size;
            position += 8;
            remaining = size;
            return true;
        }
        position += 8 + std::uint64_t{size};
    }
    return false;
}

int clChunk::CountChunks(std::uint32_t tag) {
    int count = 0;
    position = package.areaStart;
    while (FindNext(tag)) {
        ++count;
        position += package.size;
    }
    return count;
}

bool clChunk::Located() {
    located = position;
    locatedSize = package.size;
    return package.Seek(position);
}

bool clChunk::LocateChunk(std::uint32_t tag, int k) {
    located = 0;
    if (k < 0 || !package.IsOpen()) return false;
    position = package.areaStart;
    if (!FindNext(tag)) return false;
    for (int i = 0; i < k; ++i) {
        position += package.size;
        if (!FindNext(tag)) return false;
    }
    return Located();
}

bool clChunk::LocateNextChunk(std::uint32_t tag) {
    if (!package.IsOpen() || located == 0) return false;
    position = located + locatedSize;
    located = 0;
    return FindNext(tag) && Located();
}

bool clChunk::LocateFirstChunk(std::uint32_t& tag) {
    located = 0;
    if (!package.IsOpen()) return false;
    position = package.areaStart;
    if (!FindNext(0, true)) return false;
    tag = package.tag;
    return Located();
}

bool clChunk::LocateFollowingChunk(std::uint32_t& tag) {
    if (!package.IsOpen() || located == 0) return false;
    position = located + locatedSize;
    located = 0;
    if (!FindNext(0, true)) return false;
    tag = package.tag;
    return Located();
}

bool clChunk::ReadNumber(std::uint32_t& value) {
    std::uint8_t bytes[4];
    if (remaining < 4 || !package.Read(bytes, 4)) return false;
    remaining -= 4;
    position += 4;
    value = LittleEndian(bytes);
    return true;
}

bool clChunk::ReadBlock(clMemory& block) {
    // The chunk lies inside the file (checked when it was found), so the
    // block is bounded by the file's size.
    block.Allocate(remaining);
    if (!package.Read(block.Data(), remaining)) {
        block.Free();
        return false;
    }
    position += remaining;
    remaining = 0;
    return true;
}
