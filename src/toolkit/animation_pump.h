#pragma once

// Lets the window's other events run while cards move across the table. The
// window supplies one; without it moves jump to their place.
class clAnimationPump {
public:
    virtual ~clAnimationPump() = default;

    // Waits about `milliseconds` for the next step of an animation while the
    // window's other events are handled. False when the player cancels the
    // animation: a key or button press, a command or closing the window (the
    // window handles that event once the animation has ended).
    virtual bool WaitForStep(int milliseconds) = 0;
};
