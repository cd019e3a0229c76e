#pragma once

#include "display/pointerdevice.h"

namespace maporv {

// A pointer that stays where it was put: setPosition is ignored, so a rendered frame
// shows the hex under the point it was asked for.
class FixedPointer : public PointerDevice {
public:
    explicit FixedPointer(Point point = {}) : point_(point) {}

    Point position() const override { return point_; }
    void setPosition(Point /*point*/) override {}

    void moveTo(Point point) { point_ = point; }

private:
    Point point_;
};

} // namespace maporv
