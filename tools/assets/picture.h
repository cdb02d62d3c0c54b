#pragma once

#include <cstdint>
#include <vector>

// A picture handed between the painters and the file writers: four bytes a
// pixel in the order blue, green, red, alpha (not premultiplied), rows top
// down. It carries no Qt so that the writers and their tests need none.
struct clPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;

    clPicture() = default;
    clPicture(int width, int height)
        : width(width), height(height), bgra(static_cast<std::size_t>(width) * height * 4) {}

    std::uint8_t* At(int x, int y) {
        return bgra.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    }
    const std::uint8_t* At(int x, int y) const {
        return bgra.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    }
};
