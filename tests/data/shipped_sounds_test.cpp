// The sixteen wave files the build synthesised.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "assets/sound_synth.h"
#include "data/shipped_data.h"

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::int16_t Sample(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int16_t>(b[at] | b[at + 1] << 8);
}

// Every sound: a plain PCM wave header, short, audible but not clipped, and
// starting and ending at rest so that cutting one off with the next does not click.
TEST(ShippedSoundTest, EveryWaveIsAShortCleanPcmSound) {
    const std::vector<std::string> names = {
        "error",   "shuffle",  "card", "undo", "redo",  "select", "remove", "replace",
        "victory", "complete", "loss", "tick", "alarm", "grow",   "shrink", "qarvel"};
    EXPECT_EQ(SoundNames(), names);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> b = ReadShippedFile(kShippedData / (name + ".wav"));
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        EXPECT_EQ(U32(b, 4), b.size() - 8);
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(U32(b, 16), 16u);
        EXPECT_EQ(U32(b, 20), 1u | 1u << 16);  // PCM, mono
        EXPECT_EQ(U32(b, 24), 22050u);
        EXPECT_EQ(U32(b, 28), 44100u);          // bytes a second
        EXPECT_EQ(U32(b, 32), 2u | 16u << 16);  // two bytes a frame, 16 bits a sample
        EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
        ASSERT_EQ(U32(b, 40), b.size() - 44);
        const std::size_t samples = (b.size() - 44) / 2;
        EXPECT_GE(samples, 22050u / 40) << "shorter than 25 ms";
        EXPECT_LE(samples, 22050u * 2) << "longer than two seconds";
        int peak = 0;
        for (std::size_t i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(Sample(b, 44 + 2 * i)));
        EXPECT_GT(peak, 16000);
        EXPECT_LT(peak, 32767);
        EXPECT_LT(std::abs(Sample(b, 44)), 2000);
        EXPECT_LT(std::abs(Sample(b, b.size() - 2)), 2000);
    }
}

}  // namespace
