#include "app/window/renderloop.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace maporv {

RenderLoop::RenderLoop(RenderTarget& target, QObject* parent)
    : QObject(parent), target_(target), refreshInterval_(intervalFor(nullptr)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(refreshInterval_);
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
    heldUp_ = true;
    quietTurns_ = 0;
    timer_.start(refreshInterval_);
}

void RenderLoop::stop() {
    timer_.stop();
}

bool RenderLoop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Timer:
        // The loop's own turns change nothing.
        if (watched != &timer_) {
            wake();
        }
        break;
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::Paint:
        // Showing a frame changes nothing.
        break;
    default:
        wake();
        break;
    }
    return false;
}

void RenderLoop::wake() {
    quietTurns_ = 0;
    if (timer_.interval() != refreshInterval_) {
        timer_.setInterval(refreshInterval_);
    }
}

void RenderLoop::quietTurn() {
    quietTurns_ = std::min(quietTurns_ + 1, kQuietTurnsBeforeRest);
    if (quietTurns_ < kQuietTurnsBeforeRest || target_.frameChangesSoon()) {
        return;
    }
    const int rest = target_.pointerMovesReported() ? kRestInterval : refreshInterval_;
    if (timer_.interval() != rest) {
        timer_.setInterval(rest);
    }
}

bool RenderLoop::tick() {
    if (target_.framePaused() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        heldUp_ = true;
        quietTurn();
        return false;
    }
    // A failed frame is tried again at once.
    if (skipUnchanged_ && !heldUp_ && failures_ == 0 && !target_.frameStale()) {
        quietTurn();
        return false;
    }
    heldUp_ = false;
    quietTurns_ = 0;
    if (const QScreen* screen = target_.frameScreen(); screen != pacedBy_) {
        // The window went to another screen, maybe of another refresh rate.
        pacedBy_ = screen;
        refreshInterval_ = intervalFor(screen);
    }
    if (timer_.interval() != refreshInterval_) {
        timer_.setInterval(refreshInterval_);
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
