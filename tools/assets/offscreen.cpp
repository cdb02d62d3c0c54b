#include "assets/offscreen.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

std::string runtimeFolder;

void RemoveRuntimeFolder() {
    std::error_code ec;
    std::filesystem::remove_all(runtimeFolder, ec);
}

}  // namespace

void PrepareOffscreen() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (std::getenv("XDG_RUNTIME_DIR")) return;
    runtimeFolder = (std::filesystem::temp_directory_path() / "qarvel-assets-XXXXXX").string();
    if (!mkdtemp(runtimeFolder.data())) return;
    setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
    std::atexit(RemoveRuntimeFolder);
}
