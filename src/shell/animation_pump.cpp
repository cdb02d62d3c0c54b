#include "shell/animation_pump.h"

#include "toolkit/clock.h"

namespace {

constexpr int kFrameMs = 16;

}  // namespace

clQtAnimationPump::clQtAnimationPump(const clClock& clock, std::function<void()> onFrame)
    : clock(clock), onFrame(std::move(onFrame)) {
    frames.setInterval(kFrameMs);
    frames.setTimerType(Qt::PreciseTimer);
    QObject::connect(&frames, &QTimer::timeout, &frames, [this] {
        if (this->onFrame) this->onFrame();
    });
}

std::uint32_t clQtAnimationPump::Now() const {
    return clock.TickCount();
}

void clQtAnimationPump::RunFrames(bool on) {
    if (on && !frames.isActive()) {
        frames.start();
    } else if (!on) {
        frames.stop();
    }
}
