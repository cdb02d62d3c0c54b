#include "shell/animation_pump.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace {

bool CancelsAnimation(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::Close:
        case QEvent::Quit:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool clQtAnimationPump::WaitForStep(int milliseconds) {
    if (waiting) return false;  // never nested twice
    ++waits;
    QEventLoop stepLoop;
    loop = &stepLoop;
    cancelled = false;
    waiting = true;
    QTimer step;
    step.setSingleShot(true);
    QObject::connect(&step, &QTimer::timeout, &stepLoop, &QEventLoop::quit);
    step.start(milliseconds);
    qApp->installEventFilter(this);
    stepLoop.exec();
    qApp->removeEventFilter(this);
    loop = nullptr;
    waiting = false;
    if (held) {
        if (heldFor) QCoreApplication::postEvent(heldFor, held.release());
        held.reset();
    }
    return !cancelled;
}

bool clQtAnimationPump::eventFilter(QObject* watched, QEvent* event) {
    if (!waiting || cancelled || !CancelsAnimation(event->type())) return false;
    cancelled = true;
    if (event->type() != QEvent::Quit) {
        held.reset(event->clone());
        heldFor = watched;
    }
    if (loop) loop->quit();
    return true;
}
