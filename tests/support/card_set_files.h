#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "graphics/image.h"

class clCardSetWriter;

// One picture set of a made-up card-set file: `count` solid pictures of
// `width` x `height`, picture i in SetColour(tag, i).
struct clSetSpec {
    std::uint32_t tag;
    int count;
    int width;
    int height;
};

// The colour (0xAARRGGBB, opaque) of picture i of a made-up set of a kind:
// never black nor magenta, different for every kind and index.
std::uint32_t SetColour(std::uint32_t tag, int i);

// Adds the sets to a writer, each as solid pictures in a 32-bit bitmap.
void AddSolidSets(clCardSetWriter& writer, const std::vector<clSetSpec>& sets);

// Writes a card-set file of solid sets, with a TYPE chunk when `type` is given.
void WriteCardSetFile(const std::filesystem::path& path, const std::vector<clSetSpec>& sets,
                      std::optional<std::uint32_t> type = std::nullopt,
                      const std::string& description = {});

std::vector<const clImage*> Pointers(const std::vector<clImage>& pictures);
