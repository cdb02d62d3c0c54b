#pragma once

#include <cstdint>

// The round's countdown, in tenths of a second. The platform ticks it every
// 100 ms; a running timer counts down and stops itself at 0.
class clTimer {
public:
    // One 100 ms tick. True when the timer was running, so the screen should
    // react to the new count (the tick that reaches 0 included).
    bool Tick() {
        if (!running) return false;
        if (--count < 1) {
            count = 0;
            running = false;
        }
        return true;
    }

    void Start() { running = true; }
    void Stop() { running = false; }
    bool IsRunning() const { return running; }
    std::int32_t Count() const { return count; }
    void SetCount(std::int32_t tenths) { count = tenths; }

private:
    std::int32_t count = 0;
    bool running = false;
};
