#pragma once

#include <QTimer>
#include <random>

#include "graphics/graphics.h"

class clDrawTarget;

// While a Game Over or Round Over dialog is open, a card falls on the table
// behind it every 100 ms: one time in twelve the current back, otherwise a
// face from 0 to 53 (jokers too), anywhere the whole card fits. Its numbers
// come from a generator of its own, never from the game's, which makes the
// deals. Without a table nothing falls.
class clCardShower {
public:
    static constexpr int kIntervalMs = 100;

    explicit clCardShower(clDrawTarget* table);
    clCardShower(const clCardShower&) = delete;
    clCardShower& operator=(const clCardShower&) = delete;

    // One card now (what every tick does).
    void Drop();
    bool IsRunning() const { return timer.isActive(); }

private:
    QTimer timer;
    clGraphics graphics;
    std::minstd_rand generator;
};
