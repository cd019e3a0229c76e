#pragma once

#include "display/rect.h"

namespace maporv {

// The main window as the display sees it. The display changes the window's styles when
// it switches between full-screen and window mode and sizes its surfaces by the
// window's client area; everything else about the window is its own business.
class DisplayOwner {
public:
    virtual ~DisplayOwner() = default;

    // Full-screen modes: a pop-up window without caption, system menu, sizing frame or
    // minimise and maximise boxes, kept above all other windows.
    virtual void applyFullScreenStyle() = 0;
    // Window mode: an overlapped, maximised window with caption and frame, no longer
    // kept on top, whose client area gets the size the window keeps for window mode
    // (the desktop work area). The window is neither moved nor activated.
    virtual void applyWindowedStyle() = 0;
    // The client area in screen coordinates.
    virtual Rect clientRect() const = 0;
};

} // namespace maporv
