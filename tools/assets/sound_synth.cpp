#include "assets/sound_synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRate = 22050.0;
constexpr double kTwoPi = 6.283185307179586;

struct clPartial {
    double ratio;
    double level;
    double decayScale;  // how many times faster than the note this partial dies away
};

std::vector<clPartial> Partials(clTimbre timbre) {
    switch (timbre) {
        case clTimbre::Bell:
            return {{1.0, 1.0, 1.0}, {2.0, 0.35, 1.6}, {2.76, 0.3, 2.2}, {5.40, 0.12, 3.5}};
        case clTimbre::SoftSquare:
            return {{1.0, 1.0, 1.0}, {3.0, 0.22, 1.5}, {5.0, 0.08, 2.0}};
        case clTimbre::Brass:
            return {{1.0, 1.0, 1.0},
                    {2.0, 0.5, 1.2},
                    {3.0, 0.33, 1.4},
                    {4.0, 0.2, 1.7},
                    {5.0, 0.12, 2.0}};
        case clTimbre::Wood:
            return {{1.0, 1.0, 1.0}, {2.42, 0.4, 2.5}, {0.5, 0.5, 0.7}};
        default:
            return {{1.0, 1.0, 1.0}};
    }
}

// Note frequencies by their name in equal temperament (A4 = 440 Hz).
double Note(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}
constexpr int C5 = 3, E5 = 7, G5 = 10, A5 = 12, B5 = 14, C6 = 15, D6 = 17, E6 = 19, G6 = 22,
              A6 = 24, C7 = 27, G4 = -2, FS4 = -3, F4 = -4, E4 = -5, C4 = -9, A4 = 0;

}  // namespace

clSoundMix::clSoundMix(double seconds)
    : mix(static_cast<std::size_t>(std::max(0.0, seconds) * kRate) + 1, 0.0) {}

void clSoundMix::Tone(double start, double length, double frequency, double volume, clTimbre timbre,
                      double attack, double decay) {
    Glide(start, length, frequency, frequency, volume, timbre, attack, decay);
}

void clSoundMix::Glide(double start, double length, double from, double to, double volume,
                       clTimbre timbre, double attack, double decay) {
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto count = static_cast<std::size_t>(length * kRate);
    const std::vector<clPartial> partials = Partials(timbre);
    const double release = std::min(0.01, length / 4);
    double phase = 0;
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double frequency = from + (to - from) * (t / length);
        phase += kTwoPi * frequency / kRate;
        double envelope = attack > 0 && t < attack ? t / attack : 1.0;
        if (length - t < release) envelope *= (length - t) / release;
        double value = 0;
        for (const clPartial& p : partials) {
            const double fall = decay > 0 ? std::exp(-t * p.decayScale / decay) : 1.0;
            value += p.level * fall * std::sin(phase * p.ratio);
        }
        mix[first + i] += volume * envelope * value;
    }
}

void clSoundMix::Noise(double start, double length, double centre, double volume, double attack,
                       double decay) {
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto count = static_cast<std::size_t>(length * kRate);
    // A two-pole resonator round the centre frequency colours the noise.
    const double r = 0.9;
    const double a1 = 2 * r * std::cos(kTwoPi * centre / kRate);
    const double a2 = -r * r;
    double y1 = 0, y2 = 0;
    const double release = std::min(0.005, length / 4);
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
        noiseState = noiseState * 1664525u + 1013904223u;
        const double white = static_cast<double>(noiseState >> 8) / (1 << 23) - 1.0;
        const double y = white * (1 - r) + a1 * y1 + a2 * y2;
        y2 = y1;
        y1 = y;
        const double t = static_cast<double>(i) / kRate;
        double envelope = attack > 0 && t < attack ? t / attack : 1.0;
        if (decay > 0) envelope *= std::exp(-t / decay);
        if (length - t < release) envelope *= (length - t) / release;
        mix[first + i] += volume * envelope * y * 4;
    }
}

