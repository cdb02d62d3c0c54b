#pragma once

#include <array>
#include <string_view>

// The game's sounds, in the order their wave files are loaded.
enum class clSound {
    Error,
    Shuffle,
    Card,
    Undo,
    Redo,
    Select,
    Remove,
    Replace,
    Victory,
    Complete,
    Loss,
    Tick,
    Alarm,
    Grow,
    Shrink,
};

inline constexpr std::array<std::string_view, 15> kSoundFiles = {
    "error.wav",  "shuffle.wav", "card.wav",    "undo.wav",    "redo.wav",
    "select.wav", "remove.wav",  "replace.wav", "victory.wav", "complete.wav",
    "loss.wav",   "tick.wav",    "alarm.wav",   "grow.wav",    "shrink.wav",
};

// "qarvel.wav", played once at start.
inline constexpr std::string_view kWelcomeSoundFile = "qarvel.wav";

// The window's sound player. Playing a sound cuts the one before; a sound
// whose file could not be read is silent.
class clSoundPlayer {
public:
    virtual ~clSoundPlayer() = default;
    virtual void Play(clSound sound) = 0;
    virtual void PlayWelcome() = 0;
};
