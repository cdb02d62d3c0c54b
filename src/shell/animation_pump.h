#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "toolkit/animation_pump.h"

class QEvent;
class QEventLoop;

// Runs the window's events between the steps of an animation. A key or
// button press, or closing the window, cancels the animation; that event is
// held back and delivered once the animation has ended, so the player's
// action then happens as usual.
class clQtAnimationPump final : public QObject, public clAnimationPump {
public:
    bool WaitForStep(int milliseconds) override;
    // How many steps were waited for so far.
    int Waits() const { return waits; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QEventLoop* loop = nullptr;
    bool waiting = false;
    int waits = 0;
    bool cancelled = false;
    QPointer<QObject> heldFor;
    std::unique_ptr<QEvent> held;
};
