#include "toolkit/data_folder.h"

#include <cstdlib>
#include <system_error>

namespace {

std::filesystem::path AbsoluteFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || value[0] != '/') return {};
    return value;
}

}  // namespace

std::filesystem::path MakerDataFolder() {
    // The XDG rules: a relative XDG_DATA_HOME is ignored.
    std::filesystem::path data = AbsoluteFromEnvironment("XDG_DATA_HOME");
    if (data.empty()) {
        const std::filesystem::path home = AbsoluteFromEnvironment("HOME");
        if (home.empty()) return {};
        data = home / ".local" / "share";
    }
    return data / "Ternwick";
}

bool clDataFolder::SetDataFolder(const std::string& programName, const std::string& subfolder) {
    name = programName;
    std::filesystem::path folder = base / name;
    if (!subfolder.empty()) folder /= subfolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error && std::filesystem::is_directory(folder, error);
}

std::filesystem::path clDataFolder::DataPath(const std::string& fileName,
                                             const std::string& subfolder) const {
    if (fileName.find('/') != std::string::npos) return fileName;
    std::filesystem::path path = base / name;
    if (!subfolder.empty()) path /= subfolder;
    return path / fileName;
}
