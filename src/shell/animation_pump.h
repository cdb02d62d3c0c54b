#pragma once

#include <QTimer>
#include <functional>

#include "toolkit/animation_pump.h"

class clClock;

// The window's frame timer for cards in motion: while frames are wanted it
// calls its handler about every 16 ms. The time comes from the program's
// clock, so that tests can hold it still and step it.
class clQtAnimationPump final : public clAnimationPump {
public:
    clQtAnimationPump(const clClock& clock, std::function<void()> onFrame);

    std::uint32_t Now() const override;
    void RunFrames(bool on) override;
    bool IsRunning() const { return frames.isActive(); }

private:
    const clClock& clock;
    std::function<void()> onFrame;
    QTimer frames;
};
