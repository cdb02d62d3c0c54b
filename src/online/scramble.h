#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The score server's request bodies travel scrambled: the text and its zero
// terminator, each byte XORed with the key byte of its offset modulo 64, then
// the hash of the plain bytes (terminator included), most significant byte
// first. The game scrambles, the server descrambles; both use this code.

inline constexpr std::size_t kScrambleKeySize = 64;

// The key is part of the protocol: the game and its server must agree on it.
extern const std::array<std::uint8_t, kScrambleKeySize> kScrambleKey;

// h = h * 31 + byte over the bytes, in unsigned 32-bit arithmetic.
std::uint32_t ScoreHash(std::string_view bytes);

// The text as sent: text.size() + 5 bytes. A text holding a zero byte is cut
// there, as the terminator ends it.
std::vector<std::uint8_t> ScrambleBody(std::string_view text);

// The text of a scrambled body; nothing unless it is at least 5 bytes, its
// hash matches, and its plain bytes are one zero-terminated text (no zero
// before the last).
std::optional<std::string> DescrambleBody(std::string_view body);
