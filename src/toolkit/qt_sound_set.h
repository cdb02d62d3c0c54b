#pragma once

#include <array>
#include <memory>
#include <string>

#include "toolkit/sound.h"

class QSoundEffect;

// The game's sounds through Qt Multimedia. It lives in the sound module,
// loaded once the window is up, so that starting the game does not wait for
// Qt Multimedia and the sound libraries it brings.
class clQtSoundSet final : public clSoundPlayer {
public:
    // The files of the sounds in clSound's order, then the welcome sound; an
    // empty name is a sound that stays silent. The files have been checked
    // to be regular files of a sound's size (Qt Multimedia reads them itself,
    // and a FIFO in their place would stop its loading for good).
    using clFiles = std::array<std::string, kSoundFiles.size() + 1>;
    explicit clQtSoundSet(const clFiles& files);
    ~clQtSoundSet() override;

    void Play(clSound sound) override;
    void PlayWelcome() override;

private:
    void PlayEffect(QSoundEffect* effect);

    std::array<std::unique_ptr<QSoundEffect>, kSoundFiles.size() + 1> effects;
    QSoundEffect* playing = nullptr;
};
