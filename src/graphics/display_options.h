#pragma once

#include <cstdint>
#include <string>

// A table background: a solid colour (0x00BBGGRR), or a picture file
// stretched or tiled over the virtual screen. A screen's own background may
// instead defer to the player's (Global).
struct clBackgroundChoice {
    enum class Mode : std::int32_t { Solid = 0, Stretched = 1, Tiled = 2, Global = 3 };
    static constexpr std::uint32_t kDefaultColour = 0x008000;  // dark green

    Mode mode = Mode::Stretched;
    std::uint32_t colour = kDefaultColour;
    std::string image = "qarvel.bmp";
};

// The player's settings the display works from. The shell fills them from
// the player's settings and reads back what the display changed: the raised
// virtual size, the card-set file names and back number after a fallback,
// and background modes after a picture could not be loaded.
struct clDisplayOptions {
    static constexpr const char* kDefaultCardFile = "qarvel.cards";

    // Card-size indexes 0..5 (0: no limit); equal non-zero values fix the size.
    std::int32_t minSize = 0;
    std::int32_t maxSize = 0;
    // "Fit to Window": the largest cards of the set's shape at which the
    // table fits the drawing area (before the limits above, which then stay
    // as they were for when the player picks a size again).
    bool fitWindow = false;
    // The virtual screen is at least virtualWidth x virtualHeight.
    bool forceVirtual = false;
    std::int32_t virtualWidth = 640;
    std::int32_t virtualHeight = 480;
    // Card-set files of the faces, the backs and the symbols.
    std::string cardSet = kDefaultCardFile;
    std::string backs = kDefaultCardFile;
    std::string symbols = kDefaultCardFile;
    std::int32_t cardBack = 0;
    // The player's background (never Global) and the current screen's.
    clBackgroundChoice global;
    clBackgroundChoice current{clBackgroundChoice::Mode::Global, clBackgroundChoice::kDefaultColour,
                               "qarvel.bmp"};
};

// Stored values out of range fall back: size indexes outside 0..5 and a
// negative back number to 0, virtual sides to 1..kMaxVirtualSide, a Global or
// unknown player background to a stretched picture, an unknown screen
// background to Global.
void SanitizeDisplayOptions(clDisplayOptions& options, int maxVirtualSide);
