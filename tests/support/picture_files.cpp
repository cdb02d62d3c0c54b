#include "support/picture_files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

clTempFolder::clTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qarvel-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path = pattern;
}

clTempFolder::~clTempFolder() {
    std::error_code error;
    if (!path.empty()) std::filesystem::remove_all(path, error);
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string FindTool(const std::string& name) {
    // The packaged programs, not a wrapper of the same name earlier on PATH.
    const std::filesystem::path path = std::filesystem::path("/usr/bin") / name;
    std::error_code error;
    return std::filesystem::exists(path, error) ? path.string() : std::string();
}

bool RunCommand(const std::string& command) {
    return std::system((command + " 2>/dev/null").c_str()) == 0;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

namespace {

// The next header number of a netpbm file, skipping blanks and comments.
bool ReadHeaderNumber(const std::vector<std::uint8_t>& b, std::size_t& at, int& value) {
    while (at < b.size()) {
        if (b[at] == '#') {
            while (at < b.size() && b[at] != '\n')
                ++at;
        } else if (b[at] == ' ' || b[at] == '\t' || b[at] == '\n' || b[at] == '\r') {
            ++at;
        } else {
            break;
        }
    }
    if (at >= b.size() || b[at] < '0' || b[at] > '9') return false;
    value = 0;
    while (at < b.size() && b[at] >= '0' && b[at] <= '9')
        value = value * 10 + (b[at++] - '0');
    return true;
}

std::uint8_t Scale(int sample, int maxval) {
    if (maxval == 65535) return static_cast<std::uint8_t>(sample >> 8);
    return static_cast<std::uint8_t>(sample * 255 / maxval);
}

}  // namespace

clPnm ReadPnm(const std::filesystem::path& path) {
    clPnm pnm;
    const std::vector<std::uint8_t> b = ReadBytes(path);
    if (b.size() < 2 || b[0] != 'P') return pnm;
    const char kind = static_cast<char>(b[1]);
    std::size_t at = 2;
    int maxval = 1;
    if (!ReadHeaderNumber(b, at, pnm.width) || !ReadHeaderNumber(b, at, pnm.height)) return pnm;
    if (kind != '4' && !ReadHeaderNumber(b, at, maxval)) return pnm;
    ++at;  // the single blank before the samples
    pnm.channels = kind == '6' ? 3 : 1;
    const std::size_t count = static_cast<std::size_t>(pnm.width) * pnm.height * pnm.channels;
    pnm.samples.reserve(count);
    if (kind == '4') {
        const std::size_t rowBytes = (static_cast<std::size_t>(pnm.width) + 7) / 8;
        if (b.size() < at + rowBytes * pnm.height) return pnm;
        for (int y = 0; y < pnm.height; ++y) {
            for (int x = 0; x < pnm.width; ++x) {
                const int bit = b[at + y * rowBytes + x / 8] >> (7 - x % 8) & 1;
                pnm.samples.push_back(bit ? 0 : 255);  // 1 is black
            }
        }
    } else if (kind == '5' || kind == '6') {
        const std::size_t size = maxval > 255 ? 2 : 1;
        if (b.size() < at + count * size) return pnm;
        for (std::size_t i = 0; i < count; ++i) {
            const int sample = size == 2 ? b[at + 2 * i] << 8 | b[at + 2 * i + 1] : b[at + i];
            pnm.samples.push_back(Scale(sample, maxval));
        }
    } else {
        return pnm;
    }
    pnm.ok = true;
    return pnm;
}

std::filesystem::path PngSuiteFolder() {
    return SampleImagesFolder() / "pngsuite";
}

std::filesystem::path SampleImagesFolder() {
    return "/usr/share/doc/libsixel-examples/examples/images";
}

clImage SolidPicture(int width, int height, std::uint32_t argb) {
    clImage picture;
    picture.CreateImage(width, height);
    picture.Fill((argb & 0xFF000000) | (argb & 0xFF) << 16 | (argb & 0xFF00) | (argb >> 16 & 0xFF));
    return picture;
}

clImage PatternPicture(int width, int height, int seed) {
    clImage picture;
    picture.CreateImage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.At(x, y);
            p[0] = static_cast<std::uint8_t>(x * 7 + seed * 13);
            p[1] = static_cast<std::uint8_t>(y * 5 + seed * 29);
            p[2] = static_cast<std::uint8_t>((x ^ y) + seed * 51);
            p[3] = 255;
        }
    }
    return picture;
}
