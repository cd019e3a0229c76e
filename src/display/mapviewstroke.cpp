// The map view while a stroke of the mouse runs: the hex it paints and the scrolling
// at the view's edge.

#include "display/mapview.h"
#include "mapdata/hexgrid.h"

#include <algorithm>

namespace maporv {

HexCoord MapView::StrokeHex(Point screen) const {
    const Point client = fullScreen != 0 ? screen : toClient(screen);
    const ViewRect& view = grid_.viewRect;
    const HexPosition hex = grid_.pixelToHex(std::clamp(client.x, view.left, view.right),
                                             std::clamp(client.y, view.top, view.bottom));
    return {hex.row, hex.column};
}

void MapView::strokeScroll(Point screen, HexGrid& grid) const {
    if (strategicView != 0 || !grid.mapPresent) {
        return;
    }
    const Point client = fullScreen != 0 ? screen : toClient(screen);
    const ViewRect& view = grid.viewRect;
    const Rect& edges = scrollEdgeArea();
    // The screen's edge scrolls by itself in every frame.
    if (edgeSide(screen.x, edges.left, edges.right, kEdgeMargin) == 0) {
        grid.scrollX += kEdgeStep * edgeSide(client.x, view.left, view.right, kStrokeEdge);
    }
    if (edgeSide(screen.y, edges.top, edges.bottom, kEdgeMargin) == 0) {
        grid.scrollY += kEdgeStep * edgeSide(client.y, view.top, view.bottom, kStrokeEdge);
    }
    grid.clampScroll();
}

void MapView::StrokeScroll(Point screen) {
    strokeScroll(screen, grid_);
}

bool MapView::atStrokeEdge(Point screen) const {
    HexGrid moved = grid_;
    strokeScroll(screen, moved);
    return moved.scrollX != grid_.scrollX || moved.scrollY != grid_.scrollY;
}

} // namespace maporv
