#pragma once

#include <cstdint>
#include <filesystem>

#include "toolkit/file.h"

class clMemory;

// The tags of a card-set file, compared as little-endian 32-bit numbers.
namespace clTag {
inline constexpr std::uint32_t kFile = 0x58515344;  // "DSQX"
inline constexpr std::uint32_t kVersion = 0x56455253;
inline constexpr std::uint32_t kType = 0x54595045;
inline constexpr std::uint32_t kDescription = 0x44455343;
inline constexpr std::uint32_t kLevel = 0x4C45564C;
inline constexpr std::uint32_t kCards = 0x43415244;
inline constexpr std::uint32_t kBacks = 0x4241434B;
inline constexpr std::uint32_t kSymbols = 0x53594D42;
}  // namespace clTag

// An open card-set file: the bounds of its chunk area and the chunk being read.
class clPackage : public clFile {
public:
    std::uint64_t areaStart = 8;
    std::uint64_t areaEnd = 8;  // the stated end, cut to the file's end
    std::uint32_t tag = 0;
    std::uint32_t size = 0;
};

// Reads the chunked container: a file tag, the chunk area's length, then
// chunks of (tag, size, payload) back to back. Chunks of one tag are
// numbered 0, 1, 2 ... in file order, whatever lies between them. A chunk
// whose payload would run past the chunk area (or the file) ends the area.
class clChunk {
public:
    // Opens the file and checks its tag; reads the version chunk if any.
    bool Open(const std::filesystem::path& path);
    int CountChunks(std::uint32_t tag);
    // Positions at the payload of chunk number k of `tag`.
    bool LocateChunk(std::uint32_t tag, int k);
    // Positions at the payload of the next chunk of `tag` after the chunk
    // located last: reading every chunk of a tag this way takes one pass.
    bool LocateNextChunk(std::uint32_t tag);
    // Positions at the payload of the first chunk of the area, or of the
    // chunk after the one located last, whatever its tag, and gives the tag:
    // reading every chunk this way takes one pass over the file.
    bool LocateFirstChunk(std::uint32_t& tag);
    bool LocateFollowingChunk(std::uint32_t& tag);
    // Four bytes of the payload as a little-endian number.
    bool ReadNumber(std::uint32_t& value);
    // All remaining bytes of the chunk.
    bool ReadBlock(clMemory& block);
    std::uint32_t Remaining() const { return remaining; }
    // The chunk located last: its payload size.
    std::uint32_t ChunkSize() const { return package.size; }

private:
    // From `position` (a chunk header), finds the next chunk of `tag` (of
    // any tag with `anyTag`).
    bool FindNext(std::uint32_t tag, bool anyTag = false);
    // Remembers the chunk found as the one located last and seeks to it.
    bool Located();

    clPackage package;
    std::uint64_t position = 0;
    // The payload of the chunk located last (0: none) and its size.
    std::uint64_t located = 0;
    std::uint32_t locatedSize = 0;
    std::uint32_t remaining = 0;
};
