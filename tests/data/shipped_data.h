#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The build's data folder, where the data tools wrote the shipped files.
inline const std::filesystem::path kShippedData = QARVEL_DATA_DIR;

inline std::vector<std::uint8_t> ReadShippedFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline std::string ReadShippedText(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadShippedFile(path);
    return std::string(bytes.begin(), bytes.end());
}
