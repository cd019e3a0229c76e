#include "app/window/framesurface.h"

#include "display/bgrcolor.h"
#include "display/displaysurfaces.h"
#include "display/mapview.h"
#include "display/surface.h"

#include <QPaintEvent>
#include <QPainter>

namespace maporv {

FrameSurface::FrameSurface(const DisplaySurfaces& display, QWidget* parent)
    : QWidget(parent), display_(display) {
    // Every pixel is painted from the surface: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
}

void FrameSurface::setScaled(bool scaled) {
    if (scaled_ != scaled) {
        scaled_ = scaled;
        scaledFrame_ = QImage();
        update();
    }
}

QSize FrameSurface::surfaceSize() const {
    const Surface* front = display_.frontSurface().get();
    return front != nullptr ? QSize(front->width(), front->height()) : QSize();
}

const SurfaceScale& FrameSurface::scale() const {
    const QSize surface = surfaceSize();
    if (scale_.surfaceSize() != surface || scale_.areaSize() != size()) {
        scale_ = SurfaceScale(surface, size());
    }
    return scale_;
}

QPoint FrameSurface::toSurface(QPoint widgetPoint) const {
    return scaled_ ? scale().toSurface(widgetPoint) : widgetPoint;
}

QPoint FrameSurface::toWidget(QPoint surfacePoint) const {
    return scaled_ ? scale().toArea(surfacePoint) : surfacePoint;
}

void FrameSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const Surface* front = display_.frontSurface().get();
    if (front == nullptr || !front->isValid()) {
        painter.fillRect(event->rect(), scaled_ ? QColor(Qt::black) : colorOf(kBackgroundColor));
        return;
    }
    if (scaled_) {
        scale().scale(front->image(), scaledFrame_);
        painter.drawImage(event->rect().topLeft(), scaledFrame_, event->rect());
        return;
    }
    painter.drawImage(event->rect().topLeft(), front->image(), event->rect());
    // A client area larger than the surface (for a moment, while a new size is taken
    // over) shows the frame's background beyond it.
    const QRegion beyond = QRegion(event->rect()) - QRegion(front->image().rect());
    for (const QRect& part : beyond) {
        painter.fillRect(part, colorOf(kBackgroundColor));
    }
}

void FrameSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResized) {
        onResized();
    }
}

} // namespace maporv
