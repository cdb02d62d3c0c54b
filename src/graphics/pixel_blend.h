#pragma once

#include <cstdint>
#include <cstring>

// A pixel as one little-endian word: blue in the low byte, then green, red
// and alpha.
//
// The colours of `target` blended toward `source` by alpha a (0..255), each
// channel (target * (255 - a) + source * a) / 255 truncated, two channels at
// a time: each 16-bit lane holds a sum of at most 255 * 255, and for those
// x / 255 == (x + 1 + (x >> 8)) >> 8 exactly. The alpha byte of the result is
// 0; alpha 255 gives the source's colours and alpha 0 the target's.
inline std::uint32_t BlendWord(std::uint32_t target, std::uint32_t source, std::uint32_t a) {
    const std::uint32_t keep = 255 - a;
    std::uint32_t rb = (target & 0x00FF00FFu) * keep + (source & 0x00FF00FFu) * a;
    std::uint32_t g = (target >> 8 & 0xFFu) * keep + (source >> 8 & 0xFFu) * a;
    rb = (rb + 0x00010001u + (rb >> 8 & 0x00FF00FFu)) >> 8 & 0x00FF00FFu;
    g = (g + 1 + (g >> 8)) >> 8;
    return rb | g << 8;
}

// Two pixels (8 bytes) of `target` blended toward `source` by each source
// pixel's alpha, as BlendWord does it, the target keeping its alpha: the
// eight channels side by side in 16-bit lanes (the compiler's vectors, one
// SIMD register on the usual processors).
inline void BlendPair(std::uint8_t* target, const std::uint8_t* source) {
    using clBytes = std::uint8_t __attribute__((vector_size(8)));
    using clLanes = std::uint16_t __attribute__((vector_size(16)));
    clBytes d, s;
    std::memcpy(&d, target, 8);
    std::memcpy(&s, source, 8);
    const clLanes dw = __builtin_convertvector(d, clLanes);
    const clLanes sw = __builtin_convertvector(s, clLanes);
    const clLanes a = __builtin_shufflevector(sw, sw, 3, 3, 3, 3, 7, 7, 7, 7);
    clLanes x = dw * (255 - a) + sw * a;
    x = (x + 1 + (x >> 8)) >> 8;
    const clBytes alpha = {0, 0, 0, 0xFF, 0, 0, 0, 0xFF};
    const clBytes out = (__builtin_convertvector(x, clBytes) & ~alpha) | (d & alpha);
    std::memcpy(target, &out, 8);
}
