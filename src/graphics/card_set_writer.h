#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class clImage;

// Builds a card-set file: the file tag, the chunk area's length, then the
// chunks in the order they were added. For the tools that make the shipped
// card sets, and for tests.
class clCardSetWriter {
public:
    // A chunk with any payload, as given.
    void AddChunk(std::uint32_t tag, std::vector<std::uint8_t> payload);
    void AddVersion(std::uint16_t major, std::uint16_t minor);
    void AddType(std::uint32_t type);
    // The text with its terminating 0.
    void AddDescription(const std::string& text);
    void AddLevel(std::int32_t level);
    // A picture set (CARD, BACK or SYMB) of same-sized pictures laid out
    // `perRow` to a row in one bitmap of 24 or 32 bits a pixel.
    void AddPictureSet(std::uint32_t tag, const std::vector<const clImage*>& pictures,
                       int bitsPerPixel = 32, int perRow = 13);

    std::vector<std::uint8_t> Bytes() const;
    bool Write(const std::filesystem::path& path) const;

    // A picture-set payload from its parts: count, size, corners, BMP bytes.
    static std::vector<std::uint8_t> PictureSetPayload(
        std::int32_t count, std::int32_t width, std::int32_t height,
        const std::vector<std::pair<std::uint32_t, std::uint32_t>>& corners,
        const std::vector<std::uint8_t>& bitmap);

private:
    std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> chunks;
};
