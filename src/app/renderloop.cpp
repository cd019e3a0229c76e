#include "app/renderloop.h"

#include <QApplication>
#include <QScreen>
#include <cmath>

namespace maporv {

RenderLoop::RenderLoop(RenderTarget& target, QObject* parent) : QObject(parent), target_(target) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(intervalFor(nullptr));
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    qApp->installEventFilter(this);
}

RenderLoop::~RenderLoop() {
    qApp->removeEventFilter(this);
}

int RenderLoop::intervalFor(const QScreen* screen) {
    qreal hertz = screen != nullptr ? screen->refreshRate() : 0.0;
    if (!(hertz >= 20.0 && hertz <= 500.0)) {
        hertz = 60.0;
    }
    return static_cast<int>(std::ceil(1000.0 / hertz));
}

void RenderLoop::start() {
    failures_ = 0;
    activity_ = true;
    timer_.start();
}

void RenderLoop::stop() {
    timer_.stop();
}

bool RenderLoop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Timer:
        // The pacing itself changes nothing.
        if (watched != &timer_) {
            activity_ = true;
        }
        break;
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::Paint:
        // Showing a frame is no change.
        break;
    default:
        activity_ = true;
        break;
    }
    return false;
}

bool RenderLoop::frameDue() const {
    return activity_ || !sinceFrame_.isValid() || sinceFrame_.elapsed() >= idleInterval_ ||
           target_.pointerActive();
}

bool RenderLoop::tick() {
    if (target_.framePaused() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr || !frameDue()) {
        return false;
    }
    if (const QScreen* screen = target_.frameScreen(); screen != pacedBy_) {
        // The window went to another screen, maybe of another refresh rate.
        pacedBy_ = screen;
        timer_.setInterval(intervalFor(screen));
    }
    activity_ = false;
    sinceFrame_.restart();
    const Status status = target_.drawFrame();
    if (succeeded(status)) {
        failures_ = 0;
        return true;
    }
    if (++failures_ >= 2) {
        stop();
        target_.framesFailed();
    }
    return true;
}

} // namespace maporv
