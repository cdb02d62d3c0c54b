#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "assets/picture.h"

// The tags of a card-set file: 32-bit numbers stored least significant byte
// first (the file tag lies in the file as "DSQX", a card chunk as "DRAC").
namespace clCardFileTag {
inline constexpr std::uint32_t kFile = 0x58515344;
inline constexpr std::uint32_t kVersion = 0x56455253;
inline constexpr std::uint32_t kType = 0x54595045;
inline constexpr std::uint32_t kDescription = 0x44455343;
inline constexpr std::uint32_t kLevel = 0x4C45564C;
inline constexpr std::uint32_t kCards = 0x43415244;
inline constexpr std::uint32_t kBacks = 0x4241434B;
inline constexpr std::uint32_t kSymbols = 0x53594D42;
}  // namespace clCardFileTag

// Transparency types: with type 0 the card mask gives every face, back and
// symbol its alpha; with any other type each picture keeps its own.
inline constexpr std::uint32_t kMaskTransparency = 0;
inline constexpr std::uint32_t kOwnTransparency = 1;

// Builds a card-set file: the file tag, the length of the chunk area, then
// the chunks (tag, payload size, payload) in the order they were added.
class clCardFileWriter {
public:
    void AddVersion(std::uint16_t major, std::uint16_t minor);
    void AddType(std::uint32_t type);
    // The text with its terminating zero.
    void AddDescription(const std::string& text);
    void AddLevel(std::int32_t level);
    // A picture set (kCards, kBacks or kSymbols): the count, width and height,
    // the top-left corner of every picture, then one BMP file holding them
    // all, `perRow` to a row. False, adding nothing, when there are no
    // pictures, their sizes differ, or the depth is not 24 or 32.
    bool AddPictureSet(std::uint32_t tag, const std::vector<clPicture>& pictures, int bitsPerPixel,
                       int perRow);
    // A chunk with any payload, as given (for tests of damaged files).
    void AddChunk(std::uint32_t tag, std::vector<std::uint8_t> payload);

    std::vector<std::uint8_t> Bytes() const;
    // Writes the file; false when it cannot be written.
    bool Write(const std::filesystem::path& path) const;

private:
    std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> chunks;
};
