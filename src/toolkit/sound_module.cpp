#include "toolkit/sound_module.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <dlfcn.h>

#include "toolkit/file.h"

namespace {

constexpr const char* kModuleFile = "qarvel-sound.so";
constexpr const char* kEntry = "qarvel_make_sound_player";
using clMake = clSoundPlayer* (*)(const char* const*, int);

// The largest sound file handed over: the shipped sounds are a few seconds
// long, far below it.
constexpr std::uint64_t kMaxSoundFile = std::uint64_t{8} << 20;

// Only a regular file of a sound's size is handed to the player, which reads
// it itself; anything else is a silent sound.
std::string Checked(const std::filesystem::path& file) {
    const std::optional<std::uint64_t> size = RegularFileSize(file);
    return size && *size <= kMaxSoundFile ? file.string() : std::string();
}

void* OpenModule(const std::filesystem::path& programFolder) {
    for (const std::filesystem::path& folder :
         {programFolder, programFolder / QARVEL_SOUND_MODULE_FROM_BIN}) {
        const std::filesystem::path module = folder / kModuleFile;
        if (!RegularFileSize(module)) continue;
        if (void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        std::fprintf(stderr, "qarvel: no sounds: %s\n", dlerror());
        return nullptr;
    }
    std::fprintf(stderr, "qarvel: no sounds: %s not found\n", kModuleFile);
    return nullptr;
}

}  // namespace

std::unique_ptr<clSoundPlayer> LoadSoundPlayer(const std::filesystem::path& programFolder,
                                               const std::filesystem::path& dataFolder) {
    void* handle = OpenModule(programFolder);
    if (handle == nullptr) return nullptr;
    // The module stays loaded for the program's life: the player's code is in it.
    const auto make = reinterpret_cast<clMake>(dlsym(handle, kEntry));
    if (make == nullptr) {
        std::fprintf(stderr, "qarvel: no sounds: %s\n", dlerror());
        return nullptr;
    }
    std::vector<std::string> files;
    for (const std::string_view name : kSoundFiles)
        files.push_back(Checked(dataFolder / std::string(name)));
    files.push_back(Checked(dataFolder / std::string(kWelcomeSoundFile)));
    std::vector<const char*> names;
    for (const std::string& file : files)
        names.push_back(file.c_str());
    return std::unique_ptr<clSoundPlayer>(make(names.data(), static_cast<int>(names.size())));
}
