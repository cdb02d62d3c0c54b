#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// The sample rate of every shipped sound.
inline constexpr int kSampleRate = 22050;

// A complete RIFF/WAVE file of 16-bit mono PCM samples at kSampleRate.
std::vector<std::uint8_t> EncodeWave(const std::vector<std::int16_t>& samples);
bool WriteWave(const std::filesystem::path& path, const std::vector<std::int16_t>& samples);
