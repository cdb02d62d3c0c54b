#include "assets/wave_file.h"

#include <fstream>

#include "assets/little_endian.h"

std::vector<std::uint8_t> EncodeWave(const std::vector<std::int16_t>& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    // Byte by byte: GCC's overflow check misreads a range insert into the reserved vector.
    const auto tag = [&](const char* text) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(text[i]));
    };
    tag("RIFF");
    PutU32(out, 36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    PutU32(out, 16);  // format chunk size
    PutU16(out, 1);   // PCM
    PutU16(out, 1);   // mono
    PutU32(out, kSampleRate);
    PutU32(out, kSampleRate * 2);  // bytes a second
    PutU16(out, 2);                // bytes a sample frame
    PutU16(out, 16);               // bits a sample
    tag("data");
    PutU32(out, dataBytes);
    for (const std::int16_t s : samples)
        PutU16(out, static_cast<std::uint16_t>(s));
    return out;
}

bool WriteWave(const std::filesystem::path& path, const std::vector<std::int16_t>& samples) {
    const std::vector<std::uint8_t> bytes = EncodeWave(samples);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}
