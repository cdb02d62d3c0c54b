#pragma once

// What the fuzz targets share: the input as a file, for the readers that take
// a path, and the entry point every target defines.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include <unistd.h>

// Writes the bytes to the file, replacing it.
inline void WriteFuzzFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// One file per process, in the temporary folder, rewritten for each input and
// removed when the process ends.
class clFuzzFile {
public:
    explicit clFuzzFile(std::string_view extension) {
        const char* folder = std::getenv("TMPDIR");
        path = std::filesystem::path(folder && *folder ? folder : "/tmp") /
               ("qarvel-fuzz-" + std::to_string(::getpid()) + std::string(extension));
    }
    ~clFuzzFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    clFuzzFile(const clFuzzFile&) = delete;
    clFuzzFile& operator=(const clFuzzFile&) = delete;

    // The file holding exactly these bytes.
    const std::filesystem::path& Hold(std::span<const std::uint8_t> bytes);

private:
    std::filesystem::path path;
};

// Writes the bytes to the file, replacing it.
inline void WriteFuzzFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    const bool whole =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !whole) std::abort();
}

inline const std::filesystem::path& clFuzzFile::Hold(std::span<const std::uint8_t> bytes) {
    WriteFuzzFile(path, bytes);
    return path;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops a target on a result its reader must never give: a fault the
// sanitizers cannot see, reported as a crash.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
