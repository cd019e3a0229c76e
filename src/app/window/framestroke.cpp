#include "app/window/framestroke.h"

#include "display/mapview.h"
#include "editing/editsession.h"

#include <utility>

namespace maporv {

void FrameStroke::began(Qt::MouseButton button) {
    button_ = session_.strokeRunning() ? button : Qt::NoButton;
}

bool FrameStroke::running() const {
    // Any other operation of the session ends its stroke.
    return button_ != Qt::NoButton && session_.strokeRunning();
}

void FrameStroke::sample(Point screen, Qt::MouseButtons held) {
    if (!running()) {
        button_ = Qt::NoButton;
    } else if (!held.testFlag(button_)) {
        end();
    } else {
        session_.strokeTo(view_.StrokeHex(screen));
    }
}

void FrameStroke::frameStep(Point screen, Qt::MouseButtons held) {
    if (running() && held.testFlag(button_)) {
        view_.StrokeScroll(screen);
    }
    sample(screen, held);
}

bool FrameStroke::scrolling(Point screen) const {
    return running() && view_.atStrokeEdge(screen);
}

void FrameStroke::released(Qt::MouseButton button) {
    if (button == button_) {
        end();
    }
}

void FrameStroke::end() {
    if (std::exchange(button_, Qt::NoButton) != Qt::NoButton && session_.strokeRunning()) {
        session_.endStroke();
    }
}

} // namespace maporv
