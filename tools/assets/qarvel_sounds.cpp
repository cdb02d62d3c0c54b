// qarvel-sounds: synthesises the game's sixteen wave files.
//
//   qarvel-sounds --out DIR
//
// Writes error.wav, shuffle.wav, ... shrink.wav and qarvel.wav into DIR:
// short 16-bit mono sounds at 22050 Hz made from enveloped tones and noise.
#include <cstdio>
#include <filesystem>
#include <string>

#include "assets/sound_synth.h"
#include "assets/wave_file.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != "--out") {
        std::fprintf(stderr, "usage: qarvel-sounds --out DIR\n");
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (const std::string& name : SoundNames()) {
        const std::filesystem::path path = folder / (name + ".wav");
        if (!WriteWave(path, MakeSound(name))) {
            std::fprintf(stderr, "qarvel-sounds: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
