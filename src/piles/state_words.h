#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The state a pile or a game keeps of its own, as plain words in a table
// snapshot: written by appending, read back in the same order.
using clStateWords = std::vector<std::int32_t>;

class clStateReader {
public:
    explicit clStateReader(std::span<const std::int32_t> words) : words(words) {}
    // The next word; past the end, 0.
    std::int32_t Next() { return next < words.size() ? words[next++] : 0; }
    bool NextBool() { return Next() != 0; }

private:
    std::span<const std::int32_t> words;
    std::size_t next = 0;
};
