#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/picture.h"

// One picture set read back from a card-set file, its pictures cut out.
struct clPictureSet {
    int width = 0;
    int height = 0;
    std::vector<clPicture> pictures;
};

// Reads back the card-set files the asset tools write, strictly: every
// chunk must lie inside the file, every picture set must hold a 24- or 32-bit
// BMP with every picture inside it. Transparency follows the file's type:
// magenta pixels of 24-bit bitmaps are transparent, and with type 0 the
// card mask gives every picture its alpha.
class clCardFileReader {
public:
    bool Open(const std::filesystem::path& path);
    bool Parse(std::vector<std::uint8_t> bytes);
    const std::string& Error() const { return error; }

    std::uint32_t Type() const { return type; }
    const std::string& Description() const { return description; }
    int Count(std::uint32_t tag) const;
    // Picture set number k of a kind; false (with Error set) when it is
    // missing or cannot be decoded.
    bool ReadSet(std::uint32_t tag, int k, clPictureSet& set);
    // Type 0: every picture takes the alpha of the mask, where the mask is
    // neither black nor keyed out.
    static void ApplyMask(const clPicture& mask, clPicture& picture);

private:
    struct clChunkPlace {
        std::uint32_t tag = 0;
        std::size_t offset = 0;
        std::uint32_t size = 0;
    };
    bool Fail(std::string text);

    std::vector<std::uint8_t> bytes;
    std::vector<clChunkPlace> chunks;
    std::uint32_t type = 0;
    std::string description;
    std::string error;
};

// Decodes a 24- or 32-bit uncompressed BMP file; false for anything else.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, clPicture& picture);
