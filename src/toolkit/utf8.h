#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The length in bytes of the well-formed UTF-8 sequence that starts at
// text[at]; 0 when the bytes there are not one (a stray continuation byte, an
// overlong form, a surrogate, a cut-off sequence).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The number of characters of well-formed UTF-8 text; nothing otherwise.
std::optional<std::size_t> Utf8Length(std::string_view text);

// The text cut to at most `maxChars` characters without splitting one; a byte
// that does not start a well-formed sequence counts as one character.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxChars);
