// The main window's own commands: the display modes and the view toggles.

#include "app/window/mapframe.h"

namespace maporv {

void MapFrame::setVideoMode(int mode) {
    view_.videoMode = mode;
    SwitchMode();
}

void MapFrame::toggleFullScreen() {
    // Window and 800 x 600 alternate; 1024 x 768 goes back to window mode.
    view_.videoMode = view_.videoMode != kWindowMode ? kWindowMode : kMode800x600;
    SwitchMode();
}

void MapFrame::toggleVerticalSync() {
    if (view_.fullScreen == 0) {
        view_.vsyncOn = view_.vsyncOn != 0 ? 0 : 1;
    }
}

void MapFrame::toggleView(ViewToggle toggle) {
    if (toggle == kToggleGrid && !view_.mapPictureLoaded()) {
        return;
    }
    view_.setToggle(toggle, view_.toggle(toggle) != 0 ? 0 : 1);
    if (toggle == kToggleStrategic) {
        stroke_.end();
        view_.SetViewGeometry();
    }
}

void MapFrame::toggleDrawRoads() {
    stroke_.end();
    view_.drawRoadsOn = !view_.drawRoadsOn;
}

void MapFrame::toggleCapsLock() {
    view_.capsLockOn = !view_.capsLockOn;
}

} // namespace maporv
