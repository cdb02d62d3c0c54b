#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How a tone sounds: the relative strengths of its partials and how much
// faster the upper ones die away.
enum class clTimbre {
    Sine,
    Bell,        // inharmonic partials, long ring
    SoftSquare,  // odd harmonics, mellow
    Brass,       // every harmonic, bright
    Wood,        // a knock: a short sine with a lower body
};

// A mono mixing buffer in seconds. Every voice starts and ends smoothly, so
// no sound clicks; Samples() scales the mix so that its loudest sample sits
// at the same level in every sound.
class clSoundMix {
public:
    explicit clSoundMix(double seconds);

    // A note: `attack` seconds to full level, then an exponential decay with
    // the time constant `decay`, cut off after `length` seconds.
    void Tone(double start, double length, double frequency, double volume, clTimbre timbre,
              double attack, double decay);
    // A note whose pitch slides from `from` to `to` Hz.
    void Glide(double start, double length, double from, double to, double volume, clTimbre timbre,
               double attack, double decay);
    // A burst of noise through a band filter round `centre` Hz.
    void Noise(double start, double length, double centre, double volume, double attack,
               double decay);

    // 16-bit samples with the loudest at about -2 dB below full scale.
    std::vector<std::int16_t> Samples() const;

private:
    std::vector<double> mix;
    std::uint32_t noiseState = 0x2545f491;
};

// The sound files the game loads, in its order, then the start-up tune.
const std::vector<std::string>& SoundNames();
// The samples of one named sound ("error", "shuffle", ... "qarvel"); empty for
// an unknown name.
std::vector<std::int16_t> MakeSound(const std::string& name);
