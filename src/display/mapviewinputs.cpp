// What one frame of the map view reads, folded into one fingerprint.

#include "display/displaysurfaces.h"
#include "display/fingerprint.h"
#include "display/mapview.h"
#include "display/surface.h"
#include "editing/editsession.h"
#include "mapdata/hexgrid.h"

#include <initializer_list>

namespace maporv {
namespace {

// A surface drawn from: its pixels as they are now.
void addSource(Fingerprint& inputs, const Surface* surface) {
    if (surface == nullptr) {
        inputs.add(0u);
        return;
    }
    inputs.add(surface->version()).add(surface->isLost());
}

// A surface drawn on: which one it is, whatever the frames drew on it.
void addTarget(Fingerprint& inputs, const Surface* surface) {
    if (surface == nullptr) {
        inputs.add(0u);
        return;
    }
    inputs.add(surface->id()).add(surface->isLost());
}

void addImage(Fingerprint& inputs, const SurfaceImage& image) {
    addSource(inputs, image.surface.get());
    inputs.add(image.loaded).add(image.width).add(image.height).add(image.blitMode);
    inputs.add(image.anchor).add(image.placeRect).add(image.sourceRect);
}

void addGrid(Fingerprint& inputs, const HexGrid& grid) {
    for (const int value :
         {grid.originX,        grid.originY,        grid.viewWidth,       grid.viewHeight,
          grid.columnStep,     grid.rowStep,        grid.hexWidth,        grid.hexHeight,
          grid.cornerWidth,    grid.halfHeight,     grid.edgeLimit,       grid.viewRect.left,
          grid.viewRect.top,   grid.viewRect.right, grid.viewRect.bottom, grid.cursor.mapX,
          grid.cursor.mapY,    grid.cursor.row,     grid.cursor.column,   grid.cursor.screenX,
          grid.cursor.screenY, grid.pictureWidth,   grid.pictureHeight,   grid.maxRow,
          grid.maxColumn,      grid.scrollX,        grid.scrollY,         grid.maxScrollX,
          grid.maxScrollY}) {
        inputs.add(value);
    }
    inputs.add(grid.mapPresent).add(grid.fixedView);
}

} // namespace

std::uint64_t MapView::InputFingerprint(Point pointer) const {
    Fingerprint inputs;
    inputs.add(pointer);

    // The window's own inputs.
    for (const int value : {showGrid, strategicView, showTerrain, showRoads, showNames, vsyncOn,
                            fullScreen, videoMode, screenDepth}) {
        inputs.add(value);
    }
    for (const bool marked : terrainFilter) {
        inputs.add(marked);
    }
    inputs.add(showLabels).add(capsLockOn).add(setDataDialogOpen).add(drawRoadsOn).add(gridReady);
    inputs.add(titleText).add(screenRect).add(workArea);
    inputs.add(currentHex.exists).add(currentHex.row).add(currentHex.column);
    inputs.add(statusText).add(roadsText).add(notice());
    for (const Rect& region : {regions.titleBar, regions.topBar, regions.bottomBar,
                               regions.rightColumn, regions.mapArea}) {
        inputs.add(region);
    }

    // The images and the display they are drawn on.
    for (const SurfaceImage* image : std::initializer_list<const SurfaceImage*>{
             &rightMenu, &buttonBar, &roadBox, &bigRoadMarks, &hexOutlines, &roadMarks,
             &terrainIcons, &terrainLabels, &picture}) {
        addImage(inputs, *image);
    }
    for (const SpriteSheet* sheet :
         {&bigRoadMarks, &hexOutlines, &roadMarks, &terrainIcons, &terrainLabels}) {
        inputs.add(sheet->currentRow());
    }
    for (int i = 0; i < buttonBar.buttonCount(); ++i) {
        inputs.add(buttonBar.state(i));
    }
    inputs.add(picture.shownWidth).add(picture.shownHeight);
    addTarget(inputs, display_.backSurface().get());
    addTarget(inputs, display_.frontSurface().get());
    inputs.add(display_.fillValue()).add(display_.bitsPerPixel()).add(display_.windowed());
    inputs.add(display_.showingDesktop()).add(display_.presentRect());

    // The hex grid's geometry, scroll and cursor.
    addGrid(inputs, grid_);
    // The map, its names, picture and texts, the brush and the selection: the session
    // raises a revision with every change of its part.
    const SessionRevisions& session = session_.revisions();
    for (const std::uint64_t revision : {session.map, session.names, session.brush,
                                         session.selection, session.picture, session.document}) {
        inputs.add(revision);
    }
    return inputs.value();
}

} // namespace maporv
