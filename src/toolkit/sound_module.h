#pragma once

#include <filesystem>
#include <memory>

#include "toolkit/sound.h"

// The sounds, from the sound module (Qt Multimedia and the sound libraries
// are loaded only with it, once the window is up). The module lies beside
// the program in the build tree, and in the installed library folder
// otherwise; the sounds' files lie in `dataFolder`. Null, after one line on
// standard error, when the module cannot be loaded: the game then plays in
// silence, as on a machine without a sound device.
std::unique_ptr<clSoundPlayer> LoadSoundPlayer(const std::filesystem::path& programFolder,
                                               const std::filesystem::path& dataFolder);