std::vector<std::int16_t> clSoundMix::Samples() const {
    double peak = 0;
    for (const double v : mix)
        peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? 0.78 * 32767 / peak : 0;
    std::vector<std::int16_t> samples;
    samples.reserve(mix.size());
    for (const double v : mix) {
        samples.push_back(
            static_cast<std::int16_t>(std::lround(std::clamp(v * gain, -32767.0, 32767.0))));
    }
    return samples;
}

const std::vector<std::string>& SoundNames() {
    static const std::vector<std::string> names = {
        "error",   "shuffle",  "card", "undo", "redo",  "select", "remove", "replace",
        "victory", "complete", "loss", "tick", "alarm", "grow",   "shrink", "qarvel"};
    return names;
}

std::vector<std::int16_t> MakeSound(const std::string& name) {
    if (name == "error") {
        // Two low, muffled knocks.
        clSoundMix m(0.24);
        m.Tone(0.0, 0.09, 233, 1.0, clTimbre::SoftSquare, 0.004, 0.05);
        m.Tone(0.1, 0.13, 185, 1.0, clTimbre::SoftSquare, 0.004, 0.06);
        return m.Samples();
    }
    if (name == "shuffle") {
        // A riffle: quick paper flicks that speed up, then the deck squared off.
        clSoundMix m(0.5);
        double t = 0;
        for (int i = 0; i < 16; ++i) {
            m.Noise(t, 0.03, 2600 + 180 * (i % 4), 0.9 + 0.03 * i, 0.001, 0.008);
            t += 0.028 - i * 0.0008;
        }
        m.Noise(t + 0.05, 0.06, 900, 0.7, 0.001, 0.012);
        m.Tone(t + 0.05, 0.05, 130, 0.25, clTimbre::Sine, 0.001, 0.015);
        return m.Samples();
    }
    if (name == "card") {
        // A card snapped down on the table.
        clSoundMix m(0.08);
        m.Noise(0.0, 0.05, 3200, 0.8, 0.0005, 0.007);
        m.Noise(0.004, 0.06, 1200, 0.5, 0.001, 0.012);
        m.Tone(0.0, 0.05, 150, 0.3, clTimbre::Sine, 0.001, 0.012);
        return m.Samples();
    }
    if (name == "undo") {
        clSoundMix m(0.18);
        m.Glide(0.0, 0.16, Note(E6), Note(A5), 0.8, clTimbre::Sine, 0.005, 0.08);
        m.Noise(0.0, 0.1, 1800, 0.15, 0.01, 0.04);
        return m.Samples();
    }
    if (name == "redo") {
        clSoundMix m(0.16);
        m.Glide(0.0, 0.14, Note(A5), Note(E6), 0.8, clTimbre::Sine, 0.005, 0.08);
        m.Noise(0.0, 0.08, 2400, 0.12, 0.01, 0.03);
        return m.Samples();
    }
    if (name == "select") {
        clSoundMix m(0.1);
        m.Tone(0.0, 0.09, Note(E6), 0.8, clTimbre::Bell, 0.002, 0.035);
        return m.Samples();
    }
    if (name == "remove") {
        // A light two-note chime.
        clSoundMix m(0.45);
        m.Tone(0.0, 0.4, Note(C6), 0.7, clTimbre::Bell, 0.003, 0.12);
        m.Tone(0.07, 0.38, Note(G6), 0.6, clTimbre::Bell, 0.003, 0.12);
        return m.Samples();
    }
    if (name == "replace") {
        clSoundMix m(0.09);
        m.Tone(0.0, 0.08, 620, 0.8, clTimbre::Wood, 0.001, 0.02);
        m.Noise(0.0, 0.03, 2000, 0.2, 0.001, 0.006);
        return m.Samples();
    }
    if (name == "victory") {
        // A short fanfare: a rising arpeggio into a held major chord.
        clSoundMix m(1.5);
        const int run[] = {C5, E5, G5, C6};
        for (int i = 0; i < 4; ++i) {
            m.Tone(0.12 * i, 0.16, Note(run[i]), 1.0, clTimbre::Brass, 0.01, 0.12);
        }
        for (const int n : {C5, E5, G5, C6}) {
            m.Tone(0.5, 0.95, Note(n), 0.35, clTimbre::Brass, 0.02, 0.5);
        }
        m.Tone(0.5, 0.95, Note(C7), 0.12, clTimbre::Bell, 0.005, 0.3);
        return m.Samples();
    }
    if (name == "complete") {
        // Round won: bells climbing a G major chord.
        clSoundMix m(0.95);
        const int run[] = {G5, B5, D6, G6};
        for (int i = 0; i < 4; ++i) {
            m.Tone(0.09 * i, 0.95 - 0.09 * i, Note(run[i]), 0.55, clTimbre::Bell, 0.003, 0.25);
        }
        return m.Samples();
    }
    if (name == "loss") {
        // Game over: a slow fall of four notes, the last one held and wavering.
        clSoundMix m(1.3);
        const int fall[] = {G4, FS4, F4};
        for (int i = 0; i < 3; ++i) {
            m.Tone(0.22 * i, 0.24, Note(fall[i]), 0.7, clTimbre::SoftSquare, 0.01, 0.2);
        }
        // Two voices a few hertz apart beat against each other: the held note wavers.
        m.Tone(0.66, 0.62, Note(E4), 0.45, clTimbre::SoftSquare, 0.01, 0.5);
        m.Tone(0.66, 0.62, Note(E4) * 1.014, 0.45, clTimbre::SoftSquare, 0.01, 0.5);
        return m.Samples();
    }
    if (name == "tick") {
        clSoundMix m(0.05);
        m.Tone(0.0, 0.04, 1760, 0.8, clTimbre::Wood, 0.0005, 0.008);
        return m.Samples();
    }
    if (name == "alarm") {
        // Time is up: a bell rung three times on two notes.
        clSoundMix m(0.9);
        for (int i = 0; i < 3; ++i) {
            m.Tone(0.26 * i, 0.2, Note(A5), 0.6, clTimbre::Bell, 0.002, 0.08);
            m.Tone(0.26 * i + 0.1, 0.2, Note(E5), 0.6, clTimbre::Bell, 0.002, 0.08);
        }
        return m.Samples();
    }
    if (name == "grow") {
        // The score reached the goal: a bright upward sweep and a sparkle.
        clSoundMix m(0.42);
        m.Glide(0.0, 0.22, Note(E5), Note(E6), 0.6, clTimbre::Sine, 0.01, 0.2);
        m.Tone(0.2, 0.22, Note(A6), 0.5, clTimbre::Bell, 0.002, 0.08);
        m.Tone(0.26, 0.16, Note(C7), 0.3, clTimbre::Bell, 0.002, 0.06);
        return m.Samples();
    }
    if (name == "shrink") {
        clSoundMix m(0.36);
        m.Glide(0.0, 0.34, Note(A5), Note(A4), 0.7, clTimbre::SoftSquare, 0.01, 0.18);
        return m.Samples();
    }
    if (name == "qarvel") {
        // The start-up tune: a bell arpeggio over a soft chord.
        clSoundMix m(1.7);
        const int run[] = {C5, G5, E6, D6, G6};
        const double when[] = {0.0, 0.14, 0.28, 0.5, 0.64};
        for (int i = 0; i < 5; ++i) {
            m.Tone(when[i], 1.7 - when[i], Note(run[i]), 0.45, clTimbre::Bell, 0.003, 0.35);
        }
        for (const int n : {C4, G4, E5}) {
            m.Tone(0.0, 1.6, Note(n), 0.2, clTimbre::SoftSquare, 0.25, 0.9);
        }
        return m.Samples();
    }
    return {};
}
