#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace maporv {

// How a full-screen frame of the mode's size fills a larger (or smaller) screen: scaled
// with its aspect kept and centred, as a monitor shows a lower display mode. Each
// screen pixel shows the surface pixel under its centre.
//
// The scaling is done here and not by QPainter, so that the pointer mapping uses the
// very same pixel tables as the picture: the hex under the pointer is always the hex
// drawn under it.
class SurfaceScale {
public:
    SurfaceScale() = default;
    SurfaceScale(QSize surface, QSize area);

    QSize surfaceSize() const { return surface_; }
    QSize areaSize() const { return area_; }
    // Where the frame is drawn inside the area; the rest stays black.
    QRect target() const { return target_; }

    // The surface pixel shown at an area pixel. Points beside the frame map beyond the
    // surface's edges, so the pointer at the screen's edge is at the frame's edge too.
    QPoint toSurface(QPoint areaPoint) const;
    // The area pixel at the middle of those that show a surface pixel; points off the
    // surface are pulled onto its edge first.
    QPoint toArea(QPoint surfacePoint) const;

    // Draws source (of surfaceSize()) into target (of areaSize(), 32-bit RGB): the
    // frame scaled into target(), black around it.
    void scale(const QImage& source, QImage& target) const;

private:
    struct Axis {
        int offset = 0;          // first area pixel of the frame
        int length = 0;          // area pixels the frame covers
        std::vector<int> source; // per covered area pixel: its surface pixel
        std::vector<int> middle; // per surface pixel: the area pixel to point at
        int surfaceLength = 0;
    };
    static Axis makeAxis(int surfaceLength, int targetLength, int offset);
    static int toSurface(const Axis& axis, int areaCoordinate);
    static int toArea(const Axis& axis, int surfaceCoordinate);
    // The scaling copy for a source of Pixel, each picked pixel made 32-bit by toRgb.
    template <typename Pixel, typename ToRgb>
    void scaleRows(const QImage& source, QImage& target, ToRgb toRgb) const;

    QSize surface_;
    QSize area_;
    QRect target_;
    Axis x_;
    Axis y_;
};

} // namespace maporv
