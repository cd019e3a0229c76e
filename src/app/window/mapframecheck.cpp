// The main window's side of the map check: its window, the hex a line names, and
// the mends of the roads and the header.

#include "app/toolwindows/checkmapwindow.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "editing/mapcheck.h"
#include "mapdata/hexdirection.h"
#include "mapdata/textformat.h"

#include <algorithm>
#include <optional>

namespace maporv {

void MapFrame::toggleCheckMapWindow() {
    if (checkMapWindow_ != nullptr) {
        closeCheckMapWindow();
        return;
    }
    if (!windowMode()) {
        return;
    }
    const MapWorkspace& workspace = session_.workspace();
    auto* window = new CheckMapWindow(
        session_,
        [&workspace] {
            const std::optional<PictureSize> size = pictureSizeOf(workspace.picture);
            return CheckMapWindow::Findings{checkMap(workspace.document, workspace.names, size),
                                            size ? std::string()
                                                 : noPictureNote(workspace.document)};
        },
        this);
    window->setGoToHex([this](int row, int column) { return goToHex(row, column); });
    window->setMendRoads([this, &workspace] {
        session_.perform(roadMendStep(workspace.document, pictureSizeOf(workspace.picture)));
    });
    window->setMendHeader([this, &workspace] {
        if (const std::optional<PictureSize> size = pictureSizeOf(workspace.picture)) {
            session_.perform(headerStep(workspace.document, *size));
        }
    });
    // Over the map view's top-left corner: the status line, the modified marks, the
    // info text, the panel, the road box and the Caps Lock warning lie around it.
    const Rect& area = view_.regions.mapArea;
    const auto global = [this](int x, int y) {
        return surface_->mapToGlobal(surface_->toWidget(QPoint(x, y)));
    };
    window->setViewArea(
        QRect(global(area.left, area.top), global(area.right, area.bottom) - QPoint(1, 1)));
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

std::string MapFrame::goToHex(int row, int column) {
    if (!view_.mapPictureLoaded()) {
        return "The map has no picture: the view shows no hex.";
    }
    const std::string hex = hexText({row, column});
    if (!MapDocument::inGrid(row, column)) {
        return strprintf("%s lies outside the map's %d x %d grid: the view cannot go there.",
                         hex.c_str(), kMapColumns, kMapRows);
    }
    // Another hex in its place would take the edits meant for this one.
    if (row > grid_.maxRow || column > grid_.maxColumn) {
        return strprintf("%s lies beyond the picture, which shows columns 0..%d and rows 0..%d: "
                         "the view cannot go there.",
                         hex.c_str(), std::min(grid_.maxColumn, kMapColumns - 1),
                         std::min(grid_.maxRow, kMapRows - 1));
    }
    if (view_.toggle(kToggleStrategic) != 0) {
        toggleView(kToggleStrategic);
    }
    grid_.cursor.row = row;
    grid_.cursor.column = column;
    grid_.refreshCursor();
    grid_.centreOn();
    grid_.refreshCursor();
    session_.select(row, column, view_.gridReady, false, false);
    // The cursor follows the pointer every frame: it stays on the hex only with it.
    view_.PlacePointerOnCursor();
    return {};
}

} // namespace maporv
