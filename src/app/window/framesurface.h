#pragma once

#include "app/window/surfacescale.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace maporv {

class DisplaySurfaces;

// The main window's central area: it shows the display's front surface and nothing
// else. In window mode the surface is the client area, drawn 1:1; in the full-screen
// modes the surface has the mode's size and is scaled to fill the screen with its
// aspect kept, as a monitor shows a lower mode.
class FrameSurface : public QWidget {
public:
    explicit FrameSurface(const DisplaySurfaces& display, QWidget* parent = nullptr);

    // Full-screen modes: scale the surface to the widget.
    void setScaled(bool scaled);
    bool scaled() const { return scaled_; }

    // Widget pixel <-> surface pixel, through the scaling of the full-screen modes
    // (the same pixel in window mode).
    QPoint toSurface(QPoint widgetPoint) const;
    QPoint toWidget(QPoint surfacePoint) const;
    // The scaling for the current sizes.
    const SurfaceScale& scale() const;

    // Called after every change of the widget's size.
    std::function<void()> onResized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize surfaceSize() const;

    const DisplaySurfaces& display_;
    bool scaled_ = false;
    mutable SurfaceScale scale_;
    QImage scaledFrame_;
};

} // namespace maporv
