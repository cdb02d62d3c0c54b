#include "toolkit/utf8.h"

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    // Lead byte ranges exclude the overlong two-byte forms and codes past U+10FFFF.
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t code = lead & (0x7F >> length);
    if (text.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

std::optional<std::size_t> Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) return std::nullopt;
        at += length;
    }
    return count;
}

std::string_view Utf8Prefix(std::string_view text, std::size_t maxChars) {
    std::size_t at = 0;
    for (std::size_t count = 0; count < maxChars && at < text.size(); ++count) {
        const std::size_t length = Utf8SequenceLength(text, at);
        at += length == 0 ? 1 : length;
    }
    return text.substr(0, at);
}
