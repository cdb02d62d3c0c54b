#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/image.h"

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class clTempFolder {
public:
    clTempFolder();
    ~clTempFolder();
    clTempFolder(const clTempFolder&) = delete;
    clTempFolder& operator=(const clTempFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::filesystem::path operator/(const std::string& name) const { return path / name; }

private:
    std::filesystem::path path;
};

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// An installed program of the test-data packages, by its full path; empty
// when it is not installed.
std::string FindTool(const std::string& name);
// Runs a shell command; true when it exits with status 0.
bool RunCommand(const std::string& command);
// A path quoted for the shell.
std::string Quoted(const std::filesystem::path& path);

// A decoded netpbm file (P4, P5 or P6), every sample scaled to 0..255 the
// way the PNG decoder scales it: small depths replicated, 16-bit samples
// reduced to their high byte.
struct clPnm {
    int width = 0;
    int height = 0;
    int channels = 0;  // 1 grey, 3 colour
    std::vector<std::uint8_t> samples;
    bool ok = false;
};
clPnm ReadPnm(const std::filesystem::path& path);

// Where PngSuite lies when the test-data packages are installed.
std::filesystem::path PngSuiteFolder();
// The other sample pictures of the same package (a JPEG photograph, a GIF).
std::filesystem::path SampleImagesFolder();

// A picture of one colour (0xAARRGGBB).
clImage SolidPicture(int width, int height, std::uint32_t argb);
// A picture with a different colour at every pixel, changing with `seed`.
clImage PatternPicture(int width, int height, int seed);
