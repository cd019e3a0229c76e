// The main window's side of the map check: its window, the hex a line names, and
// the mend of the roads.

#include "app/toolwindows/checkmapwindow.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "editing/mapcheck.h"
#include "editing/mapworkspace.h"

#include <algorithm>

namespace maporv {

void MapFrame::toggleCheckMapWindow() {
    if (checkMapWindow_ != nullptr) {
        closeCheckMapWindow();
        return;
    }
    if (!windowMode()) {
        return;
    }
    auto* window = new CheckMapWindow(
        [this] {
            const MapPicture& picture = workspace_.picture;
            std::optional<PictureSize> size;
            if (picture.valid) {
                size = PictureSize{picture.width, picture.height};
            }
            return checkMap(workspace_.document, workspace_.names, size);
        },
        this);
    window->setGoToHex([this](int row, int column) { goToHex(row, column); });
    window->setMendRoads([this] { mendRoads(); });
    connect(window, &CheckMapWindow::dismissed, this, [this] { checkMapWindow_ = nullptr; });
    checkMapWindow_ = window;
    showToolWindow(*window);
}

bool MapFrame::checkMapWindowOpen() const {
    return checkMapWindow_ != nullptr;
}

CheckMapWindow* MapFrame::checkMapWindow() const {
    return checkMapWindow_;
}

void MapFrame::closeCheckMapWindow() {
    if (checkMapWindow_ != nullptr) {
        checkMapWindow_->close();
    }
}

void MapFrame::goToHex(int row, int column) {
    if (!view_.mapPictureLoaded()) {
        return;
    }
    if (view_.toggle(kToggleStrategic) != 0) {
        toggleView(kToggleStrategic);
    }
    // Hexes beyond the picture cannot be shown: the nearest one that can.
    grid_.cursor.row = std::clamp(row, 0, grid_.maxRow);
    grid_.cursor.column = std::clamp(column, 0, grid_.maxColumn);
    grid_.refreshCursor();
    grid_.centreOn();
    grid_.refreshCursor();
    selection_.select(grid_.cursor.row, grid_.cursor.column, view_.gridReady, false, false);
    // The cursor follows the pointer every frame: it stays on the hex only with it.
    view_.PlacePointerOnCursor();
}

int MapFrame::mendRoads() {
    EditStep step = roadMendStep(workspace_.document);
    const int mended = static_cast<int>(step.cells.size());
    history_.perform(std::move(step));
    return mended;
}

} // namespace maporv
