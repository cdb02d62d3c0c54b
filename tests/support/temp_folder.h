#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object ends.
class clTempFolder {
public:
    clTempFolder() {
        static std::atomic<int> serial{0};
        path = std::filesystem::temp_directory_path() /
               ("qarvel-test-" + std::to_string(getpid()) + "-" +
                std::to_string(std::random_device{}()) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(path);
    }
    ~clTempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    clTempFolder(const clTempFolder&) = delete;
    clTempFolder& operator=(const clTempFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path path;
};

// The whole content of a file; empty when it cannot be read.
inline std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
