#include "app/renderloop.h"

#include <QApplication>
#include <QScreen>
#include <cmath>

namespace maporv {

RenderLoop::RenderLoop(RenderTarget& target, QObject* parent) : QObject(parent), target_(target) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(intervalFor(nullptr));
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

RenderLoop::~RenderLoop() = default;

int RenderLoop::intervalFor(const QScreen* screen) {
    qreal hertz = screen != nullptr ? screen->refreshRate() : 0.0;
    if (!(hertz >= 20.0 && hertz <= 500.0)) {
        hertz = 60.0;
    }
    return static_cast<int>(std::ceil(1000.0 / hertz));
}

void RenderLoop::start() {
    failures_ = 0;
    heldUp_ = true;
    timer_.start();
}

void RenderLoop::stop() {
    timer_.stop();
}

bool RenderLoop::tick() {
    if (target_.framePaused() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        heldUp_ = true;
        return false;
    }
    // A failed frame is tried again at once.
    if (skipUnchanged_ && !heldUp_ && failures_ == 0 && !target_.frameStale()) {
        return false;
    }
    heldUp_ = false;
    if (const QScreen* screen = target_.frameScreen(); screen != pacedBy_) {
        // The window went to another screen, maybe of another refresh rate.
        pacedBy_ = screen;
        timer_.setInterval(intervalFor(screen));
    }
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
