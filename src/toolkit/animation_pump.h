#pragma once

#include <cstdint>

// The window's frames for cards in motion. While cards fly the table asks
// for frames, and the window calls the screen's OnAnimationStep at every
// frame (about 60 a second) until the table stops asking. Nothing waits for
// a frame: the table's state is final before the first one. Headless play has
// no pump, and every deal and move shows its end at once.
class clAnimationPump {
public:
    virtual ~clAnimationPump() = default;

    // Milliseconds since some fixed moment; wraps around like a tick count.
    virtual std::uint32_t Now() const = 0;
    // Frames are wanted (on) or no longer (off).
    virtual void RunFrames(bool on) = 0;
};
