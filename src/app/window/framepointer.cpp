#include "app/window/framepointer.h"

#include "app/window/framesurface.h"

#include <QCursor>

namespace maporv {

Point FramePointer::position() const {
    QPoint point = QCursor::pos();
    if (surface_.scaled()) {
        point = surface_.toSurface(surface_.mapFromGlobal(point));
    }
    return {point.x(), point.y()};
}

void FramePointer::setPosition(Point point) {
    QPoint global(point.x, point.y);
    if (surface_.scaled()) {
        global = surface_.mapToGlobal(surface_.toWidget(global));
    }
    QCursor::setPos(global);
}

} // namespace maporv
