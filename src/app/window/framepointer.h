#pragma once

#include "display/pointerdevice.h"

namespace maporv {

class FrameSurface;

// The real mouse pointer as the map view sees it. In window mode the view works in
// screen coordinates; in the full-screen modes in the surface's pixels, so positions
// go through the same scaling as the picture, both ways.
class FramePointer : public PointerDevice {
public:
    explicit FramePointer(const FrameSurface& surface) : surface_(surface) {}

    Point position() const override;
    void setPosition(Point point) override;

private:
    const FrameSurface& surface_;
};

} // namespace maporv
