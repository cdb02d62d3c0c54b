#include "online/scramble.h"

namespace {

std::uint8_t KeyAt(std::size_t offset) {
    return kScrambleKey[offset % kScrambleKeySize];
}

}  // namespace

const std::array<std::uint8_t, kScrambleKeySize> kScrambleKey = {
    0x5A, 0xC3, 0x17, 0x8E, 0x2B, 0xF4, 0x61, 0x9D, 0x3C, 0xE8, 0x05, 0x72, 0xB9, 0x46, 0xD1, 0x0F,
    0x84, 0x2E, 0xCB, 0x59, 0xA6, 0x13, 0x7F, 0xE0, 0x38, 0x95, 0x4D, 0xBA, 0x01, 0x6C, 0xF7, 0x22,
    0x9B, 0x40, 0xD6, 0x6F, 0x1A, 0x87, 0xE5, 0x33, 0xAC, 0x58, 0x0B, 0xC7, 0x74, 0x2F, 0x91, 0xEE,
    0x66, 0x1D, 0xB3, 0x48, 0xFA, 0x09, 0x85, 0x3E, 0xD9, 0x70, 0x27, 0xAB, 0x54, 0xC1, 0x9E, 0x0C,
};

std::uint32_t ScoreHash(std::string_view bytes) {
    std::uint32_t h = 0;
    for (char c : bytes)
        h = h * 31u + static_cast<std::uint8_t>(c);
    return h;
}

std::vector<std::uint8_t> ScrambleBody(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::uint8_t> out;
    out.reserve(text.size() + 5);
    std::uint32_t h = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const auto plain = i < text.size() ? static_cast<std::uint8_t>(text[i]) : std::uint8_t{0};
        h = h * 31u + plain;
        out.push_back(static_cast<std::uint8_t>(plain ^ KeyAt(i)));
    }
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(h >> shift));
    return out;
}

std::optional<std::string> DescrambleBody(std::string_view body) {
    if (body.size() < 5) return std::nullopt;
    const std::size_t plainSize = body.size() - 4;
    std::string plain(plainSize, '\0');
    for (std::size_t i = 0; i < plainSize; ++i)
        plain[i] = static_cast<char>(static_cast<std::uint8_t>(body[i]) ^ KeyAt(i));
    std::uint32_t sent = 0;
    for (std::size_t i = plainSize; i < body.size(); ++i)
        sent = sent << 8 | static_cast<std::uint8_t>(body[i]);
    if (ScoreHash(plain) != sent) return std::nullopt;
    if (plain.find('\0') != plainSize - 1) return std::nullopt;
    plain.pop_back();
    return plain;
}
