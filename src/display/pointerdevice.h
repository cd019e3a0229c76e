#pragma once

#include "display/rect.h"

namespace maporv {

// The mouse pointer as the map view sees it, in screen coordinates. The editor's
// window reads and moves the real pointer; the render tool holds a fixed point.
class PointerDevice {
public:
    virtual ~PointerDevice() = default;

    virtual Point position() const = 0;
    virtual void setPosition(Point point) = 0;
};

} // namespace maporv
