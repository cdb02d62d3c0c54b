#pragma once

#include <array>
#include <filesystem>
#include <memory>

#include "toolkit/sound.h"

class QSoundEffect;

// The game's sounds, loaded from the data folder at start. Playing a sound
// cuts the one before. A file that cannot be read, or a machine without a
// sound device, is silent and changes nothing else.
class clQtSoundSet {
public:
    explicit clQtSoundSet(const std::filesystem::path& folder);
    ~clQtSoundSet();

    void Play(clSound sound);
    // "qarvel.wav", played once at start.
    void PlayWelcome();

private:
    void PlayEffect(QSoundEffect* effect);

    std::array<std::unique_ptr<QSoundEffect>, kSoundFiles.size()> effects;
    std::unique_ptr<QSoundEffect> welcome;
    QSoundEffect* playing = nullptr;
};
